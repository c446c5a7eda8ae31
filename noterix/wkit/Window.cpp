#include "wkit/Window.h"

#include "plat/Timers.h"
#include "wkit/Application.h"
#include "wkit/GC.h"

namespace wkit {

Window::Window(Window* parent) : parent_(parent) {}

Window::~Window() {
    plat::Timers::StopWindowTimers(this);
    if (ownedImp_) {
        ownedImp_->Destroy();
        ownedImp_->SetOwner(nullptr);
        ownedImp_.reset();
    } else if (imp_ != nullptr) {
        imp_->SetOwner(nullptr);
    }
    imp_ = nullptr;
}

bool Window::OnDestroy() {
    return false;
}
bool Window::OnPaint() {
    return false;
}
bool Window::OnMove(std::int32_t, std::int32_t) {
    return false;
}
bool Window::GetMinimumSize(std::int32_t&, std::int32_t&) {
    return false;
}
bool Window::OnSize(std::int32_t, std::int32_t) {
    return false;
}
bool Window::OnSetFocus() {
    return false;
}
bool Window::OnKillFocus() {
    return false;
}
bool Window::OnCancelMode() {
    return false;
}
bool Window::OnClose() {
    return false;
}
bool Window::OnChar(std::int32_t) {
    return false;
}
bool Window::OnKeyDown(std::int32_t, std::uint32_t) {
    return false;
}
bool Window::OnKeyUp(std::int32_t, std::uint32_t) {
    return false;
}
bool Window::OnActivate(bool) {
    return false;
}
bool Window::WantsKey(std::int32_t) {
    return false;
}
bool Window::OnMouseDown(std::uint32_t, Point) {
    return false;
}
bool Window::OnMouseDoubleClick(std::uint32_t, Point) {
    return false;
}
bool Window::OnMouseUp(std::uint32_t, Point) {
    return false;
}
bool Window::OnMouseMove(Point) {
    return false;
}
bool Window::OnMouseWheel(std::int32_t) {
    return false;
}
bool Window::OnMouseLeave() {
    return false;
}
std::int32_t Window::OnNonClientHitTest(Point, std::int32_t hit) {
    return hit;
}
bool Window::OnNonClientMouse(NonClientEvent, std::uint32_t, Point, std::int32_t) {
    return false;
}
bool Window::OnNonClientPaint() {
    return false;
}
plat::String Window::DescribeText() const {
    return GetText();
}

void Window::EnsureImp() {
    if (imp_ == nullptr) {
        ApplicationImp* backend = ApplicationImp::Current();
        if (backend != nullptr) {
            ownedImp_ = backend->CreateWindowImp(*this);
            imp_ = ownedImp_.get();
        }
    }
}

bool Window::Create() {
    EnsureImp();
    return imp_ != nullptr && imp_->CreatePlain(parent_);
}

void Window::Destroy() {
    if (imp_ != nullptr) {
        imp_->Destroy();
    }
}

void Window::WindowDestroyed() {
    if (inDestroyed_) {
        return;
    }
    inDestroyed_ = true;
    plat::Timers::StopWindowTimers(this);
    Application* application = Application::Get();
    if (application != nullptr) {
        application->RemoveTopLevel(this);
        if (application->MainWindow() == this) {
            application->MainWindowDestroyed();
        }
    }
    OnDestroy();
    inDestroyed_ = false;
}

void Window::AttachImp(WindowImp* imp) {
    DetachImp();
    imp_ = imp;
    if (imp_ != nullptr) {
        imp_->SetOwner(this);
    }
}

void Window::DetachImp() {
    if (imp_ != nullptr && !ownedImp_) {
        imp_->SetOwner(nullptr);
        imp_ = nullptr;
    }
}

void Window::Show(bool show) {
    if (imp_ != nullptr) {
        imp_->Show(show);
    }
}
bool Window::IsVisible() const {
    return imp_ != nullptr && imp_->IsVisible();
}
void Window::SetText(const plat::String& text) {
    if (imp_ != nullptr) {
        imp_->SetText(text);
    }
}
plat::String Window::GetText() const {
    return imp_ != nullptr ? imp_->GetText() : plat::String();
}
Rect Window::GetWindowRect() const {
    return imp_ != nullptr ? imp_->GetWindowRect() : Rect{};
}
Rect Window::GetClientRect() const {
    return imp_ != nullptr ? imp_->GetClientRect() : Rect{};
}
void Window::SetWindowRect(const Rect& rect) {
    if (imp_ != nullptr) {
        imp_->SetWindowRect(rect);
    }
}
void Window::Move(std::int32_t x, std::int32_t y) {
    Rect rect = GetWindowRect();
    rect.Offset(x - rect.left, y - rect.top);
    SetWindowRect(rect);
}
void Window::Enable(bool enable) {
    if (imp_ != nullptr) {
        imp_->Enable(enable);
    }
}
bool Window::IsEnabled() const {
    return imp_ != nullptr && imp_->IsEnabled();
}
void Window::Invalidate() {
    if (imp_ != nullptr) {
        imp_->Invalidate();
    }
}
void Window::SetFocus() {
    if (imp_ != nullptr) {
        imp_->SetFocus();
    }
}
void Window::Activate() {
    if (imp_ != nullptr) {
        imp_->Activate();
    }
}
void Window::SetTopmost(bool topmost) {
    if (imp_ != nullptr) {
        imp_->SetTopmost(topmost);
    }
}
Font* Window::GetFont() {
    return imp_ != nullptr ? imp_->GetFont() : nullptr;
}

GC* Window::CreateGC() {
    if (imp_ == nullptr) {
        return nullptr;
    }
    return new GC(imp_->CreateGC(false));
}

void Window::ReleaseGC(GC* gc) {
    delete gc;
}

std::uint32_t Window::StartTimer(bool repeat, std::uint32_t milliseconds,
                                 void (*callback)(std::uint32_t, void*), void* data) {
    return plat::Timers::StartWindowTimer(this, repeat, milliseconds, callback, data);
}

} // namespace wkit
