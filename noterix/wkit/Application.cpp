#include "wkit/Application.h"

#include "plat/Preferences.h"
#include "wkit/Dialog.h"
#include "wkit/Window.h"

#include <algorithm>

namespace wkit {

namespace {
Application* current = nullptr;
} // namespace

Application* Application::Get() {
    return current;
}

Application::Application() {
    current = this;
}

Application::~Application() {
    // Timers and windows may still call in while the back-end winds down.
    imp_.reset();
    if (current == this) {
        current = nullptr;
    }
}

void Application::SetImp(std::unique_ptr<ApplicationImp> imp) {
    imp_ = std::move(imp);
    if (!imp_) {
        return;
    }
    idle_ = std::make_unique<IdleRule>([this](std::uint32_t ms) { imp_->StartIdleTimer(ms); },
                                       [this] { return RunIdleHandlers(); });
    clicks_ = std::make_unique<IconClickSynthesiser>(
        [this](std::uint32_t flags) { HandleIconFlags(flags); },
        [this](std::uint32_t ms) { imp_->StartClickTimer(ms); },
        [this] { imp_->StopClickTimer(); });
}

bool Application::OnStart() {
    return true;
}
void Application::OnQuit() {}
bool Application::CreateMainWindow() {
    return true;
}
bool Application::InstantiateMainDialog() {
    return false;
}
void Application::ReservedSlot11() {}

IconAction Application::ClassifyIconClick(std::uint32_t flags) {
    return BaseIconPolicy(flags);
}

std::shared_ptr<Menu> Application::BuildIconMenu(std::shared_ptr<Menu> menu, std::uint32_t) {
    return menu;
}

bool Application::Initialise() {
    if (!imp_ || !imp_->Initialise(*this)) {
        return false;
    }
    return CreateMainWindow();
}

std::int32_t Application::RunProgram() {
    if (!imp_ && !CreateImp()) {
        return -1;
    }
    if (!imp_) {
        return -1;
    }
    std::int32_t code = 0;
    if (Initialise()) {
        // OnQuit belongs to a program that started: one that never loaded its
        // data must not write it back.
        started_ = OnStart();
        if (started_ && !ended_) {
            code = imp_->Run();
        }
    }
    RunEndSequence();
    return code;
}

void Application::RunEndSequence() {
    if (ended_) {
        return;
    }
    ended_ = true;
    if (imp_) {
        imp_->EndHook();
    }
    if (started_) {
        OnQuit();
    }
    // Destroying a window may take others with it: take one at a time.
    while (!topLevel_.empty()) {
        Window* window = topLevel_.back();
        topLevel_.pop_back();
        window->Destroy();
    }
    RemoveIcon();
    plat::Preferences::Get().Flush();
}

void Application::Quit(std::int32_t code) {
    if (imp_) {
        imp_->Quit(code);
    }
}

bool Application::AddIcon() {
    if (!imp_) {
        return false;
    }
    plat::String tip;
    name.LoadString(tip);
    currentIcon_ = smallIcon.id;
    return imp_->SetIcon(currentIcon_, tip);
}

void Application::RemoveIcon() {
    if (imp_ && imp_->IconAdded()) {
        imp_->RemoveIcon();
    }
}

bool Application::SetIconToolTip(const plat::String& tip) {
    return imp_ && imp_->SetIcon(currentIcon_, tip);
}

bool Application::SetAlternateIcon(std::uint16_t iconId, std::int32_t defaultCommand) {
    if (!imp_) {
        return false;
    }
    if (savedDefaultCommand_ == 0) {
        savedDefaultCommand_ = defaultIconCommand;
    }
    defaultIconCommand = defaultCommand;
    currentIcon_ = iconId;
    plat::String tip;
    name.LoadString(tip);
    return imp_->SetIcon(currentIcon_, tip);
}

bool Application::RestoreIcon() {
    if (savedDefaultCommand_ != 0) {
        defaultIconCommand = savedDefaultCommand_;
        savedDefaultCommand_ = 0;
    }
    return AddIcon();
}

void Application::HandleIconFlags(std::uint32_t flags) {
    switch (ClassifyIconClick(flags)) {
    case IconShowMenu:
        ShowIconMenu(flags);
        break;
    case IconDefaultCommand:
        OnCommand(defaultIconCommand);
        break;
    case IconAlternateCommand:
        OnCommand(alternateIconCommand);
        break;
    case IconNothing:
        break;
    }
}

bool Application::LoadIconMenu() {
    if (!iconMenuLoaded_) {
        iconMenuLoaded_ = true;
        // The icon menu is the template's first popup.
        if (std::shared_ptr<Menu> whole = Menu::Load(iconMenu.id)) {
            for (std::size_t i = 0; i < whole->Count(); ++i) {
                if (whole->At(i).submenu) {
                    loadedIconMenu_ = whole->At(i).submenu;
                    break;
                }
            }
        }
    }
    return loadedIconMenu_ != nullptr;
}

void Application::PrepareIconMenus() {
    if (showingMenu_ || !imp_ || !LoadIconMenu()) {
        return;
    }
    for (const std::uint32_t flags : {IconLeft | IconUp, IconRight | IconUp}) {
        if (std::shared_ptr<Menu> menu = BuildIconMenu(loadedIconMenu_, flags)) {
            menu->SetDefaultItem(defaultIconCommand);
            imp_->PrepareMenu(*menu);
        }
    }
}

void Application::ShowIconMenu(std::uint32_t flags) {
    if (showingMenu_ || !imp_ || !LoadIconMenu()) {
        return;
    }
    std::shared_ptr<Menu> menu = BuildIconMenu(loadedIconMenu_, flags);
    if (!menu) {
        return;
    }
    menu->SetDefaultItem(defaultIconCommand);
    showingMenu_ = true;
    const std::int32_t command = imp_->TrackMenu(*menu);
    showingMenu_ = false;
    if (command != 0) {
        OnCommand(command);
    }
}

void Application::IconActivated(IconActivation reason) {
    if (clicks_) {
        clicks_->Activated(reason, imp_->ModifierFlags(), imp_->DoubleClickInterval());
    }
}

void Application::ClickTimerFired() {
    if (clicks_) {
        clicks_->TimerFired();
    }
}

void Application::InputArrived() {
    if (idle_) {
        idle_->Input(imp_->Milliseconds());
    }
}

void Application::ScheduleIdleWork() {
    InputArrived();
}

void Application::IdleTimerFired() {
    if (idle_) {
        idle_->TimerFired(imp_->Milliseconds());
    }
}

void Application::MainWindowDestroyed() {
    RemoveIcon();
    Quit(0);
}

void Application::AddIdleHandler(IdleHandler* handler) {
    idleHandlers_.push_back(handler);
}

void Application::RemoveIdleHandler(IdleHandler* handler) {
    idleHandlers_.erase(std::remove(idleHandlers_.begin(), idleHandlers_.end(), handler),
                        idleHandlers_.end());
}

bool Application::RunIdleHandlers() {
    bool worked = false;
    const std::vector<IdleHandler*> handlers = idleHandlers_;
    for (IdleHandler* handler : handlers) {
        if (handler->enabled && handler->OnIdle(idleCounter_)) {
            worked = true;
        }
    }
    idleCounter_ = worked ? idleCounter_ + 1 : 0;
    return worked;
}

void Application::AddTopLevel(Window* window) {
    if (std::find(topLevel_.begin(), topLevel_.end(), window) == topLevel_.end()) {
        topLevel_.push_back(window);
    }
}

void Application::RemoveTopLevel(Window* window) {
    topLevel_.erase(std::remove(topLevel_.begin(), topLevel_.end(), window), topLevel_.end());
}

ApplicationDialog::~ApplicationDialog() {
    delete mainDialog_;
    mainDialog_ = nullptr;
}

Dialog* ApplicationDialog::CreateMainDialog() {
    return nullptr;
}

bool ApplicationDialog::InstantiateMainDialog() {
    mainDialog_ = CreateMainDialog();
    return mainDialog_ != nullptr;
}

bool ApplicationDialog::CreateMainWindow() {
    if (useNotificationArea && !Imp()->WaitForNotificationArea(notificationAreaWaitMilliseconds)) {
        return false;
    }
    if (!InstantiateMainDialog()) {
        return false;
    }
    mainWindow_ = mainDialog_;
    const bool show = showMainDialogAtStart || !useNotificationArea;
    if (!mainDialog_->Create(show)) {
        mainWindow_ = nullptr;
        return false;
    }
    if (useNotificationArea && !AddIcon()) {
        return false;
    }
    return true;
}

} // namespace wkit
