#pragma once
// The content pane of a browser window (view 6, kind 'bvct'): it holds the view layout of the
// window's mode and gives it all of its area.

#include "XGView.h"

class VBrowserContainer : public yaaf::XGView {
public:
    explicit VBrowserContainer(yaaf::int32 id = 6);

protected:
    // A pane shown or hidden beside it changes its area: the window view lays the panes out
    // again first (a view that hides a pane may only ask this pane for a new layout).
    void DoResize() override;
};
