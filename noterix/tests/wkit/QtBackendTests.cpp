// The Qt back-end on the offscreen platform: what only the toolkit can show.

#include "WkitTestSupport.h"

#include "plat/Timers.h"
#include "wkit/Controls.h"
#include "wkit/GC.h"
#include "wkit/MsgDialog.h"
#include "wkit/qt/Qt_ApplicationImp.h"
#include "wkit/qt/Qt_MenuBuilder.h"
#include "wkit/qt/Qt_WindowImp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFontMetrics>
#include <QImage>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

using wkit::Rect;

// One Qt application for the whole test program.
class QtApp : public wkit::Application {
public:
    static QtApp& Get() {
        static QtApp* app = [] {
            auto* made = new QtApp;
            made->CreateImp();
            made->Initialise();
            RegisterTestTemplates();
            return made;
        }();
        return *app;
    }
};

bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

QWidget* WidgetOf(const wkit::Window& window) {
    return static_cast<wkit::Qt_WindowImp*>(window.Imp())->Widget();
}

constexpr wkit::ControlTemplate anchoredControls[] = {
    {wkit::ControlKind::Static, 10, "fixed", 4, 4, 40, 10},
    {wkit::ControlKind::Edit, 11, "", 4, 18, 100, 40, wkit::MultiLine},
    {wkit::ControlKind::Button, 12, "moves", 110, 18, 40, 14},
    {wkit::ControlKind::Button, 13, "centred", 60, 62, 40, 14},
    {wkit::ControlKind::CheckBox, 14, "stretches across", 4, 80, 100, 10},
};
// The edit box reaches the bottom-right corner, so the grip needs a strip.
constexpr wkit::ControlTemplate gripControls[] = {
    {wkit::ControlKind::Edit, 1030, "", 0, 0, 80, 40, wkit::MultiLine},
};
constexpr wkit::DialogTemplate anchoredTemplate = wkit::MakeDialogTemplate(
    950, "Anchors", "MS Sans Serif", 8, 160, 96, wkit::SizingBorder, anchoredControls);
constexpr wkit::DialogTemplate gripTemplate = wkit::MakeDialogTemplate(
    951, "Note", "Verdana", 8, 80, 40, wkit::SizingBorder | wkit::ToolWindow, gripControls);

class AnchoredDialog : public wkit::Dialog {
public:
    explicit AnchoredDialog(std::uint16_t id = 950) : Dialog(id, nullptr) {}
    bool OnInitDialog() override {
        if (TemplateId() == 950) {
            SetAnchor(10, wkit::AnchorFixed, wkit::AnchorFixed);
            SetAnchor(11, wkit::AnchorStretch, wkit::AnchorStretch);
            SetAnchor(12, wkit::AnchorMove, wkit::AnchorFixed);
            SetAnchor(13, wkit::AnchorCentre, wkit::AnchorMove);
            SetAnchor(14, wkit::AnchorStretch, wkit::AnchorMove);
        } else {
            SetAnchor(1030, wkit::AnchorStretch, wkit::AnchorStretch);
        }
        return true;
    }
    bool Changed(std::int32_t control, std::int32_t, std::intptr_t) {
        changes.push_back(control);
        return true;
    }
    const wkit::CommandMap* GetCommandMap() const override { return &commandMap; }
    static const wkit::CommandMap commandMap;
    std::vector<std::int32_t> changes;
};

const wkit::CommandEntry anchoredEntries[] = {
    wkit::OnNotificationEntry<&AnchoredDialog::Changed>(wkit::EditChanged, 11, 11),
    wkit::EndOfCommands(),
};
const wkit::CommandMap AnchoredDialog::commandMap = {&wkit::Dialog::commandMap, anchoredEntries};

class QtBackend : public ::testing::Test {
protected:
    void SetUp() override {
        QtApp::Get();
        wkit::TemplateRegistry::Add(&anchoredTemplate);
        wkit::TemplateRegistry::Add(&gripTemplate);
    }
    void Resize(wkit::Dialog& dialog, int width, int height) {
        dialog.Imp()->SetClientSize(width, height);
        QWidget* widget = WidgetOf(dialog);
        const QSize expected = QSize(width, height).expandedTo(widget->minimumSize());
        WaitUntil([&] { return widget->size() == expected; });
        QCoreApplication::processEvents();
    }
    MemoryPreferences preferences;
};

TEST_F(QtBackend, AnchoredControlsFollowTheDialogInEachModeAndItStopsAtItsMinimumSize) {
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.Create(true));
    const Rect client = dialog.GetClientRect();
    std::map<int, Rect> before;
    for (int id : {10, 11, 12, 13, 14}) {
        before[id] = dialog.GetControlRect(id);
    }
    const int dx = 61, dy = 40;
    Resize(dialog, client.Width() + dx, client.Height() + dy);
    ASSERT_EQ(dialog.GetClientRect().Width(), client.Width() + dx);

    const auto shifted = [](Rect r, int left, int top, int right, int bottom) {
        return Rect{r.left + left, r.top + top, r.right + right, r.bottom + bottom};
    };
    EXPECT_EQ(dialog.GetControlRect(10), before[10]);
    EXPECT_EQ(dialog.GetControlRect(11), shifted(before[11], 0, 0, dx, dy));
    EXPECT_EQ(dialog.GetControlRect(12), shifted(before[12], dx, 0, dx, 0));
    EXPECT_EQ(dialog.GetControlRect(13), shifted(before[13], dx / 2, dy, dx / 2, dy));
    EXPECT_EQ(dialog.GetControlRect(14), shifted(before[14], 0, dy, dx, dy));
    // The size grip sits in the corner as it moves.
    const Rect grip = dialog.GetControlRect(wkit::SizeGripId);
    EXPECT_EQ(grip.right, client.Width() + dx);
    EXPECT_EQ(grip.bottom, client.Height() + dy);

    Resize(dialog, 10, 10);
    EXPECT_EQ(dialog.GetClientRect().Width(), dialog.MinimumWidth());
    EXPECT_EQ(dialog.GetClientRect().Height(), dialog.MinimumHeight());
    for (int id : {10, 11, 12, 13, 14}) {
        EXPECT_EQ(dialog.GetControlRect(id), before[id]) << id;
    }
    dialog.Destroy();
}

TEST_F(QtBackend, AControlOverTheGripCornerLengthensTheDialogByAStripForTheGrip) {
    AnchoredDialog dialog(951);
    ASSERT_TRUE(dialog.Create(true));
    const Rect edit = dialog.GetControlRect(1030);
    const Rect client = dialog.GetClientRect();
    const Rect grip = dialog.GetControlRect(wkit::SizeGripId);
    EXPECT_EQ(client.Height(), edit.bottom + grip.Height() + 1);
    EXPECT_EQ(dialog.MinimumHeight(), client.Height());
    EXPECT_EQ(grip.right, client.right);
    EXPECT_EQ(grip.bottom, client.bottom);
    EXPECT_FALSE(Rect::Intersects(grip, edit));
    // Growing keeps the strip: the edit box stretches, the grip follows.
    Resize(dialog, client.Width() + 30, client.Height() + 20);
    EXPECT_EQ(dialog.GetControlRect(1030).bottom, edit.bottom + 20);
    EXPECT_EQ(dialog.GetControlRect(wkit::SizeGripId).bottom, client.bottom + 20);
    dialog.Destroy();
}

// An edit box that keeps Escape for itself.
class EscapeEdit : public wkit::EditBox {
public:
    bool WantsKey(std::int32_t key) override { return key == wkit::KeyEscape; }
    bool OnKeyDown(std::int32_t key, std::uint32_t) override {
        keys.push_back(key);
        return key == wkit::KeyEscape;
    }
    std::vector<std::int32_t> keys;
};

TEST_F(QtBackend, EditBoxTextLineEndsNotificationsAndClaimedKeys) {
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.Create(true));
    EscapeEdit edit;
    ASSERT_TRUE(edit.Attach(dialog, 11));
    edit.SetText("first\r\nsecond\r\n\r\nfourth");
    EXPECT_TRUE(dialog.changes.empty()); // setting the text is not an edit
    auto* widget =
        static_cast<QPlainTextEdit*>(static_cast<wkit::Qt_WindowImp*>(edit.Imp())->Widget());
    EXPECT_EQ(widget->toPlainText(), QString("first\nsecond\n\nfourth"));
    EXPECT_STREQ(edit.GetText().c_str(), "first\r\nsecond\r\n\r\nfourth");

    QTest::keyClicks(widget, "x");
    EXPECT_EQ(dialog.changes, std::vector<std::int32_t>{11});
    QTest::keyClick(widget, Qt::Key_Escape);
    EXPECT_EQ(edit.keys.back(), wkit::KeyEscape);
    EXPECT_TRUE(dialog.Exists()); // the edit box took the key; the dialog was not cancelled

    edit.ShowScrollBars(2, true);
    EXPECT_EQ(widget->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(edit.HasScrollBars(2));
    edit.ShowScrollBars(2, false);
    EXPECT_EQ(widget->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    const QColor system = widget->palette().color(QPalette::Base);
    edit.SetBackColour(plat::Colour{255, 255, 204});
    EXPECT_TRUE(dialog.HasColourRecord(11));
    EXPECT_EQ(widget->palette().color(QPalette::Base), QColor(255, 255, 204));
    edit.ResetColours();
    EXPECT_FALSE(dialog.HasColourRecord(11));
    EXPECT_EQ(widget->palette().color(QPalette::Base), system);

    // Escape reaching the dialog cancels it, which ends a modeless one.
    QTest::keyClick(WidgetOf(dialog), Qt::Key_Escape);
    EXPECT_FALSE(dialog.Exists());
    EXPECT_EQ(edit.Imp(), nullptr); // controls let go of their back-ends
}

struct Fit {
    Rect client, window, text, button;
};

Fit ShowAlert(const plat::String& text, wkit::AlertDialog& dialog) {
    dialog.SetTitle("Noterix problem...");
    dialog.SetMessage(text);
    EXPECT_TRUE(dialog.Create(true));
    return Fit{dialog.GetClientRect(), dialog.GetWindowRect(), dialog.TextArea(),
               dialog.GetControlRect(wkit::IdOK)};
}

int LineHeight(wkit::Dialog& dialog) {
    return QFontMetrics(WidgetOf(dialog)->font()).height();
}

TEST_F(QtBackend, MessageDialogsFitTheirText) {
    // The template's own size, before fitting.
    wkit::AlertDialog plain(nullptr);
    const Fit empty = ShowAlert("", plain);
    const int line = LineHeight(plain);
    const int placeholderWidth = plain.GetControlRect(1011).Width();
    plain.Destroy();

    wkit::AlertDialog one(nullptr);
    const Fit oneLine = ShowAlert("A problem occurred.", one);
    EXPECT_NEAR(oneLine.text.Height(), line + 16, 2);
    EXPECT_EQ(oneLine.client.Width(), empty.client.Width());

    wkit::AlertDialog many(nullptr);
    const Fit manyLines = ShowAlert("one\ntwo\nthree\nfour\nfive\nsix", many);
    EXPECT_NEAR(manyLines.text.Height(), 6 * line + 16, 6);
    // The dialog grew by what the text area grew; the button stays centred
    // below the text.
    EXPECT_EQ(manyLines.client.Height() - oneLine.client.Height(),
              manyLines.text.Height() - oneLine.text.Height());
    for (const Fit& fit : {oneLine, manyLines}) {
        EXPECT_EQ(fit.text.Width(), placeholderWidth + 16);
        EXPECT_GE(fit.button.top, fit.text.bottom);
        EXPECT_NEAR((fit.button.left + fit.button.right) / 2, fit.client.Width() / 2, 2);
        EXPECT_LE(fit.button.bottom, fit.client.bottom);
    }

    // Far more text than the screen holds: the dialog stops at the work area
    // with its button still on it.
    std::string huge;
    for (int i = 0; i < 3000; ++i) {
        huge += "word" + std::to_string(i) + " ";
    }
    wkit::AlertDialog big(nullptr);
    const Fit veryLong = ShowAlert(huge.c_str(), big);
    const Rect work = QtApp::Get().Imp()->WorkArea();
    EXPECT_LE(veryLong.window.Height(), work.Height())
        << veryLong.window.top << " " << veryLong.window.bottom << " client "
        << veryLong.client.Height();
    EXPECT_GT(veryLong.client.Height(), manyLines.client.Height());
    EXPECT_LE(veryLong.button.bottom, veryLong.client.bottom);
    EXPECT_GE(veryLong.button.top, veryLong.text.bottom);
    one.Destroy();
    many.Destroy();
    big.Destroy();
}

TEST_F(QtBackend, OnlyDialogsWithASizingBorderCanBeSizedByTheWindowManager) {
    // A window manager draws a resize handle and a maximise button on any
    // window whose size hints allow sizing; a dialog laid out for one size
    // then shows an empty strip of handle under it.
    wkit::AlertDialog alert(nullptr);
    const Fit fit = ShowAlert("one\ntwo\nthree", alert);
    QWidget* fixed = WidgetOf(alert);
    EXPECT_EQ(fixed->minimumSize(), fixed->maximumSize());
    EXPECT_EQ(fixed->maximumSize(), fixed->size()) << "the size it was fitted to";
    EXPECT_EQ(fit.client.Height(), fixed->height());
    alert.Destroy();

    AnchoredDialog sizable;
    ASSERT_TRUE(sizable.Create(true));
    QWidget* free = WidgetOf(sizable);
    EXPECT_GT(free->maximumWidth(), free->width());
    EXPECT_GT(free->maximumHeight(), free->height());
    sizable.Destroy();
}

TEST_F(QtBackend, AKeptMenuServesTheNextOfItsShapeWithTheNewTextsAndMarks) {
    wkit::Qt_MenuBuilder builder;
    wkit::Menu list;
    list.Append("Create new note...", 40);
    list.AppendSeparator();
    list.Append("milk & bread", 43000, true, true);
    list.Append("call Anna", 43001, false, true);
    list.SetDefaultItem(40);
    QMenu& built = builder.Prepare(list);
    ASSERT_EQ(built.actions().size(), 4);
    EXPECT_EQ(built.actions()[2]->text(), "milk && bread");
    EXPECT_TRUE(built.actions()[2]->isChecked());
    EXPECT_EQ(built.defaultAction(), built.actions()[0]);

    // The same shape, other words and marks: the kept menu, brought up to date.
    list.At(2).text = "eggs";
    list.At(2).checked = false;
    list.At(3).checked = true;
    list.At(3).id = 43007;
    QMenu& again = builder.Prepare(list);
    EXPECT_EQ(&again, &built);
    EXPECT_EQ(again.actions()[2]->text(), "eggs");
    EXPECT_FALSE(again.actions()[2]->isChecked());
    EXPECT_TRUE(again.actions()[3]->isChecked());
    EXPECT_EQ(again.actions()[3]->data().toInt(), 43007);

    // Another shape is built anew; the first stays kept for its own.
    wkit::Menu longer = list;
    longer.Append("a third", 43002, false, true);
    QMenu& other = builder.Prepare(longer);
    EXPECT_NE(&other, &built);
    EXPECT_EQ(other.actions().size(), 5);
    EXPECT_EQ(&builder.Prepare(list), &built);
    // A menu on the screen is never rebuilt under the user: the next of its
    // shape gets one of its own.
    built.popup(QPoint(10, 10));
    ASSERT_TRUE(WaitUntil([&] { return built.isVisible(); }));
    EXPECT_NE(&builder.Prepare(list), &built);
    built.hide();
}

TEST_F(QtBackend, TheMessageIsPaintedInsideASunkenEdge) {
    wkit::AlertDialog dialog(nullptr);
    ShowAlert("&Painted text", dialog);
    const QImage picture = WidgetOf(dialog)->grab().toImage();
    const Rect area = dialog.TextArea();
    const QColor background = picture.pixelColor(area.left + 3, area.top + 3);
    int inked = 0;
    for (int y = area.top + 8; y < area.bottom - 8; ++y) {
        for (int x = area.left + 8; x < area.right - 8; ++x) {
            inked += picture.pixelColor(x, y) != background ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 20);
    // The edge's top-left is darker than the face, its bottom-right lighter.
    EXPECT_LT(picture.pixelColor(area.left + 4, area.top).lightness(), background.lightness());
    EXPECT_GT(picture.pixelColor(area.left + 4, area.bottom - 1).lightness(),
              picture.pixelColor(area.left + 4, area.top).lightness());
    dialog.Destroy();
}

TEST_F(QtBackend, ATimerTickNeverEntersItsCallbackWhileADialogItOpenedIsUp) {
    struct State {
        int entered = 0;
        int depth = 0;
        int deepest = 0;
    } state;
    const auto tick = [](std::uint32_t, void* data) {
        auto& s = *static_cast<State*>(data);
        ++s.entered;
        s.deepest = std::max(s.deepest, ++s.depth);
        if (s.entered == 1) {
            // A nested loop, as a modal alert runs, lasting many ticks.
            QEventLoop loop;
            QTimer::singleShot(300, &loop, &QEventLoop::quit);
            loop.exec();
        }
        --s.depth;
    };
    const std::uint32_t id = plat::Timers::StartTimer(true, 10, tick, &state);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(WaitUntil([&] { return state.entered >= 3; }));
    plat::Timers::StopTimer(id);
    EXPECT_EQ(state.deepest, 1);
}

TEST(Links, OnlyWebAndMailLinksOpen) {
    struct Case {
        const char* text;
        bool opens;
        const char* link;
    };
    const Case cases[] = {
        {"www.example.org", true, "http://www.example.org"},
        {"https://example.org/a?b", true, "https://example.org/a?b"},
        {"mailto:someone@example.org", true, "mailto:someone@example.org"},
        {"file:///etc/passwd", false, ""},
        {"ftp://example.org", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        plat::String link;
        EXPECT_EQ(wkit::URLButton::LinkFor(c.text, link), c.opens) << c.text;
        if (c.opens) {
            EXPECT_STREQ(link.c_str(), c.link);
        }
    }
}

} // namespace
