#include "wkit/MessageTarget.h"

#include <algorithm>

namespace wkit {

namespace {
constexpr CommandEntry noEntries[] = {EndOfCommands()};
} // namespace

const CommandMap MessageTarget::commandMap = {nullptr, noEntries};

bool CommandEntry::MatchesNotification(std::int32_t control, std::int32_t code) const {
    if (kind != Notification || code != first) {
        return false;
    }
    const bool anyControl = controlFirst == -1 && controlLast == -1;
    return anyControl || (control >= controlFirst && control <= controlLast);
}

MessageTarget::~MessageTarget() = default;

const CommandMap* MessageTarget::GetCommandMap() const {
    return &commandMap;
}

bool MessageTarget::CallHandler(const CommandEntry& entry, const CommandArguments& arguments) {
    return entry.handler != nullptr && entry.handler(*this, arguments);
}

bool MessageTarget::Walk(bool notification, const CommandArguments& arguments) {
    // A child may remove itself while handling, so walk a copy.
    const std::vector<MessageTarget*> children = children_;
    for (MessageTarget* child : children) {
        const bool handled =
            notification ? child->OnNotification(arguments.id, arguments.code, arguments.extra)
                         : child->OnCommand(arguments.id);
        if (handled) {
            return true;
        }
    }
    for (const CommandMap* map = GetCommandMap(); map != nullptr; map = map->base) {
        for (const CommandEntry* entry = map->entries; entry->kind != CommandEntry::End; ++entry) {
            const bool matches = notification
                                     ? entry->MatchesNotification(arguments.id, arguments.code)
                                     : entry->MatchesCommand(arguments.id);
            if (matches) {
                return CallHandler(*entry, arguments);
            }
        }
    }
    return false;
}

bool MessageTarget::OnCommand(std::int32_t id) {
    return Walk(false, CommandArguments{id, 0, 0});
}

bool MessageTarget::OnNotification(std::int32_t control, std::int32_t code, std::intptr_t extra) {
    return Walk(true, CommandArguments{control, code, extra});
}

void MessageTarget::AddChildTarget(MessageTarget* child) {
    if (child != nullptr &&
        std::find(children_.begin(), children_.end(), child) == children_.end()) {
        children_.push_back(child);
    }
}

void MessageTarget::RemoveChildTarget(MessageTarget* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

} // namespace wkit
