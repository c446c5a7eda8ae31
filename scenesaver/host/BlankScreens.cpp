#include "host/BlankScreens.h"

#include "host/SaverWnd.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

CBlankScreenWnd::CBlankScreenWnd(QScreen& screen, CSaverWnd& saver) : saver(saver) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    setCursor(Qt::BlankCursor);
    setScreen(&screen);
    setGeometry(screen.geometry());
}

bool CBlankScreenWnd::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        // The saver compares positions in its own coordinates.
        saver.OnMouseMove(
            saver.mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()));
        return true;
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        QCoreApplication::sendEvent(&saver, event);
        return true;
    case QEvent::Close:
        event->ignore(); // like the saver window, never closed from outside
        return true;
    default:
        return QWidget::event(event);
    }
}

void CBlankScreenWnd::paintEvent(QPaintEvent* event) {
    QPainter(this).fillRect(event->rect(), Qt::black);
}

std::vector<std::unique_ptr<CBlankScreenWnd>> CoverOtherScreens(const QScreen& sceneScreen,
                                                                CSaverWnd& saver) {
    std::vector<std::unique_ptr<CBlankScreenWnd>> covers;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != &sceneScreen) {
            covers.push_back(std::make_unique<CBlankScreenWnd>(*screen, saver));
            covers.back()->show();
        }
    }
    return covers;
}
