#pragma once
// What the outline browser adds to a browser window view: it builds the window's content for
// each view mode around an outline view, finds that view, and walks the chain of hierarchic
// columns. The browser window view itself (app/) knows nothing of outlines; this handle works
// on one for as long as the caller holds it.
//
// Content by mode, inside the content pane (view 6):
//   icons, zoom, freeform-new, flat-columns-new: 10 browser view, 11 scroll view, 12 outline;
//   list: 10 browser view, 11 column header, 12 scroll view, 13 outline;
//   hierarchic columns: 10 browser view, 11 scroll view, 12 column container holding the
//   columns (13 column, 14 its header, 15 its scroll view, 16 its outline) and the filler (17).

#include "OutlineTypes.h"

class COutlineDocLink;
class VBrowserWindowView;
class VColContainer;

namespace yaaf {
class XGScrollView;
class XGView;
} // namespace yaaf

class VOutlineBrowser {
public:
    explicit VOutlineBrowser(VBrowserWindowView* bwP) : i_bwP(bwP) {}

    // The browser window view holding the view, or none.
    static VBrowserWindowView* FindBrowserView(const yaaf::XGView* viewP);

    // Makes the content for the mode (keeping it when the mode uses the same layout) and gives
    // the new outline view the document and list of the old one, the focus and the toolbar.
    // The board modes (freeform, flat columns) have no outline view: false, nothing changes.
    bool SetViewAs(O_ViewAsType newViewAs);
    // Makes the content of the browser view's current mode for a list of a document (a new
    // window), and answers its outline view.
    VOutline* MakeContent(CTopicList* listP, COutlineDocLink* outlineP);
    // The outline view of the current layout (the first column in hierarchic columns).
    VOutline* GetVOutline() const;
    // One step (VOutline::CB_Column) per column, left to right, until a step stops the walk.
    yaaf::int32 IterateColumns(V_IterColType iterType, V_IterCol_CountRec* recP) const;
    VOutline* GetPrevColView(VOutline* findP) const;
    // View 11: the scroll view around the column container (or the outline in icons mode).
    yaaf::XGScrollView* GetColScrollView() const;
    VColContainer* GetColContainer() const;
    yaaf::tagRECT GetScrollExtents() const;
    static yaaf::int32 GetMinWidth() { return 100; }

    // The view-layout resource a mode uses (137, 138, 140 or 142; 0 for none).
    static yaaf::int16 LayoutFor(O_ViewAsType viewAs);

private:
    VOutline* BuildLayout(O_ViewAsType viewAs, CTopicList* listP, COutlineDocLink* outlineP);

    VBrowserWindowView* i_bwP;
};
