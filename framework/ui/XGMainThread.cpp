#include "XGMainThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace yaaf {

bool XGMainThread::Post(std::function<void()> call) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !call) return false;
    // A queued call to the application object runs on the thread that owns it.
    return QMetaObject::invokeMethod(app, [call = std::move(call)] { call(); }, Qt::QueuedConnection);
}

bool XGMainThread::IsMainThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace yaaf
