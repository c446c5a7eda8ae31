#pragma once

#include "plat/ResourceID.h"
#include "wkit/Backend.h"
#include "wkit/IconClicks.h"
#include "wkit/IdleRule.h"
#include "wkit/Menu.h"
#include "wkit/MessageTarget.h"

#include <memory>
#include <vector>

namespace wkit {

class Dialog;
class Window;

// The program's application object: resources and switches set by the
// constructor, the message loop and the notification-area icon through the
// back-end, and the end sequence.
class Application : public MessageTarget {
public:
    Application();
    ~Application() override;

    // Slots 0 to 3 are MessageTarget's.
    virtual bool CreateImp();                                  // slot 4
    virtual bool OnStart();                                    // slot 5
    virtual void OnQuit();                                     // slot 6
    virtual bool CreateMainWindow();                           // slot 7
    virtual bool InstantiateMainDialog();                      // slot 8
    virtual IconAction ClassifyIconClick(std::uint32_t flags); // slot 9
    virtual std::shared_ptr<Menu> BuildIconMenu(std::shared_ptr<Menu> menu,
                                                std::uint32_t flags); // slot 10
    virtual void ReservedSlot11(); // slot 11: kept for the slot order, does nothing

    static Application* Get();
    ApplicationImp* Imp() const { return imp_.get(); }
    void SetImp(std::unique_ptr<ApplicationImp> imp);

    // The program's life: initialise the back-end and the main window, then
    // OnStart and the loop, then the end sequence. Returns the loop's code,
    // or -1 when there was no back-end.
    std::int32_t RunProgram();
    bool Initialise();
    // The end of the program, at most once: back-end hook, OnQuit, the
    // remaining top-level windows, the preferences. Also run when the desktop
    // session ends or the process is asked politely to stop.
    void RunEndSequence();
    bool EndSequenceDone() const { return ended_; }
    // Ends the loop.
    void Quit(std::int32_t code = 0);

    // The icon: added with the application's small icon and name as tip.
    bool AddIcon();
    void RemoveIcon();
    bool SetIconToolTip(const plat::String& tip);
    // Replaces the icon with another whose default command differs, and back.
    bool SetAlternateIcon(std::uint16_t iconId, std::int32_t defaultCommand);
    bool RestoreIcon();
    // Mouse flags of the icon (synthesised by the back-end).
    void HandleIconFlags(std::uint32_t flags);
    // Reports from the back-end.
    void IconActivated(IconActivation reason);
    void ClickTimerFired();
    void InputArrived();
    void IdleTimerFired();
    // The main dialog was destroyed: the icon goes and the loop ends.
    void MainWindowDestroyed();

    // Starts the idle rule's quiet period now, as input does: the idle
    // handlers run once it has passed.
    void ScheduleIdleWork();
    // Builds the icon's menus (the notes list of a left click and the menu of
    // a right click) ahead of the click, so that a long list shows at once.
    void PrepareIconMenus();

    void AddIdleHandler(IdleHandler* handler);
    void RemoveIdleHandler(IdleHandler* handler);
    void AddTopLevel(Window* window);
    void RemoveTopLevel(Window* window);
    const std::vector<Window*>& TopLevelWindows() const { return topLevel_; }

    Window* MainWindow() const { return mainWindow_; }

    // Resources and switches.
    plat::ResourceID name{plat::ResourceID::StringKind, 0};
    plat::ResourceID mainMenu{plat::ResourceID::MenuKind, 0};
    plat::ResourceID largeIcon{plat::ResourceID::IconKind, 0};
    plat::ResourceID smallIcon{plat::ResourceID::IconKind, 0};
    plat::ResourceID accelerators{plat::ResourceID::AcceleratorKind, 0};
    plat::ResourceID iconMenu{plat::ResourceID::MenuKind, 0};
    plat::ResourceID mainDialogTemplate{plat::ResourceID::DialogKind, 0};
    std::int32_t defaultIconCommand = 0;
    std::int32_t alternateIconCommand = 0;
    bool useNotificationArea = false;
    bool showMainDialogAtStart = true;
    bool animateMainWindow = true;
    bool initCommonControls = true;
    bool initComponentLibrary = true;
    bool paintClassBackground = true;
    // How long start-up waits for a notification area to appear.
    std::uint32_t notificationAreaWaitMilliseconds = 30000;

protected:
    Window* mainWindow_ = nullptr;

private:
    bool RunIdleHandlers();
    void ShowIconMenu(std::uint32_t flags);
    // The icon menu of the template, loaded once; false when there is none.
    bool LoadIconMenu();

    std::unique_ptr<ApplicationImp> imp_;
    std::unique_ptr<IdleRule> idle_;
    std::unique_ptr<IconClickSynthesiser> clicks_;
    std::vector<IdleHandler*> idleHandlers_;
    std::uint32_t idleCounter_ = 0;
    std::vector<Window*> topLevel_;
    std::shared_ptr<Menu> loadedIconMenu_;
    bool iconMenuLoaded_ = false;
    std::uint16_t currentIcon_ = 0;
    std::int32_t savedDefaultCommand_ = 0;
    bool started_ = false;
    bool ended_ = false;
    bool showingMenu_ = false;
};

// An application whose main window is a dialog: shown at start-up, or kept
// hidden behind the notification-area icon.
class ApplicationDialog : public Application {
public:
    ~ApplicationDialog() override;
    bool CreateMainWindow() override;      // slot 7
    bool InstantiateMainDialog() override; // slot 8
    virtual Dialog* CreateMainDialog();    // slot 12

    Dialog* MainDialog() const { return mainDialog_; }

protected:
    Dialog* mainDialog_ = nullptr;
};

// The program's factory and entry: the back-end is made by the application's
// CreateImp (the Qt one unless a subclass chooses another).
using ApplicationFactory = Application* (*)();
int Main(int argc, char** argv, ApplicationFactory factory);

} // namespace wkit
