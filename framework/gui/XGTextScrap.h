#pragma once
// Plain text on the clipboard (the 'TEXT' flavor). The bytes travel unchanged under the
// program's own type beside an ordinary UTF-8 text for other programs.

#include <string>

namespace yaaf {

bool XGScrapHasText();
// The clipboard's text; empty when it holds none.
std::string XGScrapGetText();
void XGScrapSetText(const std::string& bytes);

} // namespace yaaf
