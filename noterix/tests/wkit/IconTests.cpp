#include "WkitTestSupport.h"

#include "wkit/IconClicks.h"

namespace {

using wkit::IconActivation;

// Records the flags the program would see, and what the base policy makes
// of them.
class FlagRecordingApp : public RecordingApp {
public:
    wkit::IconAction ClassifyIconClick(std::uint32_t flags) override {
        flags_.push_back(flags);
        return RecordingApp::ClassifyIconClick(flags);
    }
    std::shared_ptr<wkit::Menu> BuildIconMenu(std::shared_ptr<wkit::Menu> menu,
                                              std::uint32_t flags) override {
        if (failBuild) {
            return nullptr;
        }
        return RecordingApp::BuildIconMenu(menu, flags);
    }
    std::vector<std::uint32_t> flags_;
    bool failBuild = false;
};

class IconClicks : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestTemplates();
        app = std::make_unique<FlagRecordingApp>();
        ASSERT_TRUE(app->CreateImp());
        ASSERT_TRUE(app->Initialise());
    }
    void TearDown() override {
        app->RunEndSequence();
        app.reset();
    }
    wkit::Recording_ApplicationImp& Recorder() { return *app->recorder; }

    MemoryPreferences preferences;
    std::unique_ptr<FlagRecordingApp> app;
};

TEST_F(IconClicks, ASingleClickArrivesAsDownAndUpOnlyAfterTheDoubleClickInterval) {
    Recorder().InjectActivation(IconActivation::Trigger);
    EXPECT_TRUE(app->flags_.empty());
    EXPECT_TRUE(Recorder().ClickTimerArmed());
    Recorder().ElapseClickTimer();
    EXPECT_EQ(app->flags_, (std::vector<std::uint32_t>{wkit::IconLeft | wkit::IconDown,
                                                       wkit::IconLeft | wkit::IconUp}));
    // The base policy runs the default command on the press.
    EXPECT_EQ(app->commands, std::vector<std::int32_t>{2000});
}

TEST_F(IconClicks, ADoubleClickCancelsThePendingSingleClick) {
    Recorder().InjectActivation(IconActivation::Trigger);
    Recorder().InjectActivation(IconActivation::DoubleClick);
    EXPECT_FALSE(Recorder().ClickTimerArmed());
    Recorder().ElapseClickTimer(); // a late timer finds nothing pending
    EXPECT_EQ(app->flags_, std::vector<std::uint32_t>{wkit::IconLeft | wkit::IconDoubleClick});
    EXPECT_EQ(app->commands, std::vector<std::int32_t>{2000});
}

TEST_F(IconClicks, ShiftHeldAtTheClickRunsTheAlternateCommand) {
    Recorder().InjectActivation(IconActivation::Trigger, wkit::IconShift);
    Recorder().modifiers = 0; // released before the interval ends
    Recorder().ElapseClickTimer();
    ASSERT_EQ(app->flags_.size(), 2u);
    EXPECT_EQ(app->flags_[0], wkit::IconLeft | wkit::IconDown | wkit::IconShift);
    EXPECT_EQ(app->commands, std::vector<std::int32_t>{42001});
}

TEST_F(IconClicks, ARightClickShowsTheIconMenuAndItsChoiceBecomesACommand) {
    Recorder().menuChoices.push_back(32780);
    Recorder().InjectActivation(IconActivation::Context, wkit::IconControl);
    EXPECT_EQ(app->flags_,
              std::vector<std::uint32_t>{wkit::IconRight | wkit::IconUp | wkit::IconControl});
    ASSERT_EQ(Recorder().shownMenus.size(), 1u);
    // The template's first popup, with the default command shown bold.
    EXPECT_EQ(Recorder().shownMenus[0],
              (std::vector<std::string>{"Create &new note...", "-", "&Show all", "E&xit"}));
    EXPECT_EQ(Recorder().menus[0]->DefaultItem(), 2000);
    EXPECT_EQ(app->commands, std::vector<std::int32_t>{32780});
}

TEST_F(IconClicks, AMenuThatFailsToBuildShowsNothingAndLosesNothing) {
    app->failBuild = true;
    Recorder().menuChoices.push_back(101);
    Recorder().InjectIconFlags(wkit::IconRight | wkit::IconUp);
    EXPECT_TRUE(Recorder().shownMenus.empty());
    EXPECT_TRUE(app->commands.empty());
    app->failBuild = false;
    Recorder().InjectIconFlags(wkit::IconRight | wkit::IconUp);
    ASSERT_EQ(Recorder().shownMenus.size(), 1u);
    EXPECT_EQ(Recorder().shownMenus[0].size(), 4u);
    EXPECT_EQ(app->commands, std::vector<std::int32_t>{101});
}

TEST(IconPolicy, TheBasePolicy) {
    struct Case {
        std::uint32_t flags;
        wkit::IconAction action;
    };
    const Case cases[] = {
        {wkit::IconRight | wkit::IconUp, wkit::IconShowMenu},
        {wkit::IconRight | wkit::IconDown, wkit::IconNothing},
        {wkit::IconLeft | wkit::IconDown, wkit::IconDefaultCommand},
        {wkit::IconLeft | wkit::IconDoubleClick, wkit::IconDefaultCommand},
        {wkit::IconLeft | wkit::IconDown | wkit::IconShift, wkit::IconAlternateCommand},
        {wkit::IconLeft | wkit::IconUp, wkit::IconNothing},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wkit::BaseIconPolicy(c.flags), c.action) << std::hex << c.flags;
    }
}

} // namespace
