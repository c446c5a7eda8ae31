#include "WkitTestSupport.h"

#include "plat/Timers.h"

namespace {

// Keeps the order of the application's steps.
class SequenceApp : public RecordingApp {
public:
    bool OnStart() override {
        steps.push_back(std::string("start, icon ") +
                        (recorder->IconAdded() ? "added" : "missing"));
        return startSucceeds;
    }
    void OnQuit() override {
        steps.push_back(std::string("quit, windows ") + std::to_string(TopLevelWindows().size()));
    }
    std::vector<std::string> steps;
    bool startSucceeds = true;
};

class ProgramLife : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestTemplates(); }
    MemoryPreferences preferences;
};

TEST_F(ProgramLife, StartRunAndEndInTheirOrder) {
    SequenceApp app;
    ASSERT_TRUE(app.CreateImp());
    app.recorder->session = [&app] {
        app.steps.push_back("loop");
        EXPECT_FALSE(app.MainDialog()->IsVisible()); // kept behind the icon
        app.OnCommand(101);
        app.MainDialog()->Destroy(); // as "Exit" does: the main window goes
    };
    EXPECT_EQ(app.RunProgram(), 0);
    EXPECT_EQ(app.steps,
              (std::vector<std::string>{"start, icon added", "loop", "quit, windows 0"}));
    EXPECT_EQ(app.recorder->iconLog, (std::vector<std::string>{"add ", "remove"}));
    EXPECT_EQ(app.recorder->endHooks, 1);
    EXPECT_EQ(app.recorder->quitCode, 0);
}

TEST_F(ProgramLife, TheEndSequenceRunsOnceWhenTheSessionEndsInsideTheLoop) {
    SequenceApp app;
    ASSERT_TRUE(app.CreateImp());
    app.recorder->session = [&app] {
        // What logging out or SIGTERM does: the end steps at once, then the
        // loop ends.
        app.RunEndSequence();
        app.Quit(0);
        app.steps.push_back("after the end");
    };
    app.RunProgram();
    EXPECT_EQ(app.steps,
              (std::vector<std::string>{"start, icon added", "quit, windows 1", "after the end"}));
    EXPECT_EQ(app.recorder->endHooks, 1);
    EXPECT_FALSE(app.MainDialog()->Exists());
}

TEST_F(ProgramLife, WithoutANotificationAreaTheProgramEndsWithoutStartingOrSaving) {
    SequenceApp app;
    ASSERT_TRUE(app.CreateImp());
    app.recorder->trayAvailable = false;
    bool looped = false;
    app.recorder->session = [&looped] { looped = true; };
    EXPECT_EQ(app.RunProgram(), 0);
    EXPECT_FALSE(looped);
    EXPECT_TRUE(app.steps.empty()); // neither OnStart nor OnQuit
}

TEST_F(ProgramLife, AProgramWhoseStartFailsNeverRunsTheLoopNorItsQuit) {
    SequenceApp app;
    app.startSucceeds = false;
    ASSERT_TRUE(app.CreateImp());
    bool looped = false;
    app.recorder->session = [&looped] { looped = true; };
    app.RunProgram();
    EXPECT_FALSE(looped);
    EXPECT_EQ(app.steps, std::vector<std::string>{"start, icon added"});
    EXPECT_EQ(app.recorder->iconLog.back(), "remove");
}

// Counts its calls and says whether it did work.
class CountingIdle : public wkit::IdleHandler {
public:
    bool OnIdle(std::uint32_t counter) override {
        counters.push_back(counter);
        return --workLeft > 0;
    }
    std::vector<std::uint32_t> counters;
    int workLeft = 1;
};

TEST_F(ProgramLife, IdleHandlersRunOnceTwoSecondsAfterTheLastInputAndThenTheLoopSleeps) {
    RecordingApp app;
    ASSERT_TRUE(app.CreateImp());
    ASSERT_TRUE(app.Initialise());
    auto& recorder = *app.recorder;
    CountingIdle idle;
    app.AddIdleHandler(&idle);

    recorder.now = 1000;
    app.InputArrived();
    EXPECT_EQ(recorder.idleTimerStarts, std::vector<std::uint32_t>{2000});
    recorder.now = 2500;
    app.InputArrived(); // more typing: no new timer, the first one is still due
    EXPECT_EQ(recorder.idleTimerStarts.size(), 1u);
    recorder.now = 3000;
    recorder.FireIdleTimer(); // only 500 ms of quiet: wait for the rest
    EXPECT_TRUE(idle.counters.empty());
    EXPECT_EQ(recorder.idleTimerStarts.back(), 1500u);
    recorder.now = 4500;
    recorder.FireIdleTimer();
    EXPECT_EQ(idle.counters, std::vector<std::uint32_t>{0});
    // Nothing more to do: no timer is armed until the next input.
    EXPECT_EQ(recorder.idleTimerStarts.size(), 2u);
    recorder.now = 60000;
    recorder.FireIdleTimer();
    EXPECT_EQ(idle.counters.size(), 1u);

    // A handler with more work is called again at once, its counter rising.
    idle.workLeft = 3;
    app.InputArrived();
    recorder.now = 62000;
    recorder.FireIdleTimer();
    EXPECT_EQ(recorder.idleTimerStarts.back(), 0u);
    recorder.FireIdleTimer();
    recorder.FireIdleTimer();
    EXPECT_EQ(idle.counters, (std::vector<std::uint32_t>{0, 0, 1, 2}));
    const std::size_t armed = recorder.idleTimerStarts.size();
    recorder.FireIdleTimer();
    EXPECT_EQ(recorder.idleTimerStarts.size(), armed);
    app.RemoveIdleHandler(&idle);
    app.RunEndSequence();
}

struct FakeTimers : plat::TimerImp {
    std::uint32_t next = 1;
    std::uint32_t Start(std::uint32_t) override { return next++; }
    void Stop(std::uint32_t) override {}
};

TEST(WindowTimers, StopWithTheirWindowAndATickNeverReentersItsCallback) {
    FakeTimers fake;
    plat::Timers::Install(&fake);
    struct State {
        std::uint32_t id = 0;
        int entered = 0;
        int depth = 0;
        int deepest = 0;
    } state;
    // The callback runs a "modal dialog" during which the timer fires again.
    const auto tick = [](std::uint32_t id, void* data) {
        auto& s = *static_cast<State*>(data);
        ++s.entered;
        s.deepest = std::max(s.deepest, ++s.depth);
        plat::Timers::Dispatch(id);
        plat::Timers::Dispatch(id);
        --s.depth;
    };
    int window = 0;
    state.id = plat::Timers::StartWindowTimer(&window, true, 60000, tick, &state);
    const std::uint32_t other = plat::Timers::StartTimer(true, 60000, tick, &state);
    plat::Timers::Dispatch(state.id);
    EXPECT_EQ(state.entered, 1);
    EXPECT_EQ(state.deepest, 1);
    plat::Timers::Dispatch(state.id); // and the next tick after the dialog works again
    EXPECT_EQ(state.entered, 2);

    plat::Timers::StopWindowTimers(&window);
    EXPECT_FALSE(plat::Timers::IsRunning(state.id));
    EXPECT_TRUE(plat::Timers::IsRunning(other));
    plat::Timers::StopTimer(other);
    plat::Timers::Install(nullptr);
}

TEST(ReentryGuard, RefusesASecondEntryUntilTheFirstLeaves) {
    plat::ReentryGuard guard;
    {
        plat::ReentryGuard::Scope first(guard);
        EXPECT_TRUE(first.Entered());
        plat::ReentryGuard::Scope second(guard);
        EXPECT_FALSE(second.Entered());
        EXPECT_TRUE(guard.Busy());
    }
    EXPECT_FALSE(guard.Busy());
    plat::ReentryGuard::Scope again(guard);
    EXPECT_TRUE(again.Entered());
}

} // namespace
