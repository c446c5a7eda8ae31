#include "platform/TextDrawing.h"

#include "platform/Drawing.h"
#include "platform/SymbolCharacters.h"
#include "platform/TextCodec.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {
// The face with the width it is asked for: the face is stretched so that
// its average character comes out that wide.
QFont DrawnFace(const TextFont& font) {
    QFont face = font.face;
    if (font.averageWidth > 0) {
        const int natural = QFontMetrics(face).averageCharWidth();
        if (natural > 0) {
            const std::int64_t stretch = std::int64_t{font.averageWidth} * 100 / natural;
            face.setStretch(static_cast<int>(std::clamp<std::int64_t>(stretch, 1, 4000)));
        }
    }
    return face;
}

QString Unicode(const TextFont& font, const std::string& text) {
    return font.symbolCharacters ? FromSymbolCharacters(text) : FromWindows1252(text);
}

// The turn of an escapement: counter-clockwise on a screen whose y axis
// points down.
QTransform Turn(const TextFont& font, QSize size) {
    QTransform turn;
    turn.translate(size.width() / 2.0, size.height() / 2.0);
    turn.rotate(-font.escapement / 10.0);
    turn.translate(-size.width() / 2.0, -size.height() / 2.0);
    return turn;
}

// Larger bitmaps are refused rather than allocated.
constexpr int kMaxExtent = 16384;
} // namespace

bool CanDrawText() {
    return QGuiApplication::instance() != nullptr;
}

int TextWidth(const TextFont& font, const std::string& text) {
    return QFontMetrics(DrawnFace(font)).horizontalAdvance(Unicode(font, text));
}

int TextLineHeight(const TextFont& font) {
    return QFontMetrics(DrawnFace(font)).height();
}

QImage DrawTextLines(const TextFont& font, const std::vector<std::string>& lines, QSize size,
                     QRgb ink, QRgb paper) {
    const QFont face = DrawnFace(font);
    QImage flat = MakeBitmap(size, paper);
    if (flat.isNull()) {
        return {};
    }
    {
        QPainter painter(&flat);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setFont(face);
        painter.setPen(QColor(ink));
        const QFontMetrics metrics(face);
        int y = metrics.ascent();
        for (const std::string& line : lines) {
            painter.drawText(QPoint(0, y), Unicode(font, line));
            y += metrics.height();
        }
    }
    if (font.escapement % 3600 == 0) {
        return flat;
    }
    const QTransform turn = Turn(font, size);
    const QRect bounds = turn.mapRect(QRectF(QPointF(0, 0), QSizeF(size))).toAlignedRect();
    if (bounds.width() > kMaxExtent || bounds.height() > kMaxExtent) {
        return {};
    }
    QImage turned = MakeBitmap(bounds.size(), paper);
    if (turned.isNull()) {
        return {};
    }
    QPainter painter(&turned);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setTransform(turn * QTransform::fromTranslate(-bounds.left(), -bounds.top()));
    painter.drawImage(QPoint(0, 0), flat);
    return turned;
}
