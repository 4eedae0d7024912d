#define VORN_UNIT "CVornItem.cpp"
// How an item looks: its size to fit, its body in Edit Mode and Go Mode, its selection marks,
// handles and outline polygon.
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VornBoardAssert.h"
#include "XGDraw.h"
#include "XGGeometry.h"
#include "XGPicture.h"
#include "XGRegion.h"
#include "autoptr.h"

#include <algorithm>
#include <memory>
#include <string>

using namespace yaaf;

namespace {

bool IsPictureLink(const Vorn_LinkContent& c) {
    return c.type == LinkType_PICT_FILE || c.type == LinkType_PICT_URL;
}

// Rectangles far outside any window are pulled in to a distance that still lies outside it,
// so that the drawing arithmetic cannot overflow.
constexpr int32 kFar = 1 << 22;
tagRECT Tame(const tagRECT& r) {
    return tagRECT{std::clamp(r.left, -kFar, kFar), std::clamp(r.top, -kFar, kFar),
                   std::clamp(r.right, -kFar, kFar), std::clamp(r.bottom, -kFar, kFar)};
}

// The pilcrow sign, which stands for a line-break item in Go Mode.
constexpr const char* kPilcrow = "\xC2\xB6";

} // namespace

void CVornItem::SizeToFit() {
    if (!i_vornP) {
        VORN_ASSERT_DLG(i_vornP);
        return;
    }
    if (!i_vornP->i_controllerP) return;
    CVornItemRect& cur = *i_boundsRP;
    const Vorn_LinkContent& s = i_resource.source.content;
    if (IsPictureLink(s)) {
        cur = tagRECT{cur.left, cur.top, cur.left + s.origR.Width(), cur.top + s.origR.Height()};
        return;
    }
    // Measured with the board's drawing object while it draws, else with one on a small
    // offscreen picture (the same resolution as the screen's).
    XGDraw* drawP = i_vornP->i_drawP;
    XGPicture scratch;
    autoptr<XGDraw> tempP;
    if (!drawP) {
        if (!scratch.Allocate(1, 1)) return;
        tempP.reset(scratch.NewDraw());
        drawP = tempP.get();
        if (!drawP) return;
    }
    const XGFont savedFont = drawP->GetFont();
    drawP->SetFont(i_font);
    const std::string text = IsLineBreak() ? std::string(" ") : *Vorn_GetTextP(i_resource.source.content);
    tagRECT textR{};
    drawP->MeasureText(text, textR);
    if (i_full_widthB) textR.right = textR.left + i_vornP->i_colA[0].Width();
    drawP->SetFont(savedFont);
    SetTextBox(textR);
}

void CVornItem::DrawSource(const tagRECT* itemRP) {
    if (!i_vornP) {
        VORN_ASSERT_DLG(i_vornP);
        return;
    }
    XGDraw* draw = i_vornP->i_drawP;
    if (!draw || !itemRP || IsHidden()) return;
    CVornViewLink* view = i_vornP->GetView();
    if (view && view->GetRenameItem() == this) return;
    const bool editB = i_vornP->GetMode() != Vorn_Mode_GO;
    const tagRECT r = Tame(*itemRP);
    std::unique_ptr<XGRegion> rgnP(GetOutlineRgn(r));
    // A polygon without area (all its points alike) would hide the item: the rectangle serves.
    if (rgnP && rgnP->IsEmpty()) rgnP.reset();

    if (editB) {
        if (rgnP)
            draw->EraseRgn(*rgnP);
        else
            draw->EraseRect(r);
    }

    std::string text;
    bool pilcrowB = false;
    const Vorn_LinkContent& s = i_resource.source.content;
    if (IsPictureLink(s)) {
        if (s.cacheP && !IsLoading())
            draw->DrawPicture(*s.cacheP, r);
        else
            text = std::string(IsLoading() ? "Loading item: '" : "Missing item: '") + GetName(Vorn_Ref_SRC) +
                   "'";
    } else {
        text = *Vorn_GetTextP(i_resource.source.content);
        if (IsLineBreak() && text.size() == 1) {
            if (editB || i_vornP->IsFlatColumns())
                text = " \n";
            else
                pilcrowB = true;
        }
    }

    if (!text.empty() || pilcrowB) {
        const tagRECT box = GetTextBox(r, true);
        draw->SetFont(i_font);
        if (pilcrowB) {
            draw->EraseRect(r);
            draw->SetTextColor(XGColor::RGB(0, 0, 255));
            draw->DrawWrap(kPilcrow, box);
            draw->SetTextColor(XGColor::Black());
        } else {
            draw->DrawWrap(text, box);
        }
        draw->ClearClip();
    }

    if (!editB) return;
    if (i_b.selectedB()) {
        if (rgnP)
            draw->InvertRgn(*rgnP);
        else
            draw->InvertRect(r);
        for (int16 type = 2; type <= 5; ++type) {
            tagRECT handle = GetItemHandle(&r, type);
            draw->EraseRect(handle);
            InsetRect(handle, 1, 1);
            draw->PaintRect(handle);
        }
    } else if (rgnP) {
        draw->FrameRgn(*rgnP);
    } else {
        draw->FrameRect(r);
    }
}

void CVornItem::Hilight() {
    Hilight(2);
}

void CVornItem::Hilight(int16 widthS) {
    if (!i_vornP) {
        VORN_ASSERT_DLG(i_vornP);
        return;
    }
    XGDraw* draw = i_vornP->i_drawP;
    if (!draw) return;
    const int16 w = std::max<int16>(1, widthS);
    tagRECT r = Tame(GetScreenBounds());
    r.left -= w;
    r.top -= w;
    r.right += w;
    r.bottom += w;
    draw->SetPenWidth(w);
    draw->InvertFrameRect(r);
    draw->SetPenWidth(1);
}

XGRegion* CVornItem::GetOutlineRgn(const tagRECT& itemR) {
    if (!i_b.rgnB() || !i_rgnP) return nullptr;
    auto* rgnP = new XGRegion;
    rgnP->SetFromPolyLine(i_rgnP->pts, kVornRgnPoints);
    rgnP->Map(itemR);
    return rgnP;
}

void CVornItem::GetBlitRgn(XGRegion* rgnP) {
    if (!rgnP) return;
    tagRECT r = Tame(GetScreenBounds());
    r.left -= 2;
    r.top -= 2;
    r.right += 2;
    r.bottom += 2;
    rgnP->Union(r);
}
