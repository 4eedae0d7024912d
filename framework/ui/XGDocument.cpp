#include "XGDocument.h"

#include "XGDocForm.h"
#include "XGWindow.h"

namespace yaaf {

YAAF_DISPATCH_BEGIN(XGDocument)
YAAF_DISPATCH_ENTRY('menu', XGDocument, HandleMenu)
YAAF_DISPATCH_ENTRY('stat', XGDocument, HandleStatus)
YAAF_DISPATCH_END(XGDocument, XGDocData)

int32 XGDocument::sUntitledCounter = 0;
bool (*XGDocument::sHistoryProbe)() = nullptr;

XGDocument::XGDocument() : fUntitledNumber(++sUntitledCounter) {}

XGDocument::~XGDocument() {
    if (fForm && fForm->fDocument == this) fForm->fDocument = nullptr;
}

void XGDocument::SetHistoryProbe(bool (*probe)()) {
    sHistoryProbe = probe;
}

void XGDocument::SetDirty(bool dirty) {
    if (dirty) {
        if (!sHistoryProbe || !sHistoryProbe()) fChangedOutsideHistory = true;
    } else {
        fChangedOutsideHistory = false;
        fSavedState = fHistoryState;
    }
    ApplyDirty(dirty);
}

void XGDocument::NoteHistoryState(uint64 state) {
    fHistoryState = state;
    ApplyDirty(fChangedOutsideHistory || fHistoryState != fSavedState);
}

void XGDocument::ApplyDirty(bool dirty) {
    const bool changed = dirty != fDirty;
    fDirty = dirty;
    if (fForm)
        if (XGWindow* window = fForm->GetWindow()) window->SetModified(dirty);
    if (changed) DoDirtyChanged();
}

void XGDocument::RewindUntitledCounter() {
    if (sUntitledCounter > 0) --sUntitledCounter;
}

std::string XGDocument::GetDocumentName() const {
    if (HasFile()) return fFile.GetName();
    if (fUntitledNumber <= 1) return "untitled";
    return "untitled " + std::to_string(fUntitledNumber);
}

} // namespace yaaf
