#include "platform/MessageBox.h"

#include "platform/TextCodec.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

#include <mutex>
#include <utility>

namespace {
std::mutex presenterMutex;
MessagePresenter presenter;

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
    } else {
        QMetaObject::invokeMethod(
            app, [&] { ShowDialog(text, icon); }, Qt::BlockingQueuedConnection);
    }
}
