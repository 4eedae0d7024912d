#define VORN_UNIT "TVornViewGenerateCommands.cpp"
// The board commands about generating (Generate Selection, the generator target, the numerology
// items and the numerology prefix, the repairs) and about the board's window (its bars, Close).
#include "TVornView.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornList.h"
#include "CVornPrefs.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VornBoardTask.h"
#include "XGWindow.h"

using namespace yaaf;

namespace {

enum : int32 {
    kCmd_ShowToolbar = 19,
    kCmd_ShowStatusBar = 20,
    kCmd_GenerateSelection = 43,
    kCmd_AppendSummation = 44,
    kCmd_AppendReduction = 45,
    kCmd_RemoveNumerology = 116,
    kCmd_CloseWindow = 17674,
    kCmd_SetGeneratorTarget = 17931,
};

// The view ids of the panes that Show Toolbar and Show Status Bar show and hide.
constexpr int16 kPane_Toolbar = 2;
constexpr int16 kPane_Footer = 7;

void StorePrefs(const TVornModel& m) {
    if (gVornPrefsP) gVornPrefsP->Set_VornModelPrefs(m.i_prefs);
}

std::string TitleOf(CVornItem* itemP) {
    return itemP->GetName(Vorn_Ref_SRC, true);
}

// A size written on a machine of the other byte order reads with its two bytes exchanged.
int16 RepairedSize(int16 sizeS) {
    uint16 size = uint16(sizeS);
    if (size <= 255) return sizeS;
    size = uint16((size << 8) | (size >> 8));
    return size <= 255 ? int16(size) : int16(12);
}

} // namespace

bool TVornView::IsGeneratorTarget() const {
    XGDocForm* formP = i_controllerP;
    return gVornListP && formP && gVornListP->GetSharedTarget() == formP;
}

bool TVornView::DoGenerateCommand(int32 command) {
    if (!i_modelP) return false;
    TVornModel& m = *i_modelP;
    switch (command) {
    case kCmd_GenerateSelection: {
        EndInPlaceEdit();
        CItemArray* selP = m.GetItemSelection();
        if (selP && selP->Count() > 0) {
            // The target is chosen afresh: the board's own, else the first that fits.
            if (gVornListP) gVornListP->DropSharedTarget();
            bool newB = false;
            TVornModel* targetP = m.GetTarget(&newB);
            m.GenerateList(selP, targetP);
        }
        delete selP;
        return true;
    }
    case kCmd_AppendSummation:
    case kCmd_AppendReduction: {
        EndInPlaceEdit();
        CItemArray* selP = m.GetItemSelection();
        const bool anyB = selP && selP->Count() > 0;
        delete selP;
        if (!anyB) return true;
        // The board makes the item; it goes on again as a task of its own.
        CVornItem* itemP = m.AddNumerology(command == kCmd_AppendSummation);
        if (!itemP) return true;
        itemP->DeleteFromList(false);
        AddItemCmd(itemP, command == kCmd_AppendSummation ? "Insert Numerology Summation"
                                                          : "Insert Numerology Reduction");
        return true;
    }
    case kCmd_RemoveNumerology: {
        EndInPlaceEdit();
        CItemArray* liveP = m.GetItemSelection();
        CItemArray* copiesP = liveP && liveP->Count() > 0 ? liveP->Duplicate(m.i_list) : nullptr;
        if (!copiesP) {
            delete liveP;
            return true;
        }
        copiesP->Iterate(ItemA_Iterate_STRIP_NUMEROLOGY, nullptr);
        bool changedB = false;
        for (int32 i = 0; i < copiesP->Count() && !changedB; ++i)
            changedB = TitleOf(copiesP->GetIndItem(i)) != TitleOf(liveP->GetIndItem(i));
        if (!changedB) {
            // Nothing to undo: no task.
            for (int32 i = 0; i < copiesP->Count(); ++i)
                delete copiesP->GetIndItem(i);
            delete copiesP;
            delete liveP;
            return true;
        }
        BoardTask_Exchange(this, liveP, copiesP, command, "Remove Numerology");
        return true;
    }
    case kVornRepair_URLFiles:
    case kVornRepair_SwapRegions:
    case kVornRepair_FontSizes: {
        EndInPlaceEdit();
        if (m.i_list->Count() == 0) return true;
        if (command == kVornRepair_FontSizes) {
            m.i_prefs.font.size = RepairedSize(m.i_prefs.font.size);
            StorePrefs(m);
        }
        int32 code = command;
        m.i_list->Iterate(ItemA_Iterate_REPAIR, &code);
        m.AutoLayout(true, Vorn_Mode_NONE);
        RecalcScroll();
        DocChanged(true);
        return true;
    }
    case kCmd_SetGeneratorTarget:
        if (gVornListP && i_controllerP) gVornListP->SetTarget(IsGeneratorTarget() ? nullptr : i_controllerP);
        return true;
    default:
        return false;
    }
}

bool TVornView::DoWindowCommand(int32 command) {
    if (!i_modelP) return false;
    TVornModel& m = *i_modelP;
    switch (command) {
    case kCmd_ShowToolbar:
    case kCmd_ShowStatusBar: {
        const Vorn_PrefBit bit =
            command == kCmd_ShowToolbar ? Vorn_PrefBit_SHOW_TOOLBAR : Vorn_PrefBit_SHOW_STATUS;
        const bool showB = !m.i_prefs.b.Get(bit);
        m.i_prefs.b.Set(bit, showB);
        ShowViewPane(command == kCmd_ShowToolbar ? kPane_Toolbar : kPane_Footer, showB);
        StorePrefs(m);
        return true;
    }
    case kCmd_CloseWindow:
        EndInPlaceEdit();
        // Closing the window deletes this view: nothing of it is touched afterwards.
        if (XGWindow* windowP = GetWindow()) windowP->Close();
        return true;
    default:
        return false;
    }
}
