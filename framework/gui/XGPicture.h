#pragma once
// A decoded picture. Decoding runs on any thread (a picture object is used by one thread at a
// time); the drawing destination is only a note of where the picture is to be drawn, kept for
// the code that draws it.

#include "XGTypes.h"

#include <memory>
#include <string>

class QImage;

namespace yaaf {

class XGDraw;

class XGPicture {
public:
    XGPicture();
    ~XGPicture();
    XGPicture(const XGPicture&) = delete;
    XGPicture& operator=(const XGPicture&) = delete;

    // Both answer false and leave the picture empty when the data cannot be decoded. The
    // decoder is chosen from the data itself (PNG, JPEG, GIF, BMP, TIFF, ...); a name ending in
    // ".ico" is read as an icon and always becomes 32 by 32. `nameHint` and `mimeHint` (a
    // content type such as "image/png") help when the data alone is ambiguous.
    bool LoadFromFile(const std::string& path);
    bool LoadFromData(const void* bytes, int32 size, const std::string& nameHint = std::string(),
                      const std::string& mimeHint = std::string());

    bool IsValid() const;
    int32 Width() const;
    int32 Height() const;
    // 0, 0, width, height.
    tagRECT GetSrcFrame() const;

    // The drawing destination: a context the caller owns (a view's or an offscreen image's).
    // SetDest remembers the current one so that RestoreDest can return to it.
    void* GetDest() const { return fDest; }
    bool DestIsOffscreen() const { return fDestIsOffs; }
    void UpdateDest(void* context, bool isOffs);
    void SetDest(void* context, bool isOffs);
    // Answers false when there was no SetDest to undo.
    bool RestoreDest();
    bool HasSavedDest() const { return fHasSaved; }

    // Makes an empty, transparent picture of the given size to draw into; false when it
    // cannot be allocated (the picture is then empty).
    bool Allocate(int32 width, int32 height);
    // A drawing object on the picture (the caller deletes it before the picture); null for an
    // empty picture.
    XGDraw* NewDraw();

    // Fills the whole picture with the colour (red, green, blue, alpha).
    void Fill(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255);

    // For framework code that draws.
    const QImage& GetImage() const { return *fImage; }
    QImage& GetImage() { return *fImage; }

private:
    std::unique_ptr<QImage> fImage;
    void* fDest = nullptr;
    bool fDestIsOffs = false;
    void* fSavedDest = nullptr;
    bool fSavedIsOffs = false;
    bool fHasSaved = false;
};

} // namespace yaaf
