#pragma once
// A board seen as an outline: in its own window (the outline view modes of a board window, and
// back to the board), or copied into a new outline window. The topics are copies of what the
// items show, made when the outline is made: the outline holds nothing of the board's, so the
// board may change or close while its outline stays open.

#include "OutlineTypes.h"

class CTopicList;
class TVornModel;
class VBrowserWindowView;

namespace yaaf {
class XGDocForm;
class XGWindow;
} // namespace yaaf

// Puts a topic for each item of the board, in the board's order, into listP.
void BoardOutline_FillList(TVornModel* boardP, CTopicList* listP);

// The board window of formP (a board's form) shows its board as an outline in the mode (icons,
// list, hierarchic columns or zoom). The window's undo history is given up: its tasks belong to
// the board view that goes. False when formP is no board window or the mode no outline mode.
bool BoardOutline_ShowAsOutline(yaaf::XGDocForm* formP, O_ViewAsType viewAs);
// A board window showing its board as an outline shows the board again, freeform or in flat
// columns (the board's own task when that differs from how the board was shown). False when
// the browser window is no board's.
bool BoardOutline_ShowBoard(VBrowserWindowView* bwP, O_ViewAsType viewAs);
// Whether the browser window is a board's.
bool BoardOutline_IsBoardWindow(VBrowserWindowView* bwP);
// A new outline window (kind 2) with a board topic list holding the board's items; answers it.
yaaf::XGWindow* BoardOutline_ConvertToOutlineWindow(yaaf::XGDocForm* formP);
