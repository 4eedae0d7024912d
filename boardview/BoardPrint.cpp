#include "BoardPrint.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornOffscreenView.h"
#include "CVornViewLink.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VornBoardWindows.h"
#include "XGDraw.h"
#include "XGFileSpecifier.h"
#include "XGGeometry.h"
#include "XGPrint.h"

#include <chrono>
#include <memory>
#include <thread>

using namespace yaaf;

namespace {

// How long a print waits for its pictures (files and web addresses) in all.
constexpr auto kPictureWait = std::chrono::seconds(10);

bool AnyLoading(CItemArray* listP) {
    for (int32 i = 0; i < listP->Count(); ++i)
        if (listP->GetIndItem(i)->IsLoading()) return true;
    return false;
}

// Reading the board started its pictures loading: the page waits for them (a picture that
// does not come in time prints as missing).
void WaitForPictures(TVornModel* modelP) {
    const auto deadline = std::chrono::steady_clock::now() + kPictureWait;
    while (AnyLoading(modelP->i_list) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    modelP->Idle();
}

// One page, drawn as the board's window shows it; the board draws through its view (sizes,
// pictures, the Go Mode scale).
int32 PrintBoard(TVornModel& board) {
    CVornViewLink* viewP = board.GetView();
    if (!viewP) return 0;
    viewP->EndInPlaceEdit();
    return XGPrintDocument(board.GetDocumentName(), [&board](XGDraw& draw, const tagRECT& page, int32 index) {
        if (index > 0) return false;
        // The page shows the board from its origin, wherever the window is scrolled to.
        const int32 scrollH = board.i_scrollH, scrollV = board.i_scrollV;
        board.i_scrollH = board.i_scrollV = 0;
        const tagRECT all{-32000, -32000, 32000, 32000};
        draw.SetBaseClip(page);
        draw.EraseRect(page);
        board.Draw(&draw, &all, Vorn_Mode_NONE);
        draw.ClearBaseClip();
        board.i_scrollH = scrollH;
        board.i_scrollV = scrollV;
        return false;
    });
}

} // namespace

void InstallBoardPrinting() {
    VornBoardWindowOps& ops = VornBoardWindows();
    ops.print = PrintBoard;
    ops.pageSetup = [] { XGRunPageSetup(); };
}

bool PrintBoardFile(const XGFileSpecifier& fileSpec) {
    auto* modelP = new TVornModel();
    // The job gives back the number it took: the next new board is still the next untitled one.
    XGDocument::RewindUntitledCounter();
    tagRECT windR{};
    std::unique_ptr<TVornController> controllerP;
    if (!modelP->DoOpenDocument(fileSpec)) {
        delete modelP;
        return false;
    }
    // The page shows what the board's window would: its Edit Mode size.
    windR = modelP->i_prefs.wind_edit.posR;
    int32 width = windR.Width(), height = windR.Height();
    if (EmptyRect(windR) || width > 16384 || height > 16384) {
        width = 640;
        height = 480;
    }
    auto viewP = std::make_unique<CVornOffscreenView>(width, height);
    const bool goB = modelP->GetMode() == Vorn_Mode_GO;
    // A board stored in Go Mode is laid out in Edit Mode first, as its window does.
    modelP->i_prefs.mode = Vorn_Mode_EDIT;
    controllerP.reset(viewP->Attach(modelP));
    WaitForPictures(modelP);
    if (modelP->IsFlatColumns()) modelP->AutoLayout(false, Vorn_Mode_EDIT);
    if (goB && viewP->IsValid()) modelP->SetGoMode(true);
    const int32 pages = modelP->DoPrintDocument();
    // The board goes (with its form) before the view it draws through.
    controllerP.reset();
    viewP.reset();
    return pages > 0;
}
