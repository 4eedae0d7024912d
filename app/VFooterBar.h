#pragma once
// The footer of a browser window (view 7): a message when there is one (what lies under the
// pointer), otherwise "%ld of %ld items selected" while something is selected.

#include "XGView.h"

#include <string>

class VFooterBar : public yaaf::XGView {
public:
    explicit VFooterBar(yaaf::int32 id = 7);

    // Always redraws.
    void SetNumItems(yaaf::int32 numItems, yaaf::int32 numSel);
    // Redraws only when the text changes; an empty text shows the counts again.
    void SetMessage(const std::string& text);

    yaaf::int32 GetNumItems() const { return i_numItemsL; }
    yaaf::int32 GetNumSelected() const { return i_numSelL; }
    const std::string& GetMessage() const { return i_msgZ; }
    // What the bar shows: the message, the selection count, or nothing.
    std::string GetShownText() const;

    yaaf::int32 i_numItemsL = 0;
    yaaf::int32 i_numSelL = 0;
    std::string i_msgZ;

protected:
    void DoDraw(yaaf::XGDraw& draw, const yaaf::tagRECT& updateRect) override;
};
