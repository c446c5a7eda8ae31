#include "wkit/MessageTarget.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

class Base : public wkit::MessageTarget {
public:
    bool Save() {
        calls.push_back("base save");
        return true;
    }
    bool Colour(std::int32_t id) {
        calls.push_back("base colour " + std::to_string(id));
        return true;
    }
    bool Declines() {
        calls.push_back("base declines");
        return false;
    }
    const wkit::CommandMap* GetCommandMap() const override { return &commandMap; }
    static const wkit::CommandMap commandMap;
};

const wkit::CommandEntry baseEntries[] = {
    wkit::OnCommandEntry<&Base::Save>(100),
    wkit::OnCommandRange<&Base::Colour>(200, 206),
    wkit::OnCommandEntry<&Base::Declines>(300),
    wkit::EndOfCommands(),
};
const wkit::CommandMap Base::commandMap = {&wkit::MessageTarget::commandMap, baseEntries};

class Derived : public Base {
public:
    bool SaveHere() {
        calls.push_back("derived save");
        return true;
    }
    bool Changed(std::int32_t control, std::int32_t code, std::intptr_t) {
        calls.push_back("changed " + std::to_string(control) + " " + std::to_string(code));
        return true;
    }
    bool AnyChange(std::int32_t control, std::int32_t, std::intptr_t) {
        calls.push_back("any change " + std::to_string(control));
        return true;
    }
    const wkit::CommandMap* GetCommandMap() const override { return &commandMap; }
    static const wkit::CommandMap commandMap;
};

const wkit::CommandEntry derivedEntries[] = {
    wkit::OnCommandEntry<&Derived::SaveHere>(100),
    wkit::OnNotificationEntry<&Derived::Changed>(0x300, 1030, 1031),
    wkit::OnNotificationEntry<&Derived::AnyChange>(0x300, -1, -1),
    wkit::EndOfCommands(),
};
const wkit::CommandMap Derived::commandMap = {&Base::commandMap, derivedEntries};

class Child : public wkit::MessageTarget {
public:
    bool Take() {
        calls.push_back("child");
        return true;
    }
    const wkit::CommandMap* GetCommandMap() const override { return &commandMap; }
    static const wkit::CommandMap commandMap;
};

const wkit::CommandEntry childEntries[] = {
    wkit::OnCommandEntry<&Child::Take>(205),
    wkit::EndOfCommands(),
};
const wkit::CommandMap Child::commandMap = {&wkit::MessageTarget::commandMap, childEntries};

TEST(CommandTables, TheWalkTakesChildrenThenTheMostDerivedTableThenItsBases) {
    struct Case {
        std::int32_t id;
        bool handled;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {100, true, {"derived save"}},    // the derived entry hides the base one
        {200, true, {"base colour 200"}}, // a range's first id
        {206, true, {"base colour 206"}}, // and its last
        {205, true, {"child"}},           // a child target sees it first
        {207, false, {}},                 // just past the range
        {300, false, {"base declines"}},  // a handler's false is the answer
        {12345, false, {}},               // nobody's
    };
    Derived target;
    Child child;
    target.AddChildTarget(&child);
    for (const Case& c : cases) {
        calls.clear();
        EXPECT_EQ(target.OnCommand(c.id), c.handled) << c.id;
        EXPECT_EQ(calls, c.calls) << c.id;
    }
    target.RemoveChildTarget(&child);
    calls.clear();
    EXPECT_TRUE(target.OnCommand(205));
    EXPECT_EQ(calls, std::vector<std::string>{"base colour 205"});
}

TEST(CommandTables, NotificationsMatchTheCodeAndTheControlRange) {
    Derived target;
    calls.clear();
    EXPECT_TRUE(target.OnNotification(1030, 0x300));
    EXPECT_TRUE(target.OnNotification(1031, 0x300));
    EXPECT_TRUE(target.OnNotification(1200, 0x300)); // only the any-control entry matches
    EXPECT_FALSE(target.OnNotification(1030, 0x400));
    // A notification code is not a command id, nor the other way round.
    EXPECT_FALSE(target.OnCommand(0x300));
    EXPECT_FALSE(Base().OnNotification(100, 100));
    EXPECT_EQ(calls, (std::vector<std::string>{"changed 1030 768", "changed 1031 768",
                                               "any change 1200"}));
}

} // namespace
