#include "XGAlert.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace yaaf {

namespace {

constexpr size_t kRecentLimit = 32;

XGAlertResponder& Responder() {
    static XGAlertResponder sResponder;
    return sResponder;
}

XGAlertPresenter& Presenter() {
    static XGAlertPresenter sPresenter;
    return sPresenter;
}

std::vector<XGAlertRequest>& Recent() {
    static std::vector<XGAlertRequest> sRecent;
    return sRecent;
}

XGAlertRequest Normalised(const XGAlertRequest& in) {
    XGAlertRequest r = in;
    if (r.buttons.empty()) r.buttons.push_back({"OK", 0});
    const int n = int(r.buttons.size());
    if (r.defaultIndex < 0 || r.defaultIndex >= n) r.defaultIndex = 0;
    if (r.cancelIndex < 0 || r.cancelIndex >= n) r.cancelIndex = r.defaultIndex;
    return r;
}

const char* KindName(XGAlertKind kind) {
    switch (kind) {
    case XGAlertKind::kError:
        return "error";
    case XGAlertKind::kCaution:
        return "caution";
    case XGAlertKind::kQuestion:
        return "question";
    default:
        return "note";
    }
}

} // namespace

bool XGDialogsAreSilent() {
    const char* mode = std::getenv("VORN_ALERTS");
    if (mode && std::strcmp(mode, "stderr") == 0) return true;
    const XGAlertPresenter presenter = Presenter();
    if (!presenter.show || !presenter.canShow || !presenter.canShow()) return true;
    if (mode && std::strcmp(mode, "show") == 0) return false;
    return presenter.isHeadless && presenter.isHeadless();
}

XGAlertPresenter XGSetAlertPresenter(XGAlertPresenter presenter) {
    XGAlertPresenter previous = Presenter();
    Presenter() = presenter;
    return previous;
}

int XGShowAlert(const XGAlertRequest& request) {
    const XGAlertRequest r = Normalised(request);
    auto& recent = Recent();
    recent.push_back(r);
    if (recent.size() > kRecentLimit) recent.erase(recent.begin());

    if (XGAlertResponder responder = Responder()) {
        int answer = responder(r);
        return (answer >= 0 && answer < int(r.buttons.size())) ? answer : r.cancelIndex;
    }
    if (XGDialogsAreSilent()) {
        std::fprintf(stderr, "[%s] %s: %s -> %s\n", KindName(r.kind), r.title.c_str(), r.text.c_str(),
                     r.buttons[size_t(r.cancelIndex)].label.c_str());
        return r.cancelIndex;
    }
    return Presenter().show(r);
}

XGAlertResponder XGSetAlertResponder(XGAlertResponder responder) {
    XGAlertResponder previous = std::move(Responder());
    Responder() = std::move(responder);
    return previous;
}

const std::vector<XGAlertRequest>& XGRecentAlerts() {
    return Recent();
}

void XGClearRecentAlerts() {
    Recent().clear();
}

int XGAlertButtonForKey(const XGAlertRequest& request, int keyChar) {
    if (keyChar <= 0 || keyChar > 0xFF) return -1;
    const int want = std::tolower(keyChar);
    for (size_t i = 0; i < request.buttons.size(); ++i) {
        const char k = request.buttons[i].key;
        if (k && std::tolower((unsigned char)k) == want) return int(i);
    }
    return -1;
}

} // namespace yaaf
