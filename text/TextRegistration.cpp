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

// The shell's print: a document of its own for the job, never seen and gone after.
bool PrintTextFile(const XGFileSpecifier& spec) {
    TEditDoc document;
    // It gives back the numbers it took: the next new text is still the next "Untitled Text".
    --TEditDoc::G_text_Count;
    XGDocument::RewindUntitledCounter();
    if (!document.DoOpenDocument(spec)) return false;
    return document.PrintText() > 0;
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
    text.fileFilter = TEditDoc::kFileFilter;
    text.printFile = [](const XGFileSpecifier& spec) { return PrintTextFile(spec); };

    TEditForm::s_SetTargetProc = &SetTarget;
    TEditForm::s_IsTargetProc = &IsTarget;
    TEditForm::s_RemoveTargetProc = &RemoveTarget;
}
