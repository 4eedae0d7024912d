#include "XGPlatform.h"

#include "XGAssert.h"

#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QString>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <cstring>

namespace yaaf {

namespace {
constexpr const char* kAppVersion = "1.0a50.3";
std::atomic<XGLaunchURLHook> sLaunchHook{nullptr};
} // namespace

XGLaunchURLHook XGSetLaunchURLHook(XGLaunchURLHook hook) {
    return sLaunchHook.exchange(hook);
}

int32 LaunchURL(const char* url) {
    if (!url || !*url) return 3;
    if (XGLaunchURLHook hook = sLaunchHook.load()) return hook(url) ? 0 : 3;
    const QUrl qurl(QString::fromUtf8(url), QUrl::TolerantMode);
    if (!qurl.isValid() || qurl.scheme().isEmpty()) return 3;
    return QDesktopServices::openUrl(qurl) ? 0 : 3;
}

int32 LaunchFilePath(const std::string& path) {
    if (path.empty()) return 3;
    // Encoded from the path's bytes: a name with "#", "%" or bytes that are not UTF-8 reaches
    // the handler as the same file.
    const QByteArray encoded = QByteArray::fromStdString(path).toPercentEncoding("/");
    const QUrl qurl = QUrl::fromEncoded("file://" + (path[0] == '/' ? encoded : "/" + encoded), QUrl::StrictMode);
    if (!qurl.isValid()) return 3;
    if (XGLaunchURLHook hook = sLaunchHook.load()) return hook(qurl.toEncoded().constData()) ? 0 : 3;
    return QDesktopServices::openUrl(qurl) ? 0 : 3;
}

namespace {
// qGuiApp is a plain cast of the core application, so it is not null under a QCoreApplication.
bool HaveGuiApplication() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}
} // namespace

bool check_key_down(int32 key) {
    switch (key) {
    case kKey_SHIFT:
    case kKey_ALT:
    case kKey_CONTROL:
    case int16(kKey_CONTROL): {
        if (!HaveGuiApplication()) return false;
        const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
        if (key == kKey_SHIFT) return mods.testFlag(Qt::ShiftModifier);
        if (key == kKey_ALT) return mods.testFlag(Qt::AltModifier);
        return mods.testFlag(Qt::ControlModifier);
    }
    case kKey_CAPSLOCK:
    case kKey_SPACE:
        return false; // not available from the window system through Qt
    default:
        XGReportAssertion("check_key_down: unknown key", "XGPlatform", __LINE__);
        return false;
    }
}

bool MouseButtonDown(int16 button, bool /*waitForChange*/) {
    if (!HaveGuiApplication()) return false;
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    switch (button) {
    case 1:
        return buttons.testFlag(Qt::LeftButton);
    case 2:
        return buttons.testFlag(Qt::RightButton);
    case 3:
        return buttons.testFlag(Qt::LeftButton) || buttons.testFlag(Qt::RightButton);
    default:
        return false;
    }
}

Point GetGlobalMouse() {
    Point pt;
    if (!HaveGuiApplication()) return pt;
    const QPoint pos = QCursor::pos();
    pt.h = int16(pos.x());
    pt.v = int16(pos.y());
    return pt;
}

const char* XGAppVersionString() {
    return kAppVersion;
}

bool XGGetAppVersion(char* out, size_t size) {
    if (!out || size == 0) return false;
    const size_t len = std::strlen(kAppVersion);
    const size_t n = len < size ? len : size - 1;
    std::memcpy(out, kAppVersion, n);
    out[n] = 0;
    return n == len;
}

int32 GetSystemVers() {
    return 0x600;
}

int64 XGGetTime() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace yaaf
