#define VORN_UNIT "TVornView.cpp"
// Cut, Copy and Paste of items. Items travel on the system clipboard as a board file image of a
// board made of copies of them (flavor 'VoIt'), so that they paste into any board, of this run
// of the program or of a later one; their titles go along as plain text for other programs.
#include "TVornView.h"

#include "CClipboard.h"
#include "CDo.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"
#include "VornBoardTask.h"
#include "VornFileFormat.h"
#include "VornTakeIn.h"
#include "XGBeep.h"
#include "XGHandle.h"

#include <limits>
#include <new>
#include <string>

using namespace yaaf;

namespace {

enum : int32 {
    kCmd_Cut = 16899,
    kCmd_Copy = 16900,
    kCmd_Paste = 16901,
};

// The selection's titles, one line each; line breaks of flat columns carry no text.
std::string TitlesText(CItemArray& items) {
    std::string text;
    for (int32 i = 0; i < items.Count(); ++i) {
        CVornItem* itemP = items.GetIndItem(i);
        if (itemP->IsLineBreak()) continue;
        if (!text.empty()) text += '\n';
        text += itemP->GetName(Vorn_Ref_SRC);
    }
    return text;
}

// The items as the file image of a board that holds copies of them, with the board's settings
// (the fonts of old items are read with them).
bool ItemsImage(TVornModel& source, CItemArray& items, CVornMemoryStream& out) {
    TVornModel scratch;
    scratch.i_prefs = source.i_prefs;
    scratch.i_prefs.mode = Vorn_Mode_EDIT;
    scratch.i_list->CopyGroup(&scratch, &items, nullptr, nullptr);
    return scratch.i_list->Count() == items.Count() && scratch.WriteModel(out);
}

} // namespace

bool TVornView::ClipboardHoldsItems() {
    return gClipboard && gClipboard->FindFlavor(kVornFlavor_Items);
}

bool TVornView::CopySelectionToClipboard() {
    if (!i_modelP || !gClipboard) return false;
    CItemArray* selP = i_modelP->GetItemSelection();
    if (!selP || selP->Count() == 0) {
        delete selP;
        return false;
    }
    bool okB = false;
    try {
        CVornMemoryStream image;
        if (ItemsImage(*i_modelP, *selP, image) &&
            image.Data().size() <= size_t(std::numeric_limits<int32>::max())) {
            XGHandle itemsH(image.Data().data(), int32(image.Data().size()));
            const std::string titles = TitlesText(*selP);
            XGHandle textH(titles.data(), int32(titles.size()));
            gClipboard->Open();
            gClipboard->AddFlavor(kVornFlavor_Items, &itemsH);
            gClipboard->AddFlavor(kFlavor_TEXT, &textH);
            gClipboard->Close();
            okB = true;
        }
    } catch (const std::bad_alloc&) {
        okB = false;
    }
    delete selP;
    return okB;
}

bool TVornView::PasteFromClipboard() {
    XGHandle bytesH;
    bool foundB = false;
    try {
        foundB = gClipboard && gClipboard->FindFlavor(kVornFlavor_Items, &bytesH);
    } catch (const std::bad_alloc&) {
        foundB = false;
    }
    if (!foundB || bytesH.GetSize() == 0) {
        XGBeep();
        return false;
    }
    VornTakeInOptions options;
    options.undoNameZ = "Paste Item(s)";
    options.beforeSelectionB = true;
    const VornTakeInResult result = VornTakeIn(this, options, [&](TVornModel& board) {
        CVornMemoryStream in(bytesH.GetData(), size_t(bytesH.GetSize()));
        const bool importingB = board.i_importingB;
        board.i_importingB = true;
        const bool readB = board.ReadModel(in);
        board.i_importingB = importingB;
        return readB;
    });
    return result == VornTakeInResult::kDone;
}

int32 TVornView::DoClipboardCommand(int32 command) {
    switch (command) {
    case kCmd_Copy:
        EndInPlaceEdit();
        if (!CopySelectionToClipboard()) XGBeep();
        return kDispatchHandled;
    case kCmd_Cut: {
        EndInPlaceEdit();
        // What could not be copied is not cleared.
        if (!CopySelectionToClipboard()) {
            XGBeep();
            return kDispatchHandled;
        }
        CItemArray* selP = i_modelP->GetItemSelection();
        CDo_ScGroup group("Cut Item(s)");
        BoardTask_Remove(this, selP, "Clear Item(s)");
        return kDispatchHandled;
    }
    case kCmd_Paste:
        PasteFromClipboard();
        return kDispatchHandled;
    default:
        return kDispatchNotHandled;
    }
}
