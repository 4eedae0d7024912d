#pragma once
// What the browser window's bars share: their font, their background and the sunken frame.

#include "XGTypes.h"

#include <string>

namespace yaaf {
class XGDraw;
class XGFont;
} // namespace yaaf

// The bars' small font.
const yaaf::XGFont& VBarFont();
// Fills the bar's background and draws a sunken frame around it.
void VBarBackground(yaaf::XGDraw& draw, const yaaf::tagRECT& r);
// Text on the bar's baseline (bottom - 4): from x, or centred when x is negative (but not left
// of minX). Text wider than the bar is cut at its right edge. Answers where the text ends.
yaaf::int32 VBarText(yaaf::XGDraw& draw, const yaaf::tagRECT& r, const std::string& text, yaaf::int32 x,
                     yaaf::int32 minX = 0);
