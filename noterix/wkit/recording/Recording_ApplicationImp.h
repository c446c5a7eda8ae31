#pragma once

#include "wkit/Backend.h"
#include "wkit/Menu.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace wkit {

class Application;

// How a test answers the next modal dialog: tick its check box, then press
// the button with this caption (mnemonic markers ignored) or this id. With
// neither, the dialog is dismissed as by Escape.
struct ScriptedAnswer {
    std::string button;
    std::int32_t id = 0;
    bool tickCheckBox = false;
};

// A modal dialog as it was shown.
struct ShownDialog {
    std::uint16_t templateId;
    std::string title;
    std::string text;
    std::vector<std::string> buttons; // captions of the shown buttons
    bool checkBoxShown;
};

// A back-end without a display, for tests of the logic above the library:
// it records the icon and the dialogs, and takes clicks, menu choices and
// dialog answers from the test.
class Recording_ApplicationImp : public ApplicationImp {
public:
    Recording_ApplicationImp();
    ~Recording_ApplicationImp() override;

    // --- what the test sets and reads ---
    bool trayAvailable = true;
    std::vector<std::string> iconLog; // "add <tip>", "modify <tip>", "remove"
    std::deque<std::int32_t> menuChoices;
    std::vector<std::vector<std::string>> shownMenus;    // item texts, "-" for separators
    std::vector<std::shared_ptr<Menu>> menus;            // the menus as shown
    std::vector<std::vector<std::string>> preparedMenus; // readied ahead of a click
    std::deque<ScriptedAnswer> answers;
    // Runs while each modal dialog is open, before it is answered.
    std::function<void()> whileModal;
    std::vector<ShownDialog> dialogs;
    std::vector<std::uint32_t> idleTimerStarts;
    std::uint32_t modifiers = 0;
    std::uint64_t now = 0;
    std::int32_t quitCode = -1;
    std::vector<std::string> openedUrls;
    // Runs as the message loop: the test's session.
    std::function<void()> session;

    void InjectIconFlags(std::uint32_t flags);
    void InjectActivation(IconActivation reason, std::uint32_t heldModifiers = 0);
    bool ClickTimerArmed() const { return clickTimerArmed_; }
    void ElapseClickTimer();
    void FireIdleTimer();

    // --- the back-end ---
    bool Initialise(Application& application) override;
    std::int32_t Run() override;
    void Quit(std::int32_t code) override;
    void EndHook() override { endHooks++; }
    int endHooks = 0;

    std::unique_ptr<WindowImp> CreateWindowImp(Window& owner) override;
    std::unique_ptr<FontImp> CreateFontImp() override;
    std::unique_ptr<GCImp> CreateScreenGC() override;

    bool WaitForNotificationArea(std::uint32_t) override { return trayAvailable; }
    bool SetIcon(std::uint16_t iconId, const plat::String& toolTip) override;
    void RemoveIcon() override;
    bool IconAdded() const override { return iconAdded_; }
    std::int32_t TrackMenu(const Menu& menu) override;
    std::int32_t TrackMenuAt(const Menu& menu, Point) override { return TrackMenu(menu); }
    void PrepareMenu(const Menu& menu) override;

    void StartIdleTimer(std::uint32_t milliseconds) override {
        idleTimerStarts.push_back(milliseconds);
    }
    void StartClickTimer(std::uint32_t) override { clickTimerArmed_ = true; }
    void StopClickTimer() override { clickTimerArmed_ = false; }
    std::uint32_t DoubleClickInterval() const override { return 400; }
    std::uint64_t Milliseconds() const override { return now; }
    std::uint32_t ModifierFlags() const override { return modifiers; }
    Point CursorPosition() const override { return Point{600, 700}; }
    Rect WorkArea() const override { return Rect{0, 0, 1280, 1000}; }
    bool OpenUrl(const plat::String& url) override;
    std::int32_t GetMetric(Metric metric) const override;
    bool AnimationEnabled() const override { return false; }
    void Animate(const Rect&, const Rect&) override {}
    Rect NotificationArea() const override { return Rect{1130, 970, 1280, 1000}; }

    // Called by the recording windows.
    void RecordModal(ShownDialog shown);
    bool NextAnswer(ScriptedAnswer& answer);

private:
    Application* application_ = nullptr;
    bool iconAdded_ = false;
    bool clickTimerArmed_ = false;
};

} // namespace wkit
