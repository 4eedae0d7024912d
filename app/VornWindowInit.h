#pragma once
// Making document windows. The application shell implements this; boards call it to open a
// generator target window and to open linked files, without depending on the application object.

#include "XGTypes.h"

namespace yaaf {
class XGWindow;
class XGDocForm;
class XGFileSpecifier;
} // namespace yaaf

enum Vorn_WindowInit {
    Vorn_WindowInit_NONE = 0,
    Vorn_WindowInit_NEW_VORN = 1,     // new empty board
    Vorn_WindowInit_NEW_NEW_VORN = 2, // new outline-model board
    Vorn_WindowInit_NEW_BROWSER = 3,  // new browser window
    Vorn_WindowInit_NEW_TEXT = 4,     // new text document
    Vorn_WindowInit_OPEN_NEW = 5,     // ask for a file, then open it
    Vorn_WindowInit_OPEN_FILE = 6,    // open the given file
    Vorn_WindowInit_NUMTYPES
};

// Makes a document window of the given kind (fileSpec only with Vorn_WindowInit_OPEN_FILE).
// When outForm is given it receives the new window's form and the window is neither shown nor
// brought to the front. Returns the window, or none on a cancelled dialog, an unknown file type,
// a failed open or a failed initialisation.
// Without an application object (the command-line tools) no window can be made: none is answered.
yaaf::XGWindow* InitWindow_Vorn(Vorn_WindowInit kind, const yaaf::XGFileSpecifier* fileSpec = nullptr,
                                yaaf::XGDocForm** outForm = nullptr);

// The application object installs the maker of windows; reaching it through this pointer keeps
// the board library free of the application shell and its window libraries.
using VornWindowInitProc = yaaf::XGWindow* (*)(Vorn_WindowInit kind, const yaaf::XGFileSpecifier* fileSpec,
                                               yaaf::XGDocForm** outForm);
void SetWindowInitProc(VornWindowInitProc proc);
