#pragma once

#include <cstdint>
#include <type_traits>
#include <vector>

namespace wkit {

class MessageTarget;
struct CommandEntry;

// The arguments a handler may receive; which of them it takes is fixed by its
// entry's signature.
struct CommandArguments {
    std::int32_t id = 0;     // command id, or the control id of a notification
    std::int32_t code = 0;   // notification code (kind 5 entries)
    std::intptr_t extra = 0; // notification detail, 0 when there is none
};

// Calls one member function of the target the entry belongs to. Each entry
// carries a thunk made for its own class, so no member pointer is ever cast to
// another class's type.
using CommandThunk = bool (*)(MessageTarget& target, const CommandArguments& arguments);

struct CommandEntry {
    enum Kind : std::int32_t { End = 0, Command = 1, Notification = 5 };
    enum Signature : std::int32_t { NoArguments = 2, CommandId = 3, NotificationArguments = 4 };

    std::int32_t kind = End;
    std::int32_t first = 0;         // first command id, or the notification code
    std::int32_t last = 0;          // last command id
    std::int32_t controlFirst = -1; // control id range of a notification; -1, -1 is any control
    std::int32_t controlLast = -1;
    CommandThunk handler = nullptr;
    std::int32_t signature = NoArguments;

    bool MatchesCommand(std::int32_t id) const {
        return kind == Command && id >= first && id <= last;
    }
    bool MatchesNotification(std::int32_t control, std::int32_t code) const;
};

// One class's table: its entries (ended by a kind 0 entry) and its base
// class's table.
struct CommandMap {
    const CommandMap* base;
    const CommandEntry* entries;
};

namespace detail {

template <typename Method>
struct MethodTraits;
template <typename Class>
struct MethodTraits<bool (Class::*)()> {
    using Owner = Class;
    static constexpr std::int32_t signature = CommandEntry::NoArguments;
};
template <typename Class>
struct MethodTraits<bool (Class::*)(std::int32_t)> {
    using Owner = Class;
    static constexpr std::int32_t signature = CommandEntry::CommandId;
};
template <typename Class>
struct MethodTraits<bool (Class::*)(std::int32_t, std::int32_t, std::intptr_t)> {
    using Owner = Class;
    static constexpr std::int32_t signature = CommandEntry::NotificationArguments;
};

template <auto Method>
bool Call(MessageTarget& target, const CommandArguments& arguments) {
    using Traits = MethodTraits<decltype(Method)>;
    using Owner = typename Traits::Owner;
    static_assert(std::is_base_of_v<MessageTarget, Owner>, "handlers belong to message targets");
    auto& self = static_cast<Owner&>(target);
    if constexpr (Traits::signature == CommandEntry::NoArguments) {
        return (self.*Method)();
    } else if constexpr (Traits::signature == CommandEntry::CommandId) {
        return (self.*Method)(arguments.id);
    } else {
        return (self.*Method)(arguments.id, arguments.code, arguments.extra);
    }
}

} // namespace detail

// Table entries: OnCommandEntry<&Class::Method>(id), a range, a notification
// from a control range (-1, -1 for any control), and the end marker.
template <auto Method>
constexpr CommandEntry OnCommandRange(std::int32_t first, std::int32_t last) {
    return CommandEntry{CommandEntry::Command,
                        first,
                        last,
                        -1,
                        -1,
                        &detail::Call<Method>,
                        detail::MethodTraits<decltype(Method)>::signature};
}
template <auto Method>
constexpr CommandEntry OnCommandEntry(std::int32_t id) {
    return OnCommandRange<Method>(id, id);
}
template <auto Method>
constexpr CommandEntry OnNotificationEntry(std::int32_t code, std::int32_t controlFirst,
                                           std::int32_t controlLast) {
    return CommandEntry{CommandEntry::Notification,
                        code,
                        code,
                        controlFirst,
                        controlLast,
                        &detail::Call<Method>,
                        detail::MethodTraits<decltype(Method)>::signature};
}
constexpr CommandEntry EndOfCommands() {
    return CommandEntry{};
}

// Something that receives menu and control commands through its command
// table. Child targets (added by the owner) see every command first.
class MessageTarget {
public:
    MessageTarget() = default;
    MessageTarget(const MessageTarget&) = delete;
    MessageTarget& operator=(const MessageTarget&) = delete;
    virtual ~MessageTarget();                           // slot 0
    virtual const CommandMap* GetCommandMap() const;    // slot 1
    virtual bool OnCommand(std::int32_t id);            // slot 2
    virtual bool CallHandler(const CommandEntry& entry, // slot 3
                             const CommandArguments& arguments);

    // A control's notification (an edit box's change, for instance).
    bool OnNotification(std::int32_t control, std::int32_t code, std::intptr_t extra = 0);

    void AddChildTarget(MessageTarget* child);
    void RemoveChildTarget(MessageTarget* child);

    static const CommandMap commandMap;

private:
    bool Walk(bool notification, const CommandArguments& arguments);
    std::vector<MessageTarget*> children_;
};

} // namespace wkit
