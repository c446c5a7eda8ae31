// The tray program on the recording back-end: clicks, menus, note windows
// and the options, without a display.

#include "../wkit/WkitTestSupport.h"
#include "TestFolder.h"
#include "tray/AutosavePeriod.h"
#include "tray/OptionsDialog.h"
#include "tray/PinnetApp.h"
#include "tray/PinnetWindow.h"
#include "tray/TrayResources.h"

namespace {

using wkit::ScriptedAnswer;

class RecordingPinnetApp : public PinnetApp {
public:
    bool CreateImp() override {
        auto imp = std::make_unique<wkit::Recording_ApplicationImp>();
        recorder = imp.get();
        SetImp(std::move(imp));
        return true;
    }
    wkit::Recording_ApplicationImp* recorder = nullptr;
};

class Tray : public ::testing::Test {
protected:
    void SetUp() override {
        plat::Preferences::Get().SetBool("System.FirstRun", false); // no shipped note
        app = std::make_unique<RecordingPinnetApp>();
        ASSERT_TRUE(app->CreateImp());
        ASSERT_TRUE(app->Initialise());
        ASSERT_TRUE(app->OnStart());
    }
    void TearDown() override {
        app->RunEndSequence();
        app.reset();
    }
    wkit::Recording_ApplicationImp& Recorder() { return *app->recorder; }
    NoteStore& Store() { return app->Keeper().Store(); }
    Note& AddNote(const char* text) {
        app->OnCommand(CommandNewNote);
        Note* note = nullptr;
        Store().GetAt(Store().Count() - 1, note);
        PinnetWindow::Find(*note)->Edit().SetText(text);
        PinnetWindow::Find(*note)->OnEdited(ControlNoteEdit, wkit::EditChanged, 0);
        return *note;
    }
    const std::vector<std::string>& LastMenu() { return Recorder().shownMenus.back(); }

    TestFolder home;
    ScopedHome scopedHome{home.Path()};
    MemoryPreferences preferences;
    std::unique_ptr<RecordingPinnetApp> app;
};

TEST_F(Tray, TheLeftButtonArmsItsReleaseAndADoubleClickMakesANoteAndDisarms) {
    Recorder().InjectIconFlags(wkit::IconLeft | wkit::IconUp); // not armed yet
    EXPECT_TRUE(Recorder().shownMenus.empty());
    Recorder().InjectIconFlags(wkit::IconLeft | wkit::IconDown);
    Recorder().InjectIconFlags(wkit::IconLeft | wkit::IconUp);
    ASSERT_EQ(Recorder().shownMenus.size(), 1u);
    EXPECT_EQ(LastMenu(), std::vector<std::string>{"Create new note..."}); // the notes list

    Recorder().InjectIconFlags(wkit::IconLeft | wkit::IconDoubleClick);
    EXPECT_EQ(Store().Count(), 1u);
    EXPECT_EQ(PinnetWindow::Count(), 1u);
    Recorder().InjectIconFlags(wkit::IconLeft | wkit::IconUp);
    EXPECT_EQ(Recorder().shownMenus.size(), 1u); // disarmed: no list
}

TEST_F(Tray, OnceIdleAfterTheStartTheIconsMenusAreReadiedWithoutShowingThem) {
    AddNote("milk");
    ASSERT_FALSE(Recorder().idleTimerStarts.empty()) << "nothing readies the menus after the start";
    EXPECT_TRUE(Recorder().preparedMenus.empty());
    Recorder().now += 5000;
    Recorder().FireIdleTimer();
    ASSERT_EQ(Recorder().preparedMenus.size(), 2u);
    EXPECT_EQ(Recorder().preparedMenus[0],
              (std::vector<std::string>{"Create new note...", "-", "milk"}));
    const std::vector<std::string>& menu = Recorder().preparedMenus[1];
    EXPECT_EQ(std::count(menu.begin(), menu.end(), "Show"), 1);
    EXPECT_TRUE(Recorder().shownMenus.empty());
    // The readied menus are the ones a click then shows.
    Recorder().InjectIconFlags(wkit::IconLeft | wkit::IconDown);
    Recorder().InjectIconFlags(wkit::IconLeft | wkit::IconUp);
    ASSERT_EQ(Recorder().shownMenus.size(), 1u);
    EXPECT_EQ(LastMenu(), Recorder().preparedMenus[0]);
}

TEST_F(Tray, TheShowItemComesAndGoesWithTheNotesAtItsOwnPlace) {
    const auto rightClick = [this] { Recorder().InjectIconFlags(wkit::IconRight | wkit::IconUp); };
    rightClick();
    const std::vector<std::string> empty = LastMenu();
    EXPECT_EQ(std::count(empty.begin(), empty.end(), "Show"), 0);
    EXPECT_EQ(std::count(empty.begin(), empty.end(), "Save open notes"), 0);
    AddNote("Shopping: milk & bread");
    rightClick();
    rightClick();
    const std::vector<std::string> full = LastMenu();
    ASSERT_EQ(full.size(), empty.size() + 1);
    EXPECT_EQ(full[4], "Show");
    EXPECT_EQ(std::count(full.begin(), full.end(), "Show"), 1);
    // Its submenu lists the notes, ampersands shown as they are.
    const wkit::MenuItem* show = Recorder().menus.back()->FindItem(CommandShowPlaceholder);
    ASSERT_TRUE(show != nullptr && show->submenu);
    ASSERT_EQ(show->submenu->Count(), 1u);
    EXPECT_TRUE(show->submenu->At(0).literal);
    EXPECT_TRUE(show->submenu->At(0).checked);
    EXPECT_EQ(show->submenu->At(0).id, CommandNoteList);
}

TEST_F(Tray, TheNotesListChecksOpenNotesAndOpensTheChosenOne) {
    Note& first = AddNote("first");
    AddNote("second");
    PinnetWindow::Find(first)->Close(false);
    EXPECT_FALSE(first.IsVisible());
    Recorder().menuChoices.push_back(CommandNoteList);
    Recorder().InjectIconFlags(wkit::IconLeft | wkit::IconDown);
    Recorder().InjectIconFlags(wkit::IconLeft | wkit::IconUp);
    const wkit::Menu& list = *Recorder().menus.back();
    ASSERT_EQ(list.Count(), 4u); // create, separator, two notes
    EXPECT_FALSE(list.At(2).checked);
    EXPECT_TRUE(list.At(3).checked);
    EXPECT_TRUE(first.IsVisible());
    EXPECT_NE(PinnetWindow::Find(first), nullptr);
    // An id past the store's end is nobody's.
    EXPECT_FALSE(app->OnCommand(CommandNoteList + 2));
}

TEST_F(Tray, ShiftClickShowsEveryNoteWhenNoneIsOpenAndHidesAllOtherwise) {
    AddNote("one");
    AddNote("two");
    PinnetWindow::HideAll();
    EXPECT_EQ(PinnetWindow::Count(), 0u);
    Recorder().InjectIconFlags(wkit::IconLeft | wkit::IconDown | wkit::IconShift);
    EXPECT_EQ(PinnetWindow::Count(), 2u);
    PinnetWindow::Find(*PinnetWindow::NoteAt(0))->Close(false);
    Recorder().InjectIconFlags(wkit::IconLeft | wkit::IconDown | wkit::IconShift);
    EXPECT_EQ(PinnetWindow::Count(), 0u);
}

TEST_F(Tray, ColourCommandsStoreTheTint) {
    Note& note = AddNote("colourful");
    PinnetWindow& window = *PinnetWindow::Find(note);
    struct Case {
        std::int32_t command;
        plat::Colour stored;
    };
    const Case cases[] = {
        {CommandBlue, {204, 204, 255}},
        {CommandOrange, {255, 229, 204}},
        {CommandWhite, {255, 255, 255}},
        {CommandPink, {255, 204, 255}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(window.OnCommand(c.command));
        EXPECT_EQ(note.GetColour(), c.stored) << c.command;
    }
    auto& edit = static_cast<wkit::Recording_WindowImp&>(*window.Edit().Imp());
    ASSERT_TRUE(edit.backColour.has_value());
    EXPECT_EQ(*edit.backColour, (plat::Colour{255, 204, 255}));
}

TEST_F(Tray, TheCloseBoxAsksBeforeDeletingAndNoAsksAgainNextTime) {
    Note& note = AddNote("keep me?");
    bool autosaveHeld = false;
    Recorder().whileModal = [&] { autosaveHeld = app->Keeper().IsDialogOpen(); };
    Recorder().answers.push_back(ScriptedAnswer{"&No", 0, true});
    PinnetWindow::Find(note)->OnCancel();
    Recorder().whileModal = nullptr;
    EXPECT_TRUE(autosaveHeld) << "an autosave tick could land under the question";
    EXPECT_FALSE(app->Keeper().IsDialogOpen());
    EXPECT_EQ(Store().Count(), 1u);
    EXPECT_NE(PinnetWindow::Find(note), nullptr);
    EXPECT_TRUE(plat::Preferences::Get().GetBool("UI.AskUserAbout.DeleteNote", false));
    ASSERT_EQ(Recorder().dialogs.size(), 1u);
    EXPECT_EQ(Recorder().dialogs[0].text, "Are you sure you want to delete this note?");

    Recorder().answers.push_back(ScriptedAnswer{"&Yes", 0, false});
    PinnetWindow::Find(note)->OnCancel();
    EXPECT_EQ(Store().Count(), 0u);
    EXPECT_EQ(PinnetWindow::Count(), 0u);

    Note& empty = AddNote("");
    PinnetWindow::Find(empty)->OnCancel(); // nothing to lose: no question
    EXPECT_EQ(Store().Count(), 0u);
    EXPECT_EQ(Recorder().dialogs.size(), 2u);
}

TEST_F(Tray, TheErrorDialogHoldsTheAutosaveWhileItIsOpen) {
    bool autosaveHeld = false;
    Recorder().whileModal = [&] { autosaveHeld = app->Keeper().IsDialogOpen(); };
    Recorder().answers.push_back(ScriptedAnswer{"", 1001, false});
    auto& errors = plat::ErrorStateStack::Get();
    errors.Push(plat::ErrAccessDenied, plat::SeverityError, "the disk went away");
    errors.Report();
    errors.Clear();
    Recorder().whileModal = nullptr;
    ASSERT_EQ(Recorder().dialogs.size(), 1u);
    EXPECT_TRUE(autosaveHeld) << "an autosave tick could save inside the error dialog";
    EXPECT_FALSE(app->Keeper().IsDialogOpen());
}

TEST_F(Tray, ASecondCopyTellsTheUserAndEndsWithoutItsLoopOrASave) {
    AddNote("the first copy's note");
    ASSERT_TRUE(app->Keeper().SaveNow());
    plat::FileSpec notesFile;
    ASSERT_TRUE(app->Keeper().GetNotesPath(notesFile));
    const std::string before = TestFolder::ReadFile(notesFile.Path().c_str());
    ASSERT_FALSE(before.empty());

    bool looped = false;
    {
        RecordingPinnetApp second;
        ASSERT_TRUE(second.CreateImp());
        second.recorder->session = [&] { looped = true; };
        second.RunProgram();
        EXPECT_FALSE(looped) << "the second copy ran its message loop";
        EXPECT_EQ(second.recorder->dialogs.size(), 1u) << "the user is told once";
        // Not even for a moment: an icon that comes and goes looks like a crash.
        EXPECT_TRUE(second.recorder->iconLog.empty())
            << "the second copy showed an icon: " << second.recorder->iconLog.front();
        EXPECT_EQ(second.Keeper().Store().Count(), 0u);
    }
    PinnetWindow::SetKeeper(&app->Keeper());
    EXPECT_EQ(TestFolder::ReadFile(notesFile.Path().c_str()), before);
}

TEST(AutosavePeriodSetting, OnlyAPositiveWholeNumberOfMillisecondsShortensTheMinute) {
    constexpr std::uint32_t minute = NotesKeeper::AutosaveMilliseconds;
    const struct {
        const char* setting;
        std::uint32_t period;
    } cases[] = {
        {nullptr, minute},
        {"", minute},
        {"500", 500},
        {"1", 1},
        {"0", minute},
        {"-5", minute},
        {"+5", minute},
        {"12ms", minute},
        {" 5", minute},
        {"abc", minute},
        {"99999999999", minute},
        {"4294967295", 4294967295u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AutosavePeriod(c.setting), c.period) << (c.setting ? c.setting : "(unset)");
    }
}

TEST_F(Tray, EscapeHidesTheNoteWithoutAQuestion) {
    Note& note = AddNote("hide me");
    PinnetWindow& window = *PinnetWindow::Find(note);
    EXPECT_TRUE(window.Edit().WantsKey(wkit::KeyEscape));
    EXPECT_TRUE(window.Edit().OnKeyDown(wkit::KeyEscape, 0));
    EXPECT_EQ(PinnetWindow::Find(note), nullptr);
    EXPECT_FALSE(note.IsVisible());
    EXPECT_EQ(Store().Count(), 1u);
    EXPECT_TRUE(Recorder().dialogs.empty());
}

TEST_F(Tray, FoldingKeepsTheUnfoldedSizeAndShowsTheTitle) {
    Note& note = AddNote("A title line\r\nand more");
    PinnetWindow& window = *PinnetWindow::Find(note);
    const wkit::Rect before = window.GetWindowRect();
    const std::int32_t textHeight = window.Edit().GetClientRect().Height();
    window.ToggleFold();
    EXPECT_TRUE(note.IsFolded());
    EXPECT_STREQ(window.GetText().c_str(), note.MenuTitle().c_str());
    EXPECT_LT(window.GetWindowRect().Height(), before.Height());
    // Folded, the borders above and below are caption: only the width can change.
    EXPECT_EQ(window.OnNonClientHitTest(wkit::Point{50, 0}, wkit::HitTop), wkit::HitCaption);
    EXPECT_EQ(window.OnNonClientHitTest(wkit::Point{0, 0}, wkit::HitTopLeft), wkit::HitLeft);
    app->CopyEditsIntoNotes();
    EXPECT_EQ(note.Height(), textHeight); // the stored size is the unfolded one
    window.ToggleFold();
    EXPECT_FALSE(note.IsFolded());
    EXPECT_EQ(window.GetWindowRect().Height(), before.Height());
}

TEST_F(Tray, OptionsApplyToOpenNotesAtOKAndEscapeLeavesThemOpen) {
    Note& note = AddNote("options");
    PinnetWindow& window = *PinnetWindow::Find(note);
    EXPECT_TRUE(window.Edit().HasScrollBars(2));
    app->OnCommand(CommandOptions);
    wkit::Dialog& options = *app->MainDialog();
    EXPECT_TRUE(options.IsVisible());
    auto& imp = static_cast<wkit::Recording_WindowImp&>(*options.Imp());
    imp.Click(wkit::IdCancel);
    EXPECT_TRUE(options.IsVisible());
    imp.Click(ControlScrollBars); // untick
    imp.Click(wkit::IdOK);
    EXPECT_FALSE(options.IsVisible());
    EXPECT_FALSE(window.Edit().HasScrollBars(2));
    EXPECT_FALSE(plat::Preferences::Get().GetBool("UI.ShowScrollBars", true));
}

TEST_F(Tray, OnlyOneAboutBox) {
    app->OnCommand(CommandAbout);
    app->OnCommand(CommandAbout);
    EXPECT_TRUE(AboutDialog::IsOpen());
    std::size_t shown = 0;
    for (wkit::Window* window : app->TopLevelWindows()) {
        shown += dynamic_cast<AboutDialog*>(window) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(shown, 1u);
}

} // namespace
