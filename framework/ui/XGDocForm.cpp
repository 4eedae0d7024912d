#include "XGDocForm.h"

#include "XGAppCore.h"
#include "XGDocument.h"

namespace yaaf {

YAAF_DISPATCH_BEGIN(XGDocForm)
YAAF_DISPATCH_END(XGDocForm, XGForm)

XGDocForm::XGDocForm(XGDocument* document) : fDocument(document) {}

XGDocForm::~XGDocForm() {
    delete fDocument;
}

XGDispatch* XGDocForm::GetParentDispatch() const {
    if (fDocument) return fDocument;
    return gApplication;
}

bool XGDocForm::CanClose() {
    return fDocument ? fDocument->CanClose() : true;
}

void XGDocForm::SetDocument(XGDocument* document) {
    if (document == fDocument) return;
    delete fDocument;
    fDocument = document;
}

XGDocument* XGDocForm::DetachDocument() {
    XGDocument* document = fDocument;
    fDocument = nullptr;
    return document;
}

} // namespace yaaf
