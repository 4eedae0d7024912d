// Speech and switch scanning in a real board window (offscreen platform):
// - a click on an item of a board in Go Mode with "Generate Speech" on, through the event loop
//   and the idle step that hands the utterance to the speech layer (a stand-in engine), until
//   the title stands in the text target, beside the same click without speech (BM_GoClickSpeech
//   against BM_GoClickSpeech_Baseline): speaking must not slow the click;
// - 1,000 steps of the scanning highlight on the platform's timers, each step with the paint it
//   causes, beside 1,000 bare timer shots of the same interval (BM_ScanSteps against
//   BM_ScanSteps_Baseline). The counters give the measured interval over the one set
//   (interval_ratio, the whole run; worst_step, the longest single step).
#include "BenchRatio.h"
#include "BoardGlobals.h"
#include "BoardWindow.h"
#include "CVornItem.h"
#include "SpeechDouble.h"
#include "TEditDoc.h"
#include "TEditForm.h"
#include "TEditView.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "TVornView.h"
#include "TextWindow.h"
#include "Utilities.h"
#include "VornScanner.h"
#include "XGClockPlatform.h"
#include "XGWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace yaaf;
using namespace vorntest;

namespace {

constexpr int kSteps = 1000;

void PostMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
    QCoreApplication::postEvent(
        w, new QMouseEvent(type, QPointF(p), QPointF(w->mapToGlobal(p)), b, held, Qt::NoModifier));
}

// A board of a few words in its window, shown, in Go Mode, typing into a text window.
struct GoBoard {
    GoBoard() {
        textWindowP = OpenTextWindow(Vorn_WindowInit_NEW_TEXT, nullptr, &formP);
        textWindowP->Show();
        modelP = new TVornModel;
        modelP->i_prefs.view_as = O_ViewAs_FREEFORM;
        for (int i = 0; i < 12; ++i) {
            CVornItem* itemP = modelP->AddWord(("Word" + std::to_string(i)).c_str());
            itemP->i_boundsR =
                tagRECT{20 + (i % 4) * 90, 20 + (i / 4) * 40, 90 + (i % 4) * 90, 40 + (i / 4) * 40};
        }
        modelP->SetDirty(false);
        windowP = MakeBoardWindow(new TVornController(modelP));
        windowP->SetBounds(tagRECT{0, 0, 640, 480});
        windowP->Show();
        QCoreApplication::processEvents();
        viewP = TVornView::FromModel(modelP);
        viewP->DoPeriodic();
        viewP->SetFocus();
        modelP->i_target_controllerP = formP;
        viewP->DoMenuCommand(kVornCmd_GoMode);
        QCoreApplication::processEvents();
    }
    ~GoBoard() {
        delete windowP;
        delete textWindowP;
    }
    TEditDoc* Doc() const { return static_cast<TEditDoc*>(formP->GetDocument()); }

    XGDocForm* formP = nullptr;
    XGWindow* textWindowP = nullptr;
    TVornModel* modelP = nullptr;
    XGWindow* windowP = nullptr;
    TVornView* viewP = nullptr;
};

void GoClicks(benchmark::State& state, bool speakB) {
    ScopedFakeSpeech speech;
    GoBoard b;
    b.modelP->i_prefs.b.set_speakB(speakB);
    QWidget* w = b.viewP->GetWidget();
    const QPoint at(55, 30);
    int64_t clicks = 0;
    for (auto _ : state) {
        const int32 before = b.Doc()->fText.GetSize();
        PostMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        PostMouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        QCoreApplication::processEvents();
        // The run loop's idle step: the finished utterance goes, the next one starts.
        speech.record->speakingB = false;
        Idle_DisposeSpeechChannel();
        if (b.Doc()->fText.GetSize() <= before) {
            state.SkipWithError("the click typed nothing");
            break;
        }
        if (++clicks % 2000 == 0) {
            state.PauseTiming();
            TEditView* textViewP = static_cast<TEditForm*>(b.formP)->GetView();
            textViewP->DoMenuCommand(kTextCmd_SelectAll);
            textViewP->DoMenuCommand(kTextCmd_Clear);
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
    }
    if (speakB && speech.record->said.size() + XGSpeech::Get().CountDropped() < size_t(clicks))
        state.SkipWithError("the clicks were not spoken");
}

void BM_GoClickSpeech(benchmark::State& state) {
    GoClicks(state, true);
}

void BM_GoClickSpeech_Baseline(benchmark::State& state) {
    GoClicks(state, false);
}

// Reports how far the steps kept to the interval.
void ReportPace(benchmark::State& state, const std::vector<qint64>& stampsNs, int intervalMs) {
    if (stampsNs.size() < 2) return;
    const double set = intervalMs * 1e6;
    const double whole = double(stampsNs.back() - stampsNs.front()) / (set * double(stampsNs.size() - 1));
    qint64 worst = 0;
    for (size_t i = 1; i < stampsNs.size(); ++i)
        worst = std::max(worst, stampsNs[i] - stampsNs[i - 1]);
    state.counters["interval_ratio"] = whole;
    state.counters["worst_step"] = double(worst) / set;
}

// 1,000 steps of the highlight, each with its paint, at the interval of the argument.
void BM_ScanSteps(benchmark::State& state) {
    const int intervalMs = int(state.range(0));
    GoBoard b;
    CVornScanner* scannerP = b.viewP->GetScanner();
    if (scannerP->Order().empty()) {
        state.SkipWithError("nothing to scan");
        return;
    }
    std::vector<qint64> stamps;
    QElapsedTimer clock;
    const auto paint = scannerP->i_changedProc;
    scannerP->i_changedProc = [&] {
        paint();
        stamps.push_back(clock.nsecsElapsed());
    };
    for (auto _ : state) {
        stamps.clear();
        stamps.reserve(kSteps + 1);
        clock.start();
        scannerP->SetInterval(intervalMs);
        scannerP->SetAuto(true);
        const int64 first = scannerP->CountAutoSteps();
        while (scannerP->CountAutoSteps() - first < kSteps)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        scannerP->SetAuto(false);
    }
    ReportPace(state, stamps, intervalMs);
    scannerP->i_changedProc = paint;
}

// 1,000 shots of a bare precise timer at the same interval.
void BM_ScanSteps_Baseline(benchmark::State& state) {
    const int intervalMs = int(state.range(0));
    std::vector<qint64> stamps;
    QElapsedTimer clock;
    for (auto _ : state) {
        stamps.clear();
        clock.start();
        stamps.push_back(0);
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            stamps.push_back(clock.nsecsElapsed());
            if (int(stamps.size()) <= kSteps) timer.start(intervalMs);
        });
        timer.start(intervalMs);
        while (int(stamps.size()) <= kSteps)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    ReportPace(state, stamps, intervalMs);
}

} // namespace

BENCHMARK(BM_GoClickSpeech)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GoClickSpeech_Baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScanSteps)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ScanSteps_Baseline)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    qputenv("XDG_CONFIG_HOME", QByteArray("/tmp/vorn-bench-speech-config"));
    QApplication app(argc, argv);
    XGInstallPlatformClock();
    BoardGlobals globals;
    RegisterBoardWindowViews();
    RegisterTextViews();
    return vornbench::RunWithRatios(&argc, argv);
}
