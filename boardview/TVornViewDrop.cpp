#define VORN_UNIT "TVornView.cpp"
// Drag and drop: items dragged out of a board, and what is dropped on a board: items of a
// board (this one or another), files and web addresses of other programs.
#include "TVornView.h"

#include "CDo.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"
#include "Utilities.h"
#include "VornBoardAssert.h"
#include "VornBoardTask.h"
#include "XGFileSpecifier.h"
#include "XGGeometry.h"
#include "XGKeyboard.h"

#include <algorithm>
#include <cstring>

using namespace yaaf;

namespace {

// The drag running from a board view of this program, or none. A 'VoIt' block is only used
// when it is this record: its pointers mean nothing anywhere else.
const VornItemDragRec* s_activeDragP = nullptr;

class DragCollector : public CVornDragCollector {
public:
    explicit DragCollector(XGDragger& dragger) : i_dragger(dragger) {}
    void AddObject(const tagRECT& r) override { i_dragger.AddObject(r); }

private:
    XGDragger& i_dragger;
};

// A pointer dragged near an edge scrolls the view.
constexpr int32 kAutoScrollMargin = 12;

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    std::string out = s.substr(first, last - first + 1);
    // The first line only: a text of several addresses names the first.
    const auto lineEnd = out.find_first_of("\r\n");
    if (lineEnd != std::string::npos) out.erase(lineEnd);
    return out;
}

bool IsPictureFile(const XGFileSpecifier& spec) {
    if (spec.IsFolder()) return false;
    const std::string name = spec.GetName();
    return URLStringIsPic(name.c_str());
}

int16 ClampShort(int32 v) {
    return int16(std::clamp<int32>(v, -32768, 32767));
}

// The dragged items that are still on the board, in the board's order.
CItemArray* ItemsOnBoard(CItemArray* draggedP, TVornModel* modelP) {
    auto* outP = new CItemArray;
    for (int32 i = 0; i < draggedP->Count(); ++i) {
        CVornItem* itemP = draggedP->GetIndItem(i);
        if (modelP->i_list->LastIndexOf(itemP) != kNoIndex) outP->Add(itemP);
    }
    return outP;
}

} // namespace

const VornItemDragRec* TVornView::GetActiveDrag() {
    return s_activeDragP;
}

// ---------------------------------------------------------------------------------------------
// The source side

void TVornView::RunItemDrag(const VornItemDragRec& rec) {
    XGDragger dragger(this);
    DragCollector collector(dragger);
    rec.arrayP->Iterate(ItemA_Iterate_ADD_TO_DRAG, &collector);
    dragger.AddFlavor(kVornFlavor_Items, &rec, sizeof rec);
    const VornItemDragRec* outerP = s_activeDragP;
    s_activeDragP = &rec;
    dragger.Track(rec.offsetPt);
    s_activeDragP = outerP;
}

// ---------------------------------------------------------------------------------------------
// The target side

bool TVornView::Accept(uint16, int32, FourCharCode flavorType) {
    // Only a board in Edit Mode takes drops: in Go Mode it shows one picture.
    if (!i_modelP || i_modelP->GetMode() != Vorn_Mode_EDIT) return false;
    switch (flavorType) {
    case kXGFlavor_URL:
    case kXGFlavor_Text:
    case kXGFlavor_File:
        return true;
    case kVornFlavor_Items:
        return s_activeDragP != nullptr;
    default:
        return false;
    }
}

bool TVornView::DropStart(Point, uint16) {
    i_dragReceiverP = std::make_unique<XGDragReceiver>();
    return i_dragReceiverP != nullptr;
}

void TVornView::Drop(Point, uint16, int32 itemRef, FourCharCode flavor, const void* dataP, int32 dataLen) {
    EndInPlaceEdit();
    if (i_dragReceiverP) i_dragReceiverP->Add(itemRef, flavor, dataP, dataLen);
}

void TVornView::Track(Point where, uint16) {
    if (!i_modelP) return;
    const tagRECT frame = GetLocalBounds();
    if (XGScrollView* svP = GetScrollView()) {
        int32 dx = 0, dy = 0;
        if (where.h < frame.left + kAutoScrollMargin) dx = -1;
        if (where.h >= frame.right - kAutoScrollMargin) dx = 1;
        if (where.v < frame.top + kAutoScrollMargin) dy = -1;
        if (where.v >= frame.bottom - kAutoScrollMargin) dy = 1;
        if (dx || dy) svP->ScrollBy(dx, dy);
    }
    UpdateScrollInfo();
    int32 subHit = 0;
    SetRecentItem(i_modelP->HitTest(&where, &subHit));
}

void TVornView::DragLeave() {
    SetRecentItem(nullptr);
    i_dragReceiverP.reset();
}

void TVornView::SetRecentItem(CVornItem* itemP) {
    if (itemP == i_recentItemP) return;
    if (i_recentItemP && i_modelP && i_modelP->i_list->LastIndexOf(i_recentItemP) != kNoIndex)
        FlushRect(ItemArea(i_recentItemP));
    i_recentItemP = itemP;
    if (itemP) FlushRect(ItemArea(itemP));
}

void TVornView::DropEnd(Point dropPt, uint16 mods) {
    if (!i_modelP || !i_dragReceiverP) {
        SetRecentItem(nullptr);
        i_dragReceiverP.reset();
        return;
    }
    FinishTracking();
    ScViewDraw scDraw(this);
    DoStacksContainer* prevStacksP = gDo ? gDo->GetActiveStacks() : nullptr;
    SetStacks(false);
    UpdateScrollInfo();

    const VornItemDragRec* recP = nullptr;
    if (const XGDragItem* blockP = i_dragReceiverP->Find(kVornFlavor_Items)) {
        // A block of another program (or of a drag that is over) is not used: its pointers are
        // not ours.
        if (s_activeDragP && blockP->bytes.size() == sizeof(VornItemDragRec) &&
            std::memcmp(blockP->bytes.data(), s_activeDragP, sizeof(VornItemDragRec)) == 0)
            recP = s_activeDragP;
    }
    // Copies, unless items of this very view are dragged without Alt at either end.
    const bool copyB = !(recP && !recP->duplicateB && !(mods & kXGMod_Alt) && recP->orig_viewP == this);
    int32 subHit = 0;
    CVornItem* targetP = i_modelP->HitTest(&dropPt, &subHit);
    SetRecentItem(nullptr);
    if (recP)
        DropItems(*recP, dropPt, targetP, copyB);
    else
        DropFromOutside(dropPt, targetP);

    i_recentItemP = nullptr;
    i_dragReceiverP.reset();
    if (gDo) gDo->SetActiveStacks(prevStacksP);
}

void TVornView::DropFromOutside(Point dropPt, CVornItem* targetP) {
    const XGDragItem* fileP = i_dragReceiverP->Find(kXGFlavor_File);
    const XGDragItem* textP = i_dragReceiverP->Find(kXGFlavor_Text);
    const XGDragItem* urlP = i_dragReceiverP->Find(kXGFlavor_URL);
    // Plain text counts only when it is a web address.
    std::string address = textP ? Trimmed(textP->bytes) : std::string();
    if (!StringIsURL(address.c_str())) address.clear();

    if (!targetP) {
        if (!fileP && address.empty()) return;
        auto* itemP = new CVornItem(i_modelP, -1);
        const int32 left = int32(dropPt.h) - i_modelP->i_scrollH;
        const int32 top = int32(dropPt.v) - i_modelP->i_scrollV;
        itemP->i_boundsR = tagRECT{left, top, left, top};
        itemP->i_auto_boundsR = itemP->i_boundsR;
        if (fileP) {
            const XGFileSpecifier spec(fileP->bytes);
            if (IsPictureFile(spec)) {
                Vorn_LinkContent& s = itemP->i_resource.source.content;
                CVornItem::DisposeVornLink(itemP->i_resource.source);
                s.type = LinkType_PICT_FILE;
                s.u.fileP = new XGFileSpecifier(spec);
                itemP->i_set_boundsB = true;
            }
            itemP->SetLinkToFile(new XGFileSpecifier(spec));
        } else {
            itemP->SetLinkToURL(address.c_str());
        }
        itemP->SizeToFit();
        auto* selP = new CItemArray;
        selP->Add(itemP);
        BoardTask_Insert(this, selP, nullptr, "Drag and Drop from OS");
        return;
    }

    // On an item: a copy with the new link takes its place.
    const int32 indexL = i_modelP->i_list->IndexOf(targetP);
    if (indexL < 0) return;
    if (!urlP && !fileP) return;
    auto* copyP = new CVornItem(targetP, i_modelP);
    copyP->i_indexL = indexL;
    if (urlP) {
        const std::string link = address.empty() ? Trimmed(urlP->bytes) : address;
        copyP->SetLinkToURL(link.c_str());
    } else {
        copyP->SetLinkToFile(new XGFileSpecifier(fileP->bytes));
    }
    auto* selP = new CItemArray;
    selP->Add(targetP);
    auto* otherP = new CItemArray;
    otherP->Add(copyP);
    BoardTask_Exchange(this, selP, otherP, 0, "Set Item Link");
}

void TVornView::DropItems(const VornItemDragRec& rec, Point dropPt, CVornItem* targetP, bool copyB) {
    CItemArray* draggedP = rec.arrayP;
    if (!draggedP || draggedP->Count() == 0) return;
    int32 indexL = 0;
    if (!targetP) {
        if (copyB) {
            // Copies where the items were dropped.
            ++g_suppressFlushL;
            CItemArray* copiedP = nullptr;
            i_modelP->i_list->CopyGroup(i_modelP, draggedP, nullptr, &copiedP);
            if (!copiedP) {
                VORN_ASSERT_DLG(copiedP);
                --g_suppressFlushL;
                return;
            }
            // Where the items stood on the source's screen, moved as far as the pointer went.
            TVornModel* srcModelP = rec.orig_viewP ? rec.orig_viewP->i_modelP : nullptr;
            const int32 dh = int32(dropPt.h) - rec.offsetPt.h +
                             (srcModelP ? srcModelP->i_scrollH - i_modelP->i_scrollH : 0);
            const int32 dv = int32(dropPt.v) - rec.offsetPt.v +
                             (srcModelP ? srcModelP->i_scrollV - i_modelP->i_scrollV : 0);
            tagRECT updateR{};
            ItemA_Iterate_MOVEData move;
            move.offset = Point{ClampShort(dv), ClampShort(dh)};
            move.handleType = 1;
            move.updateRP = &updateR;
            copiedP->Iterate(ItemA_Iterate_MOVE, &move);
            copiedP->IterateReverse(ItemA_Iterate_REMOVE, nullptr);
            --g_suppressFlushL;
            BoardTask_Insert(this, copiedP, nullptr, "Drag and Drop (Copy) Item(s)");
            return;
        }
        indexL = i_modelP->i_list->Count();
    } else {
        indexL = i_modelP->i_list->IndexOf(targetP);
        if (indexL < 0) return;
    }

    if (copyB) {
        CItemArray* copiesP = draggedP->Duplicate(draggedP);
        if (!copiesP) return;
        int32 counter = indexL;
        copiesP->Iterate(ItemA_Iterate_SET_INDEX, &counter);
        BoardTask_Insert(this, copiesP, nullptr, "Drag and Drop (Copy) Item(s)");
        return;
    }

    // Moving within the board: the items before the target leave gaps the target moves into.
    CItemArray* selP = ItemsOnBoard(draggedP, i_modelP);
    for (int32 i = 0; i < selP->Count(); ++i)
        if (i_modelP->i_list->LastIndexOf(selP->GetIndItem(i)) < indexL) --indexL;
    if (indexL < 0) {
        VORN_ASSERT_DLG(indexL >= 0);
        indexL = 0;
    }
    if (selP->Count() == 0) {
        delete selP;
        return;
    }
    CItemArray* copiesP = selP->Duplicate(selP);
    if (!copiesP) {
        delete selP;
        return;
    }
    int32 counter = indexL;
    copiesP->Iterate(ItemA_Iterate_SET_INDEX, &counter);
    BoardTask_Exchange(this, selP, copiesP, 0, "Reorder Item(s)");
}
