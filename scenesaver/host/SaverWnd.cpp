#include "host/SaverWnd.h"

#include "host/Calibration.h"
#include "host/Password.h"
#include "host/PasswordDlg.h"
#include "host/StringTable.h"
#include "platform/AppProfile.h"
#include "platform/Drawing.h"
#include "platform/VirtualKeys.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

namespace {
bool IsWatchedButton(Qt::MouseButton button) {
    return button == Qt::LeftButton || button == Qt::MiddleButton || button == Qt::RightButton;
}
} // namespace

CSaverWnd::CSaverWnd(CAppProfile& profile, std::string& exitLink, std::uint32_t& calibrationCount,
                     Kind kind)
    : profile(profile), exitLink(exitLink), calibrationCount(calibrationCount), kind(kind) {
    passwordPrompt = [&profile](QWidget* owner, const std::string& /*storedForm*/) {
        CPasswordDlg dialog(profile, owner);
        return dialog.exec() == QDialog::Accepted;
    };
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    if (kind == Kind::FullScreen) {
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    }
    screen.SetPresenter([this] {
        QMetaObject::invokeMethod(
            this, [this] { Present(); }, Qt::QueuedConnection);
    });
}

CSaverWnd::~CSaverWnd() {
    if (sceneThread != nullptr) {
        sceneThread->Stop();
    }
    screen.SetPresenter({});
}

void CSaverWnd::Create(QSize logicalSize, qreal devicePixelRatio) {
    pixelRatio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    resize(logicalSize);
    screen.Resize((QSizeF(logicalSize) * pixelRatio).toSize(), ColorRefToRgb(backgroundColor));
    setCursor(Qt::BlankCursor);
    CalibrateSpeed(profile, calibrationCount);
    // The screen-saver-running flag of the system has no counterpart here.
    mute = profile.GetProfileInt(LoadStringResource(IDS_SETTINGS), LoadStringResource(IDS_MUTE),
                                 0) != 0;
}

void CSaverWnd::GrabInput() {
    if (kind != Kind::FullScreen || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return;
    }
    activateWindow();
    setFocus();
    grabKeyboard();
    grabMouse();
    inputGrabbed = true;
    RetryServerGrab(40);
}

void CSaverWnd::RetryServerGrab(int attempts) {
    // The server refuses a grab until the window is viewable, which comes a
    // moment after show(); keep asking until it takes.
    QWindow* window = windowHandle();
    if (!inputGrabbed || destroyed || window == nullptr) {
        return;
    }
    const bool keyboard = window->setKeyboardGrabEnabled(true);
    const bool mouse = window->setMouseGrabEnabled(true);
    if ((!keyboard || !mouse) && attempts > 1) {
        QTimer::singleShot(50, this, [this, attempts] { RetryServerGrab(attempts - 1); });
    }
}

void CSaverWnd::ReleaseInput() {
    if (inputGrabbed) {
        releaseMouse();
        releaseKeyboard();
        inputGrabbed = false;
    }
}

bool CSaverWnd::ExitRule(const std::string& eventName) {
    const std::string& section = LoadStringResource(IDS_SETTINGS);
    if (profile.GetProfileInt(section, LoadStringResource(IDS_STANDARD), 1) == 1 ||
        profile.GetProfileInt(section, eventName, 0) == 1) {
        PostClose();
        return true;
    }
    return false;
}

void CSaverWnd::PostClose() {
    // One close request at a time: more input before it is handled, or while
    // the prompt is open, must not stack up further prompts.
    if (closePending || prompting || destroyed) {
        return;
    }
    closePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            closePending = false;
            OnClose();
        },
        Qt::QueuedConnection);
}

void CSaverWnd::OnMouseMove(QPoint position) {
    if (kind != Kind::FullScreen) {
        return;
    }
    if (mouseAnchor == QPoint(-1, -1)) {
        mouseAnchor = position;
    } else if (position != mouseAnchor) {
        ExitRule(LoadStringResource(IDS_MOUSE_MOVE));
    }
}

void CSaverWnd::OnButtonDown() {
    if (kind == Kind::FullScreen) {
        ExitRule(LoadStringResource(IDS_BUTTON_DOWN));
    }
}

void CSaverWnd::OnDoubleClick() {
    if (kind == Kind::FullScreen) {
        ExitRule(LoadStringResource(IDS_DOUBLE_CLICK));
    }
}

bool CSaverWnd::SelectsLink(int virtualKey) {
    switch (triggerKey) {
    case 0:
        return virtualKey == VK_RETURN;
    case 1:
        return virtualKey == VK_F12;
    case 2:
        return virtualKey == VK_SPACE;
    case 3:
        return virtualKey == VK_RETURN || virtualKey == VK_F12 || virtualKey == VK_SPACE;
    default:
        return false;
    }
}

void CSaverWnd::OnKeyDown(int virtualKey) {
    if (kind != Kind::FullScreen) {
        return;
    }
    {
        std::lock_guard lock(linkMutex);
        if (SelectsLink(virtualKey)) {
            exitLink = linkText;
        }
    }
    if (!ExitRule(LoadStringResource(IDS_KEY_DOWN)) && virtualKey == VK_ESCAPE &&
        profile.GetProfileInt(LoadStringResource(IDS_SETTINGS), LoadStringResource(IDS_ESCAPE),
                              0) == 1) {
        PostClose();
    }
}

void CSaverWnd::OnSysKeyDown(int /*virtualKey*/) {
    if (kind == Kind::FullScreen) {
        ExitRule(LoadStringResource(IDS_KEY_DOWN));
    }
}

void CSaverWnd::OnClose() {
    if (destroyed) {
        return;
    }
    if (kind != Kind::FullScreen) {
        DestroyWindow();
        return;
    }
    const std::string stored = StoredPassword(profile);
    const bool ask = SystemRequiresSaverPassword() && !stored.empty();
    setCursor(Qt::ArrowCursor);
    if (!ask) {
        DestroyWindow();
        return;
    }
    ReleaseInput();
    prompting = true;
    const bool accepted = passwordPrompt(this, stored);
    prompting = false;
    if (accepted) {
        DestroyWindow();
        return;
    }
    // The user stays; the pointer where the prompt left it is the new rest
    // position, so that the hand still on the mouse does not end it at once.
    mouseAnchor = mapFromGlobal(QCursor::pos());
    setCursor(Qt::BlankCursor);
    if (isVisible()) {
        GrabInput();
    }
}

void CSaverWnd::DestroyWindow() {
    if (destroyed) {
        return;
    }
    destroyed = true;
    if (sceneThread != nullptr) {
        sceneThread->Stop();
    }
    ReleaseInput();
    hide();
    QCoreApplication::exit(0);
}

void CSaverWnd::SetBackgroundColor(std::uint32_t colour, std::uint32_t operation) {
    backgroundColor = colour;
    rasterOperation = operation;
    screen.Fill(ColorRefToRgb(colour));
}

void CSaverWnd::SetLink(const std::string& text, std::int32_t trigger) {
    std::lock_guard lock(linkMutex);
    linkText = text;
    triggerKey = trigger;
}

void CSaverWnd::ClearLink() {
    SetLink({}, -1);
}

void CSaverWnd::KeyPressed(int qtKey, Qt::KeyboardModifiers modifiers) {
    const int virtualKey = VirtualKeyFromQtKey(qtKey);
    // Keys pressed with Alt held, Alt itself and F10 are system keys.
    const bool system =
        (modifiers & Qt::AltModifier) || virtualKey == VK_MENU || virtualKey == VK_F10;
    if (system && virtualKey == VK_F4) {
        return; // Alt+F4 is dropped before it is seen at all
    }
    if (system) {
        OnSysKeyDown(virtualKey);
    } else {
        OnKeyDown(virtualKey);
    }
}

bool CSaverWnd::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Taken before focus navigation can eat Tab and Backtab.
        const auto* key = static_cast<QKeyEvent*>(event);
        KeyPressed(key->key(), key->modifiers());
        return true;
    }
    case QEvent::ShortcutOverride:
        event->accept();
        return true;
    case QEvent::MouseMove:
        // From the global position: while the pointer is grabbed, moves on
        // another X screen arrive here with no position inside this window.
        OnMouseMove(mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()));
        return true;
    case QEvent::MouseButtonPress:
        if (IsWatchedButton(static_cast<QMouseEvent*>(event)->button())) {
            OnButtonDown();
        }
        return true;
    case QEvent::MouseButtonDblClick:
        if (IsWatchedButton(static_cast<QMouseEvent*>(event)->button())) {
            OnDoubleClick();
        }
        return true;
    default:
        return QWidget::event(event);
    }
}

void CSaverWnd::Present() {
    const QRect dirty = screen.TakeDirty();
    if (dirty.isEmpty()) {
        return;
    }
    const QRectF logical(QPointF(dirty.topLeft()) / pixelRatio, QSizeF(dirty.size()) / pixelRatio);
    update(logical.toAlignedRect());
}

void CSaverWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area = event->rect();
    const QRect source(
        (QRectF(area.topLeft() * pixelRatio, QSizeF(area.size()) * pixelRatio)).toAlignedRect());
    {
        auto lock = screen.Lock();
        if (!screen.Image().isNull()) {
            painter.drawImage(QRectF(area), screen.Image(), QRectF(source));
        }
    }
    // Whatever lies outside the back buffer is the background colour.
    const QRect covered(QPoint(0, 0), (QSizeF(screen.Size()) / pixelRatio).toSize());
    const QRegion outside = QRegion(area) - QRegion(covered);
    for (const QRect& rect : outside) {
        painter.fillRect(rect, QColor(ColorRefToRgb(backgroundColor)));
    }
}

void CSaverWnd::closeEvent(QCloseEvent* event) {
    // Close requests from the window manager are not ours to follow; the
    // saver ends only by its exit rules or a termination signal.
    event->ignore();
}
