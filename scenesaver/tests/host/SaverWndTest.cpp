#include "HostTestSupport.h"

#include "host/Password.h"
#include "host/SaverWnd.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"
#include "platform/VirtualKeys.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>

#include <map>
#include <memory>
#include <variant>

namespace {
struct Move {
    int x, y;
};
struct Button {};
struct DoubleClick {};
struct Key {
    int virtualKey;
};
struct SysKey {
    int virtualKey;
};
struct QtKey { // through Qt's key event, as the window receives it
    int key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
struct QtButton {
    Qt::MouseButton button;
};
using Input = std::variant<Move, Button, DoubleClick, Key, SysKey, QtKey, QtButton>;

class SaverWindow : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        // A calibration already made on this machine, so no second is spent.
        CRegKey root("Software\\Quorvatronics\\Screen Saver");
        root.SetString("SysInfo", MachineDescription(GetSystemInfo()));
        root.SetDWORD("Times", 1000);
    }

    void Settings(const std::map<std::string, unsigned>& values) {
        for (const auto& [name, value] : values) {
            profile.WriteProfileInt("Settings", name, value);
        }
    }

    std::unique_ptr<CSaverWnd> MakeWindow(CSaverWnd::Kind kind = CSaverWnd::Kind::FullScreen) {
        auto window = std::make_unique<CSaverWnd>(profile, exitLink, count, kind);
        window->passwordPrompt = [this, w = window.get()](QWidget* owner, const std::string& s) {
            ++prompts;
            EXPECT_EQ(owner, w);
            EXPECT_EQ(s, StoredPassword(profile));
            EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
            return promptAnswer;
        };
        window->Create(QSize(320, 200), 1.0);
        return window;
    }

    static void Send(CSaverWnd& window, const Input& input) {
        std::visit(
            [&](const auto& in) {
                using T = std::decay_t<decltype(in)>;
                if constexpr (std::is_same_v<T, Move>) {
                    window.OnMouseMove(QPoint(in.x, in.y));
                } else if constexpr (std::is_same_v<T, Button>) {
                    window.OnButtonDown();
                } else if constexpr (std::is_same_v<T, DoubleClick>) {
                    window.OnDoubleClick();
                } else if constexpr (std::is_same_v<T, Key>) {
                    window.OnKeyDown(in.virtualKey);
                } else if constexpr (std::is_same_v<T, SysKey>) {
                    window.OnSysKeyDown(in.virtualKey);
                } else if constexpr (std::is_same_v<T, QtKey>) {
                    QKeyEvent event(QEvent::KeyPress, in.key, in.modifiers);
                    QCoreApplication::sendEvent(&window, &event);
                } else {
                    QMouseEvent event(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3),
                                      in.button, in.button, Qt::NoModifier);
                    QCoreApplication::sendEvent(&window, &event);
                }
            },
            input);
        QCoreApplication::processEvents(); // the posted close request
    }

    std::string exitLink;
    std::uint32_t count = 0;
    int prompts = 0;
    bool promptAnswer = false;
};

struct ExitCase {
    const char* name;
    std::map<std::string, unsigned> settings;
    std::vector<Input> inputs;
    bool ends;
};

const std::map<std::string, unsigned> kEscapeOnly = {{"Standard", 0}, {"Escape", 1}};
const std::map<std::string, unsigned> kKeyDownOnly = {{"Standard", 0}, {"KeyDown", 1}};
const std::map<std::string, unsigned> kMouseMoveOnly = {{"Standard", 0}, {"MouseMove", 1}};
const std::map<std::string, unsigned> kDoubleClickOnly = {{"Standard", 0}, {"DoubleClick", 1}};
} // namespace

TEST_F(SaverWindow, ExitRules) {
    const ExitCase cases[] = {
        {"first move only sets the anchor", {}, {Move{500, 400}}, false},
        {"second move at the anchor", {}, {Move{5, 5}, Move{5, 5}}, false},
        {"second move one pixel away", {}, {Move{5, 5}, Move{6, 5}}, true},
        {"standard: button", {}, {Button{}}, true},
        {"standard: double click", {}, {DoubleClick{}}, true},
        {"standard: any key", {}, {Key{'A'}}, true},
        {"standard: system key", {}, {SysKey{VK_MENU}}, true},
        {"standard: Alt goes down first", {}, {QtKey{Qt::Key_Alt, Qt::AltModifier}}, true},
        {"standard: left button", {}, {QtButton{Qt::LeftButton}}, true},
        {"standard: right button", {}, {QtButton{Qt::RightButton}}, true},
        {"standard: side button is not watched", {}, {QtButton{Qt::BackButton}}, false},
        {"standard: Alt+F4 is dropped", {}, {QtKey{Qt::Key_F4, Qt::AltModifier}}, false},
        {"escape only: other input",
         kEscapeOnly,
         {Move{1, 1}, Move{9, 9}, Button{}, DoubleClick{}, Key{'A'}, SysKey{VK_MENU}},
         false},
        {"escape only: Escape", kEscapeOnly, {Key{VK_ESCAPE}}, true},
        {"escape only: Escape key event", kEscapeOnly, {QtKey{Qt::Key_Escape}}, true},
        {"escape only: F10 is a system key", kEscapeOnly, {QtKey{Qt::Key_F10}}, false},
        {"escape only: Alt+F4", kEscapeOnly, {QtKey{Qt::Key_F4, Qt::AltModifier}}, false},
        {"key down only: Escape", kKeyDownOnly, {Key{VK_ESCAPE}}, true},
        {"key down only: F10", kKeyDownOnly, {QtKey{Qt::Key_F10}}, true},
        {"key down only: Alt+F4 still dropped",
         kKeyDownOnly,
         {QtKey{Qt::Key_F4, Qt::AltModifier}},
         false},
        {"key down only: Tab is a key", kKeyDownOnly, {QtKey{Qt::Key_Tab}}, true},
        {"key down only: button", kKeyDownOnly, {Button{}}, false},
        {"mouse move only: a move away", kMouseMoveOnly, {Move{10, 10}, Move{20, 20}}, true},
        {"mouse move only: keys", kMouseMoveOnly, {Key{VK_ESCAPE}, Key{'A'}}, false},
        {"double click only: button", kDoubleClickOnly, {Button{}}, false},
        {"double click only: double click", kDoubleClickOnly, {DoubleClick{}}, true},
    };
    for (const ExitCase& c : cases) {
        SCOPED_TRACE(c.name);
        Settings({{"Standard", 1},
                  {"MouseMove", 0},
                  {"ButtonDown", 0},
                  {"DoubleClick", 0},
                  {"KeyDown", 0},
                  {"Escape", 0}});
        Settings(c.settings);
        auto window = MakeWindow();
        for (const Input& input : c.inputs) {
            Send(*window, input);
        }
        EXPECT_EQ(window->IsDestroyed(), c.ends);
    }
}

TEST_F(SaverWindow, MouseMoveOnlyIgnoresAReturnToTheAnchor) {
    Settings(kMouseMoveOnly);
    auto window = MakeWindow();
    Send(*window, Move{10, 10});
    EXPECT_EQ(window->MouseAnchor(), QPoint(10, 10));
    Send(*window, Move{10, 10});
    EXPECT_FALSE(window->IsDestroyed());
    Send(*window, Move{10, 11});
    EXPECT_TRUE(window->IsDestroyed());
}

TEST_F(SaverWindow, LinkTriggerKeys) {
    struct LinkCase {
        int trigger;
        int key;
        bool selects;
    };
    const LinkCase cases[] = {
        {0, VK_RETURN, true}, {0, VK_SPACE, false}, {1, VK_F12, true},     {1, VK_RETURN, false},
        {2, VK_SPACE, true},  {2, VK_F12, false},   {3, VK_RETURN, true},  {3, VK_F12, true},
        {3, VK_SPACE, true},  {3, 'A', false},      {4, VK_RETURN, false}, {-1, VK_F12, false},
    };
    Settings(kEscapeOnly); // the keys themselves do not end the saver
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "trigger " << c.trigger << " key " << c.key);
        exitLink.clear();
        auto window = MakeWindow();
        window->SetLink("http://example.org/", c.trigger);
        Send(*window, Key{c.key});
        EXPECT_EQ(exitLink, c.selects ? "http://example.org/" : "");
        EXPECT_FALSE(window->IsDestroyed());
    }
}

TEST_F(SaverWindow, LinkKeyUnderStandardSettingsSelectsAndEnds) {
    auto window = MakeWindow();
    window->SetLink("http://example.org/", 1);
    Send(*window, QtKey{Qt::Key_F12});
    EXPECT_EQ(exitLink, "http://example.org/");
    EXPECT_TRUE(window->IsDestroyed());
}

TEST_F(SaverWindow, ClearedLinkIsNotSelected) {
    Settings(kEscapeOnly);
    auto window = MakeWindow();
    window->SetLink("http://example.org/", 3);
    window->ClearLink();
    Send(*window, Key{VK_RETURN});
    EXPECT_EQ(exitLink, "");
}

TEST_F(SaverWindow, WrongPasswordKeepsRunningWithTheAnchorAtThePointer) {
    SetSystemUsesPassword(true);
    StorePassword(profile, ScramblePassword("pw"));
    auto window = MakeWindow();
    Send(*window, Move{1, 1});
    Send(*window, Move{50, 50});
    EXPECT_EQ(prompts, 1);
    EXPECT_FALSE(window->IsDestroyed());
    EXPECT_EQ(window->cursor().shape(), Qt::BlankCursor);
    const QPoint pointer = window->mapFromGlobal(QCursor::pos());
    EXPECT_EQ(window->MouseAnchor(), pointer);
    Send(*window, Move{pointer.x(), pointer.y()});
    EXPECT_EQ(prompts, 1);

    promptAnswer = true; // the next attempt is answered correctly
    Send(*window, Button{});
    EXPECT_EQ(prompts, 2);
    EXPECT_TRUE(window->IsDestroyed());
}

TEST_F(SaverWindow, PasswordIsAskedOnlyWhenSwitchedOnAndStored) {
    struct PasswordCase {
        bool systemSwitch;
        const char* password;
        int prompts;
    };
    const PasswordCase cases[] = {{true, "", 0}, {false, "pw", 0}, {true, "pw", 1}};
    for (const PasswordCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.systemSwitch << " '" << c.password << "'");
        prompts = 0;
        promptAnswer = true;
        SetSystemUsesPassword(c.systemSwitch);
        StorePassword(profile, ScramblePassword(c.password));
        auto window = MakeWindow();
        Send(*window, Button{});
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_TRUE(window->IsDestroyed());
    }
}

TEST_F(SaverWindow, InputBeforeTheCloseIsHandledAsksOnce) {
    SetSystemUsesPassword(true);
    StorePassword(profile, ScramblePassword("pw"));
    auto window = MakeWindow();
    window->OnButtonDown();
    window->OnKeyDown('A');
    window->OnDoubleClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(prompts, 1);
}

TEST_F(SaverWindow, WindowManagerCloseRequestsAreSwallowed) {
    auto window = MakeWindow();
    QCloseEvent event;
    QCoreApplication::sendEvent(window.get(), &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_FALSE(window->IsDestroyed());
}

TEST_F(SaverWindow, CreationReadsMuteAndHidesTheCursor) {
    EXPECT_FALSE(MakeWindow()->IsMuted());
    Settings({{"Mute", 1}});
    auto window = MakeWindow();
    EXPECT_TRUE(window->IsMuted());
    EXPECT_EQ(window->cursor().shape(), Qt::BlankCursor);
    EXPECT_EQ(count, 1000u); // the stored calibration
}

TEST_F(SaverWindow, EmbeddedWindowIgnoresInput) {
    auto window = MakeWindow(CSaverWnd::Kind::Embedded);
    for (const Input& input : std::vector<Input>{Move{1, 1}, Move{2, 2}, Button{}, Key{27}}) {
        Send(*window, input);
    }
    EXPECT_FALSE(window->IsDestroyed());
}

TEST_F(SaverWindow, BackgroundColourFillsTheScreen) {
    auto window = MakeWindow();
    window->SetBackgroundColor(0x00FF8040, 0x00CC0020);
    EXPECT_EQ(window->BackgroundColor(), 0x00FF8040u);
    auto lock = window->Screen().Lock();
    EXPECT_EQ(window->Screen().Image().size(), QSize(320, 200));
    EXPECT_EQ(window->Screen().Image().pixel(0, 0), qRgb(0x40, 0x80, 0xFF));
    EXPECT_EQ(window->Screen().Image().pixel(319, 199), qRgb(0x40, 0x80, 0xFF));
}

TEST_F(SaverWindow, SceneThreadStartsBlackAndStopsWithTheWindow) {
    auto window = MakeWindow();
    window->SetBackgroundColor(0x00FFFFFF, 0x00CC0020);
    CSceneThread thread(window.get(), nullptr, &count, false);
    window->SetSceneThread(&thread);
    ASSERT_TRUE(thread.Start());
    thread.FinishedEvent().wait();
    EXPECT_EQ(window->BackgroundColor(), 0u);
    {
        auto lock = window->Screen().Lock();
        EXPECT_EQ(window->Screen().Image().pixel(10, 10), qRgb(0, 0, 0));
    }
    window->DestroyWindow();
    EXPECT_TRUE(thread.StopEvent().isSet());
}
