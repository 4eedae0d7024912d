#include "XGAlertBox.h"

#include "XGAlert.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>

#include <cctype>

namespace yaaf {

namespace {

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

bool HaveWidgetApplication() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

bool OnHeadlessPlatform() {
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

} // namespace

void XGInstallAlertBoxes() {
    XGSetAlertPresenter(XGAlertPresenter{&HaveWidgetApplication, &OnHeadlessPlatform, &ShowMessageBox});
}

} // namespace yaaf
