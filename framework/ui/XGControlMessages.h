#pragma once
// Messages the framework's control views send up the dispatch chain (from the control to its
// enclosing views, the window, its form and document, then the application). The parameter is
// the control's view id.

#include "XGTypes.h"

namespace yaaf {

enum : FourCharCode {
    // The user chose a value of a pop-up control or changed a list's selection; the data is the
    // control (an XGView).
    kXGMsg_ControlChanged = 'ctrl',
    // A header column was clicked: the data points to the column's index (int32).
    kXGMsg_HeaderSelect = 'hdrs',
    // A header column's width changed: the data is an XGHeaderChangeRecord.
    kXGMsg_HeaderChange = 'hdrc',
    // The user took a column divider: the data points to the column's index (int32).
    kXGMsg_HeaderGrab = 'hdrg',
};

} // namespace yaaf
