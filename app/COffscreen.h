#pragma once
// An offscreen drawing buffer of 32 bits a pixel: a view draws into it and then copies the
// changed rectangle to its destination; an item keeps a decoded picture in one. Drawing
// contexts here are framework drawing objects (XGDraw): the destination is the one a copy
// lands on, the buffer's own one draws into it.

#include "XGTypes.h"

#include <memory>

namespace yaaf {
class XGDraw;
class XGFileSpecifier;
class XGFileStream;
class XGPicture;
} // namespace yaaf

// The questions a buffer asks its owner.
enum OffscreenCBType : yaaf::int16 {
    OffscreenCB_GET_POS_REL_TO_WINDOW = 1, // cbData: Point*, the destination's offset in its window
    OffscreenCB_GET_FRAME = 2,             // cbData: tagRECT*, the destination frame
    OffscreenCB_GET_FRAME_DEPTH = 3,       // cbData: int16*, the depth
    OffscreenCB_CAUSE_UPDATE = 4,          // cbData: none; redraw the destination
};
using OffscreenCBProc = void (*)(OffscreenCBType cbType, void* cbData, void* refcon);

// The answers of a view whose buffer is copied in its own paint pass (at the view's origin) with
// a 32-bit depth: the position, the frame and the depth. Answers false for a request to cause an
// update, which each view answers itself.
bool Offscreen_AnswerViewRequest(OffscreenCBType cbType, void* cbData, const yaaf::tagRECT& frame);

// Transfer modes of copies.
constexpr yaaf::int16 KXGMode_Copy = 0;
constexpr yaaf::int16 KXGMode_Xor = 1;

class COffscreen {
public:
    // Makes the buffer for the frame the callback reports (none without a callback) and marks
    // it invalid.
    COffscreen(yaaf::XGDraw* destContextP, yaaf::int16 maxDepth, OffscreenCBProc callback, void* refcon);
    ~COffscreen();
    COffscreen(const COffscreen&) = delete;
    COffscreen& operator=(const COffscreen&) = delete;

    // Makes the bitmap for rectP (the callback's frame when null), filled with the background
    // colour. False, with the buffer missing, when it cannot be allocated.
    bool MakeOffscreen(const yaaf::tagRECT* rectP);
    void UnmakeOffscreen();
    // Makes the buffer again when it is missing; false when that fails.
    bool Use();
    void StopUsing();
    bool HasBuffer() const;

    // Copies to the destination (nothing without a buffer or a destination). BlitRect: the
    // source is srcR0 or dstR; the destination is dstR moved by the frame's top-left corner
    // and by the window position the callback reports; it stretches when the sizes differ.
    void Blit();
    void BlitRect(const yaaf::tagRECT& dstR, const yaaf::tagRECT* srcR0 = nullptr);
    // The whole bitmap into dstR.
    void StretchBlit(const yaaf::tagRECT& dstR);
    void SetMode(yaaf::int16 mode) { i_xfer_mode = mode; }
    yaaf::int16 GetMode() const { return i_xfer_mode; }

    // SetDest saves the current destination once (a second save is an internal error unless
    // skip_assertB) and sets the new one; RestoreDest puts the saved one back; UpdateDest sets
    // one without saving.
    void SetDest(yaaf::XGDraw* contextP, bool isOffsB, bool skip_assertB = false);
    void RestoreDest(bool skip_assertB = false);
    void UpdateDest(yaaf::XGDraw* contextP, bool isOffsB);
    yaaf::XGDraw* GetDest() const { return i_dest_contextP; }
    bool DestIsOffscreen() const { return i_destIsOffscreenB; }

    // Fits the buffer to a new frame (the callback's when rectP is null): a bitmap of another
    // size is made anew (background, marked invalid); one of the same size is kept.
    void UpdateSize(const yaaf::tagRECT* rectP);

    yaaf::tagRECT GetDestFrame() const;
    yaaf::Point GetWindPos() const;
    // The bitmap's own rectangle (0, 0, width, height); all zeros without a buffer.
    yaaf::tagRECT GetSrcFrame() const;

    // A drawing object on the buffer (owned by the buffer, valid until it is made again);
    // null without a buffer.
    yaaf::XGDraw* GetSelfContext();
    // The bitmap itself; null without a buffer.
    const yaaf::XGPicture* GetPicture() const { return i_bitmap.get(); }

    void SetInvalid(bool invalidB) { i_invalid = invalidB; }
    bool IsInvalid() const { return i_invalid; }
    bool IsUsing() const { return i_usingB; }
    void CauseUpdate() const;

    // Picture loaders: each answers a new buffer holding the decoded picture, with its frame
    // (0, 0, width, height) in frameP, or null. The stream loader reads lengthL bytes (a short
    // read fails); a name ending in ".ico" is an icon of 32 by 32.
    static COffscreen* GetNewCOffscreenFromFile(const yaaf::XGFileSpecifier* fileSpecP,
                                                yaaf::XGDraw* contextP, yaaf::int16 depth,
                                                OffscreenCBProc callback, void* refcon,
                                                yaaf::tagRECT* frameP);
    static COffscreen* GetNewCOffscreenFromURL(const char* urlZ, yaaf::XGDraw* contextP, yaaf::int16 depth,
                                               OffscreenCBProc callback, void* refcon, yaaf::tagRECT* frameP);
    static COffscreen* GetNewCOffscreenFromStream(const char* nameZ, const char* mimeZ,
                                                  yaaf::XGFileStream& stream, yaaf::int32 lengthL,
                                                  yaaf::XGDraw* contextP, yaaf::int16 depth,
                                                  OffscreenCBProc callback, void* refcon,
                                                  yaaf::tagRECT* frameP);
    // Wraps a decoded picture (taken over) in a new buffer.
    static COffscreen* FromPicture(yaaf::XGPicture* pictureP, yaaf::XGDraw* contextP,
                                   OffscreenCBProc callback, void* refcon);

    // The largest file or stream a loader reads.
    static constexpr yaaf::int32 kMaxPictureBytes = 64 * 1024 * 1024;

private:
    void Ask(OffscreenCBType cbType, void* cbData) const;
    void DropSelfContext();

    yaaf::XGDraw* i_dest_contextP;
    OffscreenCBProc i_offscreenCB;
    void* i_cbRefcon;
    yaaf::int16 i_maxDepth;
    bool i_saved_prevB = false;
    yaaf::XGDraw* i_prev_contextP = nullptr;
    bool i_prev_context_is_offs = false;
    yaaf::int16 i_xfer_mode = KXGMode_Copy;
    std::unique_ptr<yaaf::XGDraw> i_self_contextP;
    bool i_invalid = true;
    bool i_usingB = false;
    bool i_destIsOffscreenB = false;
    std::unique_ptr<yaaf::XGPicture> i_bitmap;
    yaaf::int16 i_orgX = 0;
    yaaf::int16 i_orgY = 0;
};
