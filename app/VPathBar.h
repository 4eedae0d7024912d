#pragma once
// The path bar of a browser window (view 5): the full path of the document's file, or of the
// column shown, in a frame; "< not saved >" until there is one.

#include "XGView.h"

#include <string>

namespace yaaf {
class XGFileSpecifier;
}

class VPathBar : public yaaf::XGView {
public:
    explicit VPathBar(yaaf::int32 id = 5);

    // Redraws only when the text changes.
    void SetPath(const std::string& path);
    // The file's full path; a specifier without one leaves "< not saved >".
    void SetSpec(const yaaf::XGFileSpecifier& fileSpec);
    const std::string& GetPath() const { return i_pathZ; }

    static constexpr const char* kNotSaved = "< not saved >";

    std::string i_pathZ = kNotSaved;

protected:
    void DoDraw(yaaf::XGDraw& draw, const yaaf::tagRECT& updateRect) override;
};
