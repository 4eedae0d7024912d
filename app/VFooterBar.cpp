#include "VFooterBar.h"

#include "VBarDraw.h"
#include "XGDraw.h"

#include <cstdio>

using namespace yaaf;

VFooterBar::VFooterBar(int32 id) : XGView('foot', id) {
    SetAccessibleName("Status bar");
}

void VFooterBar::SetNumItems(int32 numItems, int32 numSel) {
    i_numItemsL = numItems;
    i_numSelL = numSel;
    InvalView();
}

void VFooterBar::SetMessage(const std::string& text) {
    if (text == i_msgZ) return;
    i_msgZ = text;
    InvalView();
}

std::string VFooterBar::GetShownText() const {
    if (!i_msgZ.empty()) return i_msgZ;
    if (i_numSelL == 0) return {};
    char text[80];
    std::snprintf(text, sizeof text, "%ld of %ld items selected", static_cast<long>(i_numSelL),
                  static_cast<long>(i_numItemsL));
    return text;
}

void VFooterBar::DoDraw(XGDraw& draw, const tagRECT&) {
    const tagRECT r = GetLocalBounds();
    VBarBackground(draw, r);
    if (!i_msgZ.empty())
        VBarText(draw, r, i_msgZ, 5);
    else
        VBarText(draw, r, GetShownText(), -1);
}
