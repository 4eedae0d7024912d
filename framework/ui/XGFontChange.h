#pragma once
// Font change requests (XGFontChangeRec): made from a font, from the font dialog or from a font
// menu command, and applied to a font. Shared by the board view and the text view.

#include "XGFontChangeRec.h"
#include "XGTypes.h"

namespace yaaf {

class XGFont;
class XGWindow;

// Shows the font dialog starting from the request's font; on OK sets size, name and style, each
// with its set flag, where the person changed it from what the dialog showed, and answers true
// (with no flag set when OK was pressed on the font as shown).
bool ChooseFontPanel(XGWindow* window, XGFontChangeRec& rec);
// Turns a font menu command into a request: 74 the font of the menu item at `param` (from 1),
// 78/79 one step smaller/bigger, 80 to 86 the sizes 9 to 72, 87 to 90 the styles; any other
// command asks for the size unchanged.
void FontCommandToRecord(int32 command, int32 param, XGFontChangeRec& rec);

// The handler of the font dialog, replaceable by tests (answers whether OK was pressed).
using XGFontDialogHook = bool (*)(XGFontChangeRec& rec);
XGFontDialogHook XGSetFontDialogHook(XGFontDialogHook hook);

} // namespace yaaf
