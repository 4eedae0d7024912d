// Exporting a board of 2,000 text items at 1920 by 1080: as a PNG file's bytes (drawing and
// encoding) and as a PDF page. BM_Export stands beside the plain QPainter loop of bench_draw
// (erase, frame and draw the same texts into a picture of the same size), which makes no file;
// BM_ExportFile beside the same loop followed by the file Qt makes of it: QImage::save as PNG,
// or the loop drawn on a QPdfWriter page. The ratios are printed at the end.
#include "BenchRatio.h"
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
constexpr int kItems = 2000;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kCols = 16;

std::string WordFor(int i) {
    static const char* const kWords[] = {"Cat", "Black dog", "Tree", "Zz", "river", "12", "ab:cd", "Moon"};
    return std::string(kWords[i % 8]) + std::to_string(i % 97);
}

// A grid of 16 columns and 125 rows, overlapping like a busy board, all inside the picture.
tagRECT CellFor(int i, int width, int height) {
    const int left = (i % kCols) * (kWidth / kCols);
    const int top = (i / kCols) * ((kHeight - 30) / (kItems / kCols));
    return tagRECT{left, top, left + width, top + height};
}

struct Board {
    Board() : view(kWidth, kHeight) {
        modelP = new TVornModel;
        modelP->i_prefs.mode = Vorn_Mode_EDIT;
        modelP->i_prefs.view_as = O_ViewAs_FREEFORM;
        controllerP = view.Attach(modelP);
        for (int i = 0; i < kItems; ++i) {
            CVornItem* itemP = modelP->AddWord(WordFor(i).c_str());
            const tagRECT r = itemP->i_boundsR;
            itemP->i_boundsR = CellFor(i, r.Width(), r.Height());
        }
    }
    CVornOffscreenView view;
    TVornModel* modelP;
    TVornController* controllerP;
};

Board& TheBoard() {
    static Board* s = new Board;
    return *s;
}

VornExportFormat FormatOf(const benchmark::State& state) {
    return state.range(0) == 0 ? VornExportFormat::kPNG : VornExportFormat::kPDF;
}

void BM_Export(benchmark::State& state) {
    Board& b = TheBoard();
    std::vector<uint8> bytes;
    std::string error;
    for (auto _ : state) {
        if (!VornExport_Render(b.view, *b.modelP, FormatOf(state), bytes, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = double(bytes.size());
}

struct Plain {
    QRect r;
    QString text;
};

std::vector<Plain> PlainItems() {
    Board& b = TheBoard();
    std::vector<Plain> items;
    for (int i = 0; i < kItems; ++i) {
        const tagRECT r = b.modelP->i_list->GetIndItem(i)->i_boundsR;
        items.push_back({QRect(r.left, r.top, r.Width(), r.Height()), QString::fromStdString(WordFor(i))});
    }
    return items;
}

void DrawPlain(QPainter& p, const QRect& page, const std::vector<Plain>& items, const QFont& font) {
    p.fillRect(page, Qt::white);
    p.setFont(font);
    const int ascent = QFontMetrics(font, p.device()).ascent();
    for (const Plain& it : items) {
        p.fillRect(it.r, Qt::white);
        p.setPen(Qt::black);
        p.drawText(QPoint(it.r.left() + 4, it.r.top() + 2 + ascent), it.text);
        p.drawRect(it.r.adjusted(0, 0, -1, -1));
    }
}

void BM_Export_Baseline(benchmark::State& state) {
    const std::vector<Plain> items = PlainItems();
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const QFont font = XGFont(TheBoard().modelP->i_prefs.font).GetQFont();
    for (auto _ : state) {
        QPainter p(&image);
        DrawPlain(p, image.rect(), items, font);
    }
}

void BM_ExportFile(benchmark::State& state) {
    BM_Export(state);
}

void BM_ExportFile_Baseline(benchmark::State& state) {
    const std::vector<Plain> items = PlainItems();
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const QFont font = XGFont(TheBoard().modelP->i_prefs.font).GetQFont();
    QByteArray bytes;
    for (auto _ : state) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (FormatOf(state) == VornExportFormat::kPNG) {
            {
                QPainter p(&image);
                DrawPlain(p, image.rect(), items, font);
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
            DrawPlain(p, QRect(0, 0, kWidth, kHeight), items, font);
        }
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = double(bytes.size());
}

// 0: PNG, 1: PDF.
BENCHMARK(BM_Export)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export_Baseline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFile_Baseline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    BoardGlobals globals;
    return vornbench::RunWithRatios(&argc, argv);
}
