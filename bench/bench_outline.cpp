// A column of 100,000 topics in hierarchic columns: one frame (layout of the whole column and
// drawing of the rows that show) into the view's offscreen buffer, beside a bare QPainter fill
// of the same area; and sorting the column by name beside std::sort of the same names.
#include "BenchRatio.h"
#include "CTopic.h"
#include "CTopicList.h"
#include "OutlineRegistration.h"
#include "VBrowserWindowView.h"
#include "VOutline.h"
#include "VOutlineBrowser.h"
#include "XGScrollView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace yaaf;

namespace {

constexpr int kTopics = 100000;

// Names of mixed case that share prefixes, as a folder's files do.
std::vector<std::string> MakeNames() {
    static const char* const kStems[] = {"Report", "image", "Notes", "draft", "Budget", "photo", "Invoice", "log"};
    std::mt19937 rng(7);
    std::vector<std::string> names;
    names.reserve(kTopics);
    for (int i = 0; i < kTopics; ++i)
        names.push_back(std::string(kStems[rng() % 8]) + " " + std::to_string(rng() % 1000000) + ".txt");
    return names;
}

struct Column {
    Column() {
        RegisterOutlineViews();
        list = std::make_unique<CTopicList>(nullptr, nullptr);
        for (const std::string& n : MakeNames()) {
            auto* t = new CTopic(n.c_str(), list.get(), kNoIndex);
            list->Insert(t, -1, true);
        }
        list->UpdateIndices();
        bw = std::make_unique<VBrowserWindowView>();
        bw->MakePanes();
        bw->SetBounds(tagRECT{0, 0, 800, 600});
        bw->SetViewAs(O_ViewAs_HEIR_COL);
        bw->Relayout();
        outline = VOutlineBrowser(bw.get()).MakeContent(list.get(), nullptr);
        // Half-way down the column.
        XGScrollView* sv = outline->GetScrollView();
        sv->SetScrollPosition(0, sv->GetMaxYScroll() / 2);
        outline->UpdateRects();
    }
    ~Column() {
        bw.reset();
        list->Iterate(TOPIC_Iter_DELETE, nullptr, true);
    }
    std::unique_ptr<CTopicList> list;
    std::unique_ptr<VBrowserWindowView> bw;
    VOutline* outline = nullptr;
};

// Made on first use and gone before the application.
std::unique_ptr<Column> gColumn;

Column& TheColumn() {
    if (!gColumn) gColumn = std::make_unique<Column>();
    return *gColumn;
}

void BM_ColumnFrame(benchmark::State& state) {
    Column& c = TheColumn();
    const tagRECT area = c.outline->GetLocalBounds();
    for (auto _ : state)
        c.outline->DoDrawView(area);
    state.counters["rows"] = double(c.list->Count());
}
BENCHMARK(BM_ColumnFrame)->Unit(benchmark::kMicrosecond);

void BM_ColumnFrame_Baseline(benchmark::State& state) {
    Column& c = TheColumn();
    QImage image(c.outline->GetWidth(), c.outline->GetHeight(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        p.end();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_ColumnFrame_Baseline)->Unit(benchmark::kMicrosecond);

void BM_SortByName(benchmark::State& state) {
    Column& c = TheColumn();
    std::mt19937 rng(11);
    for (auto _ : state) {
        state.PauseTiming();
        std::shuffle(c.list->i_list.begin(), c.list->i_list.end(), rng);
        state.ResumeTiming();
        c.list->Sort(O_Sort_NAME, false);
    }
}
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond);

void BM_SortByName_Baseline(benchmark::State& state) {
    std::vector<std::string> names = MakeNames();
    std::mt19937 rng(11);
    for (auto _ : state) {
        state.PauseTiming();
        std::shuffle(names.begin(), names.end(), rng);
        state.ResumeTiming();
        std::sort(names.begin(), names.end());
    }
}
BENCHMARK(BM_SortByName_Baseline)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    const int result = vornbench::RunWithRatios(&argc, argv);
    gColumn.reset();
    return result;
}
