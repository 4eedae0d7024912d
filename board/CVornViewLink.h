#pragma once
// What a board and its items ask of the board view. The board view implements it; the board
// library itself never sees the view's class.

#include "XGTypes.h"

struct DoStacksContainer;
class CVornItem;
class TVornModel;
class TVornController;

namespace yaaf {
class XGView;
class XGDraw;
} // namespace yaaf

// The rectangles of a drag being put together (the view's dragger implements it).
class CVornDragCollector {
public:
    virtual ~CVornDragCollector() = default;
    virtual void AddObject(const yaaf::tagRECT& r) = 0;
};

class CVornViewLink {
public:
    virtual ~CVornViewLink() = default;

    // The framework view itself (for its window and the controller's search).
    virtual yaaf::XGView* GetLinkView() = 0;
    // The board shown, once the controller has linked them.
    virtual TVornModel* GetVornModel() const = 0;
    // Called by the controller when board, form and view are tied together. A view that goes
    // away before its board clears the controller's i_viewP (the board then has no view); a
    // form that goes away first calls AttachModel(nullptr, nullptr).
    virtual void AttachModel(TVornModel* modelP, TVornController* controllerP) = 0;

    // The document changed (marks the board dirty and redraws as needed).
    virtual void DocChanged(bool changedB) = 0;
    // The selection-changed mark (i_sel_changedB) that the view reads after each event.
    virtual void SetSelChanged(bool changedB) = 0;
    virtual bool GetSelChanged() const = 0;

    virtual void InvalView() = 0;
    virtual void InvalRect(const yaaf::tagRECT& r) = 0;
    // Copies the rectangle from the offscreen buffer to the screen.
    virtual void FlushRect(const yaaf::tagRECT& r) = 0;

    // Ends renaming an item in place (keeping what was typed).
    virtual void EndInPlaceEdit() = 0;
    // The item being renamed in place, or none.
    virtual CVornItem* GetRenameItem() const = 0;

    // Makes the view's undo stacks the engine's current ones.
    virtual void SetStacks(bool clear) = 0;
    virtual DoStacksContainer* GetStacks() = 0;
    // Undoable additions used by generation into this board. AddItemCmd takes the item.
    virtual void AddItemCmd(CVornItem* itemP, const char* undoNameZ) = 0;
    virtual void AddWordCmd(const char* wordZ, const char* undoNameZ) = 0;

    // The content rectangle in view coordinates (its top-left corner need not be 0, 0).
    virtual yaaf::tagRECT GetContentRect() const = 0;
    // The view's own drawing context for pictures and measuring; may be none.
    virtual void* GetDrawContext() = 0;
    // The last flat column that holds items.
    virtual yaaf::int16 GetLastColIndex() const = 0;
    // Sets the scroll limits from the board's scroll extents (after every board task). A view
    // without scroll bars has nothing to do.
    virtual void RecalcScroll() {}

    // Runs one of the view's menu commands (7 is "as Flat Columns").
    virtual void DoViewCommand(yaaf::int32 command) = 0;
    // The window rectangle and scroll position to and from the board's settings.
    virtual void StoreWindowModel() = 0;
    virtual void RetrieveWindowModel() = 0;
    // The user moved the board's window (the form hears it; a view without a window has nothing
    // to do). Sizes reach the view as its own resize.
    virtual void WindowMoved() {}
    // Pane 2 the toolbar, 7 the status bar.
    virtual void ShowViewPane(yaaf::int16 pane, bool showB) = 0;
};
