#pragma once

#include "wkit/Backend.h"
#include "wkit/MessageTarget.h"

#include <cstdint>
#include <memory>

namespace wkit {

class GC;

// Where a point of a window is, as a hit test answers it.
enum HitCode : std::int32_t {
    HitNowhere = 0,
    HitClient = 1,
    HitCaption = 2,
    HitMinimiseButton = 8,
    HitLeft = 10,
    HitRight = 11,
    HitTop = 12,
    HitTopLeft = 13,
    HitTopRight = 14,
    HitBottom = 15,
    HitBottomLeft = 16,
    HitBottomRight = 17,
    HitCloseButton = 20,
};

enum class NonClientEvent { LeftDown, LeftUp, LeftDoubleClick, RightDown, RightUp, Move, Leave };

// Mouse flags of the handlers: the button, combined with the key state.
enum : std::uint32_t {
    MouseLeft = 0x2,
    MouseMiddle = 0x4,
    MouseRight = 0x8,
    MouseShift = 0x20000,
    MouseControl = 0x10000,
    MouseAlt = 0x40000,
};

// Virtual key codes the handlers receive.
enum : std::int32_t {
    KeyBackspace = 8,
    KeyTab = 9,
    KeyReturn = 13,
    KeyShift = 16,
    KeyControl = 17,
    KeyAlt = 18,
    KeyEscape = 27,
    KeySpace = 32,
    KeyDelete = 46,
};

// A window whose toolkit side is a back-end made by the application's
// back-end. The object exists before its window and may outlive it; deleting
// it destroys a window that still exists.
class Window : public MessageTarget {
public:
    explicit Window(Window* parent = nullptr);
    ~Window() override;

    // Handlers called by the back-end, in slot order; false lets the back-end
    // do its default processing.
    virtual bool OnDestroy();                                               // slot 10
    virtual bool OnPaint();                                                 // slot 11
    virtual bool OnMove(std::int32_t x, std::int32_t y);                    // slot 12
    virtual bool GetMinimumSize(std::int32_t& width, std::int32_t& height); // slot 13
    virtual bool OnSize(std::int32_t width, std::int32_t height);           // slot 14
    virtual bool OnSetFocus();                                              // slot 15
    virtual bool OnKillFocus();                                             // slot 16
    virtual bool OnCancelMode();                                            // slot 17
    // slot 18 is not used by this library
    virtual bool OnClose();                                            // slot 19
    virtual bool OnChar(std::int32_t character);                       // slot 20
    virtual bool OnKeyDown(std::int32_t key, std::uint32_t flags);     // slot 21
    virtual bool OnKeyUp(std::int32_t key, std::uint32_t flags);       // slot 22
    virtual bool OnActivate(bool active);                              // slot 23
    virtual bool WantsKey(std::int32_t key);                           // slot 24
    virtual bool OnMouseDown(std::uint32_t flags, Point point);        // slot 25
    virtual bool OnMouseDoubleClick(std::uint32_t flags, Point point); // slot 26
    virtual bool OnMouseUp(std::uint32_t flags, Point point);          // slot 27
    virtual bool OnMouseMove(Point point);                             // slot 28
    virtual bool OnMouseWheel(std::int32_t delta);                     // slot 29
    virtual bool OnMouseLeave();

    // A window that draws its own caption (the OwnCaption style) gets the
    // mouse over its caption strip and borders here. The hit test answers
    // which part a point is on (the back-end's answer comes in); the mouse
    // handler returns true when it took the event, otherwise the back-end
    // moves or sizes the window, or closes it from the close box.
    virtual std::int32_t OnNonClientHitTest(Point point, std::int32_t hit);
    virtual bool OnNonClientMouse(NonClientEvent event, std::uint32_t flags, Point point,
                                  std::int32_t hit);
    // After the back-end painted the caption strip and its close box: the
    // window's own additions (use a RedrawGC, in window coordinates).
    virtual bool OnNonClientPaint();
    // What the window shows when a test asks (the recording back-end).
    virtual plat::String DescribeText() const;

    // A plain top-level window (100,100, 300 by 300) or a child of the parent.
    bool Create();
    void Destroy();
    bool Exists() const { return imp_ != nullptr && imp_->Exists(); }

    Window* Parent() const { return parent_; }
    WindowImp* Imp() const { return imp_; }
    void Show(bool show = true);
    void Hide() { Show(false); }
    bool IsVisible() const;
    void SetText(const plat::String& text);
    plat::String GetText() const;
    Rect GetWindowRect() const;
    Rect GetClientRect() const;
    void SetWindowRect(const Rect& rect);
    void Move(std::int32_t x, std::int32_t y);
    void Enable(bool enable = true);
    bool IsEnabled() const;
    void Invalidate();
    void SetFocus();
    void Activate();
    void SetTopmost(bool topmost);
    Font* GetFont();
    // A drawing context outside the paint cycle (measuring); ReleaseGC ends it.
    GC* CreateGC();
    static void ReleaseGC(GC* gc);

    // Window timers: stopped when the window goes.
    std::uint32_t StartTimer(bool repeat, std::uint32_t milliseconds,
                             void (*callback)(std::uint32_t, void*), void* data);

    // Called by the back-end when its window is gone.
    void WindowDestroyed();
    // Attaches to a back-end owned elsewhere (a dialog's control).
    void AttachImp(WindowImp* imp);
    void DetachImp();

protected:
    void EnsureImp();

private:
    Window* parent_;
    std::unique_ptr<WindowImp> ownedImp_;
    WindowImp* imp_ = nullptr;
    bool inDestroyed_ = false;
};

} // namespace wkit
