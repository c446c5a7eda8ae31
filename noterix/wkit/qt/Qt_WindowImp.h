#pragma once

#include "wkit/Backend.h"
#include "wkit/GC.h"
#include "wkit/Window.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <map>
#include <memory>

namespace wkit {

class Dialog;
class Qt_WindowImp;

// The toolkit window of a wkit window or dialog: its events become the
// owner's handlers.
// A window that draws its own caption is two widgets: the frame (caption
// strip and borders, the "non-client" part) and the client inside it.
class Qt_WindowWidget : public QDialog {
public:
    enum class Role { Whole, Frame, Client };
    Qt_WindowWidget(Qt_WindowImp& imp, QWidget* parent, Qt::WindowFlags flags,
                    Role role = Role::Whole);
    void Detach() { imp_ = nullptr; }
    Role WidgetRole() const { return role_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

public:
    void reject() override;

private:
    Window* Owner() const;
    bool NonClient(QMouseEvent* event, int kind);
    Qt_WindowImp* imp_;
    Role role_;
};

// Routes a control's keys and mouse to the wkit control attached to it.
class Qt_ControlFilter : public QObject {
public:
    explicit Qt_ControlFilter(Qt_WindowImp& imp) : imp_(imp) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Qt_WindowImp& imp_;
};

class Qt_WindowImp : public WindowImp {
public:
    explicit Qt_WindowImp(Window* owner);
    // A control of a dialog.
    Qt_WindowImp(Qt_WindowImp& dialog, ControlKind kind, std::int32_t id, QWidget* widget);
    ~Qt_WindowImp() override;

    bool CreatePlain(Window* parent) override;
    bool CreateDialog(const DialogTemplate& source, Window* parent) override;
    std::int32_t RunModal(const DialogTemplate& source, Window* parent) override;
    void EndDialog(std::int32_t code) override;
    void Destroy() override;
    bool Exists() const override { return !widget_.isNull() && !destroyed_; }

    void Show(bool show) override;
    bool IsVisible() const override;
    void SetText(const plat::String& text) override;
    plat::String GetText() const override;
    Rect GetWindowRect() const override;
    Rect GetClientRect() const override;
    void SetWindowRect(const Rect& rect) override;
    void SetClientSize(std::int32_t width, std::int32_t height) override;
    Point ClientOrigin() const override;
    void SetMinimumClientSize(std::int32_t width, std::int32_t height) override;
    void Enable(bool enable) override;
    bool IsEnabled() const override;
    void Invalidate() override;
    void SetFocus() override;
    void Activate() override;
    void SetTopmost(bool topmost) override;
    void Lower() override;
    void CaptureMouse(bool capture) override;
    void SetCursorShape(CursorShape shape) override;
    Font* GetFont() override;
    std::unique_ptr<GCImp> CreateGC(bool paintCycle) override;
    Rect CaptionButtonRect(std::int32_t fromRight) const override;

    WindowImp* Control(std::int32_t id) override;
    WindowImp* CreateControl(ControlKind kind, std::int32_t id, const plat::String& text,
                             const Rect& rect) override;
    std::int32_t ControlId() const override { return id_; }
    ControlKind Kind() const override { return kind_; }
    void SetOwner(Window* owner) override { owner_ = owner; }

    void SetCheck(bool checked) override;
    bool GetCheck() const override;
    void SetScrollBars(std::int32_t flags) override;
    std::int32_t ScrollBars() const override { return scrollBars_; }
    void SelectNothing() override;
    void RemoveTextLimit() override {}
    void SetColours(std::optional<plat::Colour> text, std::optional<plat::Colour> back) override;
    void SetUnderlined(bool underlined) override;

    Window* Owner() const { return owner_; }
    Dialog* OwnerDialog() const;
    QWidget* Widget() const { return widget_; }
    // The window that gets a control's clicks and notifications.
    Qt_WindowImp* Parent() const { return parent_; }
    void WidgetGone();
    // The widget the client area is: the inner one of a window with its own caption.
    QWidget* ClientWidget() const { return client_ ? client_.data() : widget_.data(); }
    bool HasOwnCaption() const { return !client_.isNull(); }
    // Caption strip and borders of a window with its own caption.
    std::int32_t Border() const;
    std::int32_t CaptionHeight() const;
    Rect CloseBox() const;
    std::int32_t DefaultHitTest(Point point) const;
    void PlaceClient();
    void PaintNonClient();
    // The mouse over the caption and borders; true when the event was used.
    bool NonClientMouse(NonClientEvent event, std::uint32_t flags, Point point, Point global);

private:
    friend class Qt_WindowWidget;
    bool Build(const DialogTemplate& source, Window* parent);
    // Sizes the top-level widget, fixing the size of a dialog that has one.
    void Resize(std::int32_t width, std::int32_t height);
    void AddControl(const ControlTemplate& control, std::int32_t baseX, std::int32_t baseY);
    Qt_WindowImp* MakeControl(ControlKind kind, std::int32_t id, const QString& text,
                              const QRect& rect, std::uint32_t style);

    Window* owner_;
    Qt_WindowImp* parent_ = nullptr;
    ControlKind kind_ = ControlKind::Placeholder;
    std::int32_t id_ = 0;
    QPointer<QWidget> widget_;
    QPointer<QWidget> client_;
    QWidget* paintTarget_ = nullptr;
    bool sizable_ = false;
    // A dialog the user does not size: the window manager is told its size is
    // fixed, so that it offers no resize handle or maximise button either.
    bool fixedSize_ = false;
    // The caption buttons of a window with its own caption: the close box,
    // and a minimise button beside it.
    std::int32_t captionButtons_ = 1;
    std::int32_t closeState_ = 1; // 1 normal, 2 hot, 3 pressed
    bool dragging_ = false;
    std::int32_t dragHit_ = 0;
    QPoint dragStart_;
    QRect dragGeometry_;
    bool topLevel_ = false;
    bool destroyed_ = false;
    bool inPaint_ = false;
    std::int32_t scrollBars_ = 0;
    std::unique_ptr<Font> font_;
    std::unique_ptr<Qt_ControlFilter> filter_;
    std::map<std::int32_t, std::unique_ptr<Qt_WindowImp>> controls_;
};

// Key codes and flags as the handlers see them.
std::int32_t VirtualKeyOf(int qtKey);
std::uint32_t ModifierFlagsOf(Qt::KeyboardModifiers modifiers);

} // namespace wkit
