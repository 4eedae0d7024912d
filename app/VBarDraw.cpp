#include "VBarDraw.h"

#include "XGDraw.h"
#include "XGFont.h"

#include <algorithm>

using namespace yaaf;

namespace {
constexpr XGColor kBarFill = XGColor::RGB(236, 236, 232);
constexpr XGColor kShadow = XGColor::RGB(140, 140, 136);
constexpr XGColor kLight = XGColor::RGB(255, 255, 255);
} // namespace

const XGFont& VBarFont() {
    static const XGFont s_font("Arial", 9);
    return s_font;
}

void VBarBackground(XGDraw& draw, const tagRECT& r) {
    draw.FillRect(r, kBarFill);
    if (r.Width() < 2 || r.Height() < 2) return;
    draw.SetPenWidth(1);
    draw.SetPenColor(kShadow);
    draw.MoveTo(r.left, r.bottom - 1);
    draw.LineTo(r.left, r.top);
    draw.LineTo(r.right - 1, r.top);
    draw.SetPenColor(kLight);
    draw.LineTo(r.right - 1, r.bottom - 1);
    draw.LineTo(r.left, r.bottom - 1);
    draw.SetPenColor(XGColor::Black());
}

int32 VBarText(XGDraw& draw, const tagRECT& r, const std::string& given, int32 x, int32 minX) {
    if (given.empty()) return x < 0 ? minX : x;
    // One line: a title's line ends and tabs show as blanks.
    std::string text = given;
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    draw.SetFont(VBarFont());
    draw.SetTextColor(XGColor::Black());
    const int32 width = draw.TextWidth(text);
    if (x < 0) x = std::max<int32>(r.left + std::max<int32>(5, (r.Width() - width) / 2), minX);
    tagRECT clip = r;
    clip.left += 1;
    clip.right -= 1;
    draw.SetClip(clip);
    draw.DrawText(x, r.bottom - 4, text);
    draw.ClearClip();
    return x + width;
}
