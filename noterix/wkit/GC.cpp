#include "wkit/GC.h"

#include "wkit/Window.h"

namespace wkit {

Font::Font() {
    if (ApplicationImp* backend = ApplicationImp::Current()) {
        imp_ = backend->CreateFontImp();
    }
}

Font::Font(std::unique_ptr<FontImp> imp) : imp_(std::move(imp)) {}

Font::~Font() = default;

bool Font::Create(const char* face, std::int32_t points, std::int32_t weight, std::int32_t style,
                  std::int32_t family, std::int32_t pitch) {
    return imp_ && imp_->Create(face, points, weight, style, family, pitch);
}

std::int32_t Font::HeightInPixels() {
    return imp_ ? imp_->HeightInPixels() : 0;
}
std::int32_t Font::HeightInPoints() {
    return imp_ ? imp_->HeightInPoints() : 0;
}

GC::GC(std::unique_ptr<GCImp> imp) : imp_(std::move(imp)) {}

GC::~GC() = default;

Rect GC::ToDevice(const Rect& rect) const {
    Rect shifted = rect;
    shifted.Offset(-origin_.x, -origin_.y);
    return shifted;
}

Rect GC::FromDevice(const Rect& rect) const {
    Rect shifted = rect;
    shifted.Offset(origin_.x, origin_.y);
    return shifted;
}

Rect GC::GetBounds() const {
    return imp_ ? FromDevice(imp_->Bounds()) : Rect{};
}

void GC::SaveState() {
    saved_.push_back(state_);
}

void GC::RestoreState() {
    if (!saved_.empty()) {
        state_ = saved_.back();
        saved_.pop_back();
    }
}

plat::Colour GC::SetTextColour(plat::Colour colour) {
    const plat::Colour previous = state_.textColour;
    state_.textColour = colour;
    return previous;
}

void GC::SetOrigin(std::int32_t x, std::int32_t y) {
    origin_ = Point{x, y};
}

void GC::MoveTo(std::int32_t x, std::int32_t y) {
    current_ = Point{x - origin_.x, y - origin_.y};
}

void GC::LineTo(std::int32_t x, std::int32_t y) {
    const Point to{x - origin_.x, y - origin_.y};
    if (imp_) {
        imp_->Line(current_, to, state_);
    }
    current_ = to;
}

void GC::DrawRectangle(const Rect& rect, std::int32_t mode) {
    if (!imp_ || mode < 0 || mode > 3) {
        return;
    }
    const Rect device = ToDevice(rect);
    if (mode == 3) {
        imp_->Rectangle(device, 0, state_);
        imp_->Rectangle(device, 1, state_);
    } else {
        imp_->Rectangle(device, mode, state_);
    }
}

void GC::DrawCircle(std::int32_t x, std::int32_t y, std::int32_t radius, std::int32_t mode) {
    if (!imp_ || mode < 0 || mode > 3) {
        return;
    }
    const Rect box = ToDevice(Rect{x - radius, y - radius, x + radius, y + radius});
    if (mode == 3) {
        imp_->Ellipse(box, 0, state_);
        imp_->Ellipse(box, 1, state_);
    } else {
        imp_->Ellipse(box, mode, state_);
    }
}

void GC::DrawText(const plat::String& text, const Rect& rect, std::uint32_t flags) {
    if (!imp_) {
        return;
    }
    flags |= TextNoPrefix;
    Rect target = ToDevice(rect);
    if ((flags & TextVCentre) != 0 && (flags & TextWordBreak) != 0) {
        // The toolkit centres only single lines; a wrapped block is measured
        // and moved down by half the spare height.
        Rect measured = imp_->Measure(text, target, flags, state_);
        if (measured.Height() < target.Height()) {
            measured.Offset(0, (target.Height() - measured.Height()) / 2);
        }
        target.top = measured.top;
        target.bottom = measured.bottom;
        flags &= ~static_cast<std::uint32_t>(TextVCentre);
    } else if ((flags & TextVCentre) != 0) {
        flags |= TextSingleLine;
    }
    imp_->Text(text, target, flags, state_);
}

void GC::DrawTextAt(const plat::String& text, std::int32_t x, std::int32_t y) {
    if (imp_) {
        imp_->TextAt(text, Point{x - origin_.x, y - origin_.y}, state_);
    }
}

std::int32_t GC::MeasureText(const plat::String& text, std::uint32_t flags, Rect& rect) {
    if (!imp_) {
        return rect.bottom;
    }
    const Rect measured = imp_->Measure(text, rect, flags | TextNoPrefix | TextCalcRect, state_);
    if ((flags & TextWordBreak) != 0) {
        rect.top = measured.top;
        rect.bottom = measured.bottom;
    } else {
        rect = measured;
    }
    return rect.bottom;
}

std::int32_t GC::TextWidth(const plat::String& text) {
    return imp_ ? imp_->TextWidth(text, state_) : 0;
}

void GC::DrawEdge(const Rect& rect, std::uint32_t flags) {
    if (imp_) {
        imp_->Edge(ToDevice(rect), flags);
    }
}

void GC::DrawFocusRect(const Rect& rect) {
    if (imp_) {
        imp_->FocusRect(ToDevice(rect));
    }
}

void GC::DrawApplicationIcon(std::int32_t x, std::int32_t y) {
    if (imp_) {
        imp_->ApplicationIcon(Point{x - origin_.x, y - origin_.y});
    }
}

void GC::DrawCaption(const Rect& rect, const plat::String& text, bool active) {
    if (imp_) {
        imp_->Caption(ToDevice(rect), text, active);
    }
}

void GC::DrawCaptionButton(const Rect& rect, CaptionButton button, ButtonState state) {
    if (imp_) {
        imp_->CaptionButtonGlyph(ToDevice(rect), button, state);
    }
}

void GC::DrawSizeGrip(const Rect& rect) {
    if (imp_) {
        imp_->SizeGrip(ToDevice(rect));
    }
}

void GC::DrawFrame(const Rect& rect, bool sunken) {
    if (imp_) {
        imp_->Frame(ToDevice(rect), sunken);
    }
}

RedrawGC::RedrawGC(Window& window)
    : GC(window.Imp() != nullptr ? window.Imp()->CreateGC(true) : nullptr) {}

} // namespace wkit
