// Exporting a board of 2,000 text items at 1920 by 1080: as a PNG file's bytes (drawing and
// encoding) and as a PDF page. BM_Export stands beside the plain QPainter loop of bench_draw
// (erase, frame and draw the same texts into a picture of the same size), which makes no file;
// BM_ExportFile beside the same loop followed by the file Qt makes of it: QImage::save as PNG,
// or the loop drawn on a QPdfWriter page. The ratios are printed at the end.
#include "BenchRatio.h"
#include "GridBoard.h"
#include "BoardGlobals.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornOffscreenView.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VornExport.h"
#include "XGFont.h"

#include <QApplication>
#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace yaaf;
using namespace vorntest;

namespace {
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

vornbench::GridBoard& TheBoard() {
    static auto* s = new vornbench::GridBoard(kWidth, kHeight);
    return *s;
}

VornExportFormat FormatOf(const benchmark::State& state) {
    return state.range(0) == 0 ? VornExportFormat::kPNG : VornExportFormat::kPDF;
}

void BM_Export(benchmark::State& state) {
    vornbench::GridBoard& b = TheBoard();
    std::vector<uint8> bytes;
    std::string error;
    for (auto _ : state) {
        if (!VornExport_Render(b.view, *b.modelP, FormatOf(state), bytes, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = double(bytes.size());
}

void BM_Export_Baseline(benchmark::State& state) {
    const std::vector<vornbench::PlainItem> items = vornbench::PlainItems(TheBoard());
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const QFont font = vornbench::PlainFont(TheBoard());
    for (auto _ : state) {
        QPainter p(&image);
        vornbench::DrawPlain(p, image.rect(), items, font);
    }
}

void BM_ExportFile(benchmark::State& state) {
    BM_Export(state);
}

void BM_ExportFile_Baseline(benchmark::State& state) {
    const std::vector<vornbench::PlainItem> items = vornbench::PlainItems(TheBoard());
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const QFont font = vornbench::PlainFont(TheBoard());
    QByteArray bytes;
    for (auto _ : state) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (FormatOf(state) == VornExportFormat::kPNG) {
            {
                QPainter p(&image);
                vornbench::DrawPlain(p, image.rect(), items, font);
            }
            image.save(&buffer, "PNG");
        } else {
            // A page of the picture's size at the screen's 96 units to the inch, as the export's.
            QPdfWriter pdf(&buffer);
            pdf.setResolution(96);
            pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(kWidth * 0.75, kHeight * 0.75), QPageSize::Point,
                                                    QString(), QPageSize::ExactMatch),
                                          QPageLayout::Portrait, QMarginsF()));
            QPainter p(&pdf);
            vornbench::DrawPlain(p, QRect(0, 0, kWidth, kHeight), items, font);
        }
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = double(bytes.size());
}

// 0: PNG, 1: PDF. By the clock: a PNG is encoded on a second thread while it is drawn.
BENCHMARK(BM_Export)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Export_Baseline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportFile_Baseline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    BoardGlobals globals;
    return vornbench::RunWithRatios(&argc, argv);
}
