#include "wkit/qt/Qt_WindowImp.h"

#include "wkit/Dialog.h"
#include "wkit/qt/QtText.h"
#include "wkit/qt/Qt_GCImp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSizeGrip>
#include <QTextCursor>
#include <QWheelEvent>
#include <QWindow>

namespace wkit {

namespace {

std::uint32_t ButtonFlag(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseLeft;
    case Qt::MiddleButton:
        return MouseMiddle;
    case Qt::RightButton:
        return MouseRight;
    default:
        return 0;
    }
}

std::uint32_t MouseFlags(const QMouseEvent* event) {
    return ButtonFlag(event->button()) | ModifierFlagsOf(event->modifiers());
}

Point PointOf(const QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    return Point{at.x(), at.y()};
}

} // namespace

std::int32_t VirtualKeyOf(int key) {
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return key;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 0x70 + (key - Qt::Key_F1);
    }
    switch (key) {
    case Qt::Key_Escape:
        return KeyEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyReturn;
    case Qt::Key_Tab:
        return KeyTab;
    case Qt::Key_Backspace:
        return KeyBackspace;
    case Qt::Key_Space:
        return KeySpace;
    case Qt::Key_Delete:
        return KeyDelete;
    case Qt::Key_Shift:
        return KeyShift;
    case Qt::Key_Control:
        return KeyControl;
    case Qt::Key_Alt:
        return KeyAlt;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Insert:
        return 0x2D;
    default:
        return 0;
    }
}

std::uint32_t ModifierFlagsOf(Qt::KeyboardModifiers modifiers) {
    std::uint32_t flags = 0;
    if (modifiers & Qt::ShiftModifier) {
        flags |= MouseShift;
    }
    if (modifiers & Qt::ControlModifier) {
        flags |= MouseControl;
    }
    if (modifiers & Qt::AltModifier) {
        flags |= MouseAlt;
    }
    return flags;
}

// --- the window widget ------------------------------------------------------

Qt_WindowWidget::Qt_WindowWidget(Qt_WindowImp& imp, QWidget* parent, Qt::WindowFlags flags,
                                 Role role)
    : QDialog(parent, flags), imp_(&imp), role_(role) {
    if (flags == Qt::Widget) {
        // A dialog always makes itself a window; a client area or a child
        // window is part of its parent.
        setWindowFlags(Qt::Widget);
    }
    setMouseTracking(true);
    setSizeGripEnabled(false);
}

Window* Qt_WindowWidget::Owner() const {
    return imp_ != nullptr ? imp_->Owner() : nullptr;
}

void Qt_WindowWidget::paintEvent(QPaintEvent* event) {
    Window* owner = Owner();
    if (owner == nullptr) {
        QDialog::paintEvent(event);
        return;
    }
    if (role_ == Role::Frame) {
        imp_->PaintNonClient();
        return;
    }
    imp_->paintTarget_ = this;
    imp_->inPaint_ = true;
    const bool handled = owner->OnPaint();
    if (imp_ != nullptr) {
        imp_->inPaint_ = false;
    }
    if (!handled) {
        QDialog::paintEvent(event);
    }
}

void Qt_WindowWidget::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (role_ == Role::Client) {
        return;
    }
    if (Window* owner = Owner()) {
        const QPoint at = imp_->ClientWidget()->mapToGlobal(QPoint(0, 0));
        owner->OnMove(at.x(), at.y());
    }
}

void Qt_WindowWidget::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (role_ == Role::Client || imp_ == nullptr) {
        return;
    }
    if (role_ == Role::Frame) {
        imp_->PlaceClient();
    }
    if (Window* owner = Owner()) {
        const QWidget* client = imp_->ClientWidget();
        owner->OnSize(client->width(), client->height());
    }
}

bool Qt_WindowWidget::NonClient(QMouseEvent* event, int kind) {
    if (role_ != Role::Frame || imp_ == nullptr) {
        return false;
    }
    const QPoint at = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    const bool right = event->button() == Qt::RightButton;
    NonClientEvent which = NonClientEvent::Move;
    switch (kind) {
    case 0:
        which = right ? NonClientEvent::RightDown : NonClientEvent::LeftDown;
        break;
    case 1:
        which = right ? NonClientEvent::RightUp : NonClientEvent::LeftUp;
        break;
    case 2:
        which = NonClientEvent::LeftDoubleClick;
        break;
    default:
        which = NonClientEvent::Move;
        break;
    }
    if ((kind == 0 || kind == 1 || kind == 2) && event->button() != Qt::LeftButton && !right) {
        return true;
    }
    imp_->NonClientMouse(which, ModifierFlagsOf(event->modifiers()) | ButtonFlag(event->button()),
                         Point{at.x(), at.y()}, Point{global.x(), global.y()});
    return true;
}

void Qt_WindowWidget::closeEvent(QCloseEvent* event) {
    Window* owner = Owner();
    if (owner == nullptr) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    if (owner->OnClose()) {
        return;
    }
    if (Dialog* dialog = imp_->OwnerDialog()) {
        dialog->ControlClicked(IdCancel);
    } else {
        imp_->Destroy();
    }
}

void Qt_WindowWidget::reject() {
    if (Dialog* dialog = imp_ != nullptr ? imp_->OwnerDialog() : nullptr) {
        dialog->ControlClicked(IdCancel);
    } else if (imp_ == nullptr) {
        QDialog::reject();
    }
}

void Qt_WindowWidget::keyPressEvent(QKeyEvent* event) {
    Window* owner = Owner();
    const std::int32_t key = VirtualKeyOf(event->key());
    if (owner != nullptr && owner->OnKeyDown(key, ModifierFlagsOf(event->modifiers()))) {
        return;
    }
    if (owner != nullptr && !event->text().isEmpty() &&
        owner->OnChar(event->text().at(0).unicode())) {
        return;
    }
    QDialog::keyPressEvent(event);
}

void Qt_WindowWidget::keyReleaseEvent(QKeyEvent* event) {
    Window* owner = Owner();
    if (owner == nullptr ||
        !owner->OnKeyUp(VirtualKeyOf(event->key()), ModifierFlagsOf(event->modifiers()))) {
        QDialog::keyReleaseEvent(event);
    }
}

void Qt_WindowWidget::mousePressEvent(QMouseEvent* event) {
    if (NonClient(event, 0)) {
        return;
    }
    Window* owner = Owner();
    if (owner == nullptr || !owner->OnMouseDown(MouseFlags(event), PointOf(event))) {
        QDialog::mousePressEvent(event);
    }
}

void Qt_WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (NonClient(event, 1)) {
        return;
    }
    Window* owner = Owner();
    if (owner == nullptr || !owner->OnMouseUp(MouseFlags(event), PointOf(event))) {
        QDialog::mouseReleaseEvent(event);
    }
}

void Qt_WindowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (NonClient(event, 2)) {
        return;
    }
    Window* owner = Owner();
    if (owner == nullptr || !owner->OnMouseDoubleClick(MouseFlags(event), PointOf(event))) {
        QDialog::mouseDoubleClickEvent(event);
    }
}

void Qt_WindowWidget::mouseMoveEvent(QMouseEvent* event) {
    if (NonClient(event, 3)) {
        return;
    }
    Window* owner = Owner();
    if (owner == nullptr || !owner->OnMouseMove(PointOf(event))) {
        QDialog::mouseMoveEvent(event);
    }
}

void Qt_WindowWidget::wheelEvent(QWheelEvent* event) {
    Window* owner = Owner();
    if (owner == nullptr || !owner->OnMouseWheel(event->angleDelta().y())) {
        QDialog::wheelEvent(event);
    }
}

void Qt_WindowWidget::leaveEvent(QEvent* event) {
    if (role_ == Role::Frame && imp_ != nullptr) {
        imp_->NonClientMouse(NonClientEvent::Leave, 0, Point{}, Point{});
    } else if (Window* owner = Owner()) {
        owner->OnMouseLeave();
    }
    QDialog::leaveEvent(event);
}

void Qt_WindowWidget::focusInEvent(QFocusEvent* event) {
    if (Window* owner = Owner()) {
        owner->OnSetFocus();
    }
    QDialog::focusInEvent(event);
}

void Qt_WindowWidget::focusOutEvent(QFocusEvent* event) {
    if (Window* owner = Owner()) {
        owner->OnKillFocus();
    }
    QDialog::focusOutEvent(event);
}

void Qt_WindowWidget::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && role_ != Role::Client) {
        update(); // the caption strip shows whether the window is active
        if (Window* owner = Owner()) {
            owner->OnActivate(isActiveWindow());
        }
    }
}

// --- controls -----------------------------------------------------------------

bool Qt_ControlFilter::eventFilter(QObject*, QEvent* event) {
    Window* owner = imp_.Owner();
    if (owner == nullptr) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const std::int32_t code = VirtualKeyOf(key->key());
        const std::uint32_t flags = ModifierFlagsOf(key->modifiers());
        if (owner->WantsKey(code)) {
            owner->OnKeyDown(code, flags);
            return true;
        }
        return owner->OnKeyDown(code, flags);
    }
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return owner->OnMouseDown(MouseFlags(mouse), PointOf(mouse));
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return owner->OnMouseUp(MouseFlags(mouse), PointOf(mouse));
    }
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return owner->OnMouseDoubleClick(MouseFlags(mouse), PointOf(mouse));
    }
    case QEvent::FocusIn:
        owner->OnSetFocus();
        return false;
    case QEvent::FocusOut:
        owner->OnKillFocus();
        return false;
    case QEvent::Leave:
        owner->OnMouseLeave();
        return false;
    default:
        return false;
    }
}

// --- the back-end -------------------------------------------------------------

Qt_WindowImp::Qt_WindowImp(Window* owner) : owner_(owner) {}

Qt_WindowImp::Qt_WindowImp(Qt_WindowImp& dialog, ControlKind kind, std::int32_t id, QWidget* widget)
    : owner_(nullptr), parent_(&dialog), kind_(kind), id_(id), widget_(widget) {
    filter_ = std::make_unique<Qt_ControlFilter>(*this);
    widget->installEventFilter(filter_.get());
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        edit->viewport()->installEventFilter(filter_.get());
    }
}

Qt_WindowImp::~Qt_WindowImp() {
    for (auto& [id, control] : controls_) {
        if (control->widget_) {
            control->widget_->removeEventFilter(control->filter_.get());
            if (auto* edit = qobject_cast<QPlainTextEdit*>(control->widget_.data())) {
                edit->viewport()->removeEventFilter(control->filter_.get());
            }
        }
    }
    controls_.clear();
    if (topLevel_ && widget_) {
        static_cast<Qt_WindowWidget*>(widget_.data())->Detach();
        widget_->hide();
        widget_->deleteLater();
    }
}

Dialog* Qt_WindowImp::OwnerDialog() const {
    return dynamic_cast<Dialog*>(owner_);
}

static QWidget* WidgetOf(Window* window) {
    if (window == nullptr || window->Imp() == nullptr) {
        return nullptr;
    }
    return static_cast<Qt_WindowImp*>(window->Imp())->Widget();
}

bool Qt_WindowImp::CreatePlain(Window* parent) {
    if (Exists()) {
        return false;
    }
    QWidget* parentWidget = WidgetOf(parent);
    if (parentWidget != nullptr) {
        auto* widget = new Qt_WindowWidget(*this, parentWidget, Qt::Widget);
        widget->setGeometry(100, 100, 300, 300);
        widget_ = widget;
        id_ = 1200;
        widget->show();
    } else {
        auto* widget = new Qt_WindowWidget(*this, nullptr, Qt::Window);
        widget->setGeometry(100, 100, 300, 300);
        widget_ = widget;
        topLevel_ = true;
    }
    destroyed_ = false;
    return true;
}

bool Qt_WindowImp::Build(const DialogTemplate& source, Window* parent) {
    if (Exists()) {
        return false;
    }
    Qt::WindowFlags flags = Qt::Dialog;
    if ((source.style & ToolWindow) != 0) {
        flags = Qt::Tool;
    }
    if ((source.style & OwnCaption) != 0) {
        flags |= Qt::FramelessWindowHint;
    } else if ((source.style & NoCloseBox) != 0) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    }
    const bool ownCaption = (source.style & OwnCaption) != 0;
    auto* widget = new Qt_WindowWidget(*this, WidgetOf(parent), flags,
                                       ownCaption ? Qt_WindowWidget::Role::Frame
                                                  : Qt_WindowWidget::Role::Whole);
    widget_ = widget;
    topLevel_ = true;
    destroyed_ = false;
    sizable_ = (source.style & SizingBorder) != 0;
    fixedSize_ = !sizable_ && !ownCaption;
    captionButtons_ = (source.style & MinimiseBox) != 0 ? 2 : 1;
    if (ownCaption) {
        client_ = new Qt_WindowWidget(*this, widget, Qt::Widget, Qt_WindowWidget::Role::Client);
        client_->setMouseTracking(true);
    }
    widget->setWindowTitle(QString::fromUtf8(source.caption != nullptr ? source.caption : ""));

    Qt_FontImp font;
    font.Create(source.fontFace, source.fontPoints, 1, 0, 2, 0);
    widget->setFont(font.QtFont());
    // Dialog units from the font's average character width and height.
    const QFontMetrics metrics(font.QtFont());
    const std::int32_t letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const std::int32_t baseX = (letters / 26 + 1) / 2;
    const std::int32_t baseY = metrics.height();
    SetClientSize(ScaleRounded(source.width, baseX, 4), ScaleRounded(source.height, baseY, 8));
    PlaceClient();
    if ((source.style & SizingBorder) == 0 && (source.style & OwnCaption) == 0) {
        widget->setSizeGripEnabled(false);
    }
    for (std::size_t i = 0; i < source.controlCount; ++i) {
        AddControl(source.controls[i], baseX, baseY);
    }
    return true;
}

void Qt_WindowImp::AddControl(const ControlTemplate& control, std::int32_t baseX,
                              std::int32_t baseY) {
    const QRect rect(ScaleRounded(control.x, baseX, 4), ScaleRounded(control.y, baseY, 8),
                     ScaleRounded(control.width, baseX, 4), ScaleRounded(control.height, baseY, 8));
    MakeControl(control.kind, control.id,
                QString::fromUtf8(control.text != nullptr ? control.text : ""), rect,
                control.style);
}

Qt_WindowImp* Qt_WindowImp::MakeControl(ControlKind kind, std::int32_t id, const QString& text,
                                        const QRect& rect, std::uint32_t style) {
    QWidget* parent = ClientWidget();
    QWidget* widget = nullptr;
    switch (kind) {
    case ControlKind::Edit: {
        auto* edit = new QPlainTextEdit(parent);
        edit->setFrameShape(QFrame::NoFrame);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setTabChangesFocus((style & WantReturn) == 0);
        edit->setPlainText(text);
        widget = edit;
        break;
    }
    case ControlKind::CheckBox:
        widget = new QCheckBox(text, parent);
        break;
    case ControlKind::Button:
    case ControlKind::DefaultButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(kind == ControlKind::DefaultButton);
        widget = button;
        break;
    }
    case ControlKind::Static:
    case ControlKind::CentredStatic: {
        // A static control shows its text as written: no rich text, no links.
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setText(QString(text).replace(QStringLiteral("&&"), QStringLiteral("&")));
        label->setWordWrap(true);
        label->setAlignment(kind == ControlKind::CentredStatic ? Qt::AlignHCenter | Qt::AlignTop
                                                               : Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case ControlKind::Placeholder:
        widget = new QWidget(parent);
        break;
    case ControlKind::SizeGrip:
        widget = new QSizeGrip(parent);
        break;
    }
    widget->setGeometry(rect);
    widget->setVisible((style & Hidden) == 0);
    auto imp = std::make_unique<Qt_WindowImp>(*this, kind, id, widget);
    Qt_WindowImp* made = imp.get();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QObject::connect(button, &QAbstractButton::clicked, button, [this, id] {
            if (Dialog* dialog = OwnerDialog()) {
                dialog->ControlClicked(id);
            }
        });
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this, id] {
            if (Dialog* dialog = OwnerDialog()) {
                dialog->OnNotification(id, EditChanged);
            }
        });
    }
    controls_[id] = std::move(imp);
    return made;
}

bool Qt_WindowImp::CreateDialog(const DialogTemplate& source, Window* parent) {
    if (!Build(source, parent)) {
        return false;
    }
    if (Dialog* dialog = OwnerDialog()) {
        dialog->InitDialog();
    }
    return Exists();
}

std::int32_t Qt_WindowImp::RunModal(const DialogTemplate& source, Window* parent) {
    if (!Build(source, parent)) {
        return -1;
    }
    QPointer<QWidget> widget = widget_;
    if (Dialog* dialog = OwnerDialog()) {
        dialog->InitDialog();
    }
    std::int32_t code = IdCancel;
    if (widget && !destroyed_) {
        auto* dialog = static_cast<QDialog*>(widget.data());
        dialog->setModal(true);
        code = dialog->exec();
    }
    Destroy();
    return code;
}

void Qt_WindowImp::EndDialog(std::int32_t code) {
    if (widget_ && topLevel_) {
        static_cast<QDialog*>(widget_.data())->done(code);
    }
}

void Qt_WindowImp::Destroy() {
    if (!Exists()) {
        return;
    }
    destroyed_ = true;
    // Attached controls let go of their back-ends first.
    for (auto& [id, control] : controls_) {
        if (Window* attached = control->Owner()) {
            attached->DetachImp();
        }
    }
    if (topLevel_) {
        widget_->hide();
    }
    if (owner_ != nullptr) {
        owner_->WindowDestroyed();
    }
    controls_.clear();
    if (topLevel_ && widget_) {
        static_cast<Qt_WindowWidget*>(widget_.data())->Detach();
        // The event that led here may still be on the widget's stack.
        widget_->deleteLater();
    } else if (widget_) {
        widget_->deleteLater();
    }
    widget_.clear();
    font_.reset();
}

void Qt_WindowImp::WidgetGone() {
    destroyed_ = true;
}

void Qt_WindowImp::Show(bool show) {
    if (widget_) {
        widget_->setVisible(show);
    }
}

bool Qt_WindowImp::IsVisible() const {
    return widget_ && widget_->isVisible();
}

void Qt_WindowImp::SetText(const plat::String& text) {
    if (!widget_) {
        return;
    }
    const QString value = ToQt(text);
    if (topLevel_) {
        widget_->setWindowTitle(value);
        widget_->update(); // a caption of its own shows the title
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_.data())) {
        const QSignalBlocker quiet(edit);
        edit->setPlainText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget_.data())) {
        button->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(widget_.data())) {
        label->setText(value);
    }
}

plat::String Qt_WindowImp::GetText() const {
    if (!widget_) {
        return plat::String();
    }
    if (topLevel_) {
        return FromQt(widget_->windowTitle());
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_.data())) {
        return FromQt(edit->toPlainText());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget_.data())) {
        return FromQt(button->text());
    }
    if (auto* label = qobject_cast<QLabel*>(widget_.data())) {
        return FromQt(label->text());
    }
    return plat::String();
}

Rect Qt_WindowImp::GetWindowRect() const {
    if (!widget_) {
        return Rect{};
    }
    return FromQt(topLevel_ ? widget_->frameGeometry() : widget_->geometry());
}

Rect Qt_WindowImp::GetClientRect() const {
    const QWidget* client = ClientWidget();
    return client != nullptr ? Rect::FromSize(0, 0, client->width(), client->height()) : Rect{};
}

void Qt_WindowImp::SetWindowRect(const Rect& rect) {
    if (!widget_) {
        return;
    }
    if (!topLevel_) {
        widget_->setGeometry(ToQt(rect));
        return;
    }
    // The frame belongs to the window manager: place the frame, size the client.
    const QRect frame = widget_->frameGeometry();
    const QRect client = widget_->geometry();
    const int extraWidth = frame.width() - client.width();
    const int extraHeight = frame.height() - client.height();
    Resize(std::max(0, rect.Width() - extraWidth), std::max(0, rect.Height() - extraHeight));
    widget_->move(rect.left, rect.top);
}

void Qt_WindowImp::SetClientSize(std::int32_t width, std::int32_t height) {
    if (!widget_) {
        return;
    }
    if (HasOwnCaption()) {
        Resize(width + 2 * Border(), height + 2 * Border() + CaptionHeight());
        PlaceClient();
    } else {
        Resize(width, height);
    }
}

void Qt_WindowImp::Resize(std::int32_t width, std::int32_t height) {
    if (fixedSize_ && topLevel_) {
        widget_->setFixedSize(width, height);
    } else {
        widget_->resize(width, height);
    }
}

Point Qt_WindowImp::ClientOrigin() const {
    if (!widget_) {
        return Point{};
    }
    const QPoint at = ClientWidget()->mapToGlobal(QPoint(0, 0));
    return Point{at.x(), at.y()};
}

void Qt_WindowImp::SetMinimumClientSize(std::int32_t width, std::int32_t height) {
    if (!widget_) {
        return;
    }
    if (HasOwnCaption()) {
        widget_->setMinimumSize(width + 2 * Border(), height + 2 * Border() + CaptionHeight());
    } else {
        widget_->setMinimumSize(width, height);
    }
}

void Qt_WindowImp::Enable(bool enable) {
    if (widget_) {
        widget_->setEnabled(enable);
    }
}

bool Qt_WindowImp::IsEnabled() const {
    return widget_ && widget_->isEnabled();
}

void Qt_WindowImp::Invalidate() {
    if (widget_) {
        widget_->update();
    }
}

void Qt_WindowImp::SetFocus() {
    if (widget_) {
        widget_->setFocus(Qt::OtherFocusReason);
    }
}

void Qt_WindowImp::Activate() {
    if (widget_) {
        widget_->show();
        widget_->raise();
        widget_->activateWindow();
    }
}

void Qt_WindowImp::SetTopmost(bool topmost) {
    if (!widget_ || !topLevel_) {
        return;
    }
    if (widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) {
        return;
    }
    const bool visible = widget_->isVisible();
    widget_->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (visible) {
        widget_->show();
    }
}

void Qt_WindowImp::Lower() {
    if (widget_) {
        widget_->lower();
    }
}

void Qt_WindowImp::CaptureMouse(bool capture) {
    if (!widget_) {
        return;
    }
    if (capture) {
        widget_->grabMouse();
    } else {
        widget_->releaseMouse();
    }
}

void Qt_WindowImp::SetCursorShape(CursorShape shape) {
    if (!widget_) {
        return;
    }
    switch (shape) {
    case CursorShape::Arrow:
        widget_->unsetCursor();
        break;
    case CursorShape::None:
        widget_->setCursor(Qt::BlankCursor);
        break;
    case CursorShape::Wait:
        widget_->setCursor(Qt::WaitCursor);
        break;
    case CursorShape::Hand:
        widget_->setCursor(Qt::PointingHandCursor);
        break;
    }
}

Font* Qt_WindowImp::GetFont() {
    if (!widget_) {
        return nullptr;
    }
    if (!font_) {
        font_ = std::make_unique<Font>(std::make_unique<Qt_FontImp>(widget_->font()));
    }
    return font_.get();
}

std::unique_ptr<GCImp> Qt_WindowImp::CreateGC(bool paintCycle) {
    if (paintCycle && inPaint_ && paintTarget_ != nullptr) {
        return std::make_unique<Qt_GCImp>(paintTarget_, true);
    }
    return std::make_unique<Qt_GCImp>(ClientWidget(), false);
}

// --- a window with its own caption -------------------------------------------

std::int32_t Qt_WindowImp::Border() const {
    return sizable_ ? 4 : 1;
}

std::int32_t Qt_WindowImp::CaptionHeight() const {
    const QFontMetrics metrics(QApplication::font());
    return std::max(16, metrics.height() + 4);
}

Rect Qt_WindowImp::CloseBox() const {
    const std::int32_t size = CaptionHeight() - 4;
    const std::int32_t right = widget_->width() - Border() - 2;
    const std::int32_t top = Border() + 2;
    return Rect{right - size, top, right, top + size};
}

Rect Qt_WindowImp::CaptionButtonRect(std::int32_t fromRight) const {
    if (!widget_ || !HasOwnCaption()) {
        return Rect{};
    }
    Rect box = CloseBox();
    box.Offset(-fromRight * (box.Width() + 2), 0);
    return box;
}

std::int32_t Qt_WindowImp::DefaultHitTest(Point p) const {
    const std::int32_t width = widget_->width();
    const std::int32_t height = widget_->height();
    const std::int32_t border = Border();
    if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height) {
        return HitNowhere;
    }
    if (sizable_) {
        // Corners take a little more than the border, so that they can be found.
        const std::int32_t corner = border + 8;
        const bool left = p.x < border, right = p.x >= width - border;
        const bool top = p.y < border, bottom = p.y >= height - border;
        if ((top || p.y < corner) && (left || p.x < corner) && (top || left)) {
            return HitTopLeft;
        }
        if ((top || p.y < corner) && (right || p.x >= width - corner) && (top || right)) {
            return HitTopRight;
        }
        if ((bottom || p.y >= height - corner) && (left || p.x < corner) && (bottom || left)) {
            return HitBottomLeft;
        }
        if ((bottom || p.y >= height - corner) && (right || p.x >= width - corner) &&
            (bottom || right)) {
            return HitBottomRight;
        }
        if (top) {
            return HitTop;
        }
        if (bottom) {
            return HitBottom;
        }
        if (left) {
            return HitLeft;
        }
        if (right) {
            return HitRight;
        }
    }
    if (p.y < border + CaptionHeight()) {
        return CloseBox().Contains(p) ? HitCloseButton : HitCaption;
    }
    return HitClient;
}

void Qt_WindowImp::PlaceClient() {
    if (HasOwnCaption() && widget_) {
        const std::int32_t border = Border();
        client_->setGeometry(border, border + CaptionHeight(),
                             std::max(0, widget_->width() - 2 * border),
                             std::max(0, widget_->height() - 2 * border - CaptionHeight()));
    }
}

void Qt_WindowImp::PaintNonClient() {
    QWidget* frame = widget_;
    const bool active = frame->isActiveWindow();
    {
        Qt_GCImp gc(frame, true);
        const Rect whole = Rect::FromSize(0, 0, frame->width(), frame->height());
        DrawState state;
        state.brushColour = FromQtColour(frame->palette().color(QPalette::Window));
        gc.Rectangle(whole, 1, state);
        gc.Frame(whole, false);
        const std::int32_t border = Border();
        // The text is centred on the strip but never runs under a button.
        gc.CaptionWithin(Rect{border, border, frame->width() - border, border + CaptionHeight()},
                         GetText(), active, CaptionButtonRect(captionButtons_ - 1).left - 2);
        const ButtonState state2 = !active && closeState_ == 1
                                       ? ButtonState::Inactive
                                       : static_cast<ButtonState>(closeState_);
        gc.CaptionButtonGlyph(CloseBox(), CaptionButton::Close, state2);
    }
    if (owner_ != nullptr) {
        paintTarget_ = frame;
        inPaint_ = true;
        owner_->OnNonClientPaint();
        inPaint_ = false;
        paintTarget_ = nullptr;
    }
}

bool Qt_WindowImp::NonClientMouse(NonClientEvent event, std::uint32_t flags, Point point,
                                  Point global) {
    if (!widget_) {
        return false;
    }
    const QPoint at(global.x, global.y);
    if (dragging_) {
        // Moving or sizing by hand, where the window manager does not offer it.
        if (event == NonClientEvent::Move) {
            const QPoint delta = at - dragStart_;
            QRect rect = dragGeometry_;
            switch (dragHit_) {
            case HitCaption:
                rect.translate(delta);
                break;
            default:
                if (dragHit_ == HitLeft || dragHit_ == HitTopLeft || dragHit_ == HitBottomLeft) {
                    rect.setLeft(
                        std::min(rect.left() + delta.x(), rect.right() - widget_->minimumWidth()));
                }
                if (dragHit_ == HitRight || dragHit_ == HitTopRight || dragHit_ == HitBottomRight) {
                    rect.setRight(rect.right() + delta.x());
                }
                if (dragHit_ == HitTop || dragHit_ == HitTopLeft || dragHit_ == HitTopRight) {
                    rect.setTop(
                        std::min(rect.top() + delta.y(), rect.bottom() - widget_->minimumHeight()));
                }
                if (dragHit_ == HitBottom || dragHit_ == HitBottomLeft ||
                    dragHit_ == HitBottomRight) {
                    rect.setBottom(rect.bottom() + delta.y());
                }
                break;
            }
            widget_->setGeometry(rect);
        } else if (event == NonClientEvent::LeftUp) {
            dragging_ = false;
            widget_->releaseMouse();
        }
        return true;
    }
    std::int32_t hit = event == NonClientEvent::Leave ? HitNowhere : DefaultHitTest(point);
    Window* owner = owner_;
    if (owner != nullptr && event != NonClientEvent::Leave) {
        hit = owner->OnNonClientHitTest(point, hit);
    }
    if (owner != nullptr && owner->OnNonClientMouse(event, flags, point, hit)) {
        return true;
    }
    // What the window does by default.
    const std::int32_t before = closeState_;
    switch (event) {
    case NonClientEvent::LeftDown:
        if (hit == HitCloseButton) {
            closeState_ = 3;
        } else if (hit == HitCaption || (hit >= HitLeft && hit <= HitBottomRight)) {
            QWindow* window = widget_->windowHandle();
            bool started = false;
            if (window != nullptr) {
                if (hit == HitCaption) {
                    started = window->startSystemMove();
                } else {
                    Qt::Edges edges;
                    if (hit == HitLeft || hit == HitTopLeft || hit == HitBottomLeft)
                        edges |= Qt::LeftEdge;
                    if (hit == HitRight || hit == HitTopRight || hit == HitBottomRight)
                        edges |= Qt::RightEdge;
                    if (hit == HitTop || hit == HitTopLeft || hit == HitTopRight)
                        edges |= Qt::TopEdge;
                    if (hit == HitBottom || hit == HitBottomLeft || hit == HitBottomRight)
                        edges |= Qt::BottomEdge;
                    started = window->startSystemResize(edges);
                }
            }
            if (!started) {
                dragging_ = true;
                dragHit_ = hit;
                dragStart_ = at;
                dragGeometry_ = widget_->geometry();
                widget_->grabMouse();
            }
        }
        break;
    case NonClientEvent::LeftUp:
        if (closeState_ == 3) {
            closeState_ = 1;
            if (hit == HitCloseButton) {
                widget_->update();
                widget_->close();
                return true;
            }
        }
        break;
    case NonClientEvent::Move:
        if (closeState_ != 3) {
            closeState_ = hit == HitCloseButton ? 2 : 1;
        }
        break;
    case NonClientEvent::Leave:
        if (closeState_ != 3) {
            closeState_ = 1;
        }
        break;
    default:
        break;
    }
    if (closeState_ != before) {
        widget_->update();
    }
    return true;
}

WindowImp* Qt_WindowImp::Control(std::int32_t id) {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second.get();
}

WindowImp* Qt_WindowImp::CreateControl(ControlKind kind, std::int32_t id, const plat::String& text,
                                       const Rect& rect) {
    if (!widget_ || controls_.count(id) != 0) {
        return nullptr;
    }
    Qt_WindowImp* made = MakeControl(kind, id, ToQt(text), ToQt(rect), 0);
    made->widget_->show();
    return made;
}

void Qt_WindowImp::SetCheck(bool checked) {
    if (auto* box = qobject_cast<QAbstractButton*>(widget_.data())) {
        box->setChecked(checked);
    }
}

bool Qt_WindowImp::GetCheck() const {
    auto* box = qobject_cast<QAbstractButton*>(widget_.data());
    return box != nullptr && box->isChecked();
}

void Qt_WindowImp::SetScrollBars(std::int32_t flags) {
    scrollBars_ = flags;
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_.data())) {
        edit->setHorizontalScrollBarPolicy((flags & 1) != 0 ? Qt::ScrollBarAlwaysOn
                                                            : Qt::ScrollBarAlwaysOff);
        edit->setLineWrapMode((flags & 1) != 0 ? QPlainTextEdit::NoWrap
                                               : QPlainTextEdit::WidgetWidth);
        edit->setVerticalScrollBarPolicy((flags & 2) != 0 ? Qt::ScrollBarAlwaysOn
                                                          : Qt::ScrollBarAlwaysOff);
    }
}

void Qt_WindowImp::SelectNothing() {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_.data())) {
        QTextCursor cursor = edit->textCursor();
        cursor.movePosition(QTextCursor::Start);
        edit->setTextCursor(cursor);
    }
}

void Qt_WindowImp::SetColours(std::optional<plat::Colour> text, std::optional<plat::Colour> back) {
    if (!widget_) {
        return;
    }
    if (!text && !back) {
        widget_->setPalette(QPalette());
        widget_->setAttribute(Qt::WA_SetPalette, false);
        widget_->setAutoFillBackground(false);
        return;
    }
    QPalette palette = QApplication::palette(widget_);
    if (text) {
        palette.setColor(QPalette::Text, ToQt(*text));
        palette.setColor(QPalette::WindowText, ToQt(*text));
    }
    if (back) {
        palette.setColor(QPalette::Base, ToQt(*back));
        palette.setColor(QPalette::Window, ToQt(*back));
    }
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(back.has_value() &&
                                   qobject_cast<QLabel*>(widget_.data()) != nullptr);
}

void Qt_WindowImp::SetUnderlined(bool underlined) {
    if (widget_) {
        QFont font = widget_->font();
        font.setUnderline(underlined);
        widget_->setFont(font);
    }
}

} // namespace wkit
