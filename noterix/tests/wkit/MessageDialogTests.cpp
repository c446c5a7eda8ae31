#include "WkitTestSupport.h"

#include "plat/ErrorStack.h"
#include "wkit/ErrorReporter.h"
#include "wkit/MsgDialog.h"

namespace {

using wkit::ScriptedAnswer;

constexpr const char* deleteKey = "UI.AskUserAbout.DeleteNote";

class Questions : public RecordingFixture {
protected:
    std::int32_t AskDelete() {
        wkit::Question question("Delete note", "Are you sure you want to delete this note?");
        question.SetPreferenceKey(deleteKey);
        return question.Ask(wkit::Question::YesNo);
    }
};

TEST_F(Questions, TickingTheBoxRemembersTheAnswerAndLaterAsksAreAnsweredSilently) {
    Recorder().answers.push_back(ScriptedAnswer{"&No", 0, true});
    EXPECT_EQ(AskDelete(), 1);
    ASSERT_EQ(Recorder().dialogs.size(), 1u);
    const wkit::ShownDialog& shown = Recorder().dialogs[0];
    EXPECT_EQ(shown.templateId, 113);
    EXPECT_EQ(shown.title, "Delete note");
    EXPECT_EQ(shown.text, "Are you sure you want to delete this note?");
    EXPECT_EQ(shown.buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_TRUE(shown.checkBoxShown);

    auto& preferences = plat::Preferences::Get();
    EXPECT_FALSE(preferences.GetBool(deleteKey, true));
    plat::String remembered;
    ASSERT_TRUE(preferences.ReadString("UI.AskUserAbout.DeleteNote_LastChoice", remembered));
    EXPECT_STREQ(remembered.c_str(), "No");

    // Asked again: the remembered answer, and no window.
    EXPECT_EQ(AskDelete(), 1);
    EXPECT_EQ(Recorder().dialogs.size(), 1u);

    // A remembered choice matches a caption ignoring case and marks.
    preferences.SetString("UI.AskUserAbout.DeleteNote_LastChoice", "yes");
    EXPECT_EQ(AskDelete(), 0);
    EXPECT_EQ(Recorder().dialogs.size(), 1u);
}

TEST_F(Questions, AnswersWithoutTheBoxTickedOrByEscapeStoreNothing) {
    Recorder().answers.push_back(ScriptedAnswer{"&Yes", 0, false});
    Recorder().answers.push_back(ScriptedAnswer{}); // Escape
    EXPECT_EQ(AskDelete(), 0);
    EXPECT_EQ(AskDelete(), -1);
    EXPECT_EQ(Recorder().dialogs.size(), 2u);
    EXPECT_TRUE(plat::Preferences::Get().GetBool(deleteKey, true));
    plat::String remembered;
    EXPECT_FALSE(
        plat::Preferences::Get().ReadString("UI.AskUserAbout.DeleteNote_LastChoice", remembered));
}

TEST_F(Questions, AFalseKeyWithoutARememberedChoiceStillAsks) {
    plat::Preferences::Get().SetBool(deleteKey, false);
    Recorder().answers.push_back(ScriptedAnswer{"&Yes", 0, false});
    EXPECT_EQ(AskDelete(), 0);
    EXPECT_EQ(Recorder().dialogs.size(), 1u);
}

TEST_F(Questions, WithoutAKeyThereIsNoCheckBoxAndMoreCaptionsMakeMoreButtons) {
    const char* const captions[] = {"&Save", "&Discard", "&Cancel", nullptr};
    Recorder().answers.push_back(ScriptedAnswer{"&Cancel", 0, true});
    wkit::Question question(plat::String("Title"), plat::String("Text"));
    EXPECT_EQ(question.Ask(captions), 2);
    ASSERT_EQ(Recorder().dialogs.size(), 1u);
    EXPECT_FALSE(Recorder().dialogs[0].checkBoxShown);
    EXPECT_EQ(Recorder().dialogs[0].buttons.size(), 3u);
    EXPECT_EQ(wkit::Question::Reduced("&Don't save"), plat::String("Dontsave"));
}

TEST_F(Questions, AnAlertWithAFalseKeyIsNotShown) {
    Recorder().answers.push_back(ScriptedAnswer{"OK", 0, false});
    wkit::Alert(plat::String("Noterix problem..."), plat::String("Saving failed."));
    ASSERT_EQ(Recorder().dialogs.size(), 1u);
    EXPECT_EQ(Recorder().dialogs[0].templateId, 112);
    EXPECT_EQ(Recorder().dialogs[0].text, "Saving failed.");

    plat::Preferences::Get().SetBool("UI.AskUserAbout.Problems", false);
    wkit::Alert(plat::String("Noterix problem..."), plat::String("Saving failed."), nullptr,
                "UI.AskUserAbout.Problems");
    EXPECT_EQ(Recorder().dialogs.size(), 1u);
}

class ErrorReporting : public RecordingFixture {
protected:
    void SetUp() override {
        RecordingFixture::SetUp();
        plat::ErrorStateStack::Get().Clear();
        plat::ErrorStateStack::Get().Push(plat::ErrCannotOpen, plat::SeverityError, "older");
        plat::ErrorStateStack::Get().Push(plat::ErrDiskFull, plat::SeverityError, "newest");
    }
    void TearDown() override {
        plat::ErrorStateStack::Get().Clear();
        RecordingFixture::TearDown();
    }
};

TEST_F(ErrorReporting, TheReporterShowsTheNewestRecordInTheErrorDialog) {
    plat::ErrorStateStack::Get().SetReporter(new wkit::wKitErrorReporter());
    Recorder().answers.push_back(ScriptedAnswer{"OK", 0, false});
    plat::ErrorStateStack::Get().Report();
    plat::ErrorStateStack::Get().SetReporter(nullptr);
    ASSERT_EQ(Recorder().dialogs.size(), 1u);
    EXPECT_EQ(Recorder().dialogs[0].templateId, 111);
    EXPECT_EQ(Recorder().dialogs[0].title, "Error");
    EXPECT_EQ(Recorder().dialogs[0].text, "newest");
}

TEST_F(ErrorReporting, TheDebugDialogWalksTheStackWithMoreInfoAndBack) {
    const plat::ErrorInfo& top = plat::ErrorStateStack::Get().Top();
    wkit::ErrorDialog dialog(110, wkit::ErrorDialogIds{}, top, nullptr);
    ASSERT_TRUE(dialog.Create(true));
    auto& imp = static_cast<wkit::Recording_WindowImp&>(*dialog.Imp());
    EXPECT_STREQ(dialog.Control(1004)->GetText().c_str(), "An error has occurred.");
    EXPECT_TRUE(dialog.Control(1006)->IsEnabled());  // More Info: an older record exists
    EXPECT_FALSE(dialog.Control(1008)->IsEnabled()); // Back: nothing newer
    imp.Click(1006);
    EXPECT_STREQ(dialog.Record().message.c_str(), "older");
    EXPECT_FALSE(dialog.Control(1006)->IsEnabled());
    EXPECT_TRUE(dialog.Control(1008)->IsEnabled());
    imp.Click(1008);
    EXPECT_STREQ(dialog.Record().message.c_str(), "newest");
    imp.Click(1001); // Continue ends it
    EXPECT_FALSE(dialog.Exists());

    EXPECT_STREQ(wkit::ErrorDialog::SeverityText(plat::SeverityTerminal),
                 "A terminal error has occured.  The program must now exit.");
    EXPECT_STREQ(wkit::ErrorDialog::SeverityText(plat::SeverityCritical),
                 "A critical error has occurred.");
    EXPECT_STREQ(wkit::ErrorDialog::SeverityText(7), "");
}

} // namespace

namespace {

constexpr wkit::ControlTemplate optionControls[] = {
    {wkit::ControlKind::CheckBox, 1035, "Show &scroll bars on notes", 7, 7, 160, 10},
    {wkit::ControlKind::DefaultButton, 1, "OK", 62, 76, 50, 14},
    {wkit::ControlKind::Button, 2, "Cancel", 116, 76, 50, 14},
};
constexpr wkit::DialogTemplate optionTemplate =
    wkit::MakeDialogTemplate(920, "Options", "MS Sans Serif", 8, 175, 97, 0, optionControls);

class BoundDialog : public wkit::Dialog {
public:
    BoundDialog() : Dialog(920, nullptr) {}
    bool OnInitDialog() override { return box.Bind(*this, 1035, "UI.ShowScrollBars", true); }
    wkit::AutoPrefCheckBox box;
};

using AutoPrefs = RecordingFixture;

TEST_F(AutoPrefs, OKCommitsBoundCheckBoxesAndCancelCommitsNothing) {
    wkit::TemplateRegistry::Add(&optionTemplate);
    auto& preferences = plat::Preferences::Get();
    bool value = true;
    Recorder().answers.push_back(ScriptedAnswer{"Cancel", 0, true}); // ticks, then cancels
    {
        BoundDialog dialog;
        EXPECT_EQ(dialog.DoModal(), wkit::IdCancel);
    }
    EXPECT_FALSE(preferences.ReadBool("UI.ShowScrollBars", value)); // nothing written

    // Untick (the box starts ticked from the default), then OK.
    BoundDialog dialog;
    ASSERT_TRUE(dialog.Create(true));
    auto& imp = static_cast<wkit::Recording_WindowImp&>(*dialog.Imp());
    EXPECT_TRUE(dialog.box.GetCheck());
    imp.Click(1035);
    imp.Click(2);
    EXPECT_FALSE(preferences.ReadBool("UI.ShowScrollBars", value));
    ASSERT_TRUE(dialog.Create(true));
    imp.Click(1035);
    imp.Click(1);
    ASSERT_TRUE(preferences.ReadBool("UI.ShowScrollBars", value));
    EXPECT_FALSE(value);
}

} // namespace
