#include "wkit/qt/Qt_CaretRest.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

namespace wkit {

Qt_CaretRest::Qt_CaretRest() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Rest(); });
    timer_.start(RestMilliseconds);
}

bool Qt_CaretRest::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::FocusIn:
        Wake();
        break;
    default:
        break;
    }
    return false;
}

void Qt_CaretRest::Rest() {
    QStyleHints* hints = QGuiApplication::styleHints();
    if (!resting_ && hints->cursorFlashTime() > 0) {
        // A flash time of zero is a caret that is always shown; text controls
        // pick up the change at once.
        flashTime_ = hints->cursorFlashTime();
        hints->setCursorFlashTime(0);
        resting_ = true;
    }
}

void Qt_CaretRest::Wake() {
    if (resting_) {
        resting_ = false;
        QGuiApplication::styleHints()->setCursorFlashTime(flashTime_);
    }
    timer_.start(RestMilliseconds);
}

} // namespace wkit
