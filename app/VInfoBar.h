#pragma once
// The information bar of a browser window (view 4): the number of items and the space they
// take, "%ld items" at the left and "%s available, %s used" in the middle.

#include "XGView.h"

#include <string>

class VInfoBar : public yaaf::XGView {
public:
    explicit VInfoBar(yaaf::int32 id = 4);

    // Each redraws the bar only when the value changes.
    void SetNumItems(yaaf::int32 items);
    void SetAvailBytes(yaaf::int32 bytes);
    void SetUsedBytes(yaaf::int32 bytes);

    yaaf::int32 GetNumItems() const { return i_itemsL; }
    yaaf::int32 GetAvailBytes() const { return i_availL; }
    yaaf::int32 GetUsedBytes() const { return i_usedL; }
    // The two texts as drawn.
    std::string GetItemsText() const;
    std::string GetSpaceText() const;

    yaaf::int32 i_itemsL = 0;
    yaaf::int32 i_availL = 0;
    yaaf::int32 i_usedL = 0;

protected:
    void DoDraw(yaaf::XGDraw& draw, const yaaf::tagRECT& updateRect) override;
};
