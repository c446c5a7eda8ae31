// Note windows on the offscreen platform: what the toolkit decides about
// their sizes.

#include "../wkit/WkitTestSupport.h"
#include "tray/PinnetWindow.h"
#include "tray/TrayResources.h"
#include "wkit/qt/Qt_WindowImp.h"

#include <QApplication>

namespace {

class NoteWindowQt : public ::testing::Test {
protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "tests";
        static char* argv[] = {name, nullptr};
        if (qApp == nullptr) {
            new QApplication(argc, argv);
        }
        app.CreateImp();
        app.Imp()->Initialise(app);
        InstallTrayResources();
        note.SetSize(180, 120);
        note.SetPosition(200, 150);
        note.SetText("a note\r\nwith\r\nlines");
    }
    void TearDown() override {
        PinnetWindow::HideAll();
        PinnetWindow::FreeClosed();
    }
    MemoryPreferences preferences;
    wkit::Application app;
    Note note;
};

TEST_F(NoteWindowQt, ReopeningANoteWithAScrollBarKeepsItsStoredSize) {
    plat::Preferences::Get().SetBool("UI.ShowScrollBars", true);
    for (int i = 0; i < 5; ++i) {
        PinnetWindow* window = PinnetWindow::Open(note, false);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->Edit().HasScrollBars(2));
        window->OnMove(0, 0); // something changed: the close copies the size back
        window->Close(false);
        PinnetWindow::FreeClosed();
        EXPECT_EQ(note.Width(), 180) << "opening " << i;
        EXPECT_EQ(note.Height(), 120) << "opening " << i;
    }
}

TEST_F(NoteWindowQt, AFoldedNoteIsItsCaptionAndNeverNarrowerThanAHundredPixels) {
    PinnetWindow* window = PinnetWindow::Open(note, false);
    ASSERT_NE(window, nullptr);
    auto& back = static_cast<wkit::Qt_WindowImp&>(*window->Imp());
    const wkit::Rect unfolded = window->GetWindowRect();
    window->ToggleFold();
    QWidget* frame = back.Widget();
    EXPECT_EQ(frame->height(), 2 * back.Border() + back.CaptionHeight());
    window->Imp()->SetClientSize(20, 0);
    EXPECT_GE(frame->width(), PinnetWindow::NarrowestWidth);
    window->ToggleFold();
    EXPECT_EQ(window->GetWindowRect().Height(), unfolded.Height());
}

TEST_F(NoteWindowQt, An8BitNoteIsShownAsWindowsTextAndKeepsItsBytesUntilEdited) {
    // "café – 5€" in the Windows code page: not valid UTF-8.
    const plat::String stored = "caf\xE9 \x96 5\x80\r\nline two";
    note.SetText(stored);
    PinnetWindow* window = PinnetWindow::Open(note, false);
    ASSERT_NE(window, nullptr);
    const QString shown = QString::fromUtf8(window->Edit().GetText().c_str());
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8("caf\u00E9 \u2013 5\u20AC")))
        << shown.toStdString();

    window->OnMove(0, 0); // moved, not edited: the same bytes go back
    window->Sync();
    EXPECT_TRUE(note.GetText() == stored) << note.GetText().c_str();
    window->Close(false);
    PinnetWindow::FreeClosed();
    EXPECT_TRUE(note.GetText() == stored);

    // Once edited the note is the edit box's UTF-8.
    window = PinnetWindow::Open(note, false);
    ASSERT_NE(window, nullptr);
    window->Edit().SetText("caf\xC3\xA9 edited");
    window->OnEdited(ControlNoteEdit, wkit::EditChanged, 0);
    window->Close(false);
    PinnetWindow::FreeClosed();
    EXPECT_STREQ(note.GetText().c_str(), "caf\xC3\xA9 edited");
}

} // namespace

namespace {

TEST_F(NoteWindowQt, TheCaptionTextOfANarrowNoteStopsBeforeItsButtons) {
    note.SetSize(100, 80);
    PinnetWindow* window = PinnetWindow::Open(note, false);
    ASSERT_NE(window, nullptr);
    auto& back = static_cast<wkit::Qt_WindowImp&>(*window->Imp());
    const wkit::Rect minimise = back.CaptionButtonRect(1);
    ASSERT_GT(minimise.Width(), 0);
    const auto caption = [&](const char* text) {
        window->SetText(text);
        return back.Widget()->grab().toImage();
    };
    const QImage bare = caption("");
    const QImage titled = caption("10/12/2026 13:17 and much more besides");
    // From just left of the minimise button to the right edge: the buttons
    // look the same whatever the caption says.
    const QRect buttons(minimise.left - 2, minimise.top, back.Widget()->width() - minimise.left + 2,
                        minimise.Height());
    EXPECT_EQ(bare.copy(buttons), titled.copy(buttons)) << "the caption's text runs into a button";
    const QRect text(0, minimise.top, minimise.left - 2, minimise.Height());
    EXPECT_NE(bare.copy(text), titled.copy(text)) << "no caption text is shown at all";
}

} // namespace
