#include "XGViewFactory.h"

#include <map>

namespace yaaf {

namespace {

std::map<FourCharCode, XGViewFactory::Maker>& Makers() {
    static std::map<FourCharCode, XGViewFactory::Maker> s_makers;
    return s_makers;
}

} // namespace

void XGViewFactory::Register(FourCharCode kind, Maker maker) {
    Makers()[kind] = std::move(maker);
}

bool XGViewFactory::IsRegistered(FourCharCode kind) {
    return Makers().count(kind) != 0;
}

XGView* XGViewFactory::Create(FourCharCode kind) {
    auto it = Makers().find(kind);
    if (it == Makers().end() || !it->second) return nullptr;
    return it->second();
}

} // namespace yaaf
