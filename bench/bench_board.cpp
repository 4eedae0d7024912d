// Boards of 32,767 text items: flat-column layout, select all and deselect, hit testing the
// last item, the numerology sum and closing the board, each beside a plain loop over a
// std::vector doing the same arithmetic. The ratios are printed at the end.
#include "BenchRatio.h"
#include "BoardFakes.h"
#include "BoardGlobals.h"
#include "CItemArray.h"
#include "XGGeometry.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

using namespace yaaf;
using namespace vorntest;

namespace {
constexpr int kItems = 32767;

std::string WordFor(int i) {
    static const char* const kWords[] = {"Cat", "Black dog", "Tree", "Zz", "river", "12", "ab:cd", "Moon"};
    return std::string(kWords[i % 8]) + std::to_string(i % 97);
}

struct Board {
    Board() {
        b.modelP->i_prefs.view_as = O_ViewAs_FLAT_COL;
        b.modelP->i_prefs.num_columnsS = 20;
        // Wide and tall enough that every item is placed.
        b.viewP->content = tagRECT{0, 0, 20 * 400, 1 << 30};
        for (int i = 0; i < kItems; ++i)
            b.modelP->AddWord(WordFor(i).c_str());
        // Laid out from the start, so that each benchmark meets the same board whichever ran
        // before it (a hit test of a board not yet laid out ends at the first item it asks).
        b.modelP->AutoLayout(false, Vorn_Mode_EDIT);
    }
    BoardFixture b;
};

Board& TheBoard() {
    static Board* s = new Board;
    return *s;
}

// The same arithmetic over plain records.
struct PlainItem {
    std::string title;
    tagRECT r;
    bool selected = false;
    bool locked = false;
    bool hidden = false;
};
std::vector<PlainItem>& Plain() {
    static auto* s = [] {
        auto* v = new std::vector<PlainItem>;
        for (int i = 0; i < kItems; ++i)
            // The rectangles the board shows (its laid-out ones), as the board's walks use.
            v->push_back(PlainItem{WordFor(i), *TheBoard().b.modelP->i_list->GetIndItem(i)->i_boundsRP});
        return v;
    }();
    return *s;
}

int32 PlainNumerology(const std::string& t) {
    int32 sum = 0;
    bool digits = true;
    for (char ch : t) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ' ') continue;
        if (c == ':') break;
        if (c >= '0' && c <= '9') continue;
        digits = false;
        if (c < 128 && std::isalpha(c)) sum += ((std::tolower(c) - 'a') % 9) + 1;
    }
    return digits ? int32(std::strtol(t.c_str(), nullptr, 10)) : sum;
}

void BM_AutoLayout(benchmark::State& state) {
    TVornModel* m = TheBoard().b.modelP;
    for (auto _ : state)
        m->AutoLayout(false, Vorn_Mode_EDIT);
}
void BM_AutoLayout_Baseline(benchmark::State& state) {
    auto& v = Plain();
    const XGFont font(TheBoard().b.modelP->i_prefs.font);
    const tagRECT col{10, 10, 400, 1 << 29};
    for (auto _ : state) {
        tagRECT prev{col.left, col.top, col.left, col.top};
        for (auto& it : v) {
            const int32 w = font.TextWidth(it.title) + 13, h = font.LineHeight() + 4;
            tagRECT r{prev.right + 1, prev.top, prev.right + 1 + w, prev.top + h};
            if (r.right > col.right)
                r = tagRECT{col.left, prev.bottom + 1, col.left + w, prev.bottom + 1 + h};
            it.r = r;
            prev = r;
        }
        benchmark::DoNotOptimize(prev);
    }
}

void BM_SelectAll(benchmark::State& state) {
    TVornModel* m = TheBoard().b.modelP;
    for (auto _ : state) {
        m->SelectAll(true);
        m->SelectAll(false);
    }
}
void BM_SelectAll_Baseline(benchmark::State& state) {
    auto& v = Plain();
    for (auto _ : state) {
        for (auto& it : v)
            if (!it.locked && !it.hidden) it.selected = true;
        std::vector<PlainItem*> sel;
        for (auto& it : v)
            if (it.selected) sel.push_back(&it);
        tagRECT area{};
        for (PlainItem* it : sel) {
            if (!it->locked && !it->hidden) it->selected = false;
            UnionRect(area, it->r, area);
        }
        benchmark::DoNotOptimize(area);
    }
}

void BM_HitTestLast(benchmark::State& state) {
    TVornModel* m = TheBoard().b.modelP;
    m->SelectAll(false);
    const tagRECT r = m->i_list->GetIndItem(-1)->GetScreenBounds();
    const Point pt = MakePoint(r.left + 1, r.top + 1);
    int32 sub = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(m->HitTest(&pt, &sub));
}
void BM_HitTestLast_Baseline(benchmark::State& state) {
    auto& v = Plain();
    const tagRECT last = v.back().r;
    const Point pt = MakePoint(last.left + 1, last.top + 1);
    for (auto _ : state) {
        // Selected first (none are), then from the top down.
        const PlainItem* hit = nullptr;
        for (auto it = v.rbegin(); it != v.rend() && !hit; ++it)
            if (it->selected && PtInRect(pt, it->r)) hit = &*it;
        for (auto it = v.rbegin(); it != v.rend() && !hit; ++it)
            if (!it->locked && !it->hidden && PtInRect(pt, it->r)) hit = &*it;
        benchmark::DoNotOptimize(hit);
    }
}

void BM_Numerology(benchmark::State& state) {
    TVornModel* m = TheBoard().b.modelP;
    for (auto _ : state)
        benchmark::DoNotOptimize(m->NumerologyTotal());
}
void BM_Numerology_Baseline(benchmark::State& state) {
    auto& v = Plain();
    for (auto _ : state) {
        int32 sum = 0;
        for (const auto& it : v)
            sum += PlainNumerology(it.title);
        benchmark::DoNotOptimize(sum);
    }
}

// Closing a board disposes of every item, last first; beside deleting as many records.
void BM_CloseBoard(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto* boardP = new BoardFixture;
        for (int i = 0; i < kItems; ++i)
            boardP->modelP->AddWord(WordFor(i).c_str());
        state.ResumeTiming();
        delete boardP; // the form takes its board with it
    }
}
void BM_CloseBoard_Baseline(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<PlainItem*> v;
        for (int i = 0; i < kItems; ++i)
            v.push_back(new PlainItem{WordFor(i), tagRECT{}});
        state.ResumeTiming();
        for (auto it = v.rbegin(); it != v.rend(); ++it)
            delete *it;
    }
}

BENCHMARK(BM_AutoLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoLayout_Baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectAll_Baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitTestLast)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitTestLast_Baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Numerology)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Numerology_Baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CloseBoard)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CloseBoard_Baseline)->Unit(benchmark::kMillisecond)->Iterations(5);
} // namespace

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    BoardGlobals globals({.undo = false});
    return vornbench::RunWithRatios(&argc, argv);
}
