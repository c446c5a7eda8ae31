#include "host/PreviewBitmap.h"

#include <QPainter>
#include <QPolygon>

QImage PreviewBitmap() {
    QImage image(96, 112, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // Cabinet and stand.
    painter.fillRect(QRect(8, 14, 80, 64), QColor(0xC0, 0xC0, 0xC0));
    painter.fillRect(QRect(40, 78, 16, 10), QColor(0x80, 0x80, 0x80));
    painter.fillRect(QRect(24, 88, 48, 6), QColor(0xC0, 0xC0, 0xC0));

    // The picture on the screen: sky, sun and two hills.
    const QRect glass(14, 20, 68, 50);
    painter.fillRect(glass, QColor(0x20, 0x40, 0xA0));
    painter.setClipRect(glass);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xD0, 0x40));
    painter.drawEllipse(QRect(58, 26, 14, 14));
    painter.setBrush(QColor(0x20, 0x90, 0x30));
    painter.drawPolygon(QPolygon({QPoint(14, 70), QPoint(40, 44), QPoint(66, 70)}));
    painter.setBrush(QColor(0x10, 0x70, 0x20));
    painter.drawPolygon(QPolygon({QPoint(44, 70), QPoint(66, 52), QPoint(88, 70)}));
    painter.setClipping(false);

    // Power light.
    painter.fillRect(QRect(76, 72, 4, 3), QColor(0x40, 0xFF, 0x40));
    return image;
}
