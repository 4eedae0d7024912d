#define VORN_UNIT "TVornControllerWindow.cpp"
// The window side of a board: its form's window set up and kept in step, the windows a board
// looks through for targets, and the save dialog. Installed at start-up, so that only programs
// with windows link it (see VornBoardWindows.h).
#include "CItemArray.h"
#include "CTextTarget.h"
#include "CVornViewLink.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VBrowserWindowView.h"
#include "VPathBar.h"
#include "VornBoardAssert.h"
#include "VornBoardWindows.h"
#include "VornLog.h"
#include "XGStdDialogs.h"
#include "XGToolbarView.h"
#include "XGView.h"
#include "XGWindow.h"

using namespace yaaf;

namespace {

// Finds the board view in the form's window (view id 12 inside the browser view), links
// board, form and view, and sets the window up: title, path bar, panes, the board's mode and
// its stored window.
bool InitializeBoardWindow(TVornController& form) {
    form.i_windowP = form.GetWindow();
    XGWindow* windowP = form.i_windowP;
    XGView* contentP = windowP ? windowP->GetContentView() : nullptr;
    XGView* bwP = contentP ? contentP->FindView(kVornViewID_Browser) : nullptr;
    if (!bwP) {
        VORN_ASSERT_DLG(bwP);
        return false;
    }
    auto* viewP = dynamic_cast<CVornViewLink*>(bwP->FindView(kVornViewID_Board));
    if (!viewP || !form.i_modelP) return false;
    TVornModel& m = *form.i_modelP;
    bool autoB = m.IsFlatColumns();
    m.i_list->Iterate(ItemA_Iterate_USE_AUTO_BOUNDS, &autoB);
    windowP->SetSizeLimits(75, 75, 32000, 32000);
    form.AttachView(viewP);
    Log("attached okay\n");
    Log("getting name\n");
    Log("setting title\n");
    form.UpdateWindowTitle();
    form.UpdatePathBar();
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
        if (!EmptyRect(m.i_prefs.wind_edit.posR)) windowP->SetBounds(m.i_prefs.wind_edit.posR);
        m.AutoLayout(false, m.GetMode());
        m.i_prefs.mode = Vorn_Mode_EDIT;
        m.SetGoMode(true);
    }
    viewP->RetrieveWindowModel();
    // Keys and the periodic tick go to the board view when the window comes to the front.
    if (XGView* boardViewP = viewP->GetLinkView()) windowP->SetFocusView(boardViewP);
    return true;
}

void UpdateTitle(TVornController& form, bool nameToo) {
    XGWindow* windowP = form.GetWindow();
    if (!windowP || !form.i_modelP) return;
    // Every change of the board asks; only a new name or mark reaches the window (an import
    // of thousands of items would otherwise retitle it thousands of times).
    bool renamedB = false;
    if (nameToo) {
        const std::string name = form.i_modelP->GetDocumentName();
        renamedB = windowP->GetName() != name;
        if (renamedB) windowP->SetName(name);
    }
    const bool dirty = form.i_modelP->IsDocumentDirty();
    if (renamedB || windowP->IsModified() != dirty) windowP->SetModified(dirty);
}

void UpdatePathBar(TVornController& form) {
    XGWindow* windowP = form.GetWindow();
    XGView* contentP = windowP ? windowP->GetContentView() : nullptr;
    auto* pathP = contentP ? dynamic_cast<VPathBar*>(contentP->FindView(kVornViewID_Path)) : nullptr;
    if (pathP && form.i_modelP) pathP->SetSpec(form.i_modelP->GetFile());
}

XGDocForm* FindTarget(TVornModel* except, bool numerology) {
    for (XGWindow* windowP : XGWindow::GetWindows()) {
        auto* formP = dynamic_cast<XGDocForm*>(windowP->GetForm());
        XGView* contentP = windowP->GetContentView();
        if (!formP || !contentP) continue;
        if (numerology) {
            auto* viewP = dynamic_cast<CVornViewLink*>(contentP->FindView(kVornViewID_Board));
            TVornModel* boardP = viewP ? viewP->GetVornModel() : nullptr;
            if (boardP && boardP != except && boardP->GetMode() == Vorn_Mode_EDIT) return formP;
        } else if (dynamic_cast<CTextTarget*>(formP) && contentP->FindView(kVornViewID_Text)) {
            return formP;
        }
    }
    return nullptr;
}

} // namespace

void InstallBoardWindowOps() {
    VornBoardWindowOps& ops = VornBoardWindows();
    ops.windows = [] { return XGWindow::GetWindows(); };
    ops.getBounds = [](XGWindow* windowP) { return windowP->GetBounds(); };
    ops.setBounds = [](XGWindow* windowP, const tagRECT& bounds) { windowP->SetBounds(bounds); };
    ops.show = [](XGWindow* windowP, VornWindowShow how) {
        switch (how) {
        case VornWindowShow::kShow:
            windowP->Show();
            break;
        case VornWindowShow::kFront:
            windowP->BringToFront();
            break;
        case VornWindowShow::kSelect:
            windowP->Select();
            break;
        }
    };
    ops.findTarget = FindTarget;
    ops.initialize = InitializeBoardWindow;
    ops.updateTitle = UpdateTitle;
    ops.updatePathBar = UpdatePathBar;
    ops.chooseSaveFile = [](const XGSaveDialogSpec& spec, const std::string& name, XGFileSpecifier& out) {
        return XGRunSaveDialog(spec, name, out);
    };
}
