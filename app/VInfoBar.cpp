#include "VInfoBar.h"

#include "FormatSize.h"
#include "VBarDraw.h"
#include "XGDraw.h"

#include <cstdio>

using namespace yaaf;

VInfoBar::VInfoBar(int32 id) : XGView('infb', id) {
    SetAccessibleName("Information bar");
}

void VInfoBar::SetNumItems(int32 items) {
    if (items == i_itemsL) return;
    i_itemsL = items;
    InvalView();
}

void VInfoBar::SetAvailBytes(int32 bytes) {
    if (bytes == i_availL) return;
    i_availL = bytes;
    InvalView();
}

void VInfoBar::SetUsedBytes(int32 bytes) {
    if (bytes == i_usedL) return;
    i_usedL = bytes;
    InvalView();
}

std::string VInfoBar::GetItemsText() const {
    char text[48];
    std::snprintf(text, sizeof text, "%ld items", static_cast<long>(i_itemsL));
    return text;
}

std::string VInfoBar::GetSpaceText() const {
    // Negative counts are nonsense here; they show as nothing rather than as huge sizes.
    const std::string avail = FormatSize(uint32(i_availL < 0 ? 0 : i_availL));
    const std::string used = FormatSize(uint32(i_usedL < 0 ? 0 : i_usedL));
    return avail + " available, " + used + " used";
}

void VInfoBar::DoDraw(XGDraw& draw, const tagRECT&) {
    const tagRECT r = GetLocalBounds();
    VBarBackground(draw, r);
    const int32 end = VBarText(draw, r, GetItemsText(), 5);
    // A narrow bar keeps the two texts apart.
    VBarText(draw, r, GetSpaceText(), -1, end + 12);
}
