#pragma once
// A PNG encoder for pictures of boards: flat colours, straight edges and text. Rows are filtered
// by their difference from the row above ("Up"), which turns what repeats from row to row into
// runs of zeros; runs of a repeated byte or a repeated pixel become deflate matches, everything
// else literals, and each block gets Huffman codes made for it. No search for other repeats is
// made, which keeps the encoder several times quicker than a general one at a similar size.

#include "XGTypes.h"

#include <memory>
#include <vector>

namespace yaaf {

// Encodes width by height pixels of 0xAARRGGBB (rows `stride` pixels apart) as an RGB PNG
// without alpha, answering the file's bytes in `out`. With `opaqueOnly` it gives up (false) at
// the first pixel that is not opaque, for pixels whose colours would first need their alpha
// taken out (premultiplied ones).
bool XGEncodeRowsPNG(const uint32* pixels, int32 width, int32 height, int32 stride, bool opaqueOnly,
                     std::vector<uint8>& out);

// The same a row at a time, top to bottom, for rows that become ready one after another. The
// rows may also be compressed in parts at once (on different threads), each part from a row on
// to the next part's first row: the first part makes the file, the later ones are joined to it.
class XGPngRowEncoder {
public:
    // `firstB` for the part that begins with the picture's first row (or the whole picture).
    XGPngRowEncoder(int32 width, int32 height, bool opaqueOnly, bool firstB = true);
    ~XGPngRowEncoder();
    XGPngRowEncoder(const XGPngRowEncoder&) = delete;
    XGPngRowEncoder& operator=(const XGPngRowEncoder&) = delete;

    // The next row and the one above it (null for the picture's first); false as XGEncodeRowsPNG.
    bool AddRow(const uint32* line, const uint32* above);
    // After the part's last row; `lastB` for the part that ends the picture.
    void End(bool lastB);
    // On the first part, when every part has ended: the file's bytes, the later parts joined in
    // order.
    void Join(const std::vector<const XGPngRowEncoder*>& later, std::vector<uint8>& out);
    // The whole picture in one part: End(true) and Join.
    void Finish(std::vector<uint8>& out);

private:
    struct Impl;
    std::unique_ptr<Impl> fImpl;
};

} // namespace yaaf
