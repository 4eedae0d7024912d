#define VORN_UNIT "TVornController.cpp"
#include "TVornController.h"

#include "CItemArray.h"
#include "CVornList.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VBrowserWindowView.h"
#include "VPathBar.h"
#include "VornBoardAssert.h"
#include "VornErrors.h"
#include "VornLog.h"
#include "XGGeometry.h"
#include "XGToolbarView.h"
#include "XGView.h"
#include "XGWindow.h"

using namespace yaaf;

YAAF_DISPATCH_BEGIN(TVornController)
YAAF_DISPATCH_ENTRY(kXGMsg_WindowMoved, TVornController, HandleWindowMoved)
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
    UpdatePathBar();
    // The window's toolbar serves the board view.
    if (auto* browserP = dynamic_cast<VBrowserWindowView*>(bwP))
        if (XGToolbarView* toolbarP = browserP->GetToolbar()) toolbarP->SetStatusTarget(viewP->GetLinkView());
    Vorn_SetPicDestRec rec{Vorn_SetPicDest_UPDATE, viewP->GetDrawContext(), false, false};
    m.i_list->Iterate(ItemA_Iterate_SET_PIC_DEST, &rec);
    if (!m.i_prefs.b.show_toolbarB()) viewP->ShowViewPane(2, false);
    if (!m.i_prefs.b.show_statusB()) viewP->ShowViewPane(7, false);
    if (m.GetMode() == Vorn_Mode_GO) {
        // A board stored in Go Mode is laid out in Edit Mode, in its Edit Mode window, and
        // then shown in Go Mode.
        if (!EmptyRect(m.i_prefs.wind_edit.posR)) i_windowP->SetBounds(m.i_prefs.wind_edit.posR);
        m.AutoLayout(false, m.GetMode());
        m.i_prefs.mode = Vorn_Mode_EDIT;
        m.SetGoMode(true);
    }
    viewP->RetrieveWindowModel();
    // Keys and the periodic tick go to the board view when the window comes to the front.
    if (XGView* boardViewP = viewP->GetLinkView()) i_windowP->SetFocusView(boardViewP);
    return true;
}

void TVornController::UpdateWindowTitle() {
    XGWindow* windowP = GetWindow();
    if (!windowP || !i_modelP) return;
    windowP->SetName(i_modelP->GetDocumentName());
    windowP->SetModified(i_modelP->IsDocumentDirty());
}

void TVornController::UpdatePathBar() {
    XGWindow* windowP = GetWindow();
    XGView* contentP = windowP ? windowP->GetContentView() : nullptr;
    auto* pathP = contentP ? dynamic_cast<VPathBar*>(contentP->FindView(kVornViewID_Path)) : nullptr;
    if (pathP && i_modelP) pathP->SetSpec(i_modelP->GetFile());
}

void TVornController::DoPostPeriodic() {
    XGWindow* windowP = GetWindow();
    if (windowP && i_modelP && windowP->IsModified() != i_modelP->IsDocumentDirty())
        windowP->SetModified(i_modelP->IsDocumentDirty());
}

void TVornController::DoDocumentChanged() {
    if (i_modelP) i_modelP->SetDirty(true);
    UpdateWindowTitle();
}

void TVornController::DoDocumentRevert() {
    if (i_viewP) {
        i_viewP->RecalcScroll();
        i_viewP->InvalView();
    }
    UpdatePathBar();
    UpdateWindowTitle();
}

void TVornController::DoDocumentSaved() {
    if (i_modelP) i_modelP->DocumentSaved();
    UpdatePathBar();
    UpdateWindowTitle();
}

void TVornController::DoDocumentRenamed() {
    UpdateWindowTitle();
    UpdatePathBar();
}

int32 TVornController::HandleWindowMoved(int32 param, void*) {
    // A size reaches the view as its own resize; a move only through here.
    if (param == 0 && i_viewP) i_viewP->WindowMoved();
    // The application follows the moves of target windows too.
    return kDispatchNotHandled;
}

bool TVornController::DoQueryDestroyWindow() {
    if (!i_modelP) return true;
    // What is being typed into an item belongs to the board that is asked about.
    if (i_viewP) i_viewP->EndInPlaceEdit();
    if (!i_modelP->IsDocumentDirty()) return true;
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
