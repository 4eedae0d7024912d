#pragma once
// The pointer's shape over a view.

#include "XGTypes.h"

namespace yaaf {

class XGView;

enum XGCursorID : int16 {
    kXGCursor_Arrow = 0,
    kXGCursor_IBeam = 1,
    kXGCursor_Size = 2, // over a sizing handle
    kXGCursor_Busy = 3,
    kXGCursor_Cross = 4,
};

class XGCursor {
public:
    // The shape shown while the pointer is over the view.
    static void Set(XGView* view, int16 cursorID);
    // The shape last set on the view (kXGCursor_Arrow when none was).
    static int16 Get(const XGView* view);
};

} // namespace yaaf
