#define VORN_UNIT "TVornView.cpp"
// Switch scanning and the keyboard highlight of a board in Go Mode: with "Scan Items in Go
// Mode" on, the highlight steps over the items by itself; Space or Return (the first switch)
// chooses the row or generates the item, Tab (the second switch) steps by hand. Without
// scanning the arrow keys move the same highlight, and Space or Return generate what it shows.
#include "TVornView.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornPrefs.h"
#include "TVornModel.h"
#include "VBrowserWindowView.h"
#include "VFooterBar.h"
#include "VornScanner.h"
#include "XGDocForm.h"
#include "XGDraw.h"
#include "XGGeometry.h"
#include "XGKeyboard.h"
#include "XGWindow.h"

#include <algorithm>

using namespace yaaf;

namespace {
constexpr uint16 kKeyEnter = 3;
constexpr uint16 kKeyTab = '\t';

// The one board that scans: the switch belongs to the board last used in Go Mode.
TVornView* s_scanningViewP = nullptr;
} // namespace

CVornScanner* TVornView::GetScanner() {
    if (!i_scannerP) {
        i_scannerP = std::make_unique<CVornScanner>();
        i_scannerP->i_changedProc = [this] { ScanChanged(); };
    }
    if (i_scannerP->NeedsBuild(i_modelP)) i_scannerP->Build(i_modelP);
    return i_scannerP.get();
}

void TVornView::StopScanning() {
    if (s_scanningViewP == this) s_scanningViewP = nullptr;
    if (i_scannerP) i_scannerP->Hide();
}

void TVornView::ScanPeriodic() {
    const bool goB = i_modelP && i_modelP->GetMode() == Vorn_Mode_GO;
    if (!goB) {
        if (i_scannerP) {
            StopScanning();
            if (i_scannerP->NeedsBuild(i_modelP)) i_scannerP->Build(i_modelP);
        }
        return;
    }
    const bool wantB = gVornPrefsP && gVornPrefsP->i_access.scanB;
    if (!wantB && !i_scannerP) return;
    CVornScanner* scannerP = GetScanner();
    if (gVornPrefsP) scannerP->SetInterval(gVornPrefsP->i_access.scan_intervalL);
    if (wantB == scannerP->IsAuto()) return;
    if (!wantB) {
        StopScanning();
        return;
    }
    if (s_scanningViewP && s_scanningViewP != this) s_scanningViewP->StopScanning();
    s_scanningViewP = this;
    scannerP->SetAuto(true);
}

bool TVornView::DoScanKey(uint32 key) {
    if (!i_modelP || i_modelP->GetMode() != Vorn_Mode_GO) return false;
    const bool specialB = (key & kXGKeySpecialFlag) != 0;
    const uint16 mods = uint16((key >> 16) & 0x7FFF);
    const uint16 code = uint16(key & 0xFFFF);
    if (mods & (kXGMod_Control | kXGMod_Alt)) return false;
    CVornScanner* scannerP = GetScanner();
    // A board with nothing to pick leaves every key to the target.
    if (scannerP->Order().empty()) return false;
    if (specialB) {
        switch (code) {
        case kXGKey_Left:
            scannerP->Step(CVornScanner::kDir_Left);
            return true;
        case kXGKey_Right:
            scannerP->Step(CVornScanner::kDir_Right);
            return true;
        case kXGKey_Up:
            scannerP->Step(CVornScanner::kDir_Up);
            return true;
        case kXGKey_Down:
            scannerP->Step(CVornScanner::kDir_Down);
            return true;
        case kXGKey_Escape:
            // The hand-moved highlight goes away, and keys are typed into the target again.
            if (scannerP->IsAuto() || !scannerP->HasHighlight()) return false;
            scannerP->Hide();
            return true;
        default:
            return false;
        }
    }
    switch (code) {
    case ' ':
    case '\r':
    case kKeyEnter:
        if (!scannerP->HasHighlight()) return false;
        if (CVornItem* itemP = scannerP->Choose()) GenerateChosen(itemP);
        return true;
    case kKeyTab:
        if (!scannerP->IsAuto()) return false;
        scannerP->Step((mods & kXGMod_Shift) ? CVornScanner::kDir_SwitchBack : CVornScanner::kDir_Switch);
        return true;
    default:
        return false;
    }
}

// As a click released on the item. The board keeps the switch: a text window the item opened
// as its target does not take the keys away from it.
void TVornView::GenerateChosen(CVornItem* itemP) {
    if (!itemP || i_modelP->i_list->LastIndexOf(itemP) == kNoIndex) return;
    FinishTracking();
    XGWindow* const ownP = GetWindow();
    XGWindow* const frontP = XGWindow::GetFrontWindow();
    itemP->Generate();
    if (!ownP || !i_modelP || XGWindow::GetFrontWindow() == frontP) return;
    XGDocForm* targetP = i_modelP->i_target_controllerP;
    if (targetP && XGWindow::GetFrontWindow() == targetP->GetWindow()) ownP->Select();
}

// ---------------------------------------------------------------------------------------------
// The mark

tagRECT TVornView::ScanHighlightArea() {
    if (!i_scannerP || !i_modelP || i_modelP->GetMode() != Vorn_Mode_GO || i_scannerP->NeedsBuild(i_modelP))
        return tagRECT{};
    tagRECT area{};
    for (CVornItem* itemP : i_scannerP->Highlighted()) {
        const tagRECT r = itemP->GetScreenBounds();
        area = EmptyRect(area) ? r
                               : tagRECT{std::min(area.left, r.left), std::min(area.top, r.top),
                                         std::max(area.right, r.right), std::max(area.bottom, r.bottom)};
    }
    return area;
}

void TVornView::DrawScanHighlight(XGDraw& draw) {
    const tagRECT area = ScanHighlightArea();
    // Where the mark stands as drawn: the window may have been sized since the highlight moved,
    // and the next move must take away this mark, not the one before the sizing.
    i_scanR = area;
    if (EmptyRect(area)) return;
    const std::vector<CVornItem*> items = i_scannerP->Highlighted();
    if (items.size() == 1) {
        // The item's own mark, drawn wide.
        XGDraw* const prevP = i_modelP->i_drawP;
        i_modelP->i_drawP = &draw;
        items.front()->Hilight(kScanMarkWidth);
        i_modelP->i_drawP = prevP;
        return;
    }
    // A row: one mark around all of its items (marks of neighbours would cancel out).
    tagRECT r = area;
    InsetRect(r, -kScanMarkWidth, -kScanMarkWidth);
    draw.SetPenWidth(kScanMarkWidth);
    draw.InvertFrameRect(r);
    draw.SetPenWidth(1);
}

void TVornView::ScanChanged() {
    // The old mark and the new one are copied again from the buffer, which the mark is not in.
    if (!EmptyRect(i_scanR)) InvalOverlay(i_scanR, kScanMarkWidth + 2);
    i_scanR = ScanHighlightArea();
    if (!EmptyRect(i_scanR)) InvalOverlay(i_scanR, kScanMarkWidth + 2);
    // The footer names what is highlighted, as it names what lies under the pointer.
    std::string text;
    if (i_scannerP) {
        const std::vector<CVornItem*> items = i_scannerP->Highlighted();
        for (CVornItem* itemP : items) {
            if (!text.empty()) text += " ";
            text += itemP->GetName(Vorn_Ref_SRC, false);
        }
    }
    if (text == i_hoverText) return;
    i_hoverText = text;
    if (VBrowserWindowView* bwP = VBrowserWindowView::FromView(this))
        if (VFooterBar* footerP = bwP->GetFooterBar()) footerP->SetMessage(i_hoverText);
}
