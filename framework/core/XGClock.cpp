#include "XGClock.h"

#include "XGDispatch.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace yaaf {

namespace {

// The default: the steady clock, and timers looked at before each event. The run loop makes
// a pass at least every 50 ms, so a timer fires at most that late; it never fires early.
class XGTickClock : public XGClock, public XGPeriodic {
public:
    class Timer : public XGTimer {
    public:
        Timer(XGTickClock* clockP, std::function<void()> proc) : fClockP(clockP), fProc(std::move(proc)) {
            fClockP->fTimers.push_back(this);
        }
        ~Timer() override { std::erase(fClockP->fTimers, this); }
        void StartAt(int64 dueMs) override {
            fDueMs = dueMs;
            fPendingB = true;
        }
        void Stop() override { fPendingB = false; }
        bool IsPending() const override { return fPendingB; }

        XGTickClock* fClockP;
        std::function<void()> fProc;
        int64 fDueMs = 0;
        bool fPendingB = false;
    };

    int64 NowMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    std::unique_ptr<XGTimer> NewTimer(std::function<void()> proc) override {
        return std::make_unique<Timer>(this, std::move(proc));
    }
    void DoPrePeriodic() override {
        const int64 now = NowMs();
        // A procedure may start, stop or delete timers: take the due ones first.
        std::vector<Timer*> due;
        for (Timer* t : fTimers)
            if (t->fPendingB && t->fDueMs <= now) due.push_back(t);
        for (Timer* t : due) {
            if (std::find(fTimers.begin(), fTimers.end(), t) == fTimers.end() || !t->fPendingB) continue;
            t->fPendingB = false;
            if (t->fProc) t->fProc();
        }
    }

    std::vector<Timer*> fTimers;
};

XGClock*& Installed() {
    static XGClock* sClockP = nullptr;
    return sClockP;
}

} // namespace

XGClock& XGClock::Get() {
    if (XGClock* c = Installed()) return *c;
    static XGTickClock sDefault;
    return sDefault;
}

XGClock* XGClock::Install(XGClock* clockP) {
    XGClock* previous = Installed();
    Installed() = clockP;
    return previous;
}

} // namespace yaaf
