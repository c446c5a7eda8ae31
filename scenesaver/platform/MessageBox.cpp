#include "platform/MessageBox.h"

#include "platform/Event.h"
#include "platform/TextCodec.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

#include <atomic>
#include <memory>
#include <mutex>
#include <utility>

namespace {
std::mutex presenterMutex;
MessagePresenter presenter;
thread_local Event* workerStop = nullptr;

// A box queued by a worker; it lives until both threads are done with it.
struct QueuedBox {
    std::string text;
    MessageIcon icon = MessageIcon::None;
    Event closed;
    std::atomic<bool> cancelled = false;
};

void ShowDialog(const std::string& text, MessageIcon icon) {
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Stop:
        qtIcon = QMessageBox::Critical;
        break;
    case MessageIcon::Question:
        qtIcon = QMessageBox::Question;
        break;
    case MessageIcon::Exclamation:
        qtIcon = QMessageBox::Warning;
        break;
    case MessageIcon::Information:
        qtIcon = QMessageBox::Information;
        break;
    }
    QMessageBox box(qtIcon, QCoreApplication::applicationName(), FromWindows1252(text),
                    QMessageBox::Ok);
    box.exec();
}
} // namespace

void SetMessageBoxStopEvent(Event* stop) {
    workerStop = stop;
}

MessagePresenter SetMessagePresenter(MessagePresenter replacement) {
    std::lock_guard lock(presenterMutex);
    return std::exchange(presenter, std::move(replacement));
}

void AfxMessageBox(const std::string& text, MessageIcon icon) {
    MessagePresenter current;
    {
        std::lock_guard lock(presenterMutex);
        current = presenter;
    }
    if (current) {
        current(text, icon);
        return;
    }
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr) {
        return; // no GUI: nothing can be shown
    }
    if (QThread::currentThread() == app->thread()) {
        ShowDialog(text, icon);
    } else if (workerStop != nullptr) {
        auto box = std::make_shared<QueuedBox>();
        box->text = text;
        box->icon = icon;
        QMetaObject::invokeMethod(
            app,
            [box] {
                if (!box->cancelled) {
                    ShowDialog(box->text, box->icon);
                }
                box->closed.set();
            },
            Qt::QueuedConnection);
        if (Event::waitAny({&box->closed, workerStop}) != 0) {
            box->cancelled = true;
        }
    } else {
        QMetaObject::invokeMethod(
            app, [&] { ShowDialog(text, icon); }, Qt::BlockingQueuedConnection);
    }
}
