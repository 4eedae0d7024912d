#define OUTLINE_UNIT "VOutline"
// Hierarchic columns: the chain of columns to the right of a column, the column header, the
// path of a column and bringing a topic into view.
#include "VOutline.h"

#include "CTopic.h"
#include "CTopicList.h"
#include "OutlineAssert.h"
#include "VBrowser.h"
#include "VBrowserWindowView.h"
#include "VColContainer.h"
#include "VColHeader.h"
#include "VPathBar.h"
#include "XGGeometry.h"
#include "XGHostInfo.h"

#include <algorithm>

using namespace yaaf;

XGView* VOutline::GetColumnView() const {
    for (XGView* v = GetParent(); v; v = v->GetParent()) {
        if (dynamic_cast<VColumnView*>(v)) return dynamic_cast<VColContainer*>(v->GetParent()) ? v : nullptr;
        if (dynamic_cast<VBrowserWindowView*>(v)) break;
    }
    return nullptr;
}

VColHeader* VOutline::GetHeader() const {
    const O_ViewAsType viewAs = GetViewAs();
    if (viewAs == O_ViewAs_LIST) {
        // The list layout: the header beside this view's scroll view, inside the browser view.
        for (XGView* v = GetParent(); v; v = v->GetParent())
            if (dynamic_cast<VBrowser*>(v)) return dynamic_cast<VColHeader*>(v->FindView(11));
        return nullptr;
    }
    if (viewAs == O_ViewAs_HEIR_COL) {
        XGView* colP = GetColumnView();
        return colP ? dynamic_cast<VColHeader*>(colP->FindView(14)) : nullptr;
    }
    return nullptr;
}

VOutline* VOutline::SetSubView(CTopicList* listP, bool* skippedBP) {
    if (skippedBP) *skippedBP = false;
    XGView* colP = GetColumnView();
    auto* contP = colP ? dynamic_cast<VColContainer*>(colP->GetParent()) : nullptr;
    if (!contP) return nullptr;
    const bool subValid = contP->HasColumnView(i_sub_viewP);
    if (subValid) {
        VOutline* nextP = VColContainer::OutlineOf(i_sub_viewP);
        const bool sameB = listP ? (nextP && nextP->i_listP == listP) : (!nextP && i_sub_viewP->GetKind() == 'colr');
        if (sameB) {
            if (skippedBP) *skippedBP = true;
            return nextP;
        }
    }
    const int32 width = std::max<int32>(1, colP->GetWidth());
    contP->DeleteColumnsAfter(colP);
    i_sub_viewP = nullptr;
    VOutline* outlP = nullptr;
    if (listP) {
        i_sub_viewP = contP->AddColumn(listP, GetOutline(), width);
        OUTLINE_ASSERT_DLG(i_sub_viewP);
        outlP = VColContainer::OutlineOf(i_sub_viewP);
        OUTLINE_ASSERT_DLG(outlP);
    } else {
        i_sub_viewP = contP->AddFiller(width);
    }
    contP->RecalcScroll();
    if (outlP) outlP->SetSubView(nullptr, nullptr);
    return outlP;
}

VOutline* VOutline::GetPrevNextColView(bool previousB) const {
    XGView* colP = GetColumnView();
    auto* contP = colP ? dynamic_cast<VColContainer*>(colP->GetParent()) : nullptr;
    if (!contP) return nullptr;
    if (!previousB) return contP->HasColumnView(i_sub_viewP) ? VColContainer::OutlineOf(i_sub_viewP) : nullptr;
    const std::vector<XGView*>& cols = contP->GetColumnViews();
    auto it = std::find(cols.begin(), cols.end(), colP);
    if (it == cols.end() || it == cols.begin()) return nullptr;
    return VColContainer::OutlineOf(*(it - 1));
}

void VOutline::GetFullPath(std::string& path) const {
    const VOutline* prevP = GetPrevNextColView(true);
    if (!prevP) {
        path = "vorn://" + XGGetMachineName();
        return;
    }
    prevP->GetFullPath(path);
    const VColHeader* headP = GetHeader();
    path += "/";
    if (headP) path += headP->GetColumnLabel(0);
}

std::string VOutline::GetFullPath() const {
    std::string path;
    GetFullPath(path);
    return path;
}

void VOutline::RevealTopic(CTopic* topicP) {
    if (!topicP) return;
    XGView* colP = GetColumnView();
    auto* contP = colP ? dynamic_cast<VColContainer*>(colP->GetParent()) : nullptr;
    if (contP) {
        if (XGScrollView* svP = contP->GetScrollView()) {
            // This column and the one before it, in the container's content pixels.
            const int32 shift = svP->GetXScroll() * svP->GetScrollUnit();
            tagRECT r = colP->GetBounds();
            if (const VOutline* prevP = GetPrevNextColView(true))
                if (XGView* prevColP = prevP->GetColumnView()) UnionRect(r, prevColP->GetBounds(), r);
            OffsetRect(r, shift, 0);
            svP->ScrollToShow(r);
        }
    }
    if (XGScrollView* svP = GetScrollView()) {
        UpdateRects();
        svP->ScrollToShow(*topicP->GetFrameP());
        UpdateScrollInfo();
    }
    if (VBrowserWindowView* bwP = GetBrowserView())
        if (VPathBar* pathP = bwP->GetPathBar()) {
            std::string location;
            pathP->SetPath(topicP->GetLocation(location) ? location : GetFullPath() + "/" + topicP->GetNameRef());
        }
}

int32 VOutline::CB_Column(V_IterColType type, int32 indexL, V_IterCol_CountRec* recP) {
    if (!recP) return 0;
    switch (type) {
    case V_IterCol_COUNT:
        recP->col_indexL = indexL + 1;
        return 0;
    case V_IterCol_GET_COL_INDEX:
        if (recP->curP != this) return 0;
        recP->col_indexL = indexL;
        return int32(kTopicIterStop);
    case V_IterCol_GET_IND_COL:
        if (recP->col_indexL != indexL) return 0;
        recP->findP = this;
        return int32(kTopicIterStop);
    case V_IterCol_GET_PREV_COL:
        if (recP->curP == this) {
            recP->findP = recP->prevP;
            return int32(kTopicIterStop);
        }
        recP->prevP = this;
        return 0;
    case V_IterCol_GET_EXTENTS:
        if (XGView* colP = GetColumnView()) UnionRect(recP->extentsR, colP->GetBounds(), recP->extentsR);
        return 0;
    case V_IterCol_SET_POSITION:
        if (XGView* colP = GetColumnView()) {
            const int32 w = std::max<int32>(1, colP->GetWidth());
            const int32 bottom = std::max(recP->extentsR.bottom, colP->GetBounds().bottom);
            colP->SetBounds(tagRECT{recP->xL, colP->GetBounds().top, recP->xL + w, bottom});
            recP->xL += w;
        }
        return 0;
    }
    return 0;
}
