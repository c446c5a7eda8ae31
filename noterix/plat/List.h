#pragma once

#include <cstddef>

namespace plat {

class List;

// An item of an intrusive doubly linked list.
class ListItem {
public:
    virtual ~ListItem() = default;          // slot 0
    virtual void Destroy() { delete this; } // slot 1

    ListItem* Next() const { return next_; }
    ListItem* Previous() const { return previous_; }

private:
    friend class List;
    ListItem* next_ = nullptr;
    ListItem* previous_ = nullptr;
};

class List {
public:
    List() = default;
    List(const List&) = delete;
    List& operator=(const List&) = delete;
    virtual ~List() { Clear(); }

    void AddHead(ListItem* item);
    void Remove(ListItem* item);
    // Unlinks and destroys every item.
    void Clear();
    ListItem* Head() const { return head_; }
    ListItem* Tail() const { return tail_; }
    std::size_t Count() const { return count_; }

private:
    ListItem* head_ = nullptr;
    ListItem* tail_ = nullptr;
    std::size_t count_ = 0;
};

} // namespace plat
