// Drawing a board of 2,000 text items in Edit Mode (a tenth of them selected) into an offscreen
// picture, beside a plain QPainter loop that erases, frames and draws the same texts into a
// picture of the same size; and entering Go Mode on that board. The ratio is printed at the end.
#include "BenchRatio.h"
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
constexpr int kItems = 2000;
constexpr int kWidth = 1600;
constexpr int kHeight = 1200;
constexpr int kCols = 16;

std::string WordFor(int i) {
    static const char* const kWords[] = {"Cat", "Black dog", "Tree", "Zz", "river", "12", "ab:cd", "Moon"};
    return std::string(kWords[i % 8]) + std::to_string(i % 97);
}

// Items in a grid of 16 columns (100 pixels apart) and 125 rows (9 pixels apart, overlapping
// like a busy board), so that the whole board lies in the picture.
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
            if (i % 10 == 0) itemP->i_b.set_selectedB(true);
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

void BM_DrawEditBoard(benchmark::State& state) {
    Board& b = TheBoard();
    for (auto _ : state)
        b.view.DrawBoard();
}

void BM_DrawEditBoard_Baseline(benchmark::State& state) {
    Board& b = TheBoard();
    struct Plain {
        QRect r;
        QString text;
    };
    std::vector<Plain> items;
    for (int i = 0; i < kItems; ++i) {
        const tagRECT r = b.modelP->i_list->GetIndItem(i)->i_boundsR;
        items.push_back({QRect(r.left, r.top, r.Width(), r.Height()), QString::fromStdString(WordFor(i))});
    }
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const QFont font = XGFont(b.modelP->i_prefs.font).GetQFont();
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        p.setFont(font);
        const int ascent = QFontMetrics(font, &image).ascent();
        for (const Plain& it : items) {
            p.fillRect(it.r, Qt::white);
            p.setPen(Qt::black);
            p.drawText(QPoint(it.r.left() + 4, it.r.top() + 2 + ascent), it.text);
            p.drawRect(it.r.adjusted(0, 0, -1, -1));
        }
    }
}

void BM_EnterGoMode(benchmark::State& state) {
    Board& b = TheBoard();
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
