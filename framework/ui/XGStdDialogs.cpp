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

XGSaveRequestResponder& RequestResponder() {
    static XGSaveRequestResponder responder;
    return responder;
}

QWidget* DialogParent() {
    auto* app = dynamic_cast<XGAppMultiWindow*>(gApplication);
    return app ? app->GetMainFrame() : nullptr;
}

std::vector<std::string> LabelsOf(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    std::vector<std::string> labels;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        labels.push_back(parts[i].toStdString());
    return labels;
}

} // namespace

XGSaveResponder XGSetSaveResponder(XGSaveResponder responder) {
    XGSaveResponder previous = std::move(SaveResponder());
    SaveResponder() = std::move(responder);
    return previous;
}

XGSaveRequestResponder XGSetSaveRequestResponder(XGSaveRequestResponder responder) {
    XGSaveRequestResponder previous = std::move(RequestResponder());
    RequestResponder() = std::move(responder);
    return previous;
}

void XGAddDefaultSuffix(XGFileSpecifier& file, const std::string& suffix) {
    if (!suffix.empty() && file.GetExtension().empty()) file.SetExtension(suffix);
}

bool XGRunSaveDialog(const XGSaveDialogSpec& spec, const std::string& defaultName, XGFileSpecifier& out) {
    std::string path;
    if (RequestResponder()) {
        if (!RequestResponder()(spec, defaultName, path) || path.empty()) return false;
    } else if (SaveResponder()) {
        if (!SaveResponder()(spec.title, defaultName, path) || path.empty()) return false;
    } else {
        if (XGDialogsAreSilent()) return false;
        QFileDialog dialog(DialogParent(), QString::fromStdString(spec.title));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        QStringList filters;
        for (const std::string& f : spec.filters)
            filters << QString::fromStdString(f);
        filters << QStringLiteral("All Files (*)");
        dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(QString::fromStdString(spec.defaultSuffix));
        dialog.selectFile(QString::fromStdString(defaultName));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
        path = dialog.selectedFiles().constFirst().toStdString();
        if (path.empty()) return false;
    }
    out.SetPath(path);
    XGAddDefaultSuffix(out, spec.defaultSuffix);
    return true;
}

bool XGRunSaveDialog(const std::string& title, const std::string& filter, const std::string& defaultName,
                     XGFileSpecifier& out) {
    return XGRunSaveDialog(XGSaveDialogSpec{title, LabelsOf(filter), {}}, defaultName, out);
}

} // namespace yaaf
