#include "TEditForm.h"

#include "TEditDoc.h"
#include "TEditView.h"
#include "XGView.h"
#include "XGWindow.h"

using namespace yaaf;

YAAF_DISPATCH_BEGIN(TEditForm)
YAAF_DISPATCH_END(TEditForm, XGDocForm)

void (*TEditForm::s_SetTargetProc)(XGDocForm* formP) = nullptr;
bool (*TEditForm::s_IsTargetProc)(XGDocForm* formP) = nullptr;
void (*TEditForm::s_RemoveTargetProc)(XGDocForm* formP) = nullptr;

TEditForm::TEditForm(TEditDoc* document) : XGDocForm(document), i_modelP(document) {
    if (document) document->i_controllerP = this;
}

TEditForm::~TEditForm() {
    if (s_RemoveTargetProc) s_RemoveTargetProc(this);
    if (i_modelP) i_modelP->i_controllerP = nullptr;
    if (i_viewP) i_viewP->i_controllerP = nullptr;
}

TEditView* TEditForm::GetView() const {
    if (i_viewP) return i_viewP;
    XGWindow* window = GetWindow();
    if (!window || !window->GetContentView()) return nullptr;
    return dynamic_cast<TEditView*>(window->GetContentView()->FindView(2));
}

void TEditForm::DoFormInitialize() {
    i_windowP = GetWindow();
}

void TEditForm::DoDocumentInitialize() {
    i_windowP = GetWindow();
    i_viewP = GetView();
    if (i_modelP) i_modelP->i_controllerP = this;
    if (i_windowP) i_windowP->SetSizeLimits(75, 75, 32000, 32000);
    if (i_viewP && i_modelP) {
        i_viewP->i_controllerP = this;
        i_viewP->InitEdit(&i_modelP->fText);
        i_viewP->SetFocus();
        i_viewP->DoActivate(true);
    }
    DoDocumentRenamed();
}

void TEditForm::DoDocumentRenamed() {
    if (i_windowP && i_modelP) i_windowP->SetName(i_modelP->GetDocumentName());
}

void TEditForm::UpdateChangedMark() {
    if (i_windowP && i_modelP) i_windowP->SetModified(i_modelP->IsDocumentDirty());
}

void TEditForm::DoDocumentChanged() {
    UpdateChangedMark();
}

void TEditForm::DoDocumentRevert() {
    // The text was read again: the view lays it out anew.
    if (TEditView* view = GetView(); view && i_modelP && view->GetEditCore())
        view->InitEdit(&i_modelP->fText);
    UpdateChangedMark();
}

void TEditForm::DoDocumentSaved() {
    UpdateChangedMark();
}

DoStacksContainer* TEditForm::GetTargetStacks() {
    TEditView* view = GetView();
    return view ? &view->i_do_stacks : nullptr;
}

void TEditForm::AddWordCmd(const char* textZ, bool autoSaveB) {
    TEditView* view = GetView();
    if (!view || !textZ) return;
    view->AddWordCmd(textZ);
    if (autoSaveB && i_modelP && i_modelP->IsDirty()) i_modelP->DoDocumentSave();
}
