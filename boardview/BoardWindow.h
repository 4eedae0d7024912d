#pragma once
// The window of a board: the browser window view with its toolbar, information bar, path bar
// and footer around the board view (view 12) inside its scroll view (view 11). The window uses
// menu bar 128 and opens where the last board window was placed (or where the board itself was
// last shown, which the controller restores).

namespace yaaf {
class XGWindow;
}

class TVornController;

// The menu bar of board windows.
constexpr int kVornBoardMenuBar = 128;

// Registers the view kinds of board windows with the view factory.
void RegisterBoardWindowViews();

// Makes the window for a form whose board is ready (new, or opened): the window takes the form
// and with it the board, and the form sets the window up. The window is not shown. None on
// failure, the form and board then deleted.
yaaf::XGWindow* MakeBoardWindow(TVornController* formP);
