#include "XGMainThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

namespace yaaf {

bool XGMainThread::Post(std::function<void()> call) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !call) return false;
    // A queued call to the application object runs on the thread that owns it.
    return QMetaObject::invokeMethod(app, [call = std::move(call)] { call(); }, Qt::QueuedConnection);
}

bool XGMainThread::PostDelayed(int milliseconds, std::function<void()> call) {
    if (milliseconds <= 0) return Post(std::move(call));
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !call) return false;
    // The timer is started on the user-interface thread, which it then fires on.
    return QMetaObject::invokeMethod(
        app,
        [app, milliseconds, call = std::move(call)] { QTimer::singleShot(milliseconds, app, call); },
        Qt::QueuedConnection);
}

bool XGMainThread::IsMainThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace yaaf
