#define VORN_UNIT "TVornView.cpp"
// Editing an item's title or content in place, and finding a missing picture.
#include "TVornView.h"

#include "CDo.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"
#include "Utilities.h"
#include "VornBoardAssert.h"
#include "VornBoardTask.h"
#include "XGBeep.h"
#include "XGFileDialog.h"
#include "XGFileSpecifier.h"
#include "XGGeometry.h"
#include "XGInlineEdit.h"

#include <algorithm>

using namespace yaaf;

namespace {

// An editor over a small item still shows a line of text and a few characters of it.
constexpr int32 kEditorMinWidth = 80;

const std::vector<std::string>& PictureFilters() {
    static const std::vector<std::string> filters{
        "Pictures (*.pct *.pict *.jpg *.jpeg *.png *.gif *.ico *.bmp *.tif *.tiff)", "All Files (*)"};
    return filters;
}

} // namespace

tagRECT TVornView::EditorBounds(CVornItem* itemP) {
    tagRECT r = itemP->GetScreenBounds();
    r.left += 2;
    r.top += 2;
    r.right -= 2;
    r.bottom -= 2;
    const int32 minHeight = itemP->i_font.LineHeight() + 4;
    if (r.right - r.left < kEditorMinWidth) r.right = r.left + kEditorMinWidth;
    if (r.bottom - r.top < minHeight) r.bottom = r.top + minHeight;
    return r;
}

void TVornView::Rename(CVornItem* itemP) {
    if (!itemP || !i_modelP || i_renameTE) {
        i_rename_contentB = false;
        return;
    }
    const Vorn_RefType ref = i_rename_contentB ? Vorn_Ref_DEST : Vorn_Ref_SRC;
    Vorn_LinkContent& c = *itemP->ResolveRef(ref);
    switch (c.type) {
    case LinkType_NONE:
    case LinkType_TEXT:
    case LinkType_URL:
    case LinkType_PICT_URL: {
        const std::string text = (c.type != LinkType_NONE && c.u.textP) ? *c.u.textP : std::string();
        i_renameFontRefcount = 0;
        i_renameItemP = itemP;
        i_renameTE =
            new XGInlineEdit(this, EditorBounds(itemP), itemP->i_font, text, false, kVornRenameEditID);
        InvalRect(ItemArea(itemP));
        break;
    }
    case LinkType_PICT_FILE:
        i_rename_contentB = false;
        if (ref == Vorn_Ref_SRC && c.u.fileP && !c.u.fileP->Exists()) FindMissingPicture(itemP);
        break;
    default:
        i_rename_contentB = false;
        break;
    }
}

void TVornView::FindMissingPicture(CVornItem* itemP) {
    XGFileSpecifier chosen;
    if (!XGChooseOpenFile("Find Missing Picture", PictureFilters(), chosen)) return;
    const int32 indexL = i_modelP->i_list->IndexOf(itemP);
    if (indexL < 0) return;
    // The copy takes the item's place in the order and loads the chosen file when it goes on.
    auto* copyP = new CVornItem(itemP, i_modelP);
    copyP->i_indexL = indexL;
    Vorn_LinkContent& s = copyP->i_resource.source.content;
    delete s.u.fileP;
    s.u.fileP = new XGFileSpecifier(chosen);
    auto* selP = new CItemArray;
    selP->Add(itemP);
    auto* otherP = new CItemArray;
    otherP->Add(copyP);
    SetStacks(false);
    BoardTask_Exchange(this, selP, otherP, 0, "Find missing picture");
}

void TVornView::EndInPlaceEdit() {
    if (i_renameTE) DoInlineClose();
}

int32 TVornView::HandleInlineClose(int32 param, void* data) {
    if (param != kVornRenameEditID) return kDispatchNotHandled;
    i_edit_cancelB = data && *static_cast<int32*>(data) == kXGInline_Cancelled;
    return DoInlineClose();
}

int32 TVornView::DoInlineClose() {
    if (i_inline_closingB) return kDispatchHandled;
    if (!i_renameTE) {
        XGBeep();
        VORN_ASSERT_DLG(i_renameTE);
        return kDispatchNotHandled;
    }
    i_inline_closingB = true;
    const bool cancelB = i_edit_cancelB;
    i_edit_cancelB = false;
    const std::string text = i_renameTE->GetText();
    XGInlineEdit* editP = i_renameTE;
    i_renameTE = nullptr;
    // Closed by a key or by the view: the keys go to the board again. Closed because another
    // view takes the focus: that view keeps it.
    const bool refocusB = !editP->IsLosingFocus();
    // The editor may be the one that sent the message: it touches nothing after sending it, and
    // its platform widget goes once its own event is over.
    delete editP;
    CVornItem* itemP = i_renameItemP;
    const bool contentB = i_rename_contentB;
    if (itemP) itemP->i_full_widthB = false;
    SetStacks(false);
    if (i_new_itemB) {
        CItemArray* prevSelP = i_new_item_prev_selP;
        i_new_item_prev_selP = nullptr;
        i_new_itemB = false;
        i_renameItemP = nullptr;
        if (itemP && itemP->i_vornP == i_modelP && i_modelP) {
            if (cancelB) {
                // Escape takes the new item back: the board is as it was before the rectangle.
                InvalRect(ItemArea(itemP));
                itemP->DeleteFromList(true);
                i_modelP->SetSelection(prevSelP);
                delete prevSelP;
            } else {
                Vorn_LinkContent& c = *itemP->ResolveRef(contentB ? Vorn_Ref_DEST : Vorn_Ref_SRC);
                CVornItem::Vorn_SetText(c, text.c_str());
                if (!contentB && StringIsURL(text.c_str()) && URLStringIsPic(text.c_str()))
                    c.type = LinkType_PICT_URL;
                itemP->DeleteFromList(false);
                AddItemCmd(itemP, "Add Item", prevSelP);
            }
        } else {
            delete prevSelP;
        }
    } else {
        i_renameItemP = nullptr;
        if (itemP && !cancelB && i_modelP && i_modelP->i_list->LastIndexOf(itemP) != kNoIndex)
            BoardTask_ChangeText(this, itemP, contentB ? Vorn_Ref_DEST : Vorn_Ref_SRC, text.c_str(),
                                 contentB ? "Change Item Content" : "Change Item Title");
    }
    if (itemP && i_modelP && i_modelP->i_list->LastIndexOf(itemP) != kNoIndex) InvalRect(ItemArea(itemP));
    i_rename_contentB = false;
    i_inline_closingB = false;
    if (refocusB && GetWindow()) SetFocus();
    return kDispatchHandled;
}

int32 TVornView::HandleSystemKey(int32 param, void*) {
    // Alt+Return edits the content where the accelerator table does not already.
    if (!i_modelP || i_modelP->GetMode() != Vorn_Mode_EDIT) return kDispatchNotHandled;
    if ((param & 0xFFFF) != '\r') return kDispatchNotHandled;
    return DoMenuCommand(kVornCmd_EditContent);
}
