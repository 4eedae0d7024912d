#pragma once
// Font change requests (XGFontChangeRec) taken from a font and applied to one; what items and
// texts need of a request without the font dialog or the menus.

#include "XGTypes.h"

namespace yaaf {

class XGFont;

// Fills the request's size, name and style from the font (the set flags stay as they are).
void GetFontRecord(const XGFont& font, XGFontChangeRec& rec);
// Applies a request: a new size only when it is above 1; style 0 clears every style bit and any
// other value toggles the given bits.
void ApplyFontChangeRec(XGFont& font, const XGFontChangeRec& rec);

} // namespace yaaf
