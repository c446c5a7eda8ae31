#include "wkit/qt/Qt_GCImp.h"

#include "wkit/GC.h"
#include "wkit/qt/QtText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>
#include <algorithm>

namespace wkit {

namespace {

// Lines of a word-wrapped text: breaks at word boundaries, and inside a word
// only when the word alone is wider than the line.
struct WrappedText {
    std::vector<QTextLine> lines;
    std::unique_ptr<QTextLayout> layout;
    std::int32_t height = 0;
    std::int32_t width = 0;
};

WrappedText Wrap(const QString& text, const QFont& font, std::int32_t width) {
    WrappedText wrapped;
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    wrapped.layout = std::make_unique<QTextLayout>(shown, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    wrapped.layout->setTextOption(option);
    wrapped.layout->beginLayout();
    qreal y = 0;
    for (;;) {
        QTextLine line = wrapped.layout->createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(std::max(1, width));
        line.setPosition(QPointF(0, y));
        y += line.height();
        wrapped.width =
            std::max(wrapped.width, static_cast<std::int32_t>(std::ceil(line.naturalTextWidth())));
        wrapped.lines.push_back(line);
    }
    wrapped.layout->endLayout();
    wrapped.height = static_cast<std::int32_t>(std::ceil(y));
    return wrapped;
}

int Alignment(std::uint32_t flags) {
    int alignment = 0;
    if ((flags & TextCentre) != 0) {
        alignment |= Qt::AlignHCenter;
    } else if ((flags & TextRight) != 0) {
        alignment |= Qt::AlignRight;
    } else {
        alignment |= Qt::AlignLeft;
    }
    if ((flags & TextVCentre) != 0) {
        alignment |= Qt::AlignVCenter;
    } else if ((flags & TextBottom) != 0) {
        alignment |= Qt::AlignBottom;
    } else {
        alignment |= Qt::AlignTop;
    }
    if ((flags & TextSingleLine) != 0) {
        alignment |= Qt::TextSingleLine;
    }
    return alignment;
}

Qt::PenStyle PenStyle(std::int32_t style) {
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    default:
        return Qt::SolidLine;
    }
}

QStyle* Style(QWidget* widget) {
    return widget != nullptr ? widget->style() : QApplication::style();
}

} // namespace

std::int32_t Qt_FontImp::LogicalDpiY() {
    static const std::int32_t dpi = [] {
        QScreen* screen = QGuiApplication::primaryScreen();
        return screen != nullptr ? static_cast<std::int32_t>(screen->logicalDotsPerInchY()) : 96;
    }();
    return dpi;
}

bool Qt_FontImp::Create(const char* face, std::int32_t points, std::int32_t weight,
                        std::int32_t style, std::int32_t family, std::int32_t pitch) {
    QFont font(QString::fromUtf8(face != nullptr ? face : "").left(31));
    font.setPixelSize(std::max(1, ScaleRounded(points, LogicalDpiY(), 72)));
    font.setWeight(weight == 0 ? QFont::Light : weight == 2 ? QFont::Bold : QFont::Normal);
    font.setItalic((style & 2) != 0);
    font.setUnderline((style & 4) != 0);
    if (family == 1) {
        font.setStyleHint(QFont::Serif);
    } else if (family == 2) {
        font.setStyleHint(QFont::SansSerif);
    }
    font.setFixedPitch(pitch == 1);
    font_ = font;
    height_ = -1;
    return true;
}

std::int32_t Qt_FontImp::HeightInPixels() {
    if (height_ < 0) {
        height_ = QFontMetrics(font_).height();
    }
    return height_;
}

std::int32_t Qt_FontImp::HeightInPoints() {
    return ScaleRounded(HeightInPixels(), 72, LogicalDpiY());
}

Qt_GCImp::Qt_GCImp(QWidget* widget, bool paint) : widget_(widget) {
    if (paint && widget != nullptr && widget->testAttribute(Qt::WA_WState_InPaintEvent)) {
        painter_ = std::make_unique<QPainter>(widget);
        painter_->setRenderHint(QPainter::Antialiasing, false);
    }
}

Qt_GCImp::~Qt_GCImp() = default;

Rect Qt_GCImp::Bounds() const {
    return widget_ ? Rect::FromSize(0, 0, widget_->width(), widget_->height()) : Rect{};
}

QFont Qt_GCImp::FontOf(const DrawState& state) const {
    if (state.font != nullptr && state.font->Imp() != nullptr) {
        return static_cast<const Qt_FontImp*>(state.font->Imp())->QtFont();
    }
    return widget_ ? widget_->font() : QApplication::font();
}

void Qt_GCImp::Apply(const DrawState& state, bool outline, bool fill) {
    if (outline) {
        QPen pen(ToQt(state.penColour));
        pen.setWidth(std::max(0, state.penWidth));
        pen.setStyle(PenStyle(state.penStyle));
        painter_->setPen(pen);
    } else {
        painter_->setPen(Qt::NoPen);
    }
    painter_->setBrush(fill ? QBrush(ToQt(state.brushColour)) : QBrush(Qt::NoBrush));
}

void Qt_GCImp::Line(Point from, Point to, const DrawState& state) {
    if (!painter_) {
        return;
    }
    Apply(state, true, false);
    painter_->drawLine(from.x, from.y, to.x, to.y);
}

void Qt_GCImp::Rectangle(const Rect& rect, std::int32_t mode, const DrawState& state) {
    if (!painter_ || rect.IsEmpty()) {
        return;
    }
    if (mode == 1 || mode == 2) {
        painter_->fillRect(ToQt(rect), ToQt(state.brushColour));
    }
    if (mode == 0 || mode == 2) {
        // The outline lies inside the rectangle, whose right and bottom are
        // outside it.
        Apply(state, true, false);
        painter_->drawRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1);
    }
}

void Qt_GCImp::Ellipse(const Rect& box, std::int32_t mode, const DrawState& state) {
    if (!painter_ || box.IsEmpty()) {
        return;
    }
    Apply(state, mode != 1, mode != 0);
    painter_->drawEllipse(box.left, box.top, box.Width() - 1, box.Height() - 1);
}

void Qt_GCImp::Text(const plat::String& text, const Rect& rect, std::uint32_t flags,
                    const DrawState& state) {
    if (!painter_) {
        return;
    }
    const QFont font = FontOf(state);
    painter_->setFont(font);
    painter_->setPen(ToQt(state.textColour));
    painter_->setBackgroundMode(state.backgroundMode == 1 ? Qt::TransparentMode : Qt::OpaqueMode);
    if ((flags & TextWordBreak) != 0) {
        painter_->save();
        painter_->setClipRect(ToQt(rect));
        WrappedText wrapped = Wrap(ToQt(text), font, rect.Width());
        for (const QTextLine& line : wrapped.lines) {
            qreal x = rect.left;
            const qreal spare = rect.Width() - line.naturalTextWidth();
            if ((flags & TextCentre) != 0) {
                x += spare / 2;
            } else if ((flags & TextRight) != 0) {
                x += spare;
            }
            line.draw(painter_.get(), QPointF(x - line.x(), rect.top));
        }
        painter_->restore();
        return;
    }
    painter_->drawText(ToQt(rect), Alignment(flags), ToQt(text));
}

void Qt_GCImp::TextAt(const plat::String& text, Point at, const DrawState& state) {
    if (!painter_) {
        return;
    }
    const QFont font = FontOf(state);
    painter_->setFont(font);
    painter_->setPen(ToQt(state.textColour));
    painter_->drawText(at.x, at.y + QFontMetrics(font).ascent(), ToQt(text));
}

Rect Qt_GCImp::Measure(const plat::String& text, const Rect& rect, std::uint32_t flags,
                       const DrawState& state) {
    const QFont font = FontOf(state);
    if ((flags & TextWordBreak) != 0) {
        const WrappedText wrapped = Wrap(ToQt(text), font, rect.Width());
        return Rect{rect.left, rect.top, rect.left + wrapped.width, rect.top + wrapped.height};
    }
    const QRect needed = QFontMetrics(font).boundingRect(
        QRect(0, 0, 0, 0), Alignment(flags) & ~Qt::AlignVCenter & ~Qt::AlignHCenter, ToQt(text));
    return Rect::FromSize(rect.left, rect.top, needed.width(), needed.height());
}

std::int32_t Qt_GCImp::TextWidth(const plat::String& text, const DrawState& state) {
    return QFontMetrics(FontOf(state)).horizontalAdvance(ToQt(text));
}

void Qt_GCImp::Edge(const Rect& rect, std::uint32_t flags) {
    if (!painter_ || rect.IsEmpty()) {
        return;
    }
    const QPalette palette = widget_ ? widget_->palette() : QApplication::palette();
    // Outer ring first, the inner one a pixel inside it.
    const auto ring = [this](const Rect& r, const QColor& topLeft, const QColor& bottomRight) {
        painter_->setPen(topLeft);
        painter_->drawLine(r.left, r.top, r.right - 2, r.top);
        painter_->drawLine(r.left, r.top, r.left, r.bottom - 2);
        painter_->setPen(bottomRight);
        painter_->drawLine(r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
        painter_->drawLine(r.right - 1, r.top, r.right - 1, r.bottom - 1);
    };
    if ((flags & EdgeSunkenOuter) != 0) {
        ring(rect, palette.color(QPalette::Mid), palette.color(QPalette::Light));
    } else if ((flags & EdgeRaisedOuter) != 0) {
        ring(rect, palette.color(QPalette::Light), palette.color(QPalette::Shadow));
    }
    const Rect inner = rect.Inset(1);
    if ((flags & EdgeSunkenInner) != 0) {
        ring(inner, palette.color(QPalette::Shadow), palette.color(QPalette::Midlight));
    } else if ((flags & EdgeRaisedInner) != 0) {
        ring(inner, palette.color(QPalette::Midlight), palette.color(QPalette::Mid));
    }
}

void Qt_GCImp::FocusRect(const Rect& rect) {
    if (!painter_) {
        return;
    }
    QStyleOptionFocusRect option;
    option.rect = ToQt(rect);
    if (widget_) {
        option.palette = widget_->palette();
    }
    Style(widget_)->drawPrimitive(QStyle::PE_FrameFocusRect, &option, painter_.get(), widget_);
}

void Qt_GCImp::ApplicationIcon(Point at) {
    if (painter_) {
        QApplication::windowIcon().paint(painter_.get(), at.x, at.y, 16, 16);
    }
}

void Qt_GCImp::Caption(const Rect& rect, const plat::String& text, bool active) {
    CaptionWithin(rect, text, active, rect.right);
}

void Qt_GCImp::CaptionWithin(const Rect& rect, const plat::String& text, bool active,
                             std::int32_t textRight) {
    if (!painter_) {
        return;
    }
    QStyleOptionTitleBar option;
    if (widget_) {
        option.initFrom(widget_);
    }
    option.rect = ToQt(rect);
    // Centred text of this width ends where the buttons begin. Styles draw
    // the title in bold; a margin covers their own padding.
    const std::int32_t centre = (rect.left + rect.right) / 2;
    const std::int32_t room = std::max(0, 2 * (std::min(textRight, rect.right) - centre) - 8);
    QFont bold = painter_->font();
    bold.setBold(true);
    option.text = QFontMetrics(bold).elidedText(ToQt(text), Qt::ElideRight, room);
    option.subControls = QStyle::SC_TitleBarLabel;
    option.titleBarFlags = Qt::Tool | Qt::WindowTitleHint;
    option.titleBarState = active ? Qt::WindowActive : Qt::WindowNoState;
    if (active) {
        option.state |= QStyle::State_Active;
    } else {
        option.state &= ~QStyle::State_Active;
    }
    // The strip whole, then its text over the part left of the buttons.
    const QString title = option.text;
    option.text.clear();
    Style(widget_)->drawComplexControl(QStyle::CC_TitleBar, &option, painter_.get(), widget_);
    option.text = title;
    painter_->save();
    painter_->setClipRect(
        QRect(rect.left, rect.top, std::max(0, textRight - rect.left), rect.Height()));
    Style(widget_)->drawComplexControl(QStyle::CC_TitleBar, &option, painter_.get(), widget_);
    painter_->restore();
}

void Qt_GCImp::CaptionButtonGlyph(const Rect& rect, CaptionButton button, ButtonState state) {
    if (!painter_) {
        return;
    }
    QStyle* style = Style(widget_);
    QStyleOption option;
    if (widget_) {
        option.initFrom(widget_);
    }
    option.rect = ToQt(rect);
    option.state = QStyle::State_Enabled | QStyle::State_AutoRaise;
    if (state == ButtonState::Hot) {
        option.state |= QStyle::State_MouseOver | QStyle::State_Raised;
    } else if (state == ButtonState::Pressed) {
        option.state |= QStyle::State_Sunken | QStyle::State_MouseOver;
    }
    if (state == ButtonState::Hot || state == ButtonState::Pressed) {
        style->drawPrimitive(QStyle::PE_PanelButtonTool, &option, painter_.get(), widget_);
    }
    const QIcon icon =
        style->standardIcon(button == CaptionButton::Minimise ? QStyle::SP_TitleBarMinButton
                                                              : QStyle::SP_TitleBarCloseButton,
                            nullptr, widget_);
    const int inset = std::max(1, rect.Height() / 8);
    QRect area = ToQt(rect).adjusted(inset, inset, -inset, -inset);
    if (state == ButtonState::Pressed) {
        area.translate(1, 1);
    }
    icon.paint(painter_.get(), area, Qt::AlignCenter,
               state == ButtonState::Inactive ? QIcon::Disabled : QIcon::Normal);
}

void Qt_GCImp::SizeGrip(const Rect& rect) {
    if (!painter_) {
        return;
    }
    QStyleOptionSizeGrip option;
    if (widget_) {
        option.initFrom(widget_);
    }
    option.rect = ToQt(rect);
    option.corner = Qt::BottomRightCorner;
    Style(widget_)->drawControl(QStyle::CE_SizeGrip, &option, painter_.get(), widget_);
}

void Qt_GCImp::Frame(const Rect& rect, bool sunken) {
    if (!painter_) {
        return;
    }
    QStyleOptionFrame option;
    if (widget_) {
        option.initFrom(widget_);
    }
    option.rect = ToQt(rect);
    option.lineWidth = 1;
    option.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    Style(widget_)->drawPrimitive(QStyle::PE_Frame, &option, painter_.get(), widget_);
}

} // namespace wkit
