#include "COffscreen.h"

#include "XGAssert.h"
#include "XGDraw.h"
#include "XGFile.h"
#include "XGFileSpecifier.h"
#include "XGPicture.h"
#include "XGPictureFetch.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace yaaf;

namespace {
constexpr const char* kUnit = "COffscreen.cpp";

int16 ClampShort(int32 v) {
    return int16(std::clamp<int32>(v, -32768, 32767));
}
} // namespace

COffscreen::COffscreen(XGDraw* destContextP, int16 maxDepth, OffscreenCBProc callback, void* refcon)
    : i_dest_contextP(destContextP), i_offscreenCB(callback), i_cbRefcon(refcon), i_maxDepth(maxDepth) {
    if (callback) MakeOffscreen(nullptr);
    i_invalid = true;
}

COffscreen::~COffscreen() {
    UnmakeOffscreen();
}

void COffscreen::Ask(OffscreenCBType cbType, void* cbData) const {
    if (i_offscreenCB) i_offscreenCB(cbType, cbData, i_cbRefcon);
}

void COffscreen::CauseUpdate() const {
    Ask(OffscreenCB_CAUSE_UPDATE, nullptr);
}

tagRECT COffscreen::GetDestFrame() const {
    tagRECT r{};
    Ask(OffscreenCB_GET_FRAME, &r);
    return r;
}

Point COffscreen::GetWindPos() const {
    Point pt{};
    Ask(OffscreenCB_GET_POS_REL_TO_WINDOW, &pt);
    return pt;
}

tagRECT COffscreen::GetSrcFrame() const {
    return i_bitmap ? i_bitmap->GetSrcFrame() : tagRECT{};
}

bool COffscreen::HasBuffer() const {
    return i_bitmap && i_bitmap->IsValid();
}

void COffscreen::DropSelfContext() {
    i_self_contextP.reset();
}

bool COffscreen::MakeOffscreen(const tagRECT* rectP) {
    UnmakeOffscreen();
    const tagRECT frame = rectP ? *rectP : GetDestFrame();
    auto bitmap = std::make_unique<XGPicture>();
    if (!bitmap->Allocate(frame.right - frame.left, frame.bottom - frame.top)) return false;
    i_orgX = ClampShort(frame.left);
    i_orgY = ClampShort(frame.top);
    const XGColor back = i_dest_contextP ? i_dest_contextP->GetBackColor() : XGColor::White();
    bitmap->Fill(back.red, back.green, back.blue, back.alpha);
    i_bitmap = std::move(bitmap);
    return true;
}

void COffscreen::UnmakeOffscreen() {
    DropSelfContext();
    i_bitmap.reset();
}

bool COffscreen::Use() {
    if (!HasBuffer()) MakeOffscreen(nullptr);
    i_usingB = HasBuffer();
    return i_usingB;
}

void COffscreen::StopUsing() {
    i_usingB = false;
}

XGDraw* COffscreen::GetSelfContext() {
    if (!HasBuffer()) return nullptr;
    if (!i_self_contextP) i_self_contextP.reset(i_bitmap->NewDraw());
    return i_self_contextP.get();
}

void COffscreen::UpdateSize(const tagRECT* rectP) {
    const tagRECT frame = rectP ? *rectP : GetDestFrame();
    const int32 w = frame.right - frame.left;
    const int32 h = frame.bottom - frame.top;
    if (HasBuffer() && i_bitmap->Width() == w && i_bitmap->Height() == h) {
        i_orgX = ClampShort(frame.left);
        i_orgY = ClampShort(frame.top);
        return;
    }
    MakeOffscreen(&frame);
    i_invalid = true;
}

void COffscreen::BlitRect(const tagRECT& dstR, const tagRECT* srcR0) {
    if (!HasBuffer() || !i_dest_contextP) return;
    const tagRECT src = srcR0 ? *srcR0 : dstR;
    const Point wind = GetWindPos();
    tagRECT dst = dstR;
    const int32 dh = i_orgX + wind.h;
    const int32 dv = i_orgY + wind.v;
    dst.left += dh;
    dst.right += dh;
    dst.top += dv;
    dst.bottom += dv;
    i_dest_contextP->DrawPicture(*i_bitmap, dst, &src, i_xfer_mode == KXGMode_Xor);
}

void COffscreen::Blit() {
    const tagRECT all = GetSrcFrame();
    BlitRect(all, &all);
}

void COffscreen::StretchBlit(const tagRECT& dstR) {
    if (!HasBuffer() || !i_dest_contextP) return;
    const tagRECT all = GetSrcFrame();
    i_dest_contextP->DrawPicture(*i_bitmap, dstR, &all, i_xfer_mode == KXGMode_Xor);
}

void COffscreen::SetDest(XGDraw* contextP, bool isOffsB, bool skip_assertB) {
    if (!(skip_assertB || i_saved_prevB == false))
        YAAFInlineError_Dlg("skip_assertB || i_saved_prevB == FALSE", kUnit, __LINE__);
    if (!i_saved_prevB) {
        i_prev_contextP = i_dest_contextP;
        i_prev_context_is_offs = i_destIsOffscreenB;
        i_saved_prevB = true;
    }
    i_dest_contextP = contextP;
    i_destIsOffscreenB = isOffsB;
}

void COffscreen::RestoreDest(bool skip_assertB) {
    if (!(skip_assertB || i_saved_prevB))
        YAAFInlineError_Dlg("skip_assertB || i_saved_prevB", kUnit, __LINE__);
    if (!i_saved_prevB) return;
    i_dest_contextP = i_prev_contextP;
    i_destIsOffscreenB = i_prev_context_is_offs;
    i_prev_contextP = nullptr;
    i_saved_prevB = false;
}

void COffscreen::UpdateDest(XGDraw* contextP, bool isOffsB) {
    i_dest_contextP = contextP;
    i_destIsOffscreenB = isOffsB;
}

// ---------------------------------------------------------------------------------------------
// Picture loaders

COffscreen* COffscreen::FromPicture(XGPicture* pictureP, XGDraw* contextP, OffscreenCBProc callback,
                                    void* refcon) {
    if (!pictureP) return nullptr;
    std::unique_ptr<XGPicture> owned(pictureP);
    if (!owned->IsValid()) return nullptr;
    auto* offsP = new COffscreen(contextP, 32, nullptr, nullptr);
    offsP->i_offscreenCB = callback;
    offsP->i_cbRefcon = refcon;
    offsP->i_bitmap = std::move(owned);
    offsP->i_invalid = false;
    return offsP;
}

COffscreen* COffscreen::GetNewCOffscreenFromStream(const char* nameZ, const char* mimeZ, XGFileStream& stream,
                                                   int32 lengthL, XGDraw* contextP, int16 /*depth*/,
                                                   OffscreenCBProc callback, void* refcon, tagRECT* frameP) {
    if (frameP) *frameP = tagRECT{0, 0, 10, 10};
    if (lengthL <= 0 || lengthL > kMaxPictureBytes) return nullptr;
    std::vector<char> bytes;
    try {
        bytes.resize(size_t(lengthL));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (stream.Read(lengthL, bytes.data()) != lengthL) return nullptr;
    auto pictureP = std::make_unique<XGPicture>();
    if (!pictureP->LoadFromData(bytes.data(), lengthL, nameZ ? nameZ : "", mimeZ ? mimeZ : ""))
        return nullptr;
    if (frameP) *frameP = pictureP->GetSrcFrame();
    return FromPicture(pictureP.release(), contextP, callback, refcon);
}

COffscreen* COffscreen::GetNewCOffscreenFromFile(const XGFileSpecifier* fileSpecP, XGDraw* contextP,
                                                 int16 depth, OffscreenCBProc callback, void* refcon,
                                                 tagRECT* frameP) {
    if (frameP) *frameP = tagRECT{0, 0, 10, 10};
    if (!fileSpecP) return nullptr;
    XGFile file(*fileSpecP);
    if (file.Open(XGFile::kRead) != 0) return nullptr;
    const int64 length = file.GetLength();
    if (length <= 0 || length > kMaxPictureBytes) return nullptr;
    const std::string name = fileSpecP->GetName();
    return GetNewCOffscreenFromStream(name.c_str(), nullptr, file, int32(length), contextP, depth, callback,
                                      refcon, frameP);
}

COffscreen* COffscreen::GetNewCOffscreenFromURL(const char* urlZ, XGDraw* contextP, int16 /*depth*/,
                                                OffscreenCBProc callback, void* refcon, tagRECT* frameP) {
    if (frameP) *frameP = tagRECT{0, 0, 10, 10};
    tagRECT frame{};
    XGPicture* pictureP = XGFetchPicture(urlZ, &frame);
    if (!pictureP) return nullptr;
    if (frameP) *frameP = frame;
    return FromPicture(pictureP, contextP, callback, refcon);
}

bool Offscreen_AnswerViewRequest(OffscreenCBType cbType, void* cbData, const yaaf::tagRECT& frame) {
    switch (cbType) {
    case OffscreenCB_GET_POS_REL_TO_WINDOW:
        *static_cast<yaaf::Point*>(cbData) = yaaf::Point{};
        return true;
    case OffscreenCB_GET_FRAME:
        *static_cast<yaaf::tagRECT*>(cbData) = frame;
        return true;
    case OffscreenCB_GET_FRAME_DEPTH:
        *static_cast<yaaf::int16*>(cbData) = 32;
        return true;
    default:
        return false;
    }
}
