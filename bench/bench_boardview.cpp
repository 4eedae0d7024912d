// The board view in a real board window (offscreen platform):
// - a live move of 500 selected items on a board of 5,000: one mouse move with the paint it
//   causes, beside one full redraw of the view (BM_LiveMove against BM_LiveMove_Baseline);
// - a click on an item of a board in Go Mode until its title stands at the caret of the text
//   target, through the event loop, beside a bare QWidget::update round trip (BM_GoClick
//   against BM_GoClick_Baseline). The absolute time is the one to hold under a display frame;
// - opening a board of 32,767 items to its first painted window, beside reading its file alone
//   (BM_OpenBoard against BM_OpenBoard_Baseline).
#include "BenchRatio.h"
#include "BoardGlobals.h"
#include "BoardWindow.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "ShownBoard.h"
#include "TEditDoc.h"
#include "TEditForm.h"
#include "TEditView.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "TVornView.h"
#include "TextWindow.h"
#include "XGFileSpecifier.h"
#include "XGWindow.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

using namespace yaaf;
using namespace vorntest;

namespace {

constexpr int kCols = 50;
constexpr int kRows = 100;
constexpr int kDX = 24;
constexpr int kDY = 9;
// The selection: a block of 10 columns by 50 rows in the top-left corner of the board.
constexpr int kSelCols = 10;
constexpr int kSelRows = 50;

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), b, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void PostMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
    QCoreApplication::postEvent(
        w, new QMouseEvent(type, QPointF(p), QPointF(w->mapToGlobal(p)), b, held, Qt::NoModifier));
}

// A freeform board filled by `fill`, in its window, shown, past its start-up tick.
struct BoardInWindow : ShownBoard {
    explicit BoardInWindow(void (*fill)(TVornModel*)) : ShownBoard(Filled(fill), tagRECT{0, 0, 1260, 1000}) {
        QCoreApplication::processEvents();
    }
    static TVornModel* Filled(void (*fill)(TVornModel*)) {
        auto* boardP = new TVornModel;
        boardP->i_prefs.view_as = O_ViewAs_FREEFORM;
        fill(boardP);
        return boardP;
    }
    QWidget* Widget() const { return viewP->GetWidget(); }
};

void FillGrid(TVornModel* modelP) {
    for (int i = 0; i < kCols * kRows; ++i) {
        const int col = i % kCols, row = i / kCols;
        CVornItem* itemP = modelP->AddWord(("W" + std::to_string(i)).c_str());
        itemP->i_boundsR = tagRECT{col * kDX, row * kDY, col * kDX + 40, row * kDY + 14};
        itemP->i_b.set_selectedB(col < kSelCols && row < kSelRows);
    }
}

void FillOne(TVornModel* modelP) {
    CVornItem* itemP = modelP->AddWord("Cat");
    itemP->i_boundsR = tagRECT{20, 20, 80, 40};
}

// A mouse move of the live move, and the paint it causes.
void BM_LiveMove(benchmark::State& state) {
    BoardInWindow b(&FillGrid);
    QWidget* w = b.Widget();
    const QPoint grab(5 * kDX + 10, 25 * kDY + 5);
    SendMouse(w, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    SendMouse(w, QEvent::MouseMove, grab + QPoint(4, 4), Qt::NoButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    if (!b.viewP->IsTracking()) state.SkipWithError("the live move did not start");
    int step = 0;
    for (auto _ : state) {
        const QPoint to = grab + ((++step & 1) ? QPoint(6, 6) : QPoint(4, 4));
        SendMouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    SendMouse(w, QEvent::MouseButtonRelease, grab + QPoint(4, 4), Qt::LeftButton, Qt::NoButton);
}

// One full redraw of the same view.
void BM_LiveMove_Baseline(benchmark::State& state) {
    BoardInWindow b(&FillGrid);
    for (auto _ : state) {
        b.viewP->DrawVornModel();
        QCoreApplication::processEvents();
    }
}

// A click on an item of a board in Go Mode, through the event loop, until the text target holds
// the item's title.
void BM_GoClick(benchmark::State& state) {
    XGDocForm* formP = nullptr;
    XGWindow* textWindowP = OpenTextWindow(Vorn_WindowInit_NEW_TEXT, nullptr, &formP);
    textWindowP->Show();
    auto* docP = static_cast<TEditDoc*>(formP->GetDocument());
    TEditView* textViewP = static_cast<TEditForm*>(formP)->GetView();
    {
        BoardInWindow b(&FillOne);
        b.modelP->i_target_controllerP = formP;
        b.viewP->DoMenuCommand(kVornCmd_GoMode);
        QCoreApplication::processEvents();
        QWidget* w = b.Widget();
        const QPoint at(50, 30);
        int64_t clicks = 0;
        for (auto _ : state) {
            const int32 before = docP->fText.GetSize();
            PostMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
            PostMouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
            QCoreApplication::processEvents();
            if (docP->fText.GetSize() <= before) {
                state.SkipWithError("the click typed nothing");
                break;
            }
            // A long text is cleared now and then, outside the timing.
            if (++clicks % 2000 == 0) {
                state.PauseTiming();
                textViewP->DoMenuCommand(kTextCmd_SelectAll);
                textViewP->DoMenuCommand(kTextCmd_Clear);
                QCoreApplication::processEvents();
                state.ResumeTiming();
            }
        }
    }
    delete textWindowP;
}

void BM_GoClick_Baseline(benchmark::State& state) {
    QWidget w;
    w.resize(400, 300);
    w.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        w.update();
        QCoreApplication::processEvents();
    }
}

// A board file of 32,767 items, written once for the run.
std::string BigBoardPath() {
    static std::string path;
    if (!path.empty()) return path;
    path = QDir::temp().filePath(QStringLiteral("vorn-bench-open-%1.2dv").arg(QCoreApplication::applicationPid()))
               .toStdString();
    TVornModel m;
    for (int i = 0; i < 32767; ++i) {
        CVornItem* itemP = m.AddWord(("W" + std::to_string(i)).c_str());
        const int col = i % 200, row = i / 200;
        itemP->i_boundsR = tagRECT{col * kDX, row * kDY, col * kDX + 40, row * kDY + 14};
    }
    m.SetFile(XGFileSpecifier(path));
    if (!m.WriteDocument()) path.clear();
    return path;
}

void BM_OpenBoard(benchmark::State& state) {
    const std::string path = BigBoardPath();
    for (auto _ : state) {
        auto* modelP = new TVornModel;
        modelP->SetFile(XGFileSpecifier(path));
        if (!modelP->ReadDocument()) {
            state.SkipWithError("the board could not be read");
            delete modelP;
            break;
        }
        XGWindow* windowP = MakeBoardWindow(new TVornController(modelP));
        windowP->SetBounds(tagRECT{0, 0, 1260, 1000});
        windowP->Show();
        TVornView::FromModel(modelP)->GetWidget()->repaint();
        state.PauseTiming();
        delete windowP;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_OpenBoard_Baseline(benchmark::State& state) {
    const std::string path = BigBoardPath();
    for (auto _ : state) {
        auto* modelP = new TVornModel;
        modelP->SetFile(XGFileSpecifier(path));
        benchmark::DoNotOptimize(modelP->ReadDocument());
        state.PauseTiming();
        delete modelP;
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_LiveMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveMove_Baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GoClick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GoClick_Baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenBoard)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenBoard_Baseline)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    qputenv("XDG_CONFIG_HOME", QByteArray("/tmp/vorn-bench-boardview-config"));
    QApplication app(argc, argv);
    BoardGlobals globals;
    RegisterBoardWindowViews();
    RegisterTextViews();
    return vornbench::RunWithRatios(&argc, argv);
}
