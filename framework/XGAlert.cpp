#include "XGAlert.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace yaaf {

namespace {

constexpr size_t kRecentLimit = 32;

XGAlertResponder& Responder() {
    static XGAlertResponder sResponder;
    return sResponder;
}

std::vector<XGAlertRequest>& Recent() {
    static std::vector<XGAlertRequest> sRecent;
    return sRecent;
}

XGAlertRequest Normalised(const XGAlertRequest& in) {
    XGAlertRequest r = in;
    if (r.buttons.empty()) r.buttons.push_back({"OK", 0});
    const int n = int(r.buttons.size());
    if (r.defaultIndex < 0 || r.defaultIndex >= n) r.defaultIndex = 0;
    if (r.cancelIndex < 0 || r.cancelIndex >= n) r.cancelIndex = r.defaultIndex;
    return r;
}

const char* KindName(XGAlertKind kind) {
    switch (kind) {
    case XGAlertKind::kError:
        return "error";
    case XGAlertKind::kCaution:
        return "caution";
    case XGAlertKind::kQuestion:
        return "question";
    default:
        return "note";
    }
}

// A label with the button's key marked as its mnemonic; "&" in the text itself is doubled.
QString LabelWithKey(const XGAlertButton& b) {
    QString text = QString::fromUtf8(b.label.c_str());
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (b.key) {
        int at = text.indexOf(QLatin1Char(b.key), 0, Qt::CaseInsensitive);
        if (at >= 0) text.insert(at, QLatin1Char('&'));
    }
    return text;
}

int ShowMessageBox(const XGAlertRequest& r) {
    QMessageBox box;
    switch (r.kind) {
    case XGAlertKind::kError:
        box.setIcon(QMessageBox::Critical);
        break;
    case XGAlertKind::kCaution:
        box.setIcon(QMessageBox::Warning);
        break;
    case XGAlertKind::kQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    default:
        box.setIcon(QMessageBox::Information);
        break;
    }
    box.setWindowTitle(QString::fromUtf8(r.title.c_str()));
    box.setText(QString::fromUtf8(r.text.c_str()));
    box.setTextFormat(Qt::PlainText);
    std::vector<QPushButton*> buttons;
    for (size_t i = 0; i < r.buttons.size(); ++i) {
        const auto role = int(i) == r.cancelIndex ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        QPushButton* b = box.addButton(LabelWithKey(r.buttons[i]), role);
        // A plain key press (no Alt) presses the button: the message box matches the first key
        // of a button's shortcut against unmodified key presses.
        if (r.buttons[i].key)
            b->setShortcut(
                QKeySequence(QChar::fromLatin1(char(std::toupper((unsigned char)r.buttons[i].key)))));
        buttons.push_back(b);
    }
    box.setDefaultButton(buttons[size_t(r.defaultIndex)]);
    box.setEscapeButton(buttons[size_t(r.cancelIndex)]);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i] == clicked) return int(i);
    return r.cancelIndex;
}

} // namespace

bool XGDialogsAreSilent() {
    const char* mode = std::getenv("VORN_ALERTS");
    if (mode && std::strcmp(mode, "stderr") == 0) return true;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
    if (mode && std::strcmp(mode, "show") == 0) return false;
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

int XGShowAlert(const XGAlertRequest& request) {
    const XGAlertRequest r = Normalised(request);
    auto& recent = Recent();
    recent.push_back(r);
    if (recent.size() > kRecentLimit) recent.erase(recent.begin());

    if (XGAlertResponder responder = Responder()) {
        int answer = responder(r);
        return (answer >= 0 && answer < int(r.buttons.size())) ? answer : r.cancelIndex;
    }
    if (XGDialogsAreSilent()) {
        std::fprintf(stderr, "[%s] %s: %s -> %s\n", KindName(r.kind), r.title.c_str(), r.text.c_str(),
                     r.buttons[size_t(r.cancelIndex)].label.c_str());
        return r.cancelIndex;
    }
    return ShowMessageBox(r);
}

XGAlertResponder XGSetAlertResponder(XGAlertResponder responder) {
    XGAlertResponder previous = std::move(Responder());
    Responder() = std::move(responder);
    return previous;
}

const std::vector<XGAlertRequest>& XGRecentAlerts() {
    return Recent();
}

void XGClearRecentAlerts() {
    Recent().clear();
}

int XGAlertButtonForKey(const XGAlertRequest& request, int keyChar) {
    if (keyChar <= 0 || keyChar > 0xFF) return -1;
    const int want = std::tolower(keyChar);
    for (size_t i = 0; i < request.buttons.size(); ++i) {
        const char k = request.buttons[i].key;
        if (k && std::tolower((unsigned char)k) == want) return int(i);
    }
    return -1;
}

} // namespace yaaf
