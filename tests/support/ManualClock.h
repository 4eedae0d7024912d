#pragma once
// A clock that tests move by hand: timers fire, in the order they are due, only inside
// Advance, each seeing the time it was due at.

#include "XGClock.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace vorntest {

class ManualClock : public yaaf::XGClock {
public:
    ManualClock() : fPrevious(yaaf::XGClock::Install(this)) {}
    ~ManualClock() override { yaaf::XGClock::Install(fPrevious); }
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    yaaf::int64 NowMs() override { return fNow; }
    std::unique_ptr<yaaf::XGTimer> NewTimer(std::function<void()> proc) override {
        return std::make_unique<Timer>(this, std::move(proc));
    }

    // Moves time on by ms, firing what falls due on the way.
    void Advance(yaaf::int64 ms) {
        const yaaf::int64 end = fNow + ms;
        for (;;) {
            Timer* next = nullptr;
            for (Timer* t : fTimers)
                if (t->pending && t->due <= end && (!next || t->due < next->due)) next = t;
            if (!next) break;
            fNow = std::max(fNow, next->due);
            next->pending = false;
            if (next->proc) next->proc();
        }
        fNow = end;
    }

private:
    struct Timer : yaaf::XGTimer {
        Timer(ManualClock* c, std::function<void()> p) : clock(c), proc(std::move(p)) {
            clock->fTimers.push_back(this);
        }
        ~Timer() override { std::erase(clock->fTimers, this); }
        void StartAt(yaaf::int64 dueMs) override {
            due = dueMs;
            pending = true;
        }
        void Stop() override { pending = false; }
        bool IsPending() const override { return pending; }
        ManualClock* clock;
        std::function<void()> proc;
        yaaf::int64 due = 0;
        bool pending = false;
    };

    yaaf::XGClock* fPrevious;
    yaaf::int64 fNow = 1000000;
    std::vector<Timer*> fTimers;
};

} // namespace vorntest
