#include "XGStdDialogs.h"

#include "XGAlert.h"
#include "XGAppMultiWindow.h"

#include <QFileDialog>
#include <QMainWindow>
#include <QStringList>

namespace yaaf {

namespace {

XGSaveResponder& SaveResponder() {
    static XGSaveResponder responder;
    return responder;
}

QWidget* DialogParent() {
    auto* app = dynamic_cast<XGAppMultiWindow*>(gApplication);
    return app ? app->GetMainFrame() : nullptr;
}

QString QtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList labels;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        labels << parts[i];
    return labels.join(";;");
}

} // namespace

XGSaveResponder XGSetSaveResponder(XGSaveResponder responder) {
    XGSaveResponder previous = std::move(SaveResponder());
    SaveResponder() = std::move(responder);
    return previous;
}

bool XGRunSaveDialog(const std::string& title, const std::string& filter, const std::string& defaultName,
                     XGFileSpecifier& out) {
    std::string path;
    if (SaveResponder()) {
        if (!SaveResponder()(title, defaultName, path) || path.empty()) return false;
    } else {
        if (XGDialogsAreSilent()) return false;
        const QString chosen =
            QFileDialog::getSaveFileName(DialogParent(), QString::fromStdString(title),
                                         QString::fromStdString(defaultName), QtFilter(filter));
        if (chosen.isEmpty()) return false;
        path = chosen.toStdString();
    }
    out.SetPath(path);
    return true;
}

} // namespace yaaf
