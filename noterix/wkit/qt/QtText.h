#pragma once

#include "plat/Colour.h"
#include "plat/String.h"
#include "wkit/Rect.h"

#include <QColor>
#include <QRect>
#include <QString>

namespace wkit {

// The program's texts are UTF-8 bytes.
inline QString ToQt(const plat::String& text) {
    return QString::fromUtf8(text.c_str(), static_cast<qsizetype>(text.Length()));
}

inline plat::String FromQt(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    plat::String out;
    out.Assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return out;
}

inline QColor ToQt(plat::Colour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

inline plat::Colour FromQtColour(const QColor& colour) {
    return plat::Colour{static_cast<std::uint8_t>(colour.red()),
                        static_cast<std::uint8_t>(colour.green()),
                        static_cast<std::uint8_t>(colour.blue())};
}

inline QRect ToQt(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

inline Rect FromQt(const QRect& rect) {
    return Rect::FromSize(rect.x(), rect.y(), rect.width(), rect.height());
}

// MulDiv: a * b / c rounded to the nearest, as the system's scaling does.
inline std::int32_t ScaleRounded(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) {
        return 0;
    }
    const long long product = static_cast<long long>(a) * b;
    const long long half = (product >= 0) == (c > 0) ? c / 2 : -c / 2;
    return static_cast<std::int32_t>((product + half) / c);
}

} // namespace wkit
