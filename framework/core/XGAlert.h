#pragma once
// The dialog layer: every modal question of the system goes through XGShowAlert. A responder
// installed by tests answers without showing anything; without one, and where nothing can be
// shown (no presenter installed, no application object, the offscreen platform, or VORN_ALERTS=stderr), the alert is
// written to standard error and answered with its cancel button so that nothing blocks.

#include "XGTypes.h"

#include <functional>
#include <string>
#include <vector>

namespace yaaf {

enum class XGAlertKind { kError, kCaution, kNote, kQuestion };

struct XGAlertButton {
    std::string label;
    char key = 0; // pressing this key (either case) presses the button; 0 for none
};

struct XGAlertRequest {
    XGAlertKind kind = XGAlertKind::kNote;
    std::string title;
    std::string text;
    std::vector<XGAlertButton> buttons; // empty: one "OK" button
    int defaultIndex = 0;
    int cancelIndex = 0; // also the answer when the alert is closed
};

using XGAlertResponder = std::function<int(const XGAlertRequest&)>;

// Shows the alert and answers the index of the pressed button.
int XGShowAlert(const XGAlertRequest& request);

// Installs a responder (an empty function removes it); answers the previous one.
XGAlertResponder XGSetAlertResponder(XGAlertResponder responder);

// The alerts shown most recently, oldest first (a bounded record, for checks in tests).
const std::vector<XGAlertRequest>& XGRecentAlerts();
void XGClearRecentAlerts();

// The button a key press selects, or -1.
int XGAlertButtonForKey(const XGAlertRequest& request, int keyChar);

// How alerts are shown to a person; the widget layer installs one. Without one every alert is
// silent. isHeadless may be null.
struct XGAlertPresenter {
    bool (*canShow)() = nullptr;
    bool (*isHeadless)() = nullptr;
    int (*show)(const XGAlertRequest&) = nullptr;
};
// Answers the previous presenter.
XGAlertPresenter XGSetAlertPresenter(XGAlertPresenter presenter);

// True when dialogs are answered without being shown (see above).
bool XGDialogsAreSilent();

// Installs a responder for the life of the object and restores the previous one after.
class XGScopedAlertResponder {
public:
    explicit XGScopedAlertResponder(XGAlertResponder responder)
        : fPrevious(XGSetAlertResponder(std::move(responder))) {}
    ~XGScopedAlertResponder() { XGSetAlertResponder(std::move(fPrevious)); }
    XGScopedAlertResponder(const XGScopedAlertResponder&) = delete;
    XGScopedAlertResponder& operator=(const XGScopedAlertResponder&) = delete;

private:
    XGAlertResponder fPrevious;
};

} // namespace yaaf
