#include "BoardWindow.h"

#include "CVornPrefs.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "TVornView.h"
#include "VBrowserContainer.h"
#include "VBrowserWindowView.h"
#include "VFooterBar.h"
#include "VInfoBar.h"
#include "VPathBar.h"
#include "XGGeometry.h"
#include "XGScrollView.h"
#include "XGToolbarView.h"
#include "XGViewFactory.h"
#include "XGWindow.h"

using namespace yaaf;

namespace {

// Where a board window opens when neither the board nor the preferences say.
constexpr tagRECT kDefaultBoardWindowR{20, 20, 660, 500};

tagRECT NewWindowRect() {
    tagRECT r{};
    if (gVornPrefsP) gVornPrefsP->Get_VornWindR(r);
    if (EmptyRect(r) || r.Width() < 75 || r.Height() < 75) r = kDefaultBoardWindowR;
    return r;
}

} // namespace

void RegisterBoardWindowViews() {
    XGViewFactory::Register<VBrowserWindowView>('brwv');
    XGViewFactory::Register<VBrowserContainer>('bvct');
    XGViewFactory::Register<VInfoBar>('infb');
    XGViewFactory::Register<VPathBar>('pthb');
    XGViewFactory::Register<VFooterBar>('foot');
    XGViewFactory::Register<XGToolbarView>('tlbr');
    XGViewFactory::Register<XGScrollView>('scrv');
    TVornView::Register();
}

XGWindow* MakeBoardWindow(TVornController* formP) {
    if (!formP) return nullptr;
    auto* windowP = new XGWindow(formP, false, 'wind');
    windowP->SetMenuBarResID(kVornBoardMenuBar);
    auto* rootP = new VBrowserWindowView(kBrowserViewID_Root);
    if (formP->GetModel()) rootP->SetViewAs(formP->GetModel()->i_prefs.view_as);
    windowP->SetContentView(rootP);
    rootP->MakePanes();

    XGView* boardP = XGViewFactory::Create('Vorn');
    if (!boardP) {
        delete windowP; // and with it the form and the board
        return nullptr;
    }
    boardP->SetID(kVornViewID_Board);
    auto* scrollP = new XGScrollView(rootP->GetContentPane(), kVornViewID_Scroll);
    scrollP->SetContentView(boardP);

    // The views know their sizes before the board is laid out in them.
    windowP->SetBounds(NewWindowRect());
    if (!formP->DoDocumentInitialize()) {
        delete windowP;
        return nullptr;
    }
    return windowP;
}
