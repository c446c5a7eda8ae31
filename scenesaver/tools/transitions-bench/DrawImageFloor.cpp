#include "DrawImageFloor.h"

#include <QPainter>

#include <algorithm>
#include <chrono>

double DrawImageFloor(const EffectDrawing& drawing, const QImage& picture,
                      const QImage& oldContent) {
    QImage screen(picture.size(), QImage::Format_RGB32);
    screen.fill(Qt::black);
    const auto uses = [&](ScreenCopy::Source source) {
        return std::any_of(drawing.copies.begin(), drawing.copies.end(),
                           [source](const ScreenCopy& c) { return c.source == source; });
    };
    // The red, green and blue bytes the colour morph draws its frames from.
    const QImage picture24 =
        uses(ScreenCopy::Picture24) ? picture.convertToFormat(QImage::Format_RGB888) : QImage();

    const auto start = std::chrono::steady_clock::now();
    QImage work(picture.size(), QImage::Format_RGB32);
    work.fill(Qt::black);
    QPainter painter(&work);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), picture);
    painter.end();
    QImage old;
    if (uses(ScreenCopy::OldContent)) {
        old = oldContent.copy();
    }
    painter.begin(&screen);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const ScreenCopy& copy : drawing.copies) {
        const QImage& source = copy.source == ScreenCopy::OldContent  ? old
                               : copy.source == ScreenCopy::Picture24 ? picture24
                                                                      : work;
        painter.drawImage(copy.to, source, copy.from);
    }
    painter.end();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
