#pragma once
// Views are made by their four-character kind, as window layouts name them.

#include "XGTypes.h"

#include <functional>

namespace yaaf {

class XGView;

class XGViewFactory {
public:
    using Maker = std::function<XGView*()>;

    // A later registration of the same kind replaces the earlier one.
    static void Register(FourCharCode kind, Maker maker);
    template <class T> static void Register(FourCharCode kind) {
        Register(kind, [] { return static_cast<XGView*>(new T()); });
    }
    static bool IsRegistered(FourCharCode kind);
    // A new view of the kind, or none when the kind is unknown.
    static XGView* Create(FourCharCode kind);
};

} // namespace yaaf
