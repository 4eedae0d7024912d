#pragma once
// The column container of hierarchic columns (view 12, kind 'clmn'): the content of a
// horizontally scrolling view, it holds the chain of columns, left to right, and after the
// last one an empty filler (view 17, kind 'colr'). It places the columns side by side from
// its scroll position and gives its scroll view their extent.

#include "OutlineTypes.h"
#include "XGScrollView.h"
#include "XGView.h"

#include <vector>

class COutlineDocLink;

class VColContainer : public yaaf::XGView, public yaaf::XGScrollable {
public:
    explicit VColContainer(yaaf::int32 id = 12);

    // A new column (view 13) at the right end showing listP of the document; its outline
    // view is view 16 inside it.
    yaaf::XGView* AddColumn(CTopicList* listP, COutlineDocLink* outlineP, yaaf::int32 width);
    // The empty filler at the right end.
    yaaf::XGView* AddFiller(yaaf::int32 width);
    // Deletes every column (and the filler) right of colP.
    void DeleteColumnsAfter(yaaf::XGView* colP);
    // The column views and the filler, left to right.
    const std::vector<yaaf::XGView*>& GetColumnViews() const { return GetChildren(); }
    // The outline views of the columns, left to right.
    std::vector<VOutline*> GetColumns() const;
    bool HasColumnView(const yaaf::XGView* viewP) const;
    // The outline view of a column view (none for the filler).
    static VOutline* OutlineOf(const yaaf::XGView* colP);

    // Places the columns side by side from the scroll position, each as high as the container.
    void SetColPositions();
    void Scroll(yaaf::int32 dh, yaaf::int32 dv);
    void DoSizeView();
    // The scroll range: the columns' extent, in steps of kScrollUnit pixels.
    void RecalcScroll();
    yaaf::XGScrollView* GetScrollView() const { return yaaf::XGScrollView::FromContent(this); }
    // The columns' extent in content pixels (not moved by the scroll).
    yaaf::tagRECT GetExtents() const;

    void DoScrollChanged(yaaf::int32 xUnits, yaaf::int32 yUnits) override;

    yaaf::Point i_old_sizePt;

    static constexpr yaaf::int32 kColumnWidth = 200;
    static constexpr yaaf::int32 kScrollUnit = 10;

protected:
    void DoResize() override;

private:
    yaaf::int32 ScrollPixels() const;
    bool i_positioningB = false;
};
