#include "XGSizeDialog.h"

#include "XGAlert.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace yaaf {

namespace {

XGSizeResponder& Responder() {
    static XGSizeResponder responder;
    return responder;
}

} // namespace

XGSizeResponder XGSetSizeResponder(XGSizeResponder responder) {
    XGSizeResponder previous = std::move(Responder());
    Responder() = std::move(responder);
    return previous;
}

bool XGAskSize(const std::string& title, int32& width, int32& height, int32 maxSide) {
    if (Responder()) return Responder()(title, width, height);
    if (XGDialogsAreSilent()) return false;
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setMinimumWidth(320); // room for the title
    auto* form = new QFormLayout(&dialog);
    auto* w = new QSpinBox(&dialog);
    auto* h = new QSpinBox(&dialog);
    for (QSpinBox* box : {w, h}) {
        box->setRange(1, maxSide);
        box->setSuffix(QStringLiteral(" px"));
    }
    w->setValue(width);
    h->setValue(height);
    form->addRow(QStringLiteral("Width:"), w);
    form->addRow(QStringLiteral("Height:"), h);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return false;
    width = w->value();
    height = h->value();
    return true;
}

} // namespace yaaf
