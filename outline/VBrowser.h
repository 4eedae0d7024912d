#pragma once
// The views that arrange an outline view's layout: the browser view (view 10, kind 'brow')
// that fills the content pane, with a column header (list mode) along its top and a scroll
// view under it; and one hierarchic column (view 13, kind 'view'): its header (14) on top of
// its scroll view (15).

#include "XGView.h"

class VBrowser : public yaaf::XGView {
public:
    explicit VBrowser(yaaf::int32 id = 10);

protected:
    void DoResize() override;
};

class VColumnView : public yaaf::XGView {
public:
    explicit VColumnView(yaaf::int32 id = 13);

protected:
    void DoResize() override;
};
