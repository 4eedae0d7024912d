#pragma once
// A PNG encoder for pictures of boards: flat colours, straight edges and text. Rows are filtered
// by their difference from the row above ("Up"), which turns what repeats from row to row into
// runs of zeros; runs of a repeated byte or a repeated pixel become deflate matches, everything
// else literals, and each block gets Huffman codes made for it. No search for other repeats is
// made, which keeps the encoder several times quicker than a general one at a similar size.

#include "XGTypes.h"

#include <vector>

namespace yaaf {

// Encodes width by height pixels of 0xAARRGGBB (rows `stride` pixels apart) as an RGB PNG
// without alpha, answering the file's bytes in `out`. With `opaqueOnly` it gives up (false) at
// the first pixel that is not opaque, for pixels whose colours would first need their alpha
// taken out (premultiplied ones).
bool XGEncodeRowsPNG(const uint32* pixels, int32 width, int32 height, int32 stride, bool opaqueOnly,
                     std::vector<uint8>& out);

} // namespace yaaf
