#include "plat/List.h"

namespace plat {

void List::AddHead(ListItem* item) {
    item->previous_ = nullptr;
    item->next_ = head_;
    if (head_ != nullptr) {
        head_->previous_ = item;
    } else {
        tail_ = item;
    }
    head_ = item;
    ++count_;
}

void List::Remove(ListItem* item) {
    if (item->previous_ != nullptr) {
        item->previous_->next_ = item->next_;
    } else {
        head_ = item->next_;
    }
    if (item->next_ != nullptr) {
        item->next_->previous_ = item->previous_;
    } else {
        tail_ = item->previous_;
    }
    item->next_ = nullptr;
    item->previous_ = nullptr;
    --count_;
}

void List::Clear() {
    while (head_ != nullptr) {
        ListItem* item = head_;
        Remove(item);
        item->Destroy();
    }
}

} // namespace plat
