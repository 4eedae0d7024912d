#pragma once
// Answers every alert without showing it and keeps what was asked, for the life of the object.

#include "XGAlert.h"

#include <string>
#include <vector>

namespace vorntest {

class AlertRecorder {
public:
    static constexpr int kCancel = -1; // the alert's own cancel button

    explicit AlertRecorder(int answer = kCancel)
        : answer(answer), fScope([this](const yaaf::XGAlertRequest& r) {
              alerts.push_back(r);
              return this->answer == kCancel ? r.cancelIndex : this->answer;
          }) {}

    // The alerts whose "title|text" holds part.
    int Count(const std::string& part = {}) const {
        int n = 0;
        for (const auto& a : alerts)
            n += (a.title + "|" + a.text).find(part) != std::string::npos;
        return n;
    }
    size_t size() const { return alerts.size(); }
    bool empty() const { return alerts.empty(); }
    const yaaf::XGAlertRequest& operator[](size_t i) const { return alerts.at(i); }

    std::vector<yaaf::XGAlertRequest> alerts;
    int answer; // the button pressed, or kCancel

private:
    yaaf::XGScopedAlertResponder fScope;
};

} // namespace vorntest
