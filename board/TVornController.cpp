#define VORN_UNIT "TVornController.cpp"
#include "TVornController.h"

#include "CItemArray.h"
#include "CVornList.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VornBoardAssert.h"
#include "VornErrors.h"
#include "VornLog.h"
#include "XGGeometry.h"
#include "XGView.h"
#include "XGWindow.h"

using namespace yaaf;

YAAF_DISPATCH_BEGIN(TVornController)
YAAF_DISPATCH_END(TVornController, XGDocForm)

TVornController::TVornController(TVornModel* modelP)
    : XGDocForm(modelP), i_modelP(modelP), i_viewP(nullptr), i_windowP(nullptr) {
    if (i_modelP) i_modelP->i_controllerP = this;
}

TVornController::~TVornController() {
    if (gVornListP) gVornListP->RemoveTarget(this);
    // The board outlives this body (the base deletes it): it must not reach the form or view,
    // nor the view this form.
    if (i_viewP) i_viewP->AttachModel(nullptr, nullptr);
    i_viewP = nullptr;
    if (i_modelP) i_modelP->i_controllerP = nullptr;
}

void TVornController::AttachView(CVornViewLink* viewP) {
    i_viewP = viewP;
    if (viewP) viewP->AttachModel(i_modelP, this);
}

bool TVornController::DoDocumentInitialize() {
    i_windowP = GetWindow();
    XGView* contentP = i_windowP ? i_windowP->GetContentView() : nullptr;
    XGView* bwP = contentP ? contentP->FindView(kVornViewID_Browser) : nullptr;
    if (!bwP) {
        VORN_ASSERT_DLG(bwP);
        return false;
    }
    auto* viewP = dynamic_cast<CVornViewLink*>(bwP->FindView(kVornViewID_Board));
    if (!viewP || !i_modelP) return false;
    TVornModel& m = *i_modelP;
    bool autoB = m.IsFlatColumns();
    m.i_list->Iterate(ItemA_Iterate_USE_AUTO_BOUNDS, &autoB);
    i_windowP->SetSizeLimits(75, 75, 32000, 32000);
    AttachView(viewP);
    Log("attached okay\n");
    Log("getting name\n");
    Log("setting title\n");
    UpdateWindowTitle();
    Vorn_SetPicDestRec rec{Vorn_SetPicDest_UPDATE, viewP->GetDrawContext(), false, false};
    m.i_list->Iterate(ItemA_Iterate_SET_PIC_DEST, &rec);
    if (!m.i_prefs.b.show_toolbarB()) viewP->ShowViewPane(2, false);
    if (!m.i_prefs.b.show_statusB()) viewP->ShowViewPane(7, false);
    if (m.GetMode() == Vorn_Mode_GO) {
        if (!EmptyRect(m.i_prefs.wind_edit.posR)) i_windowP->SetBounds(m.i_prefs.wind_edit.posR);
        m.AutoLayout(false, m.GetMode());
        m.i_prefs.mode = Vorn_Mode_EDIT;
        m.SetGoMode(true);
    }
    viewP->RetrieveWindowModel();
    return true;
}

void TVornController::UpdateWindowTitle() {
    XGWindow* windowP = GetWindow();
    if (!windowP || !i_modelP) return;
    std::string name = i_modelP->GetDocumentName();
    if (i_modelP->IsDocumentDirty()) name += " *";
    windowP->SetName(name);
}

void TVornController::DoDocumentChanged() {
    if (i_modelP) i_modelP->SetDirty(true);
    UpdateWindowTitle();
}

void TVornController::DoDocumentSaved() {
    if (i_modelP) i_modelP->DocumentSaved();
    UpdateWindowTitle();
}

void TVornController::DoDocumentRenamed() {
    UpdateWindowTitle();
}

bool TVornController::DoQueryDestroyWindow() {
    if (!i_modelP || !i_modelP->IsDocumentDirty()) return true;
    switch (SaveAlert(i_modelP->GetDocumentName().c_str())) {
    case SaveAlert_SAVE:
        return i_modelP->DoDocumentSave();
    case SaveAlert_DONT_SAVE:
        return true;
    default:
        return false;
    }
}

bool TVornController::CanClose() {
    return DoQueryDestroyWindow();
}
