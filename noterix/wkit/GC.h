#pragma once

#include "wkit/Backend.h"

#include <memory>
#include <vector>

namespace wkit {

class Window;

// DrawText flag bits, as the drawing calls take them.
enum : std::uint32_t {
    TextLeft = 0x0,
    TextCentre = 0x1,
    TextRight = 0x2,
    TextVCentre = 0x4,
    TextBottom = 0x8,
    TextWordBreak = 0x10,
    TextSingleLine = 0x20,
    TextCalcRect = 0x400,
    TextNoPrefix = 0x800,
};

// Edge flags of DrawEdge.
enum : std::uint32_t {
    EdgeRaisedInner = 2,
    EdgeSunkenInner = 4,
    EdgeRaisedOuter = 8,
    EdgeSunkenOuter = 16,
};

// A font in points, made through the back-end; heights follow the screen's
// logical resolution.
class Font {
public:
    Font();
    explicit Font(std::unique_ptr<FontImp> imp);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // weight: 0 light, 2 bold, else normal; style: 2 italic, 4 underline;
    // family: 1 roman, 2 swiss; pitch: 1 fixed, 2 variable.
    bool Create(const char* face, std::int32_t points, std::int32_t weight = 1,
                std::int32_t style = 0, std::int32_t family = 0, std::int32_t pitch = 0);
    std::int32_t HeightInPixels();
    std::int32_t HeightInPoints();
    FontImp* Imp() const { return imp_.get(); }

private:
    std::unique_ptr<FontImp> imp_;
};

// A drawing context. The state (pen, brush, text colour, font) starts as
// DrawState's defaults; coordinates are shifted by the origin, which follows
// the window's scroll position.
class GC {
public:
    explicit GC(std::unique_ptr<GCImp> imp);
    virtual ~GC();
    GC(const GC&) = delete;
    GC& operator=(const GC&) = delete;

    bool CanDraw() const { return imp_ && imp_->CanDraw(); }
    Rect GetBounds() const;
    void SaveState();
    void RestoreState();
    const DrawState& State() const { return state_; }

    void SetPenStyle(std::int32_t style) { state_.penStyle = style; }
    void SetBrushStyle(std::int32_t style) { state_.brushStyle = style; }
    void SetBrushColour(plat::Colour colour) { state_.brushColour = colour; }
    void SetPenColour(plat::Colour colour) { state_.penColour = colour; }
    void SetExtraColour(plat::Colour colour) { state_.extraColour = colour; }
    void SetBackgroundMode(std::int32_t mode) { state_.backgroundMode = mode; }
    plat::Colour SetTextColour(plat::Colour colour);
    void SetPenWidth(std::int32_t width) { state_.penWidth = width; }
    void SetFont(const Font* font) { state_.font = font; }
    void ClearFont() { state_.font = nullptr; }
    void SetOrigin(std::int32_t x, std::int32_t y);

    void MoveTo(std::int32_t x, std::int32_t y);
    void LineTo(std::int32_t x, std::int32_t y);
    // mode: 0 outline, 1 fill, 2 outline and fill, 3 outline then fill; other
    // values draw nothing.
    void DrawRectangle(const Rect& rect, std::int32_t mode);
    void DrawCircle(std::int32_t x, std::int32_t y, std::int32_t radius, std::int32_t mode);
    // Ampersands are always drawn as they are. Word-wrapped text asked to be
    // centred vertically is centred as a block.
    void DrawText(const plat::String& text, const Rect& rect, std::uint32_t flags);
    void DrawTextAt(const plat::String& text, std::int32_t x, std::int32_t y);
    // Measures into rect (with word-break only its top and bottom change);
    // returns the bottom.
    std::int32_t MeasureText(const plat::String& text, std::uint32_t flags, Rect& rect);
    std::int32_t TextWidth(const plat::String& text);
    void DrawEdge(const Rect& rect, std::uint32_t flags);
    void DrawFocusRect(const Rect& rect);
    void DrawApplicationIcon(std::int32_t x, std::int32_t y);

    // Themed painting of a window that draws its own caption.
    void DrawCaption(const Rect& rect, const plat::String& text, bool active);
    void DrawCaptionButton(const Rect& rect, CaptionButton button, ButtonState state);
    void DrawSizeGrip(const Rect& rect);
    void DrawFrame(const Rect& rect, bool sunken);

protected:
    Rect ToDevice(const Rect& rect) const;
    Rect FromDevice(const Rect& rect) const;

    std::unique_ptr<GCImp> imp_;
    DrawState state_;
    std::vector<DrawState> saved_;
    Point origin_;
    Point current_;
};

// The context of one paint cycle: create it in OnPaint.
class RedrawGC : public GC {
public:
    explicit RedrawGC(Window& window);
};

} // namespace wkit
