#include "wkit/recording/Recording_ApplicationImp.h"

#include "wkit/Application.h"
#include "wkit/recording/Recording_WindowImp.h"

namespace wkit {

Recording_ApplicationImp::Recording_ApplicationImp() {
    SetCurrent(this);
}

Recording_ApplicationImp::~Recording_ApplicationImp() {
    if (Current() == this) {
        SetCurrent(nullptr);
    }
}

bool Recording_ApplicationImp::Initialise(Application& application) {
    application_ = &application;
    return true;
}

std::int32_t Recording_ApplicationImp::Run() {
    quitCode = -1;
    if (session) {
        session();
    }
    return quitCode < 0 ? 0 : quitCode;
}

void Recording_ApplicationImp::Quit(std::int32_t code) {
    quitCode = code;
}

void Recording_ApplicationImp::InjectIconFlags(std::uint32_t flags) {
    if (application_ != nullptr && iconAdded_) {
        application_->HandleIconFlags(flags);
    }
}

void Recording_ApplicationImp::InjectActivation(IconActivation reason,
                                                std::uint32_t heldModifiers) {
    modifiers = heldModifiers;
    if (application_ != nullptr && iconAdded_) {
        application_->IconActivated(reason);
    }
}

void Recording_ApplicationImp::ElapseClickTimer() {
    if (clickTimerArmed_ && application_ != nullptr) {
        clickTimerArmed_ = false;
        application_->ClickTimerFired();
    }
}

void Recording_ApplicationImp::FireIdleTimer() {
    if (application_ != nullptr) {
        application_->IdleTimerFired();
    }
}

std::unique_ptr<WindowImp> Recording_ApplicationImp::CreateWindowImp(Window& owner) {
    return std::make_unique<Recording_WindowImp>(*this, &owner);
}

std::unique_ptr<FontImp> Recording_ApplicationImp::CreateFontImp() {
    return std::make_unique<Recording_FontImp>();
}

std::unique_ptr<GCImp> Recording_ApplicationImp::CreateScreenGC() {
    return std::make_unique<Recording_GCImp>(WorkArea());
}

bool Recording_ApplicationImp::SetIcon(std::uint16_t, const plat::String& toolTip) {
    if (!trayAvailable) {
        return false;
    }
    iconLog.push_back(std::string(iconAdded_ ? "modify " : "add ") + toolTip.c_str());
    iconAdded_ = true;
    return true;
}

void Recording_ApplicationImp::RemoveIcon() {
    if (iconAdded_) {
        iconLog.emplace_back("remove");
        iconAdded_ = false;
    }
}

namespace {
std::vector<std::string> ItemTexts(const Menu& menu) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < menu.Count(); ++i) {
        const MenuItem& item = menu.At(i);
        texts.push_back(item.kind == MenuItem::Separator ? std::string("-") : item.text.c_str());
    }
    return texts;
}
} // namespace

void Recording_ApplicationImp::PrepareMenu(const Menu& menu) {
    preparedMenus.push_back(ItemTexts(menu));
}

std::int32_t Recording_ApplicationImp::TrackMenu(const Menu& menu) {
    shownMenus.push_back(ItemTexts(menu));
    menus.push_back(std::make_shared<Menu>(menu));
    if (menuChoices.empty()) {
        return 0;
    }
    const std::int32_t choice = menuChoices.front();
    menuChoices.pop_front();
    return choice;
}

bool Recording_ApplicationImp::OpenUrl(const plat::String& url) {
    openedUrls.emplace_back(url.c_str());
    return true;
}

std::int32_t Recording_ApplicationImp::GetMetric(Metric metric) const {
    switch (metric) {
    case ScrollBarWidth:
    case ScrollBarHeight:
        return 16;
    case SmallButtonWidth:
    case SmallButtonHeight:
        return 16;
    case SizeFrameWidth:
    case SizeFrameHeight:
        return 4;
    case CaptionHeight:
        return 18;
    case MenuCheckWidth:
        return 13;
    }
    return 0;
}

void Recording_ApplicationImp::RecordModal(ShownDialog shown) {
    dialogs.push_back(std::move(shown));
}

bool Recording_ApplicationImp::NextAnswer(ScriptedAnswer& answer) {
    if (answers.empty()) {
        return false;
    }
    answer = answers.front();
    answers.pop_front();
    return true;
}

} // namespace wkit
