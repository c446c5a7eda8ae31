#include "wkit/qt/Qt_ApplicationImp.h"

#include "wkit/Application.h"
#include "wkit/Menu.h"
#include "wkit/Window.h"
#include "wkit/qt/QtText.h"
#include "wkit/qt/Qt_GCImp.h"
#include "wkit/qt/Qt_WindowImp.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStyle>
#include <QStyleHints>
#include <QTimerEvent>
#include <QUrl>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace wkit {

namespace {

// The write end of the self-pipe: the signal handler only writes a byte, the
// event loop does the rest.
int signalPipe[2] = {-1, -1};

void OnSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    if (signalPipe[1] >= 0) {
        [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
    }
    errno = saved;
}

} // namespace

std::uint32_t Qt_Timers::Start(std::uint32_t milliseconds) {
    const int id = startTimer(static_cast<int>(milliseconds));
    return id > 0 ? static_cast<std::uint32_t>(id) : 0;
}

void Qt_Timers::Stop(std::uint32_t id) {
    killTimer(static_cast<int>(id));
}

void Qt_Timers::timerEvent(QTimerEvent* event) {
    plat::Timers::Dispatch(static_cast<std::uint32_t>(event->timerId()));
}

bool Qt_InputFilter::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            held_.insert(VirtualKeyOf(key->key()));
        }
        application_.InputArrived();
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            held_.erase(VirtualKeyOf(key->key()));
        }
        application_.InputArrived();
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        application_.InputArrived();
        break;
    case QEvent::ApplicationDeactivate:
        held_.clear();
        break;
    default:
        break;
    }
    return false;
}

bool Qt_InputFilter::IsKeyDown(std::int32_t key) const {
    const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    switch (key) {
    case plat::VkShift:
        return modifiers.testFlag(Qt::ShiftModifier);
    case plat::VkControl:
        return modifiers.testFlag(Qt::ControlModifier);
    case plat::VkAlt:
        return modifiers.testFlag(Qt::AltModifier);
    case plat::VkLeftButton:
        return buttons.testFlag(Qt::LeftButton);
    case plat::VkRightButton:
        return buttons.testFlag(Qt::RightButton);
    case plat::VkMiddleButton:
        return buttons.testFlag(Qt::MiddleButton);
    default:
        return held_.count(key) != 0;
    }
}

Qt_ApplicationImp::Qt_ApplicationImp(int argc, char** argv) : argc_(argc), argv_(argv) {
    // The toolkit wants a program name even when it was started without one.
    static char name[] = "noterix";
    static char* fallback[] = {name, nullptr};
    if (argc_ < 1 || argv_ == nullptr) {
        argc_ = 1;
        argv_ = fallback;
    }
    SetCurrent(this);
}

Qt_ApplicationImp::~Qt_ApplicationImp() {
    plat::Timers::Install(nullptr);
    plat::InstallKeyState(nullptr);
    tray_.reset();
    signals_.reset();
    if (qApp != nullptr && caretRest_) {
        qApp->removeEventFilter(caretRest_.get());
    }
    caretRest_.reset();
    if (qApp != nullptr && input_) {
        qApp->removeEventFilter(input_.get());
    }
    menus_.Clear();
    timers_.reset();
    input_.reset();
    if (Current() == this) {
        SetCurrent(nullptr);
    }
    ownedApplication_.reset();
}

bool Qt_ApplicationImp::Initialise(Application& application) {
    application_ = &application;
    if (qApp == nullptr) {
        ownedApplication_ = std::make_unique<QApplication>(argc_, argv_);
    }
    QApplication::setQuitOnLastWindowClosed(false);
    plat::String name;
    if (application.name.LoadString(name)) {
        QApplication::setApplicationName(ToQt(name));
        // An empty display name, so that X11 titles stay exactly the ones
        // the windows set: Qt would add " — Noterix" to "Noterix Options".
        QApplication::setApplicationDisplayName(QStringLiteral(""));
    }
    QIcon icon;
    if (IconPixmap(application.largeIcon.id, icon) || IconPixmap(application.smallIcon.id, icon)) {
        QApplication::setWindowIcon(icon);
    }
    clock_.start();
    timers_ = std::make_unique<Qt_Timers>();
    plat::Timers::Install(timers_.get());
    input_ = std::make_unique<Qt_InputFilter>(application);
    qApp->installEventFilter(input_.get());
    plat::InstallKeyState(input_.get());
    caretRest_ = std::make_unique<Qt_CaretRest>();
    qApp->installEventFilter(caretRest_.get());

    idleTimer_.setSingleShot(true);
    QObject::connect(&idleTimer_, &QTimer::timeout, [this] { application_->IdleTimerFired(); });
    clickTimer_.setSingleShot(true);
    QObject::connect(&clickTimer_, &QTimer::timeout, [this] { application_->ClickTimerFired(); });

    // Logging out saves as leaving through the menu does.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp, [this](QSessionManager&) {
        application_->RunEndSequence();
        Quit(0);
    });
    InstallSignalPipe();
    return true;
}

void Qt_ApplicationImp::InstallSignalPipe() {
    if (signalPipe[0] < 0) {
        if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
            signalPipe[0] = signalPipe[1] = -1;
            return;
        }
    }
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(number, &action, nullptr);
    }
    signals_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(signals_.get(), &QSocketNotifier::activated, [this] { SignalArrived(); });
}

void Qt_ApplicationImp::SignalArrived() {
    char bytes[16];
    while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    // The end sequence runs here, inside whatever loop is running, so that the
    // notes are saved even while a dialog is open.
    application_->RunEndSequence();
    Quit(0);
}

std::int32_t Qt_ApplicationImp::Run() {
    if (quitRequested_) {
        return 0;
    }
    return QApplication::exec();
}

void Qt_ApplicationImp::Quit(std::int32_t code) {
    quitRequested_ = true;
    QCoreApplication::exit(code);
}

void Qt_ApplicationImp::EndHook() {
    idleTimer_.stop();
    clickTimer_.stop();
}

std::unique_ptr<WindowImp> Qt_ApplicationImp::CreateWindowImp(Window& owner) {
    return std::make_unique<Qt_WindowImp>(&owner);
}

std::unique_ptr<FontImp> Qt_ApplicationImp::CreateFontImp() {
    return std::make_unique<Qt_FontImp>();
}

std::unique_ptr<GCImp> Qt_ApplicationImp::CreateScreenGC() {
    return std::make_unique<Qt_GCImp>(nullptr, false);
}

bool Qt_ApplicationImp::WaitForNotificationArea(std::uint32_t milliseconds) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        return true;
    }
    // Desktops often start the tray after their autostart programs. The
    // toolkit announces no tray's arrival, so look twice a second.
    QEventLoop loop;
    QTimer look;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&look, &QTimer::timeout, &loop, [&loop] {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            loop.quit();
        }
    });
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    look.start(500);
    deadline.start(static_cast<int>(milliseconds));
    loop.exec();
    return !quitRequested_ && QSystemTrayIcon::isSystemTrayAvailable();
}

bool Qt_ApplicationImp::IconPixmap(std::uint16_t iconId, QIcon& out) {
    const IconTemplate* source = TemplateRegistry::Icon(iconId);
    if (source == nullptr) {
        return false;
    }
    const QPixmap pixmap(source->xpm);
    if (pixmap.isNull()) {
        return false;
    }
    out = QIcon(pixmap);
    return true;
}

bool Qt_ApplicationImp::SetIcon(std::uint16_t iconId, const plat::String& toolTip) {
    QIcon icon;
    if (!IconPixmap(iconId, icon)) {
        icon = QApplication::windowIcon();
    }
    if (!tray_) {
        tray_ = std::make_unique<QSystemTrayIcon>();
        QObject::connect(tray_.get(), &QSystemTrayIcon::activated,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             // Handled from the loop, not inside the icon's own
                             // mouse event: a command may show a menu or a modal
                             // dialog, or remove the icon.
                             QTimer::singleShot(0, qApp, [this, reason] { Activated(reason); });
                         });
    }
    tray_->setIcon(icon);
    tray_->setToolTip(ToQt(toolTip));
    tray_->show();
    return tray_->isVisible();
}

void Qt_ApplicationImp::Activated(int why) {
    const auto reason = static_cast<QSystemTrayIcon::ActivationReason>(why);
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        application_->IconActivated(IconActivation::Trigger);
        break;
    case QSystemTrayIcon::DoubleClick:
        application_->IconActivated(IconActivation::DoubleClick);
        break;
    case QSystemTrayIcon::Context:
        application_->IconActivated(IconActivation::Context);
        break;
    case QSystemTrayIcon::MiddleClick:
        application_->IconActivated(IconActivation::Middle);
        break;
    default:
        break;
    }
}

void Qt_ApplicationImp::RemoveIcon() {
    if (tray_) {
        tray_->hide();
        // The removal may come from a command of the icon's own menu, while
        // the icon's event is still being handled.
        QSystemTrayIcon* icon = tray_.release();
        icon->setParent(qApp); // freed with the application if the loop has ended
        icon->deleteLater();
    }
}

std::int32_t Qt_ApplicationImp::TrackMenu(const Menu& menu) {
    return TrackMenuAt(menu, CursorPosition());
}

void Qt_ApplicationImp::PrepareMenu(const Menu& menu) {
    QMenu& prepared = menus_.Prepare(menu);
    // Styled, laid out and with its window made: what the first showing
    // would otherwise do while the user waits.
    prepared.ensurePolished();
    prepared.sizeHint();
    prepared.winId();
}

std::int32_t Qt_ApplicationImp::TrackMenuAt(const Menu& menu, Point at) {
    QMenu& shown = menus_.Prepare(menu);
    if (shown.isEmpty()) {
        return 0;
    }
    // The menu's bottom-right corner at the point, kept on the screen.
    const QSize size = shown.sizeHint();
    QPoint topLeft(at.x - size.width(), at.y - size.height());
    if (QScreen* screen = QGuiApplication::screenAt(QPoint(at.x, at.y))) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::max(area.left(), std::min(topLeft.x(), area.right() - size.width())));
        topLeft.setY(std::max(area.top(), std::min(topLeft.y(), area.bottom() - size.height())));
    }
    QAction* chosen = shown.exec(topLeft);
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

void Qt_ApplicationImp::StartIdleTimer(std::uint32_t milliseconds) {
    idleTimer_.start(static_cast<int>(milliseconds));
}

void Qt_ApplicationImp::StartClickTimer(std::uint32_t milliseconds) {
    clickTimer_.start(static_cast<int>(milliseconds));
}

void Qt_ApplicationImp::StopClickTimer() {
    clickTimer_.stop();
}

std::uint32_t Qt_ApplicationImp::DoubleClickInterval() const {
    return static_cast<std::uint32_t>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

std::uint64_t Qt_ApplicationImp::Milliseconds() const {
    return static_cast<std::uint64_t>(clock_.isValid() ? clock_.elapsed() : 0);
}

std::uint32_t Qt_ApplicationImp::ModifierFlags() const {
    return ModifierFlagsOf(QGuiApplication::queryKeyboardModifiers());
}

Point Qt_ApplicationImp::CursorPosition() const {
    const QPoint at = QCursor::pos();
    return Point{at.x(), at.y()};
}

Rect Qt_ApplicationImp::WorkArea() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? FromQt(screen->availableGeometry()) : Rect{0, 0, 1024, 768};
}

bool Qt_ApplicationImp::OpenUrl(const plat::String& url) {
    const QUrl link(ToQt(url), QUrl::StrictMode);
    const QString scheme = link.scheme().toLower();
    if (!link.isValid() || (scheme != "http" && scheme != "https" && scheme != "mailto")) {
        return false;
    }
    return QDesktopServices::openUrl(link);
}

std::int32_t Qt_ApplicationImp::GetMetric(Metric metric) const {
    QStyle* style = QApplication::style();
    switch (metric) {
    case ScrollBarWidth:
    case ScrollBarHeight:
        return style->pixelMetric(QStyle::PM_ScrollBarExtent);
    case SmallButtonWidth:
    case SmallButtonHeight:
        return std::max(12, style->pixelMetric(QStyle::PM_TitleBarButtonSize));
    case SizeFrameWidth:
    case SizeFrameHeight:
        return 4;
    case CaptionHeight:
        return style->pixelMetric(QStyle::PM_TitleBarHeight);
    case MenuCheckWidth:
        return style->pixelMetric(QStyle::PM_IndicatorWidth);
    }
    return 0;
}

Rect Qt_ApplicationImp::NotificationArea() const {
    if (tray_) {
        const QRect geometry = tray_->geometry();
        if (geometry.isValid() && !geometry.isEmpty()) {
            return FromQt(geometry);
        }
    }
    const Rect area = WorkArea();
    return Rect{area.right - 150, area.bottom - 30, area.right, area.bottom};
}

} // namespace wkit
