#define VORN_UNIT "TVornModel.cpp"
// Modes, flat-column layout, the Go Mode picture, drawing and the window records of a board.
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VornBoardAssert.h"
#include "VornBoardWindows.h"
#include "VornErrors.h"
#include "XGDraw.h"
#include "XGGeometry.h"
#include "XGPicture.h"
#include "autoptr.h"

#include <algorithm>
#include <cmath>

using namespace yaaf;

namespace {
int32 Round(double v) {
    return int32(std::lround(v));
}
XGWindow* WindowOf(TVornController* controllerP) {
    return controllerP ? controllerP->GetWindow() : nullptr;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Flat columns

void TVornModel::ComputeColumns(const tagRECT& contentR) {
    const int16 n = std::max<int16>(1, i_prefs.num_columnsS);
    tagRECT r{0, 0, contentR.Width(), contentR.Height()};
    r.left += 10;
    r.top += 10;
    r.right -= 10;
    r.bottom -= 10;
    const double w = (double(r.Width()) - (n - 1) * 10.0) / n;
    r.right = r.left + Round(w);
    r.top = Round(r.top * i_scaleY);
    r.bottom = Round(r.bottom * i_scaleY);
    for (int i = 0; i < kVornMaxColumns; ++i) {
        tagRECT col = r;
        OffsetRect(col, Round((w + 10.0) * i * i_scaleX), 0);
        col.right = col.left + Round(w * i_scaleX);
        i_colA[i] = col;
    }
}

void TVornModel::AutoLayout(bool doc_changedB, Vorn_ModeType mode) {
    CVornViewLink* view = GetView();
    if (!view) return;
    if (mode == Vorn_Mode_NONE) mode = i_prefs.mode;
    if (mode == Vorn_Mode_NONE) {
        {
            [[maybe_unused]] const Vorn_ModeType cur_mode = mode;
            VORN_ASSERT_DLG(cur_mode != Vorn_Mode_NONE);
        }
        return;
    }
    if (mode != Vorn_Mode_EDIT || !IsFlatColumns()) return;
    ComputeColumns(view->GetContentRect());
    i_columnS = 0;
    i_init_firstB = true;
    i_layout_fullB = false;
    i_list->Iterate(ItemA_Iterate_FLOW_COLUMNS, nullptr);
    i_layout_fullB = false;
    if (doc_changedB && i_list->Count() > 0) i_slightly_dirtyB = true;
}

tagRECT TVornModel::GetColumn(int16 indexS) const {
    if (indexS < 0 || indexS >= kVornMaxColumns) return tagRECT{};
    tagRECT r = i_colA[indexS];
    OffsetRect(r, i_scrollH, 0);
    return r;
}

void TVornModel::GetScrollExtents(tagRECT* rectP) {
    CVornViewLink* view = GetView();
    *rectP = view ? view->GetContentRect() : tagRECT{};
    if (GetMode() != Vorn_Mode_EDIT) return;
    if (IsFlatColumns()) {
        const int16 last = std::clamp<int16>(view ? view->GetLastColIndex() : 0, 0, kVornMaxColumns - 1);
        rectP->left = i_colA[0].left - 10;
        rectP->right = i_colA[last].right + 10;
    } else {
        i_list->Iterate(ItemA_Iterate_GET_EXTENT, rectP);
    }
}

// ---------------------------------------------------------------------------------------------
// Go Mode

void TVornModel::SetGoMode(bool goB) {
    if (goB == (GetMode() == Vorn_Mode_GO)) return;
    if (goB)
        EnterGoMode();
    else
        LeaveGoMode();
}

void TVornModel::EnterGoMode() {
    i_prefs.mode = Vorn_Mode_GO;
    CVornViewLink* view = GetView();
    if (!view) {
        VORN_ASSERT_DLG(i_controllerP->i_viewP);
        return;
    }
    autoptr<CVornItem> picItemP(new CVornItem(this, kNoIndex));
    tagRECT r = view->GetContentRect();
    if (CItemArray* backgroundsP = GetBackgrounds()) {
        if (backgroundsP->Count() > 0) r = backgroundsP->GetIndItem(0)->i_boundsR;
        delete backgroundsP;
    }
    Vorn_LinkContent& lnk = picItemP->i_resource.source.content;
    lnk.origR = r;
    lnk.type = LinkType_PICT_FILE; // a picture without a file: the board itself
    picItemP->i_boundsR = r;
    picItemP->i_auto_boundsR = r;
    picItemP->i_b.set_lockedB(true);

    autoptr<XGPicture> pictureP(new XGPicture);
    if (!pictureP->Allocate(r.Width(), r.Height())) {
        ReportErrorStr(-1, "Out of memory allocating offscreen buffer");
        return;
    }
    pictureP->UpdateDest(view->GetDrawContext(), false);

    {
        autoptr<XGDraw> drawP(pictureP->NewDraw());
        if (drawP) {
            drawP->EraseRect(tagRECT{0, 0, r.Width(), r.Height()});
            // The picture holds the board's area r: board coordinates are drawn moved by its
            // corner, so that items are shown (and hit) where the board has them.
            drawP->SetOrigin(-r.left, -r.top);
        }
        i_scaleX = i_scaleY = 1.0;
        i_go_originH = i_go_originV = 0;
        if (IsFlatColumns()) AutoLayout(false, Vorn_Mode_EDIT);
        delete i_picsA;
        i_picsA = GetItemGroup(ItemA_Iterate_GET_VISIBLE_PICTS);
        if (i_picsA) {
            Vorn_SetPicDestRec rec{Vorn_SetPicDest_SET, drawP.get(), true, false};
            i_picsA->Iterate(ItemA_Iterate_SET_PIC_DEST, &rec);
        }
        if (drawP) Draw(drawP.get(), &r, Vorn_Mode_EDIT);
    }
    lnk.cacheP = pictureP.release();

    delete i_hiddenA;
    i_hiddenA = GetItemGroup(ItemA_Iterate_GET_VISIBLE);
    if (i_hiddenA) {
        bool on = true;
        i_hiddenA->Iterate(ItemA_Iterate_SET_HIDDEN, &on);
    }
    InsertItem(picItemP.release(), 0);

    if (XGWindow* windowP = WindowOf(i_controllerP)) {
        i_prefs.wind_edit.posR = VornWindow_GetBounds(windowP);
        if (!EmptyRect(i_prefs.wind_go.posR)) VornWindow_SetBounds(windowP, i_prefs.wind_go.posR);
    }
    view->InvalView();
}

void TVornModel::LeaveGoMode() {
    i_prefs.mode = Vorn_Mode_EDIT;
    if (!i_hiddenA) return;
    if (CVornItem* picItemP = GetFirstPict()) DeleteItem(picItemP, true);
    i_scaleX = i_scaleY = 1.0;
    i_go_originH = i_go_originV = 0;
    if (IsFlatColumns()) AutoLayout(false, Vorn_Mode_EDIT);
    if (i_picsA) {
        Vorn_SetPicDestRec rec{Vorn_SetPicDest_RESTORE, nullptr, false, true};
        i_picsA->Iterate(ItemA_Iterate_SET_PIC_DEST, &rec);
        delete i_picsA;
        i_picsA = nullptr;
    }
    bool off = false;
    i_hiddenA->Iterate(ItemA_Iterate_SET_HIDDEN, &off);
    delete i_hiddenA;
    i_hiddenA = nullptr;
    if (XGWindow* windowP = WindowOf(i_controllerP)) {
        i_prefs.wind_go.posR = VornWindow_GetBounds(windowP);
        if (!EmptyRect(i_prefs.wind_edit.posR)) VornWindow_SetBounds(windowP, i_prefs.wind_edit.posR);
    }
    if (CVornViewLink* view = GetView()) view->InvalView();
}

void TVornModel::UpdateInGoMode() {
    CVornItem* picItemP = GetFirstPict();
    if (!picItemP) {
        VORN_ASSERT_DLG(picItemP);
        return;
    }
    XGPicture* offsP = picItemP->i_resource.source.content.cacheP;
    if (!offsP) {
        VORN_ASSERT_DLG(offsP);
        return;
    }
    if (i_prefs.mode != Vorn_Mode_GO || !i_hiddenA || !i_picsA) {
        VORN_ASSERT_DLG(i_prefs.mode == Vorn_Mode_GO);
        return;
    }
    DeleteItem(picItemP, false);
    bool off = false, on = true;
    i_hiddenA->Iterate(ItemA_Iterate_SET_HIDDEN, &off);
    {
        autoptr<XGDraw> drawP(offsP->NewDraw());
        if (CItemArray* newPicsP = GetItemGroup(ItemA_Iterate_GET_VISIBLE_PICTS)) {
            for (int32 i = 0; i < newPicsP->Count(); ++i) {
                CVornItem* itemP = newPicsP->GetIndItem(i);
                if (i_picsA->Member(itemP)) continue;
                Vorn_SetPicDestRec rec{Vorn_SetPicDest_SET, drawP.get(), true, true};
                itemP->CB_Iterate(newPicsP, i, ItemA_Iterate_SET_PIC_DEST, &rec);
                i_picsA->Add(itemP);
                if (!i_hiddenA->Member(itemP)) i_hiddenA->Add(itemP);
            }
            delete newPicsP;
        }
        if (drawP) {
            const tagRECT r = picItemP->i_boundsR;
            drawP->EraseRect(tagRECT{0, 0, r.Width(), r.Height()});
            drawP->SetOrigin(-r.left, -r.top);
            Draw(drawP.get(), &r, Vorn_Mode_EDIT);
        }
    }
    i_hiddenA->Iterate(ItemA_Iterate_SET_HIDDEN, &on);
    picItemP->i_vornP = this;
    InsertItem(picItemP, 0);
    if (CVornViewLink* view = GetView()) view->SetSelChanged(false);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TVornModel::Draw(XGDraw* drawP, const tagRECT* inRectP, Vorn_ModeType mode) {
    if (i_update_in_go_modeB) {
        if (!WindowOf(i_controllerP) || i_prefs.mode != Vorn_Mode_GO) {
            VORN_ASSERT_DLG(i_prefs.mode == Vorn_Mode_GO);
        } else {
            i_update_in_go_modeB = false;
            UpdateInGoMode();
        }
    }
    CVornViewLink* view = GetView();
    if (!view || !drawP) return;
    if (mode == Vorn_Mode_NONE) mode = i_prefs.mode;
    XGDraw* const prevDrawP = i_drawP;
    i_drawP = drawP;
    if (mode == Vorn_Mode_GO) {
        CVornItem* picItemP = GetFirstPict();
        if (picItemP && !picItemP->HasPicture() && picItemP->i_resource.source.content.u.fileP)
            picItemP->CacheItem(false, false, 5);
        if (picItemP && picItemP->HasPicture() && picItemP->i_boundsR.Width() > 0 &&
            picItemP->i_boundsR.Height() > 0) {
            const tagRECT content = view->GetContentRect();
            i_scaleX = double(content.Width()) / picItemP->i_boundsR.Width();
            i_scaleY = double(content.Height()) / picItemP->i_boundsR.Height();
            i_go_originH = picItemP->i_boundsR.left;
            i_go_originV = picItemP->i_boundsR.top;
        }
    } else {
        i_scaleX = i_scaleY = 1.0;
        i_go_originH = i_go_originV = 0;
    }
    if (mode == Vorn_Mode_EDIT && IsFlatColumns()) {
        const int16 last = std::max<int16>(view->GetLastColIndex(), int16(i_prefs.num_columnsS - 1));
        for (int16 i = 0; i <= last && i < kVornMaxColumns; ++i)
            drawP->FrameRect(GetColumn(i));
    }
    i_list->Iterate(ItemA_Iterate_DRAW, const_cast<tagRECT*>(inRectP));
    i_drawP = prevDrawP;
}

// ---------------------------------------------------------------------------------------------
// Window records

Vorn_WindowModelRec* TVornModel::GetWindowModelP(Vorn_ModeType mode) {
    return mode == Vorn_Mode_GO ? &i_prefs.wind_go : &i_prefs.wind_edit;
}

void TVornModel::StoreScrollPos(int32 h, int32 v) {
    Vorn_WindowModelRec* recP = GetWindowModelP(i_prefs.mode);
    recP->h_scroll = h;
    recP->v_scroll = v;
}

void TVornModel::RetrieveScrollPos(int32* hP, int32* vP) {
    const Vorn_WindowModelRec* recP = GetWindowModelP(i_prefs.mode);
    if (hP) *hP = recP->h_scroll;
    if (vP) *vP = recP->v_scroll;
}

void TVornModel::StoreWindowR(Vorn_ModeType mode, const tagRECT* rectP) {
    GetWindowModelP(mode)->posR = *rectP;
}

void TVornModel::RetrieveWindowR(Vorn_ModeType mode, tagRECT* rectP) {
    *rectP = GetWindowModelP(mode)->posR;
}
