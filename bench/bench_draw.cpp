// Drawing a board of 2,000 text items in Edit Mode (a tenth of them selected) into an offscreen
// picture, beside a plain QPainter loop that erases, frames and draws the same texts into a
// picture of the same size; and entering Go Mode on that board. The ratio is printed at the end.
#include "BenchRatio.h"
#include "GridBoard.h"
#include "BoardGlobals.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornOffscreenView.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "XGFont.h"
#include "XGGeometry.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace yaaf;
using namespace vorntest;

namespace {
constexpr int kWidth = 1600;
constexpr int kHeight = 1200;

vornbench::GridBoard& TheBoard() {
    static auto* s = new vornbench::GridBoard(kWidth, kHeight, 10);
    return *s;
}

void BM_DrawEditBoard(benchmark::State& state) {
    vornbench::GridBoard& b = TheBoard();
    for (auto _ : state)
        b.view.DrawBoard();
}

void BM_DrawEditBoard_Baseline(benchmark::State& state) {
    const std::vector<vornbench::PlainItem> items = vornbench::PlainItems(TheBoard());
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const QFont font = vornbench::PlainFont(TheBoard());
    for (auto _ : state) {
        QPainter p(&image);
        vornbench::DrawPlain(p, image.rect(), items, font);
    }
}

void BM_EnterGoMode(benchmark::State& state) {
    vornbench::GridBoard& b = TheBoard();
    for (auto _ : state) {
        b.modelP->SetGoMode(true);
        state.PauseTiming();
        b.modelP->SetGoMode(false);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_DrawEditBoard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawEditBoard_Baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnterGoMode)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    BoardGlobals globals;
    return vornbench::RunWithRatios(&argc, argv);
}
