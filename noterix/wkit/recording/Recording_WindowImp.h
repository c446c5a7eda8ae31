#pragma once

#include "wkit/Backend.h"
#include "wkit/GC.h"

#include <map>
#include <memory>

namespace wkit {

class Dialog;
class Recording_ApplicationImp;

// Fixed text measures: every character 6 pixels wide, lines 13 high.
class Recording_FontImp : public FontImp {
public:
    bool Create(const char*, std::int32_t points, std::int32_t, std::int32_t style, std::int32_t,
                std::int32_t) override {
        points_ = points;
        underlined_ = (style & 4) != 0;
        return true;
    }
    std::int32_t HeightInPixels() override { return (points_ * 96 + 36) / 72; }
    std::int32_t HeightInPoints() override { return points_; }
    bool Underlined() const override { return underlined_; }

private:
    std::int32_t points_ = 8;
    bool underlined_ = false;
};

class Recording_GCImp : public GCImp {
public:
    static constexpr std::int32_t CharWidth = 6;
    static constexpr std::int32_t LineHeight = 13;
    explicit Recording_GCImp(Rect bounds) : bounds_(bounds) {}
    bool CanDraw() const override { return true; }
    Rect Bounds() const override { return bounds_; }
    void Line(Point, Point, const DrawState&) override {}
    void Rectangle(const Rect&, std::int32_t, const DrawState&) override {}
    void Ellipse(const Rect&, std::int32_t, const DrawState&) override {}
    void Text(const plat::String&, const Rect&, std::uint32_t, const DrawState&) override {}
    void TextAt(const plat::String&, Point, const DrawState&) override {}
    Rect Measure(const plat::String& text, const Rect& rect, std::uint32_t flags,
                 const DrawState&) override;
    std::int32_t TextWidth(const plat::String& text, const DrawState&) override {
        return static_cast<std::int32_t>(text.Length()) * CharWidth;
    }
    void Edge(const Rect&, std::uint32_t) override {}
    void FocusRect(const Rect&) override {}
    void ApplicationIcon(Point) override {}
    void Caption(const Rect&, const plat::String&, bool) override {}
    void CaptionButtonGlyph(const Rect&, CaptionButton, ButtonState) override {}
    void SizeGrip(const Rect&) override {}
    void Frame(const Rect&, bool) override {}

private:
    Rect bounds_;
};

// A window as plain state: what the program set is what it reads back.
class Recording_WindowImp : public WindowImp {
public:
    Recording_WindowImp(Recording_ApplicationImp& backend, Window* owner);
    Recording_WindowImp(Recording_WindowImp& dialog, ControlKind kind, std::int32_t id,
                        const plat::String& text, const Rect& rect, bool visible);

    bool CreatePlain(Window* parent) override;
    bool CreateDialog(const DialogTemplate& source, Window* parent) override;
    std::int32_t RunModal(const DialogTemplate& source, Window* parent) override;
    void EndDialog(std::int32_t code) override;
    void Destroy() override;
    bool Exists() const override { return exists_; }

    void Show(bool show) override { visible_ = show; }
    bool IsVisible() const override { return exists_ && visible_; }
    void SetText(const plat::String& text) override { text_ = text; }
    plat::String GetText() const override { return text_; }
    Rect GetWindowRect() const override { return rect_; }
    Rect GetClientRect() const override { return Rect{0, 0, rect_.Width(), rect_.Height()}; }
    void SetWindowRect(const Rect& rect) override;
    void SetClientSize(std::int32_t width, std::int32_t height) override;
    Point ClientOrigin() const override { return Point{rect_.left, rect_.top}; }
    void SetMinimumClientSize(std::int32_t width, std::int32_t height) override {
        minWidth_ = width;
        minHeight_ = height;
    }
    void Enable(bool enable) override { enabled_ = enable; }
    bool IsEnabled() const override { return enabled_; }
    void Invalidate() override { ++invalidations; }
    void SetFocus() override { focused = true; }
    void Activate() override {
        visible_ = true;
        ++activations;
    }
    void SetTopmost(bool topmost) override { this->topmost = topmost; }
    void Lower() override {}
    void CaptureMouse(bool capture) override { captured = capture; }
    void SetCursorShape(CursorShape shape) override { cursor = shape; }
    Font* GetFont() override;
    std::unique_ptr<GCImp> CreateGC(bool) override {
        return std::make_unique<Recording_GCImp>(GetClientRect());
    }

    Rect CaptionButtonRect(std::int32_t fromRight) const override {
        // A 16-pixel caption strip inside a 4-pixel border.
        const std::int32_t right = rect_.Width() - 6 - fromRight * 16;
        return Rect{right - 14, 5, right, 19};
    }
    WindowImp* Control(std::int32_t id) override;
    WindowImp* CreateControl(ControlKind kind, std::int32_t id, const plat::String& text,
                             const Rect& rect) override;
    std::int32_t ControlId() const override { return id_; }
    ControlKind Kind() const override { return kind_; }
    void SetOwner(Window* owner) override { owner_ = owner; }

    void SetCheck(bool checked) override { checked_ = checked; }
    bool GetCheck() const override { return checked_; }
    void SetScrollBars(std::int32_t flags) override { scrollBars_ = flags; }
    std::int32_t ScrollBars() const override { return scrollBars_; }
    void SelectNothing() override { selectionCleared = true; }
    void RemoveTextLimit() override {}
    void SetColours(std::optional<plat::Colour> text, std::optional<plat::Colour> back) override {
        textColour = text;
        backColour = back;
    }
    void SetUnderlined(bool underlined) override { this->underlined = underlined; }

    // What tests look at.
    bool topmost = false;
    bool focused = false;
    bool captured = false;
    bool underlined = false;
    bool selectionCleared = false;
    int invalidations = 0;
    int activations = 0;
    CursorShape cursor = CursorShape::Arrow;
    std::optional<plat::Colour> textColour;
    std::optional<plat::Colour> backColour;
    Window* Owner() const { return owner_; }
    // Presses a control as the user would: a check box toggles, and the
    // dialog gets the click.
    void Click(std::int32_t id);

private:
    bool Build(const DialogTemplate& source);
    Dialog* OwnerDialog() const;

    Recording_ApplicationImp& backend_;
    Window* owner_;
    Recording_WindowImp* parent_ = nullptr;
    ControlKind kind_ = ControlKind::Placeholder;
    std::int32_t id_ = 0;
    std::uint16_t templateId_ = 0;
    bool exists_ = false;
    bool visible_ = false;
    bool enabled_ = true;
    bool checked_ = false;
    bool ended_ = false;
    std::int32_t endCode_ = 0;
    std::int32_t scrollBars_ = 0;
    std::int32_t minWidth_ = 0;
    std::int32_t minHeight_ = 0;
    plat::String text_;
    Rect rect_;
    std::unique_ptr<Font> font_;
    std::map<std::int32_t, std::unique_ptr<Recording_WindowImp>> controls_;
};

} // namespace wkit
