#pragma once
// What a drawing becomes outside the program: a picture encoded as a file (PNG and the other
// formats Qt writes), and one page of vector drawing (PDF or SVG) whose text stays text. Both
// produce bytes in memory; the caller writes them out (atomically).

#include "XGDraw.h"
#include "XGTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace yaaf {

class XGPicture;

// Encodes the picture ("png", "jpg", ...); false with a reason when it cannot. `quality` is the
// writer's 0 to 100 (for PNG: 100 stores without compression, lower values compress harder);
// -1 for PNG is a quick encoder made for pictures of boards (flat colours, straight edges).
bool XGEncodePicture(const XGPicture& picture, const char* format, std::vector<uint8>& out,
                     std::string& error, int32 quality = -1);

// Encodes a picture as PNG (the quick encoder) while it is still being drawn: rows handed over
// as final are encoded on a thread of its own, so that drawing and encoding overlap. Rows must
// be drawn from the top down and not touched once handed over.
class XGPictureEncoder {
public:
    explicit XGPictureEncoder(const XGPicture& picture);
    ~XGPictureEncoder();
    XGPictureEncoder(const XGPictureEncoder&) = delete;
    XGPictureEncoder& operator=(const XGPictureEncoder&) = delete;

    // The rows above `rows` are final.
    void RowsDone(int32 rows);
    // After the drawing: the file's bytes; false with a reason when nothing was made.
    bool Finish(std::vector<uint8>& out, std::string& error);

private:
    struct Impl;
    std::unique_ptr<Impl> fImpl;
};

enum class XGVectorFormat : uint8 { kPDF, kSVG };

// One page of width by height drawing units, one unit being one screen pixel (96 to the inch),
// so that a board drawn on it is laid out as on the screen.
class XGVectorPage {
public:
    XGVectorPage(XGVectorFormat format, int32 width, int32 height, const std::string& title);
    ~XGVectorPage();
    XGVectorPage(const XGVectorPage&) = delete;
    XGVectorPage& operator=(const XGVectorPage&) = delete;

    // The drawing on the page (white to begin with); null when the page could not be begun.
    XGDraw* GetDraw() { return fDraw.get(); }
    // Ends the page and answers the file's bytes; false with a reason when nothing was made.
    bool Finish(std::vector<uint8>& out, std::string& error);

private:
    struct Impl;
    std::unique_ptr<Impl> fImpl;
    std::unique_ptr<XGDraw> fDraw;
};

} // namespace yaaf
