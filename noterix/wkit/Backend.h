#pragma once

// The interfaces the portable classes call and each back-end implements: the
// Qt back-end (wkit/qt) for the program, the recording one (wkit/recording)
// for tests without a display.

#include "plat/Colour.h"
#include "plat/String.h"
#include "wkit/Rect.h"
#include "wkit/Templates.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace wkit {

class Application;
class Font;
class Menu;
class Window;

// The drawing state every context starts from (see GC.h for the meaning).
struct DrawState {
    std::int32_t penStyle = 0;
    plat::Colour penColour = plat::Colour::Black;
    std::int32_t penWidth = 1;
    std::int32_t brushStyle = 0;
    plat::Colour brushColour = plat::Colour::White;
    plat::Colour extraColour = plat::Colour::White;
    std::int32_t backgroundMode = 1; // 1 transparent, other values opaque
    plat::Colour textColour = plat::Colour::Black;
    const Font* font = nullptr; // none: the window's own font
};

enum class CaptionButton { Minimise, Close };
enum class ButtonState { Normal = 1, Hot = 2, Pressed = 3, Inactive = 5 };

class FontImp {
public:
    virtual ~FontImp() = default; // slot 0
    virtual bool Create(const char* face, std::int32_t points, std::int32_t weight,
                        std::int32_t style, std::int32_t family, std::int32_t pitch) = 0; // slot 1
    virtual std::int32_t HeightInPixels() = 0;                                            // slot 2
    virtual std::int32_t HeightInPoints() = 0;                                            // slot 3
    virtual bool Underlined() const = 0;
};

// The primitive drawing operations; the portable GC keeps the state, the
// origin and the text algorithms above them.
class GCImp {
public:
    virtual ~GCImp() = default;
    virtual bool CanDraw() const = 0;
    // The area to draw in: the client area, or the part being repainted.
    virtual Rect Bounds() const = 0;
    virtual void Line(Point from, Point to, const DrawState& state) = 0;
    // mode: 0 outline, 1 fill, 2 outline and fill.
    virtual void Rectangle(const Rect& rect, std::int32_t mode, const DrawState& state) = 0;
    virtual void Ellipse(const Rect& box, std::int32_t mode, const DrawState& state) = 0;
    // Win32 DrawText flag bits; measure returns the rectangle the text needs.
    virtual void Text(const plat::String& text, const Rect& rect, std::uint32_t flags,
                      const DrawState& state) = 0;
    virtual void TextAt(const plat::String& text, Point at, const DrawState& state) = 0;
    virtual Rect Measure(const plat::String& text, const Rect& rect, std::uint32_t flags,
                         const DrawState& state) = 0;
    virtual std::int32_t TextWidth(const plat::String& text, const DrawState& state) = 0;
    // flags: 2 raised inner, 8 raised outer, 4 sunken inner, 16 sunken outer.
    virtual void Edge(const Rect& rect, std::uint32_t flags) = 0;
    virtual void FocusRect(const Rect& rect) = 0;
    virtual void ApplicationIcon(Point at) = 0;
    // Themed painting through the toolkit's style.
    virtual void Caption(const Rect& rect, const plat::String& text, bool active) = 0;
    virtual void CaptionButtonGlyph(const Rect& rect, CaptionButton button, ButtonState state) = 0;
    virtual void SizeGrip(const Rect& rect) = 0;
    virtual void Frame(const Rect& rect, bool sunken) = 0;
};

// Cursor shapes a window can ask for.
enum class CursorShape { Arrow, None, Wait, Hand };

// A window, dialog or control as the toolkit shows it. A control's
// rectangles are in its parent's client coordinates, a top-level window's in
// screen coordinates.
class WindowImp {
public:
    virtual ~WindowImp() = default;

    // Plain windows: top-level at 100,100, 300 by 300, or a child (id 1200).
    virtual bool CreatePlain(Window* parent) = 0;
    // A modeless dialog from a template; the owner's OnInitDialog runs inside.
    virtual bool CreateDialog(const DialogTemplate& source, Window* parent) = 0;
    // A modal dialog; returns the end code.
    virtual std::int32_t RunModal(const DialogTemplate& source, Window* parent) = 0;
    virtual void EndDialog(std::int32_t code) = 0;
    virtual void Destroy() = 0;
    virtual bool Exists() const = 0;

    virtual void Show(bool show) = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetText(const plat::String& text) = 0;
    virtual plat::String GetText() const = 0;
    virtual Rect GetWindowRect() const = 0;
    virtual Rect GetClientRect() const = 0;
    virtual void SetWindowRect(const Rect& rect) = 0;
    // Resizes so that the client area gets this size; the position stays.
    virtual void SetClientSize(std::int32_t width, std::int32_t height) = 0;
    // Screen position of the client area's top-left corner.
    virtual Point ClientOrigin() const = 0;
    virtual void SetMinimumClientSize(std::int32_t width, std::int32_t height) = 0;
    virtual void Enable(bool enable) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void Invalidate() = 0;
    virtual void SetFocus() = 0;
    virtual void Activate() = 0;
    virtual void SetTopmost(bool topmost) = 0;
    virtual void Lower() = 0;
    virtual void CaptureMouse(bool capture) = 0;
    virtual void SetCursorShape(CursorShape shape) = 0;
    virtual Font* GetFont() = 0;
    virtual std::unique_ptr<GCImp> CreateGC(bool paintCycle) = 0;
    // In a window that draws its own caption: the caption button's square,
    // counted from the right (0 is the close box), in window coordinates.
    virtual Rect CaptionButtonRect(std::int32_t fromRight) const = 0;

    // Controls of a dialog made from a template, by id (owned by the dialog's
    // back-end), and controls made at run time.
    virtual WindowImp* Control(std::int32_t id) = 0;
    virtual WindowImp* CreateControl(ControlKind kind, std::int32_t id, const plat::String& text,
                                     const Rect& rect) = 0;
    virtual std::int32_t ControlId() const = 0;
    virtual ControlKind Kind() const = 0;
    // Owner of the events of an attached control.
    virtual void SetOwner(Window* owner) = 0;

    // Control operations; a kind ignores those it has no use for.
    virtual void SetCheck(bool checked) = 0;
    virtual bool GetCheck() const = 0;
    virtual void SetScrollBars(std::int32_t flags) = 0; // 1 horizontal, 2 vertical
    virtual std::int32_t ScrollBars() const = 0;
    virtual void SelectNothing() = 0;
    virtual void RemoveTextLimit() = 0;
    virtual void SetColours(std::optional<plat::Colour> text, std::optional<plat::Colour> back) = 0;
    virtual void SetUnderlined(bool underlined) = 0;
};

// Activation reasons of the notification-area icon as the toolkit reports
// them; the library turns them into mouse flags.
enum class IconActivation { Trigger, DoubleClick, Context, Middle };

class ApplicationImp {
public:
    virtual ~ApplicationImp() = default;

    // The toolkit, input stamping, timers and the end signals.
    virtual bool Initialise(Application& application) = 0;
    // Runs the message loop until Quit; returns the quit code.
    virtual std::int32_t Run() = 0;
    virtual void Quit(std::int32_t code) = 0;
    // The back-end's part of the end sequence.
    virtual void EndHook() = 0;

    virtual std::unique_ptr<WindowImp> CreateWindowImp(Window& owner) = 0;
    virtual std::unique_ptr<FontImp> CreateFontImp() = 0;
    // A context for measuring text when no window is at hand.
    virtual std::unique_ptr<GCImp> CreateScreenGC() = 0;

    // The notification-area icon.
    virtual bool WaitForNotificationArea(std::uint32_t milliseconds) = 0;
    virtual bool SetIcon(std::uint16_t iconId, const plat::String& toolTip) = 0;
    virtual void RemoveIcon() = 0;
    virtual bool IconAdded() const = 0;
    // Shows the menu at the cursor, bottom-right corner there; the chosen
    // command id, or 0.
    virtual std::int32_t TrackMenu(const Menu& menu) = 0;
    virtual std::int32_t TrackMenuAt(const Menu& menu, Point at) = 0;
    // Readies the toolkit's form of a menu that is likely to be shown soon,
    // so that showing it then is quick. A back-end may do nothing.
    virtual void PrepareMenu(const Menu&) {}

    // One single-shot timer for the idle rule and one for telling a single
    // click from a double click; starting again replaces the earlier one.
    virtual void StartIdleTimer(std::uint32_t milliseconds) = 0;
    virtual void StartClickTimer(std::uint32_t milliseconds) = 0;
    virtual void StopClickTimer() = 0;
    virtual std::uint32_t DoubleClickInterval() const = 0;
    virtual std::uint64_t Milliseconds() const = 0;

    // Shift 0x20000, Ctrl 0x10000, Alt 0x40000 as held now.
    virtual std::uint32_t ModifierFlags() const = 0;
    virtual Point CursorPosition() const = 0;
    virtual Rect WorkArea() const = 0;
    virtual bool OpenUrl(const plat::String& url) = 0;

    // Sizes of the system's furniture.
    enum Metric {
        ScrollBarWidth,
        ScrollBarHeight,
        SmallButtonWidth,
        SmallButtonHeight,
        SizeFrameWidth,
        SizeFrameHeight,
        CaptionHeight,
        MenuCheckWidth
    };
    virtual std::int32_t GetMetric(Metric metric) const = 0;
    virtual bool AnimationEnabled() const = 0;
    // Draws the window flying from one rectangle to another, when animation is on.
    virtual void Animate(const Rect& from, const Rect& to) = 0;
    // The notification area's rectangle on the screen.
    virtual Rect NotificationArea() const = 0;

    static ApplicationImp* Current();

protected:
    static void SetCurrent(ApplicationImp* imp);
};

} // namespace wkit
