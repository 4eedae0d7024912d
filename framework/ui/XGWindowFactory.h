#pragma once
// Windows are made by their four-character kind ('wind' the plain window, 'dlog' a dialog).

#include "XGTypes.h"

#include <functional>

namespace yaaf {

class XGForm;
class XGWindow;

class XGWindowFactory {
public:
    // The maker receives the form the window is to own (it may be none).
    using Maker = std::function<XGWindow*(XGForm* form)>;

    static void Register(FourCharCode kind, Maker maker);
    static bool IsRegistered(FourCharCode kind);
    // A new window of the kind, or none when the kind is unknown (the form is then deleted, as
    // the window would have owned it).
    static XGWindow* Create(FourCharCode kind, XGForm* form = nullptr);
};

} // namespace yaaf
