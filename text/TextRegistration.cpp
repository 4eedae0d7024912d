#include "TextRegistration.h"

#include "CDocumentKinds.h"
#include "TEditDoc.h"
#include "TEditForm.h"
#include "TextWindow.h"

using namespace yaaf;

namespace {

void SetTarget(XGDocForm* formP) {
    const CTargetService& target = GetDocumentKinds().target;
    if (target.set) target.set(formP);
}

bool IsTarget(XGDocForm* formP) {
    const CTargetService& target = GetDocumentKinds().target;
    return target.isTarget && target.isTarget(formP);
}

void RemoveTarget(XGDocForm* formP) {
    const CTargetService& target = GetDocumentKinds().target;
    if (target.remove) target.remove(formP);
}

} // namespace

void RegisterTextDocuments() {
    RegisterTextViews();

    CDocumentKind& text = GetDocumentKinds().text;
    text.makeDocument = [] { return static_cast<XGDocument*>(new TEditDoc()); };
    text.initNew = [](XGDocument* doc) { return static_cast<TEditDoc*>(doc)->DoNewDocument(); };
    text.openFile = [](XGDocument* doc, const XGFileSpecifier& spec) {
        return static_cast<TEditDoc*>(doc)->DoOpenDocument(spec);
    };
    text.makeForm = [](XGDocument* doc) {
        return static_cast<XGDocForm*>(new TEditForm(static_cast<TEditDoc*>(doc)));
    };
    text.makeWindow = [](XGDocForm* form) { return MakeTextWindow(static_cast<TEditForm*>(form)); };
    text.fileFilter = "Text Documents (*.txt)";

    TEditForm::s_SetTargetProc = &SetTarget;
    TEditForm::s_IsTargetProc = &IsTarget;
    TEditForm::s_RemoveTargetProc = &RemoveTarget;
}
