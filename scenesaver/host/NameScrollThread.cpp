#include "host/NameScrollThread.h"

#include "platform/ScreenBuffer.h"
#include "platform/TextCodec.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <utility>

namespace {
constexpr int kBitmapRight = 97; // the name scrolls right of bitmap 144
}

CNameScrollThread::CNameScrollThread(CScreenBuffer& screen, QSize clientSize,
                                     std::string applicationName)
    : screen(screen), clientSize(clientSize), applicationName(std::move(applicationName)) {}

CNameScrollThread::~CNameScrollThread() {
    Stop();
}

bool CNameScrollThread::Start() {
    return worker.Start([this] { Main(); });
}

void CNameScrollThread::Stop() {
    worker.Stop();
}

QImage CNameScrollThread::MakeNameBitmap(const std::string& applicationName) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setWeight(QFont::Bold);
    const QFontMetrics metrics(font);
    const int widest = std::max(1, metrics.maxWidth());
    const int lineHeight = std::max(1, metrics.height());
    const QString name = FromWindows1252(applicationName);

    QImage bitmap(2 * widest, static_cast<int>(name.size()) * lineHeight + 1, QImage::Format_RGB32);
    bitmap.fill(Qt::black);
    QPainter painter(&bitmap);
    painter.setFont(font);
    painter.setPen(QColor(0xDC, 0xFF, 0xFF)); // 0x00FFFFDC
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QString character(name[i]);
        const int width = metrics.horizontalAdvance(character);
        painter.drawText(widest - width / 2, static_cast<int>(i) * lineHeight + metrics.ascent(),
                         character);
    }
    return bitmap;
}

void CNameScrollThread::Main() {
    const QImage bitmap = MakeNameBitmap(applicationName);
    const int x = kBitmapRight + (clientSize.width() - bitmap.width() - kBitmapRight) / 2;
    int y = clientSize.height();
    while (!worker.StopEvent().isSet()) {
        {
            auto lock = screen.Lock();
            QPainter painter(&screen.Image());
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(x, y, bitmap);
        }
        screen.MarkDirty(QRect(QPoint(x, y), bitmap.size()));
        --y;
        if (y + bitmap.height() < 0) {
            y = clientSize.height();
        } else {
            worker.StopEvent().waitFor(std::chrono::milliseconds(20));
        }
    }
}
