#pragma once
// Resources compiled into the program: a resource of type 'TYPE' and id N is the data file
// "TYPE_N.bin" of the resource library (trailing spaces of the type become underscores).

#include "XGTypes.h"

#include <string>
#include <vector>

namespace yaaf {

// Reads the whole resource; false (and `out` empty) when there is none.
bool XGGetResource(uint32 type, int16 id, std::vector<uint8>& out);

// The resource path used for a type and id, e.g. ":/vorn/EMsg_128.bin".
std::string XGResourcePath(uint32 type, int16 id);

} // namespace yaaf
