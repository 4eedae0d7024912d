#pragma once
// Time for what happens on a schedule (the switch scanning of boards): a monotonic clock in
// milliseconds and one-shot timers that call back on the user-interface thread. The widget
// layer installs timers of the platform's event loop; without them, timers fire from the run
// loop's periodic pass. Tests install a clock they move by hand.

#include "XGTypes.h"

#include <functional>
#include <memory>

namespace yaaf {

class XGTimer {
public:
    virtual ~XGTimer() = default;
    // Calls the timer's procedure once, at dueMs of its clock or as soon after as the loop can;
    // replaces a call still pending.
    virtual void StartAt(int64 dueMs) = 0;
    virtual void Stop() = 0;
    virtual bool IsPending() const = 0;
};

class XGClock {
public:
    virtual ~XGClock() = default;
    virtual int64 NowMs() = 0;
    // A stopped timer; proc runs when it fires. The timer must not outlive the clock.
    virtual std::unique_ptr<XGTimer> NewTimer(std::function<void()> proc) = 0;

    // The installed clock, else the steady clock with timers fired from the periodic pass.
    static XGClock& Get();
    // Answers the previous one (null for the default); null installs the default again.
    static XGClock* Install(XGClock* clockP);
};

} // namespace yaaf
