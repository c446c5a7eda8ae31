#include "host/PreviewWnd.h"

#include "host/PreviewBitmap.h"

#include <QPaintEvent>
#include <QPainter>

#include <utility>

CPreviewWnd::CPreviewWnd(std::string name) : applicationName(std::move(name)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    screen.SetPresenter([this] {
        QMetaObject::invokeMethod(
            this, [this] { Present(); }, Qt::QueuedConnection);
    });
}

CPreviewWnd::~CPreviewWnd() {
    if (scrollThread) {
        scrollThread->Stop();
    }
    screen.SetPresenter({});
}

bool CPreviewWnd::Create(QSize clientSize) {
    resize(clientSize);
    screen.Resize(clientSize, qRgb(0, 0, 0));
    {
        auto lock = screen.Lock();
        QPainter painter(&screen.Image());
        painter.drawImage(0, 0, PreviewBitmap());
    }
    scrollThread = std::make_unique<CNameScrollThread>(screen, clientSize, applicationName);
    return scrollThread->Start();
}

void CPreviewWnd::Present() {
    update(screen.TakeDirty());
}

void CPreviewWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    auto lock = screen.Lock();
    painter.drawImage(event->rect(), screen.Image(), event->rect());
}
