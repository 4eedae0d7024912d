#pragma once
// The root view of a browser window (view 1, kind 'brwv'): boards now, outlines later. It holds
// the window's panes and owns the window's undo and redo stacks:
//   2 the toolbar pane: the toolbar (3), and under it the information bar (4) and the path
//     bar (5);
//   6 the content pane, whose views (the board view inside its scroll view) fill it;
//   7 the footer.
// Hiding the toolbar pane or the footer gives its height to the content pane.

#include "CDoStacksOwner.h"
#include "VornPrefsTypes.h"
#include "XGView.h"

class VInfoBar;
class VPathBar;
class VFooterBar;

namespace yaaf {
class XGToolbarView;
}

// The view ids of a browser window.
enum : yaaf::int32 {
    kBrowserViewID_Root = 1,
    kBrowserViewID_ToolbarPane = 2,
    kBrowserViewID_Toolbar = 3,
    kBrowserViewID_InfoBar = 4,
    kBrowserViewID_PathBar = 5,
    kBrowserViewID_Content = 6,
    kBrowserViewID_Footer = 7,
};

// The toolbar resource of browser windows.
constexpr yaaf::int16 kBrowserToolbarResID = 129;

class VBrowserWindowView : public yaaf::XGView, public DoStacksOwner {
public:
    explicit VBrowserWindowView(yaaf::int32 id = kBrowserViewID_Root);
    ~VBrowserWindowView() override;

    // Makes the panes and bars (the toolbar from toolbar resource toolbarResID). The content
    // pane is empty: the window's maker puts the mode's views into it.
    void MakePanes(yaaf::int16 toolbarResID = kBrowserToolbarResID);

    O_ViewAsType GetViewAs() const { return i_view_as; }
    void SetViewAs(O_ViewAsType viewAs) { i_view_as = viewAs; }

    // Shows or hides pane 2 (the toolbar pane) or 7 (the footer); the content pane takes or
    // gives back the height.
    void ShowViewPane(bool showB, yaaf::int32 viewID);
    bool IsPaneShown(yaaf::int32 viewID);

    yaaf::XGView* GetContentPane();
    yaaf::XGToolbarView* GetToolbar();
    VInfoBar* GetInfoBar();
    VPathBar* GetPathBar();
    VFooterBar* GetFooterBar();

    // Places the panes in the view's area.
    void LayOutPanes();

    static yaaf::int32 GetMinWidth() { return 100; }
    // The browser window view of the view's window, or none.
    static VBrowserWindowView* FromView(const yaaf::XGView* viewP);

    // Heights of the rows.
    static constexpr yaaf::int32 kToolbarHeight = 30;
    static constexpr yaaf::int32 kBarHeight = 18;

    O_ViewAsType i_view_as = O_ViewAs_HEIR_COL;

protected:
    void DoResize() override;

private:
    bool i_layingOutB = false;
};
