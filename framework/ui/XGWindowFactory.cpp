#include "XGWindowFactory.h"

#include "XGForm.h"

#include <map>

namespace yaaf {

namespace {

std::map<FourCharCode, XGWindowFactory::Maker>& Makers() {
    static std::map<FourCharCode, XGWindowFactory::Maker> s_makers;
    return s_makers;
}

} // namespace

void XGWindowFactory::Register(FourCharCode kind, Maker maker) {
    Makers()[kind] = std::move(maker);
}

bool XGWindowFactory::IsRegistered(FourCharCode kind) {
    return Makers().count(kind) != 0;
}

XGWindow* XGWindowFactory::Create(FourCharCode kind, XGForm* form) {
    auto it = Makers().find(kind);
    if (it == Makers().end() || !it->second) {
        delete form;
        return nullptr;
    }
    return it->second(form);
}

} // namespace yaaf
