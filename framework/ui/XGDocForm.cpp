#include "XGDocForm.h"

#include "XGDocument.h"

namespace yaaf {

YAAF_DISPATCH_BEGIN(XGDocForm)
YAAF_DISPATCH_END(XGDocForm, XGForm)

XGDocForm::XGDocForm(XGDocument* document) : fDocument(document) {
    if (fDocument) fDocument->fForm = this;
}

XGDocForm::~XGDocForm() {
    XGDocument* document = DetachDocument();
    delete document;
}

XGDispatch* XGDocForm::GetParentDispatch() const {
    if (fDocument) return fDocument;
    return gAppDispatch;
}

bool XGDocForm::CanClose() {
    return fDocument ? fDocument->CanClose() : true;
}

void XGDocForm::SetDocument(XGDocument* document) {
    if (document == fDocument) return;
    delete DetachDocument();
    fDocument = document;
    if (fDocument) fDocument->fForm = this;
}

XGDocument* XGDocForm::DetachDocument() {
    XGDocument* document = fDocument;
    fDocument = nullptr;
    if (document && document->fForm == this) document->fForm = nullptr;
    return document;
}

} // namespace yaaf
