#pragma once
// The board's form: it ties the board, its window and its view together, keeps the window's
// title, changed mark and path bar in step with the board, and hands the window's moves to the
// view.

#include "XGDispatch.h"
#include "XGDocForm.h"

class CVornViewLink;
class TVornModel;

namespace yaaf {
class XGWindow;
}

class TVornController : public yaaf::XGDocForm, public yaaf::XGPeriodic {
    YAAF_DECLARE_DISPATCH()
public:
    // The form owns the board.
    explicit TVornController(TVornModel* modelP);
    ~TVornController() override;

    // Finds the board view in the form's window (view id 12 inside the browser view), links
    // board, form and view, and sets the window up: title, path bar, panes, the board's mode
    // and its stored window. False when the window has no board view.
    bool DoDocumentInitialize();
    // For a view found by other means (and for tests): links board, form and view.
    void AttachView(CVornViewLink* viewP);

    void DoDocumentChanged();
    // The board was read again: the view shows it anew.
    void DoDocumentRevert();
    void DoDocumentSaved();
    void DoDocumentRenamed();
    bool DoQueryDestroyWindow();
    bool CanClose() override;

    TVornModel* GetModel() const { return i_modelP; }
    // The window's title is the board's name; its changed mark follows IsDocumentDirty.
    void UpdateWindowTitle();
    // The path bar shows the board's file, or "< not saved >".
    void UpdatePathBar();

    // After each event: the changed mark also follows changes the document's own state does not
    // see (a layout, a moved window).
    void DoPostPeriodic() override;

    TVornModel* i_modelP;
    CVornViewLink* i_viewP;
    yaaf::XGWindow* i_windowP;

private:
    yaaf::int32 HandleWindowMoved(yaaf::int32 param, void* data);
};

// The view ids of a board window.
constexpr yaaf::int32 kVornViewID_Browser = 1;
constexpr yaaf::int32 kVornViewID_Text = 2;
constexpr yaaf::int32 kVornViewID_Path = 5;
constexpr yaaf::int32 kVornViewID_Scroll = 11;
constexpr yaaf::int32 kVornViewID_Board = 12;
