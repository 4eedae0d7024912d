#pragma once
// What an engine that draws into a view needs of it: marking an area to be redrawn. Lets the
// text engine live below the widget layer.

#include "XGTypes.h"

namespace yaaf {

class XGInvalTarget {
public:
    virtual void InvalRect(const tagRECT& r) = 0;

protected:
    ~XGInvalTarget() = default;
};

} // namespace yaaf
