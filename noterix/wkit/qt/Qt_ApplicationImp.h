#pragma once

#include "plat/KeyState.h"
#include "plat/Timers.h"
#include "wkit/Backend.h"
#include "wkit/qt/Qt_CaretRest.h"
#include "wkit/qt/Qt_MenuBuilder.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>
#include <set>

class QApplication;
class QSocketNotifier;

namespace wkit {

class Application;

// Thread and window timers on QObject::startTimer.
class Qt_Timers : public QObject, public plat::TimerImp {
public:
    std::uint32_t Start(std::uint32_t milliseconds) override;
    void Stop(std::uint32_t id) override;

protected:
    void timerEvent(QTimerEvent* event) override;
};

// Sees every event of the application: keyboard and mouse-button input
// stamps the idle clock, and the keys held are remembered for IsKeyDown.
class Qt_InputFilter : public QObject, public plat::KeyStateImp {
public:
    explicit Qt_InputFilter(Application& application) : application_(application) {}
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool IsKeyDown(std::int32_t virtualKey) const override;

private:
    Application& application_;
    std::set<std::int32_t> held_;
};

class Qt_ApplicationImp : public ApplicationImp {
public:
    Qt_ApplicationImp(int argc, char** argv);
    ~Qt_ApplicationImp() override;

    bool Initialise(Application& application) override;
    std::int32_t Run() override;
    void Quit(std::int32_t code) override;
    void EndHook() override;

    std::unique_ptr<WindowImp> CreateWindowImp(Window& owner) override;
    std::unique_ptr<FontImp> CreateFontImp() override;
    std::unique_ptr<GCImp> CreateScreenGC() override;

    bool WaitForNotificationArea(std::uint32_t milliseconds) override;
    bool SetIcon(std::uint16_t iconId, const plat::String& toolTip) override;
    void RemoveIcon() override;
    bool IconAdded() const override { return tray_ != nullptr; }
    std::int32_t TrackMenu(const Menu& menu) override;
    std::int32_t TrackMenuAt(const Menu& menu, Point at) override;
    void PrepareMenu(const Menu& menu) override;

    void StartIdleTimer(std::uint32_t milliseconds) override;
    void StartClickTimer(std::uint32_t milliseconds) override;
    void StopClickTimer() override;
    std::uint32_t DoubleClickInterval() const override;
    std::uint64_t Milliseconds() const override;

    std::uint32_t ModifierFlags() const override;
    Point CursorPosition() const override;
    Rect WorkArea() const override;
    bool OpenUrl(const plat::String& url) override;
    std::int32_t GetMetric(Metric metric) const override;
    bool AnimationEnabled() const override { return false; }
    void Animate(const Rect&, const Rect&) override {}
    Rect NotificationArea() const override;

    // The icon pictures of the program's icon templates.
    static bool IconPixmap(std::uint16_t iconId, class QIcon& out);

private:
    void InstallSignalPipe();
    void Activated(int reason);
    void SignalArrived();

    int argc_;
    char** argv_;
    std::unique_ptr<QApplication> ownedApplication_;
    Application* application_ = nullptr;
    std::unique_ptr<Qt_Timers> timers_;
    std::unique_ptr<Qt_InputFilter> input_;
    std::unique_ptr<Qt_CaretRest> caretRest_;
    QTimer idleTimer_;
    QTimer clickTimer_;
    QElapsedTimer clock_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    Qt_MenuBuilder menus_;
    std::unique_ptr<QSocketNotifier> signals_;
    bool quitRequested_ = false;
};

} // namespace wkit
