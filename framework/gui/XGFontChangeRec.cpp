#include "XGFontChangeRec.h"

#include "XGFont.h"

#include <cstring>

namespace yaaf {

void GetFontRecord(const XGFont& font, XGFontChangeRec& rec) {
    rec.sizeS = int16(font.GetSize());
    std::strncpy(rec.nameAC, font.GetName().c_str(), sizeof(rec.nameAC) - 1);
    rec.nameAC[sizeof(rec.nameAC) - 1] = 0;
    rec.styleS = int16(font.GetStyle() & (kXGStyle_Bold | kXGStyle_Italic | kXGStyle_Underline));
}

void ApplyFontChangeRec(XGFont& font, const XGFontChangeRec& rec) {
    if (rec.set_sizeB) {
        const int32 size = rec.sizeS + (rec.size_deltaB ? font.GetSize() : 0);
        if (size > 1) font.SetSize(size);
    }
    if (rec.set_fontB) font.SetName(rec.nameAC);
    if (rec.set_styleB) {
        const uint16 bits = uint16(rec.styleS & (kXGStyle_Bold | kXGStyle_Italic | kXGStyle_Underline));
        uint16 style = font.GetStyle();
        if (bits == 0)
            style &= uint16(~(kXGStyle_Bold | kXGStyle_Italic | kXGStyle_Underline));
        else
            style ^= bits;
        font.SetStyle(style);
    }
}

} // namespace yaaf
