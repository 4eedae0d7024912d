#define VORN_UNIT "TVornView.cpp"
// Keys: in Edit Mode they edit, clear, add or remove columns, change the font size, nudge the
// selection and open the context menu (Shift+F10); in Go Mode the switches and the arrows move
// the highlight (TVornViewScan.cpp) and the other keys are typed into the generator target.
#include "TVornView.h"

#include "CDo.h"
#include "CItemArray.h"
#include "CTextTarget.h"
#include "CVornItem.h"
#include "CVornList.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VornBoardTask.h"
#include "XGDocForm.h"
#include "XGKeyboard.h"
#include "XGWindow.h"

#include <algorithm>

using namespace yaaf;

namespace {
constexpr uint16 kKeyEnter = 3;
constexpr uint16 kKeyDeleteChar = 127;
constexpr uint16 kKeyForwardDelete = 0x8D;
constexpr uint16 kKeyF10 = kXGKey_F1 + 9;
} // namespace

Point TVornView::ContextMenuPoint() {
    if (CItemArray* selP = i_modelP->GetItemSelection()) {
        CVornItem* firstP = selP->Count() > 0 ? selP->GetIndItem(0) : nullptr;
        delete selP;
        if (firstP) {
            const tagRECT r = firstP->GetScreenBounds();
            return Point{int16(std::clamp<int32>(r.bottom, 0, 32767)),
                         int16(std::clamp<int32>(r.left, 0, 32767))};
        }
    }
    return Point{10, 10};
}

int32 TVornView::DoKey(int32 msg) {
    if (!i_modelP) return kDispatchNotHandled;
    const uint32 key = uint32(msg);
    const bool specialB = (key & kXGKeySpecialFlag) != 0;
    const uint16 mods = uint16((key >> 16) & 0x7FFF);
    const uint16 code = uint16(key & 0xFFFF);
    // A Tab comes first as a probe: let it come back as a character.
    if (!specialB && code == kXGKeyTabProbe) return kDispatchNotHandled;

    if (i_modelP->GetMode() != Vorn_Mode_EDIT) {
        // The switches and the arrows move the highlight; the other keys are typed.
        if (!DoScanKey(key)) PassKeyToTarget(msg);
        return kDispatchHandled;
    }
    FinishTracking();

    if (!specialB) {
        // Control with a character is a command of the menus.
        if (mods & kXGMod_Control) return kDispatchNotHandled;
        int32 command = 0;
        switch (code) {
        case '\r':
        case kKeyEnter:
            command = (mods & kXGMod_Alt) ? kVornCmd_EditContent : kVornCmd_EditTitle;
            break;
        case kXGChar_Backspace:
        case kKeyDeleteChar:
            command = kVornCmd_Clear;
            break;
        case '=':
            command = kVornCmd_AddColumn;
            break;
        case '-':
            command = kVornCmd_RemoveColumn;
            break;
        case '[':
            command = kVornCmd_Smaller;
            break;
        case ']':
            command = kVornCmd_Bigger;
            break;
        default:
            return kDispatchNotHandled;
        }
        DoMenuCommand(command);
        return kDispatchHandled;
    }

    const int16 step = (mods & kXGMod_Alt) ? 10 : 1;
    switch (code) {
    case kXGKey_Up:
        Nudge(int16(-step), 0);
        break;
    case kXGKey_Down:
        Nudge(step, 0);
        break;
    case kXGKey_Left:
        Nudge(0, int16(-step));
        break;
    case kXGKey_Right:
        Nudge(0, step);
        break;
    case kXGKey_Delete:
    case kKeyForwardDelete:
        DoMenuCommand(kVornCmd_Clear);
        break;
    case kKeyF10:
        // Shift+F10, the keyboard's right click: the context menu at the first selected item.
        if (!(mods & kXGMod_Shift)) return kDispatchNotHandled;
        PopUpContextMenu(ContextMenuPoint());
        break;
    default:
        return kDispatchNotHandled;
    }
    return kDispatchHandled;
}

// No partition marks: nudges of the same items in a row merge into one task.
void TVornView::Nudge(int16 dv, int16 dh) {
    CItemArray* selP = i_modelP->GetItemSelection();
    if (!selP) return;
    if (selP->Count() == 0) {
        delete selP;
        return;
    }
    SetStacks(false);
    BoardTask_Move(this, selP, Point{dv, dh}, 1, false, "Nudge Item(s)");
}

bool TVornView::PassKeyToTarget(int32 msg) {
    XGDocForm* targetP = i_modelP->i_target_controllerP;
    if (!targetP && gVornListP) targetP = gVornListP->GetSharedTarget();
    if (!targetP || targetP == i_controllerP) return false;
    XGWindow* windowP = targetP->GetWindow();
    XGView* contentP = windowP ? windowP->GetContentView() : nullptr;
    if (!contentP) return false;
    XGView* viewP = contentP->FindView(kVornViewID_Text);
    DoStacksContainer* stacksP = nullptr;
    if (auto* textP = dynamic_cast<CTextTarget*>(targetP); textP && viewP) {
        stacksP = textP->GetTargetStacks();
    } else {
        auto* boardViewP = dynamic_cast<CVornViewLink*>(contentP->FindView(kVornViewID_Board));
        if (!boardViewP) return false;
        viewP = boardViewP->GetLinkView();
        stacksP = boardViewP->GetStacks();
    }
    if (!viewP || viewP == this) return false;
    // What the key changes is recorded in the target's own history.
    DoStacksContainer* prevP = gDo ? gDo->GetActiveStacks() : nullptr;
    if (gDo) gDo->SetActiveStacks(stacksP);
    viewP->DoDispatch('keye', msg, nullptr, false);
    if (gDo) gDo->SetActiveStacks(prevP);
    return true;
}
