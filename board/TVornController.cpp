#define VORN_UNIT "TVornController.cpp"
#include "TVornController.h"

#include "CVornList.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VornBoardAssert.h"
#include "VornBoardWindows.h"
#include "VornErrors.h"
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
    const VornBoardWindowOps& ops = VornBoardWindows();
    return ops.initialize && ops.initialize(*this);
}

void TVornController::UpdateWindowTitle() {
    const VornBoardWindowOps& ops = VornBoardWindows();
    if (ops.updateTitle) ops.updateTitle(*this, true);
}

void TVornController::UpdatePathBar() {
    const VornBoardWindowOps& ops = VornBoardWindows();
    if (ops.updatePathBar) ops.updatePathBar(*this);
}

void TVornController::DoPostPeriodic() {
    const VornBoardWindowOps& ops = VornBoardWindows();
    if (ops.updateTitle) ops.updateTitle(*this, false);
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
