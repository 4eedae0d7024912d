#define OUTLINE_UNIT "COutlineController"
#include "COutlineController.h"

#include "COutlineModel.h"
#include "CTopic_Folder.h"
#include "CTopic_Host.h"
#include "CVornPrefs.h"
#include "OutlineAssert.h"
#include "VBrowserWindowView.h"
#include "VOutline.h"
#include "VOutlineBrowser.h"
#include "VPathBar.h"
#include "VornLog.h"
#include "XGGeometry.h"
#include "XGWindow.h"

using namespace yaaf;

COutlineController::COutlineController(COutlineModel* modelP) : XGDocForm(modelP), i_modelP(modelP) {}

COutlineController::~COutlineController() = default;

VBrowserWindowView* COutlineController::GetBrowserView() const {
    XGWindow* windowP = GetWindow();
    XGView* contentP = windowP ? windowP->GetContentView() : nullptr;
    return contentP ? dynamic_cast<VBrowserWindowView*>(contentP->FindView(kBrowserViewID_Root)) : nullptr;
}

VOutline* COutlineController::GetOutlineView() const {
    VBrowserWindowView* bwP = GetBrowserView();
    return bwP ? VOutlineBrowser(bwP).GetVOutline() : nullptr;
}

bool COutlineController::DoDocumentInitialize() {
    i_windowP = GetWindow();
    VBrowserWindowView* bwP = GetBrowserView();
    OUTLINE_ASSERT_DLG(bwP);
    if (!bwP || !i_modelP) return false;
    bwP->SetViewAs(O_ViewAs_HEIR_COL);
    VOutlineBrowser browser(bwP);
    i_modelP->Init_Subtopics();
    VOutline* outViewP = browser.MakeContent(i_modelP->i_listP, i_modelP);
    OUTLINE_ASSERT_DLG(outViewP);
    if (!outViewP) return false;
    i_windowP->SetSizeLimits(75, 75, 32000, 32000);
    Log("attached okay\n");
    Log("getting name\n");
    Log("setting title\n");
    UpdateWindowTitle();
    UpdatePathBar();
    ApplyPanesAndPlace();
    i_windowP->SetFocusView(outViewP);
    return true;
}

void COutlineController::ApplyPanesAndPlace() {
    VBrowserWindowView* bwP = GetBrowserView();
    CTopicList* listP = i_modelP ? i_modelP->i_listP : nullptr;
    if (!bwP || !listP) return;
    bwP->ShowViewPane(listP->GetFlag(LIST_Flag_SHOW_TOOLBAR), kBrowserViewID_ToolbarPane);
    bwP->ShowViewPane(listP->GetFlag(LIST_Flag_SHOW_STATUS), kBrowserViewID_Footer);
    tagRECT r{};
    int32 h = 0, v = 0;
    listP->RetreiveWindData(&h, &v, &r);
    if (i_windowP && !EmptyRect(r) && r.Width() >= 75 && r.Height() >= 75) i_windowP->SetBounds(r);
}

void COutlineController::ShowChildrenOf(CTopic* topicP) {
    VBrowserWindowView* bwP = GetBrowserView();
    OUTLINE_ASSERT_DLG(bwP);
    VOutline* outViewP = GetOutlineView();
    OUTLINE_ASSERT_DLG(outViewP);
    if (!bwP || !outViewP || !topicP) return;
    topicP->Init_Subtopics();
    outViewP->SetTopicList(topicP->GetChildren(true));
    if (i_windowP) i_windowP->SetName(topicP->GetNameRef());
    if (i_windowP && gVornPrefsP) {
        // The preferred browser size, where the window stands now.
        const Point size = gVornPrefsP->Get_BrowserSize();
        tagRECT r = i_windowP->GetBounds();
        if (size.h >= 75 && size.v >= 75) {
            r.right = r.left + size.h;
            r.bottom = r.top + size.v;
            i_windowP->SetBounds(r);
        }
    }
    ApplyPanesAndPlace();
}

void COutlineController::AddBrowserStuff() {
    if (!i_modelP || !i_modelP->i_listP) return;
    CTopic_Host* hostP = CTopic_Host::AddHost(i_modelP->i_listP);
    ShowChildrenOf(hostP);
}

bool COutlineController::BrowseFolder(const XGFileSpecifier& folder) {
    if (!i_modelP || !i_modelP->i_listP || !folder.IsFolder()) return false;
    std::string name = folder.GetName();
    if (name.empty()) name = folder.GetFullPath();
    auto* folderP = new CTopic_Folder(name.c_str(), i_modelP->i_listP, folder);
    i_modelP->i_listP->Insert(folderP, -1, false);
    ShowChildrenOf(folderP);
    if (VBrowserWindowView* bwP = GetBrowserView())
        if (VPathBar* pathP = bwP->GetPathBar()) pathP->SetPath(folder.GetFullPath());
    return true;
}

void COutlineController::UpdateWindowTitle() {
    XGWindow* windowP = GetWindow();
    if (!windowP || !i_modelP) return;
    windowP->SetName(i_modelP->GetOutlineName());
    windowP->SetModified(i_modelP->IsDocumentDirty());
}

void COutlineController::UpdatePathBar() {
    VBrowserWindowView* bwP = GetBrowserView();
    VPathBar* pathP = bwP ? bwP->GetPathBar() : nullptr;
    if (pathP && i_modelP) pathP->SetSpec(i_modelP->GetFile());
}

void COutlineController::DoDocumentChanged() {
    if (i_windowP && i_modelP) i_windowP->SetModified(i_modelP->IsDocumentDirty());
}

void COutlineController::DoDocumentRevert() {
    DoDocumentChanged();
}

void COutlineController::DoDocumentSaved() {
    UpdatePathBar();
    DoDocumentChanged();
}

void COutlineController::DoDocumentRenamed() {
    UpdateWindowTitle();
    UpdatePathBar();
}

void COutlineController::DoPrePeriodic() {
    if (i_modelP) i_modelP->Idle();
}

void COutlineController::DoPostPeriodic() {
    XGWindow* windowP = GetWindow();
    if (windowP && i_modelP && windowP->IsModified() != i_modelP->IsDocumentDirty())
        windowP->SetModified(i_modelP->IsDocumentDirty());
}
