#include "XGClockPlatform.h"

#include "XGClock.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace yaaf {

namespace {

class XGPlatformClock : public XGClock {
public:
    class Timer : public XGTimer {
    public:
        Timer(XGPlatformClock* clockP, std::function<void()> proc) : fClockP(clockP), fProc(std::move(proc)) {
            fTimer.setSingleShot(true);
            // A coarse timer may fire 5% early or late: scanning keeps its pace only with a
            // precise one.
            fTimer.setTimerType(Qt::PreciseTimer);
            QObject::connect(&fTimer, &QTimer::timeout, [this] {
                if (fProc) fProc();
            });
        }
        void StartAt(int64 dueMs) override {
            const int64 wait = std::max<int64>(0, dueMs - fClockP->NowMs());
            fTimer.start(int(std::min<int64>(wait, 0x7FFFFFFF)));
        }
        void Stop() override { fTimer.stop(); }
        bool IsPending() const override { return fTimer.isActive(); }

    private:
        XGPlatformClock* fClockP;
        std::function<void()> fProc;
        QTimer fTimer;
    };

    XGPlatformClock() { fElapsed.start(); }
    int64 NowMs() override { return fElapsed.elapsed(); }
    std::unique_ptr<XGTimer> NewTimer(std::function<void()> proc) override {
        return std::make_unique<Timer>(this, std::move(proc));
    }

private:
    QElapsedTimer fElapsed;
};

} // namespace

void XGInstallPlatformClock() {
    static XGPlatformClock sClock;
    XGClock::Install(&sClock);
}

} // namespace yaaf
