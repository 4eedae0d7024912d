#pragma once
// The board's form: it ties the board, its window and its view together.

#include "XGDocForm.h"

class CVornViewLink;
class TVornModel;

namespace yaaf {
class XGWindow;
}

class TVornController : public yaaf::XGDocForm {
    YAAF_DECLARE_DISPATCH()
public:
    // The form owns the board.
    explicit TVornController(TVornModel* modelP);
    ~TVornController() override;

    // Finds the board view in the form's window (view id 12 inside the browser view), links
    // board, form and view, and sets the window up. False when the window has no board view.
    bool DoDocumentInitialize();
    // For a view found by other means (and for tests): links board, form and view.
    void AttachView(CVornViewLink* viewP);

    void DoDocumentChanged();
    void DoDocumentSaved();
    void DoDocumentRenamed();
    bool DoQueryDestroyWindow();
    bool CanClose() override;

    TVornModel* GetModel() const { return i_modelP; }
    void UpdateWindowTitle();

    TVornModel* i_modelP;
    CVornViewLink* i_viewP;
    yaaf::XGWindow* i_windowP;
};

// The view ids of a board window.
constexpr yaaf::int32 kVornViewID_Browser = 1;
constexpr yaaf::int32 kVornViewID_Text = 2;
constexpr yaaf::int32 kVornViewID_Path = 5;
constexpr yaaf::int32 kVornViewID_Board = 12;
