#include "VColContainer.h"

#include "VBrowser.h"
#include "VColHeader.h"
#include "VOutline.h"

#include <algorithm>

using namespace yaaf;

VColContainer::VColContainer(int32 id) : XGView('clmn', id) {
    SetAccessibleName("Columns");
}

XGView* VColContainer::AddColumn(CTopicList* listP, COutlineDocLink* outlineP, int32 width) {
    auto* colP = new VColumnView(13);
    AddChild(colP);
    colP->SetBounds(tagRECT{0, 0, std::max<int32>(1, width), std::max<int32>(1, GetHeight())});
    auto* headP = new VColHeader(14);
    colP->AddChild(headP);
    auto* scrollP = new XGScrollView(colP, 15);
    scrollP->SetBarPolicy(kXGScrollBar_Never, kXGScrollBar_AsNeeded);
    auto* outlP = new VOutline(16);
    scrollP->SetContentView(outlP);
    colP->Relayout();
    outlP->SetOutline(outlineP);
    outlP->SetTopicList(listP);
    return colP;
}

XGView* VColContainer::AddFiller(int32 width) {
    auto* fillerP = new XGView(this, 'colr', 17);
    fillerP->SetBounds(tagRECT{0, 0, std::max<int32>(1, width), std::max<int32>(1, GetHeight())});
    return fillerP;
}

void VColContainer::DeleteColumnsAfter(XGView* colP) {
    const std::vector<XGView*>& children = GetChildren();
    auto it = std::find(children.begin(), children.end(), colP);
    if (it == children.end()) return;
    std::vector<XGView*> doomed(it + 1, children.end());
    // Right to left: no column outlives the one before it.
    for (auto d = doomed.rbegin(); d != doomed.rend(); ++d)
        delete *d;
}

VOutline* VColContainer::OutlineOf(const XGView* colP) {
    if (!colP || colP->GetKind() == 'colr') return nullptr;
    return dynamic_cast<VOutline*>(const_cast<XGView*>(colP)->FindView(16));
}

std::vector<VOutline*> VColContainer::GetColumns() const {
    std::vector<VOutline*> cols;
    for (XGView* colP : GetChildren())
        if (VOutline* outlP = OutlineOf(colP)) cols.push_back(outlP);
    return cols;
}

bool VColContainer::HasColumnView(const XGView* viewP) const {
    const std::vector<XGView*>& children = GetChildren();
    return viewP && std::find(children.begin(), children.end(), viewP) != children.end();
}

int32 VColContainer::ScrollPixels() const {
    const XGScrollView* svP = GetScrollView();
    return svP ? svP->GetXScroll() * svP->GetScrollUnit() : 0;
}

void VColContainer::SetColPositions() {
    if (i_positioningB) return;
    i_positioningB = true;
    int32 x = -ScrollPixels();
    const int32 h = std::max<int32>(1, GetHeight());
    for (XGView* colP : GetChildren()) {
        const int32 w = std::max<int32>(1, colP->GetWidth());
        colP->SetBounds(tagRECT{x, 0, x + w, h});
        x += w;
    }
    i_positioningB = false;
}

tagRECT VColContainer::GetExtents() const {
    int32 w = 0;
    for (XGView* colP : GetChildren())
        w += std::max<int32>(1, colP->GetWidth());
    return tagRECT{0, 0, w, GetHeight()};
}

void VColContainer::Scroll(int32 dh, int32) {
    if (XGScrollView* svP = GetScrollView()) svP->ScrollBy(dh / kScrollUnit, 0);
}

void VColContainer::RecalcScroll() {
    XGScrollView* svP = GetScrollView();
    if (!svP) return;
    const tagRECT ext = GetExtents();
    svP->SetScrollLimits(ext.Width(), 0, kScrollUnit);
    SetColPositions();
}

void VColContainer::DoSizeView() {
    i_old_sizePt = Point{int16(std::min(GetHeight(), 32767)), int16(std::min(GetWidth(), 32767))};
    SetColPositions();
    RecalcScroll();
}

void VColContainer::DoResize() {
    DoSizeView();
}

void VColContainer::DoScrollChanged(int32, int32) {
    SetColPositions();
}
