#pragma once

#include "wkit/Backend.h"

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <memory>

class QPainter;

namespace wkit {

// A font of the Qt back-end: the height in points turns into pixels through
// the screen's logical resolution, read once.
class Qt_FontImp : public FontImp {
public:
    Qt_FontImp() = default;
    explicit Qt_FontImp(const QFont& font) : font_(font) {}
    bool Create(const char* face, std::int32_t points, std::int32_t weight, std::int32_t style,
                std::int32_t family, std::int32_t pitch) override;
    std::int32_t HeightInPixels() override;
    std::int32_t HeightInPoints() override;
    bool Underlined() const override { return font_.underline(); }
    const QFont& QtFont() const { return font_; }
    void SetQtFont(const QFont& font) {
        font_ = font;
        height_ = -1;
    }

    static std::int32_t LogicalDpiY();

private:
    QFont font_;
    std::int32_t height_ = -1;
};

// Drawing over QPainter during a paint event; outside one (or without a
// widget) only measuring works and drawing does nothing.
class Qt_GCImp : public GCImp {
public:
    Qt_GCImp(QWidget* widget, bool paint);
    ~Qt_GCImp() override;

    bool CanDraw() const override { return painter_ != nullptr; }
    Rect Bounds() const override;
    void Line(Point from, Point to, const DrawState& state) override;
    void Rectangle(const Rect& rect, std::int32_t mode, const DrawState& state) override;
    void Ellipse(const Rect& box, std::int32_t mode, const DrawState& state) override;
    void Text(const plat::String& text, const Rect& rect, std::uint32_t flags,
              const DrawState& state) override;
    void TextAt(const plat::String& text, Point at, const DrawState& state) override;
    Rect Measure(const plat::String& text, const Rect& rect, std::uint32_t flags,
                 const DrawState& state) override;
    std::int32_t TextWidth(const plat::String& text, const DrawState& state) override;
    void Edge(const Rect& rect, std::uint32_t flags) override;
    void FocusRect(const Rect& rect) override;
    void ApplicationIcon(Point at) override;
    void Caption(const Rect& rect, const plat::String& text, bool active) override;
    // The caption strip with its text centred on it, elided so that it ends
    // before textRight (where the strip's buttons begin).
    void CaptionWithin(const Rect& rect, const plat::String& text, bool active,
                       std::int32_t textRight);
    void CaptionButtonGlyph(const Rect& rect, CaptionButton button, ButtonState state) override;
    void SizeGrip(const Rect& rect) override;
    void Frame(const Rect& rect, bool sunken) override;

private:
    QFont FontOf(const DrawState& state) const;
    void Apply(const DrawState& state, bool outline, bool fill);

    QPointer<QWidget> widget_;
    std::unique_ptr<QPainter> painter_;
    QRect paintRect_;
};

} // namespace wkit
