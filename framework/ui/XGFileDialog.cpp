#include "XGFileDialog.h"

#include "XGAlert.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace yaaf {

namespace {
XGOpenFileHook& Hook() {
    static XGOpenFileHook s_hook;
    return s_hook;
}
} // namespace

XGOpenFileHook XGSetOpenFileHook(XGOpenFileHook hook) {
    XGOpenFileHook old = Hook();
    Hook() = std::move(hook);
    return old;
}

bool XGChooseOpenFile(const std::string& title, const std::vector<std::string>& filters,
                      XGFileSpecifier& out) {
    std::string path;
    if (Hook()) {
        path = Hook()(title, filters);
    } else {
        // Where no dialog can be shown, the question is answered with Cancel.
        if (XGDialogsAreSilent()) return false;
        QStringList list;
        for (const std::string& f : filters)
            list << QString::fromStdString(f);
        list << QStringLiteral("All Files (*)");
        path = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString::fromStdString(title),
                                            QString(), list.join(QStringLiteral(";;")))
                   .toStdString();
    }
    if (path.empty()) return false;
    out.SetPath(path);
    return true;
}

bool XGChooseFolder(const std::string& title, XGFileSpecifier& out) {
    std::string path;
    if (Hook()) {
        path = Hook()(title, {});
    } else {
        if (XGDialogsAreSilent()) return false;
        path = QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString::fromStdString(title))
                   .toStdString();
    }
    if (path.empty()) return false;
    out.SetPath(path);
    return true;
}

} // namespace yaaf
