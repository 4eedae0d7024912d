#pragma once
// Making text windows: the application's window maker calls these (window layout 131: a scroll
// view, id 1, filling the window, around the text view, id 2).

#include "VornWindowInit.h"

class TEditDoc;
class TEditForm;

namespace yaaf {
class XGWindow;
class XGFileSpecifier;
class XGDocForm;
} // namespace yaaf

// The menu bar of a text window in front: File, Edit, Search, Font, Generate, Window, Help.
constexpr yaaf::int32 kTextMenuBarID = 129;
constexpr yaaf::int32 kTextScrollViewID = 1;

// Registers the view kind 'txED'.
void RegisterTextViews();

// Makes the window for a form whose document is ready (new, or opened): the window takes the
// form and with it the document, and the form initialises the view. The window is not shown.
yaaf::XGWindow* MakeTextWindow(TEditForm* form);

// The whole text part of InitWindow_Vorn for kinds 4 (new text) and 6 (open a text file):
// a new document, or the file opened into one (errors reported, none answered on failure),
// its form (handed out through outForm when given) and its window. When no outForm is given
// the window is shown and brought to the front.
yaaf::XGWindow* OpenTextWindow(Vorn_WindowInit kind, const yaaf::XGFileSpecifier* fileSpec = nullptr,
                               yaaf::XGDocForm** outForm = nullptr);

// Whether a file type opens as a text document ('text', 'txt ', 'TEXT').
bool IsTextFileType(yaaf::OSType type);
