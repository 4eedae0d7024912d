#include "OutlineWindow.h"

#include "BoardOutline.h"
#include "CDocumentKinds.h"
#include "COutlineController.h"
#include "COutlineModel.h"
#include "CVornPrefs.h"
#include "CVornTargetList.h"
#include "FileProblems.h"
#include "OutlineRegistration.h"
#include "VBrowserWindowView.h"
#include "VornWindowInit.h"
#include "XGFileSpecifier.h"
#include "XGGeometry.h"
#include "XGWindow.h"

using namespace yaaf;

namespace {

// The board menu bar serves outline windows too: its View menu holds the outline modes.
constexpr int kOutlineMenuBar = 128;
constexpr tagRECT kDefaultOutlineWindowR{40, 40, 740, 540};

tagRECT NewOutlineRect() {
    tagRECT r = kDefaultOutlineWindowR;
    if (gVornPrefsP) {
        const Point size = gVornPrefsP->Get_BrowserSize();
        if (size.h >= 75 && size.v >= 75) {
            r.right = r.left + size.h;
            r.bottom = r.top + size.v;
        }
    }
    return r;
}

} // namespace

XGWindow* MakeOutlineWindow(COutlineController* formP) {
    if (!formP) return nullptr;
    auto* windowP = new XGWindow(formP, false, 'wind');
    windowP->SetMenuBarResID(kOutlineMenuBar);
    auto* rootP = new VBrowserWindowView(kBrowserViewID_Root);
    windowP->SetContentView(rootP);
    rootP->MakePanes();
    windowP->SetBounds(NewOutlineRect());
    if (!formP->DoDocumentInitialize()) {
        delete windowP;
        return nullptr;
    }
    return windowP;
}

XGWindow* OpenBrowserAt(const XGFileSpecifier& folder) {
    if (!folder.Exists()) {
        ReportFileProblem(folder.GetFullPath(), FileProblem_MISSING, FileAction_OPEN);
        return nullptr;
    }
    if (!folder.IsFolder()) {
        ReportFileProblem(folder.GetFullPath(), FileProblem_NOT_FOLDER, FileAction_OPEN);
        return nullptr;
    }
    XGDocForm* formP = nullptr;
    XGWindow* windowP = InitWindow_Vorn(Vorn_WindowInit_NEW_NEW_VORN, nullptr, &formP);
    auto* controllerP = dynamic_cast<COutlineController*>(formP);
    if (!windowP || !controllerP) return windowP;
    controllerP->BrowseFolder(folder);
    windowP->Select();
    return windowP;
}

void RegisterOutlineDocuments() {
    RegisterOutlineViews();
    CDocumentKinds& kinds = GetDocumentKinds();
    CDocumentKind& outline = kinds.outline;
    outline.makeDocument = [] { return static_cast<XGDocument*>(new COutlineModel()); };
    outline.initNew = [](XGDocument* docP) { return static_cast<COutlineModel*>(docP)->DoNewDocument(); };
    outline.makeForm = [](XGDocument* docP) {
        return static_cast<XGDocForm*>(new COutlineController(static_cast<COutlineModel*>(docP)));
    };
    outline.makeWindow = [](XGDocForm* formP) {
        return MakeOutlineWindow(static_cast<COutlineController*>(formP));
    };
    kinds.addBrowserParts = [](XGDocForm* formP) {
        if (auto* controllerP = dynamic_cast<COutlineController*>(formP)) controllerP->AddBrowserStuff();
    };
    kinds.browseFolder = [](const XGFileSpecifier& folder) { return OpenBrowserAt(folder); };
    kinds.targetList.make = [] {
        if (!gRtlP) gRtlP = new CVornTargetList();
    };
    kinds.targetList.idle = [] {
        if (gRtlP) gRtlP->Idle();
    };
    kinds.targetList.destroy = [] {
        delete gRtlP;
        gRtlP = nullptr;
    };
    kinds.boardOutline.showAsOutline = [](XGDocForm* formP, int32 viewAs) {
        return BoardOutline_ShowAsOutline(formP, O_ViewAsType(viewAs));
    };
    kinds.boardOutline.convertToOutline = [](XGDocForm* formP) {
        return BoardOutline_ConvertToOutlineWindow(formP);
    };
}
