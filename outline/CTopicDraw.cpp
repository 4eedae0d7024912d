#define OUTLINE_UNIT "CTopic"
// The topic on the screen: widget rectangles, hit testing, clicks, drawing per view mode and
// bringing a topic into view.
#include "CTopic.h"

#include "CTopicList.h"
#include "FormatSize.h"
#include "OutlineAssert.h"
#include "VColHeader.h"
#include "VOutline.h"
#include "XGDateTime.h"
#include "XGDraw.h"
#include "XGFont.h"
#include "XGGeometry.h"
#include "XGPicture.h"
#include "XGRegion.h"

#include <cstdio>

using namespace yaaf;

namespace {

bool Contains(const tagRECT& r, const O_Point& pt) {
    return r.left <= pt.h && pt.h < r.right && r.top <= pt.v && pt.v < r.bottom;
}

bool IsBoardStyle(O_ViewAsType viewAs) {
    return viewAs == O_ViewAs_FREEFORM_NEW || viewAs == O_ViewAs_FLAT_COL_NEW;
}

std::string DateText(const XGDateTime& date) {
    XGDateFields f;
    if (!date.IsValid() || !date.GetFields(f)) return "-";
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d, %02d:%02d", int(f.year), int(f.month), int(f.day), int(f.hour),
                  int(f.minute));
    return buf;
}

} // namespace

tagRECT CTopic::GetRect(int32 widget) const {
    const tagRECT b = GetScreenBounds();
    switch (widget) {
    case TOPIC_Widget_TWIRLY:
        // Only where it is drawn: a click on nothing visible changes nothing.
        if (!i_childrenP || GetViewAs() != O_ViewAs_LIST) return tagRECT{};
        return tagRECT{b.left, b.top, b.left + kTwirlyWidth, b.top + 16};
    case TOPIC_Widget_ICON:
        return tagRECT{b.left + kIconLeft, b.top, b.left + kIconRight, b.top + 16};
    case TOPIC_Widget_TEXT:
        return tagRECT{b.left + kTextLeft, b.top, b.right, b.bottom};
    case TOPIC_Widget_ALL:
        return b;
    default:
        return tagRECT{};
    }
}

bool CTopic::HitTest_Rgn(O_DrawRec* recP) {
    // Board-like topics and zoom boxes are hit anywhere inside.
    const O_ViewAsType viewAs = recP ? recP->view_as : GetViewAs();
    return IsBoardStyle(viewAs) || viewAs == O_ViewAs_ZOOM;
}

uint16 CTopic::HitTest(O_DrawRec* recP) {
    if (!recP || !recP->pointP) return 0;
    const O_Point pt = *recP->pointP;
    const tagRECT b = GetRect(TOPIC_Widget_ALL);
    if (!Contains(b, pt)) {
        if (i_childrenP && recP->recurseB && IsTwirled()) return i_childrenP->Iterate(TOPIC_Iter_HIT_TEST, recP, true);
        return 0;
    }
    if (HitTest_Rgn(recP)) {
        // The topmost topic under the point wins.
        recP->hit_topicP = this;
        if (recP->hit_widgetP) *recP->hit_widgetP = TOPIC_Widget_BODY;
        return kTopicIterStop;
    }
    for (int32 w = TOPIC_Widget_NONE; w <= TOPIC_Widget_TEXT; ++w) {
        if (Contains(GetRect(w), pt)) {
            recP->hit_topicP = this;
            if (recP->hit_widgetP) *recP->hit_widgetP = w;
            break;
        }
    }
    return kTopicIterStop;
}

void CTopic::DoClick(O_DrawRec* recP) {
    if (!recP) return;
    const int32 widget = recP->hit_widgetP ? *recP->hit_widgetP : TOPIC_Widget_NONE;
    bool selectB = false;
    switch (widget) {
    case TOPIC_Widget_BODY:
        selectB = true;
        break;
    case TOPIC_Widget_TWIRLY:
        ToggleFlag(TOPIC_Flag_TWIRLED);
        return;
    case TOPIC_Widget_ICON:
    case TOPIC_Widget_TEXT:
        if (recP->flags & O_Click_DOUBLE) {
            Launch();
            return;
        }
        selectB = true;
        break;
    default:
        return;
    }
    if (!selectB) return;
    const bool exclusive = !(recP->flags & (O_Click_SHIFT | O_Click_CONTROL));
    const bool old = IsSelected();
    if (exclusive && !old) {
        VOutline* viewP = GetView();
        OUTLINE_ASSERT_DLG(viewP);
        if (viewP) viewP->SelectAll(false);
    }
    const bool next = exclusive ? true : !old;
    if (next == old) return;
    Select(next);
    if (recP->view_as == O_ViewAs_HEIR_COL) Init_Subtopics();
    if (recP->drawP) Draw(recP);
    Flush();
}

void CTopic::Draw(O_DrawRec* drawRecP) {
    if (!drawRecP || !drawRecP->drawP) return;
    const tagRECT b = GetRect(TOPIC_Widget_ALL);
    tagRECT sect;
    const tagRECT area = drawRecP->screen_boundsRP ? *drawRecP->screen_boundsRP : b;
    if (SectRect(b, area, sect)) {
        drawRecP->drawP->SetFont(GetXGFont());
        Draw_As(drawRecP, b, GetView());
    }
    if (i_childrenP && drawRecP->recurseB && IsTwirled()) i_childrenP->DrawTopics(drawRecP);
}

void CTopic::Draw_As(O_DrawRec* drawRecP, const tagRECT& boundsR, VOutline* voP) {
    XGDraw* drawP = drawRecP->drawP;
    const int32 descent = GetXGFont().Descent();
    switch (drawRecP->view_as) {
    case O_ViewAs_ICONS: {
        Draw_Icon(drawP);
        const tagRECT t = GetRect(TOPIC_Widget_TEXT);
        drawP->DrawText(t.left + 2, t.bottom - descent, i_nameZ);
        break;
    }
    case O_ViewAs_LIST: {
        VColHeader* headP = voP ? voP->GetHeader() : nullptr;
        if (!headP) {
            Draw_Column(drawRecP, boundsR, O_Sort_NAME);
            break;
        }
        int32 x = voP ? voP->i_scrollH : 0;
        for (int32 i = 0, n = headP->CountColumns(); i < n; ++i) {
            const int32 w = headP->GetColumnWidth(i);
            const tagRECT box{x, boundsR.top, x + w, boundsR.bottom};
            x += w;
            tagRECT clip;
            if (!SectRect(box, *drawRecP->screen_boundsRP, clip)) continue;
            drawP->SetClip(clip);
            Draw_Column(drawRecP, box, O_SortType(headP->GetColumnID(i)));
            drawP->ClearClip();
        }
        break;
    }
    case O_ViewAs_HEIR_COL: {
        Draw_Icon(drawP);
        const tagRECT t = GetRect(TOPIC_Widget_TEXT);
        drawP->DrawText(t.left + 2, t.bottom - descent - 2, i_nameZ);
        if (IsSelected()) drawP->InvertRect(t);
        break;
    }
    case O_ViewAs_ZOOM: {
        drawP->FrameRect(boundsR);
        const tagRECT t = GetRect(TOPIC_Widget_TEXT);
        tagRECT clip;
        if (SectRect(boundsR, *drawRecP->screen_boundsRP, clip)) drawP->SetClip(clip);
        drawP->DrawText(boundsR.left + 4, t.bottom - descent - 2, i_nameZ);
        drawP->ClearClip();
        if (IsSelected()) drawP->InvertRect(boundsR);
        break;
    }
    case O_ViewAs_FREEFORM_NEW: {
        if (voP && voP->i_renameTopicP == this) break;
        const Vorn_ModeType mode = i_siblingsP ? i_siblingsP->GetMode() : Vorn_Mode_EDIT;
        std::unique_ptr<XGRegion> rgnP(GetOutlineRgn(&boundsR));
        if (mode == Vorn_Mode_EDIT) {
            if (rgnP)
                drawP->EraseRgn(*rgnP);
            else
                drawP->EraseRect(boundsR);
        }
        std::string text = i_nameZ;
        if (IsPicture()) {
            if (const XGPicture* pictP = GetPictRef()) {
                drawP->DrawPicture(*pictP, boundsR);
                text.clear();
            } else {
                text = std::string(i_finished_loadB ? "Missing item: '" : "Loading item: '") + i_nameZ + "'";
            }
        }
        if (!text.empty() && !(voP && voP->i_live_resizeB)) {
            const tagRECT box = GetTextBox(boundsR, false);
            tagRECT clip;
            if (SectRect(box, *drawRecP->screen_boundsRP, clip)) {
                drawP->SetClip(clip);
                if (text == "\r") {
                    if (mode == Vorn_Mode_GO) {
                        drawP->EraseRect(boundsR);
                        text = "\xC2\xB6";
                    } else {
                        text = " \n";
                    }
                }
                if (mode == Vorn_Mode_GO) drawP->SetTextColor(XGColor::RGB(0xFF, 0, 0));
                drawP->DrawWrap(text, box);
                drawP->SetTextColor(XGColor::Black());
                drawP->ClearClip();
            }
        }
        if (mode == Vorn_Mode_EDIT) {
            if (!IsSelected()) {
                if (rgnP)
                    drawP->FrameRgn(*rgnP);
                else
                    drawP->FrameRect(boundsR);
            } else {
                if (rgnP)
                    drawP->InvertRgn(*rgnP);
                else
                    drawP->InvertRect(boundsR);
                for (int32 h = TOPIC_Widget_HANDLE_TL; h <= TOPIC_Widget_HANDLE_BR; ++h) {
                    tagRECT handle = GetItemHandle(&boundsR, h);
                    drawP->EraseRect(handle);
                    InsetRect(handle, 1, 1);
                    drawP->PaintRect(handle);
                }
            }
        }
        break;
    }
    case O_ViewAs_FLAT_COL_NEW: {
        const tagRECT t = GetRect(TOPIC_Widget_TEXT);
        drawP->DrawText(t.left, t.bottom - descent, i_nameZ);
        if (IsSelected()) drawP->InvertRect(boundsR);
        break;
    }
    default:
        break;
    }
}

void CTopic::Draw_Column(O_DrawRec* drawRecP, const tagRECT& boundsR, O_SortType sortType) {
    XGDraw* drawP = drawRecP->drawP;
    const int32 baseline = boundsR.bottom - GetXGFont().Descent();
    auto text = [&](const std::string& s) { drawP->DrawText(boundsR.left + 2, baseline, s); };
    switch (sortType) {
    case O_Sort_NAME: {
        Draw_Twirly(drawP);
        Draw_Icon(drawP);
        tagRECT t = GetRect(TOPIC_Widget_TEXT);
        t.bottom -= 2;
        drawP->DrawText(t.left + 2, t.bottom - GetXGFont().Descent(), i_nameZ);
        if (IsSelected()) drawP->InvertRect(GetRect(TOPIC_Widget_TEXT));
        break;
    }
    case O_Sort_LOG_SIZE:
        text(FormatSize(Get_Size_Logical()));
        break;
    case O_Sort_PHYS_SIZE:
        text(FormatSize(Get_Size_Physical()));
        break;
    case O_Sort_CRE_DATE:
    case O_Sort_MOD_DATE: {
        XGDateTime date;
        if (sortType == O_Sort_CRE_DATE)
            Get_Date_Created(&date);
        else
            Get_Date_Modified(&date);
        text(DateText(date));
        break;
    }
    case O_Sort_KIND:
        text(Get_Kind());
        break;
    case O_Sort_LOCK:
        text("nope");
        break;
    default:
        break;
    }
}

void CTopic::Draw_Twirly(XGDraw* drawP) {
    if (!i_childrenP || !drawP) return;
    tagRECT r = GetRect(TOPIC_Widget_TWIRLY);
    if (EmptyRect(r)) return;
    InsetRect(r, 2, 2);
    const bool open = IsTwirled();
    if (open)
        InsetRect(r, 0, 2);
    else
        InsetRect(r, 2, 0);
    Point pts[3];
    if (open) {
        pts[0] = MakePoint(r.left, r.top);
        pts[1] = MakePoint(r.right, r.top);
        pts[2] = MakePoint((r.left + r.right) / 2, r.bottom);
    } else {
        pts[0] = MakePoint(r.left, r.top);
        pts[1] = MakePoint(r.right, (r.top + r.bottom) / 2);
        pts[2] = MakePoint(r.left, r.bottom);
    }
    XGRegion tri;
    tri.SetFromPolyLine(pts, 3);
    drawP->PaintRgn(tri);
}

void CTopic::Draw_Icon(XGDraw* drawP) {
    if (!drawP) return;
    const tagRECT r = GetRect(TOPIC_Widget_ICON);
    if (i_iconP && i_iconP->IsValid())
        drawP->DrawPicture(*i_iconP, r);
    else
        drawP->FrameRect(r);
}

void CTopic::Flush() {
    VOutline* viewP = GetView();
    if (!viewP) return;
    tagRECT r = GetScreenBounds();
    if (IsSelected() && i_siblingsP) {
        const int32 grow = i_siblingsP->GetTopicUIHandleSize();
        InsetRect(r, -grow, -grow);
    }
    viewP->FlushRect(r);
}

void CTopic::CB_CTopic_Offs(int16 cbType, void* cbData) {
    switch (cbType) {
    case 1: // position relative to the window
        if (cbData) *static_cast<Point*>(cbData) = Point{};
        break;
    case 2: // frame
        if (cbData) *static_cast<tagRECT*>(cbData) = *GetFrameP();
        break;
    case 3: // depth
        if (cbData) *static_cast<int16*>(cbData) = 32;
        break;
    case 4: // cause an update
        Inval(false);
        break;
    default:
        break;
    }
}

void CTopic::Reveal() {
    VOutline* viewP = GetView();
    if (!viewP || viewP->GetViewAs() != O_ViewAs_HEIR_COL) return;
    viewP->RevealTopic(this);
}
