#pragma once
// What a board asks of the windows it is shown in. The board library sits below the windows:
// the window side is installed at start-up (InstallBoardWindowOps, with printing added by the
// board view), so that programs which only read, draw and write boards (the command-line
// tools) link no window code. Without it a board has no windows: questions answer none and
// requests do nothing.

#include "XGGeometry.h"
#include "XGStdDialogs.h"
#include "XGTypes.h"

#include <functional>
#include <string>
#include <vector>

class TVornController;
class TVornModel;

namespace yaaf {
class XGDocForm;
class XGFileSpecifier;
class XGWindow;
} // namespace yaaf

enum class VornWindowShow : yaaf::uint8 { kShow, kFront, kSelect };

struct VornBoardWindowOps {
    // Every open window, front first.
    std::function<std::vector<yaaf::XGWindow*>()> windows;
    std::function<yaaf::tagRECT(yaaf::XGWindow*)> getBounds;
    std::function<void(yaaf::XGWindow*, const yaaf::tagRECT&)> setBounds;
    std::function<void(yaaf::XGWindow*, VornWindowShow)> show;
    // The first window that can take generated text (a text window, or with `numerology` a
    // board in Edit Mode other than `except`), as its form.
    std::function<yaaf::XGDocForm*(TVornModel* except, bool numerology)> findTarget;
    // The form's window: set up for its board (false without a board view), its title and
    // changed mark (the name too with `nameToo`), its path bar.
    std::function<bool(TVornController&)> initialize;
    std::function<void(TVornController&, bool nameToo)> updateTitle;
    std::function<void(TVornController&)> updatePathBar;
    // Printing (the number of pages printed) and the page set-up.
    std::function<yaaf::int32(TVornModel&)> print;
    std::function<void()> pageSetup;
    // The save dialog; false when cancelled.
    std::function<bool(const yaaf::XGSaveDialogSpec&, const std::string&, yaaf::XGFileSpecifier&)>
        chooseSaveFile;
};

VornBoardWindowOps& VornBoardWindows();

// Installs the window side of the operations (all but printing, which the board view adds).
void InstallBoardWindowOps();

// Whether the form still has an open window.
bool VornWindow_FormIsOpen(const yaaf::XGDocForm* formP);
// The window's bounds; empty without a window.
yaaf::tagRECT VornWindow_GetBounds(yaaf::XGWindow* windowP);
void VornWindow_SetBounds(yaaf::XGWindow* windowP, const yaaf::tagRECT& bounds);
void VornWindow_Show(yaaf::XGWindow* windowP, VornWindowShow how);
