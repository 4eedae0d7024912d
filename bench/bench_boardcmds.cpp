// Board commands on a board of 32,767 items in its window (offscreen platform), each from the
// menu command to the end of its task's first run (the drawing that follows is not counted):
// - Randomize (freeform: the copies are also laid out as one column; flat columns: the board is
//   laid out again), Sort Alphabetically, and Select All followed by Locked, each beside sorting
//   the same titles in a std::vector<std::string> (BM_X against BM_X_Baseline);
// - the status pass of every board menu (menu bars 128 and 130, context menus 145 and 150, the
//   toolbar) with every item selected, as the menu bar asks after each event, beside one walk
//   over the items reading their selected flag. Its absolute time is the one to hold under a
//   display frame (16 ms).
#include "BenchRatio.h"
#include "BoardGlobals.h"
#include "BoardWindow.h"
#include "CDo.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "ShownBoard.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "TVornView.h"
#include "XGMenuResource.h"
#include "XGWindow.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace yaaf;
using namespace vorntest;

namespace {

constexpr int kItems = 32767;

// Titles in no order: the numbers 0 to 32766 scattered by a step prime to the count.
std::string TitleOf(int i) {
    return "item " + std::to_string((int64_t(i) * 7919) % kItems);
}

struct BigBoard : ShownBoard {
    explicit BigBoard(O_ViewAsType viewAs) : ShownBoard(Filled(viewAs), tagRECT{0, 0, 1260, 1000}) {
        QCoreApplication::processEvents();
    }
    static TVornModel* Filled(O_ViewAsType viewAs) {
        auto* boardP = new TVornModel;
        boardP->i_prefs.view_as = viewAs;
        for (int i = 0; i < kItems; ++i) {
            CVornItem* itemP = boardP->AddWord(TitleOf(i).c_str());
            const int col = i % 200, row = i / 200;
            itemP->i_boundsR = tagRECT{col * 60, row * 18, col * 60 + 56, row * 18 + 16};
        }
        return boardP;
    }

    // Undoes what the iteration did and forgets it, outside the timing.
    void Reset(benchmark::State& state, bool undoB) {
        state.PauseTiming();
        if (undoB) gDo->Do(CDo_Type_UNDO);
        modelP->SelectAll(false);
        gDo->DisposeActiveStacks();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
};

void RunCommand(benchmark::State& state, O_ViewAsType viewAs, int32 command) {
    BigBoard b(viewAs);
    for (auto _ : state) {
        if (b.viewP->DoMenuCommand(command) != kDispatchHandled) {
            state.SkipWithError("the command was not carried out");
            break;
        }
        b.Reset(state, true);
    }
}

void BM_RandomizeFreeform(benchmark::State& state) {
    RunCommand(state, O_ViewAs_FREEFORM, 107);
}

void BM_RandomizeFlatColumns(benchmark::State& state) {
    RunCommand(state, O_ViewAs_FLAT_COL, 107);
}

void BM_SortAlphabetically(benchmark::State& state) {
    RunCommand(state, O_ViewAs_FREEFORM, 106);
}

void BM_SelectAllLocked(benchmark::State& state) {
    BigBoard b(O_ViewAs_FREEFORM);
    for (auto _ : state) {
        b.viewP->DoMenuCommand(kVornCmd_SelectAll);
        b.viewP->DoMenuCommand(18953);
        if (!b.modelP->i_list->GetIndItem(0)->i_b.lockedB()) {
            state.SkipWithError("nothing was locked");
            break;
        }
        b.Reset(state, true);
    }
}

// The baseline of the three: the board's titles sorted as strings.
void BM_SortTitles(benchmark::State& state) {
    std::vector<std::string> titles;
    for (int i = 0; i < kItems; ++i)
        titles.push_back(TitleOf(i));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> copy = titles;
        state.ResumeTiming();
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
}

// Every command of the board's menus and toolbar, once each.
std::vector<int32> BoardMenuCommands() {
    std::set<int32> ids;
    const auto collect = [&](const auto& self, const std::vector<XGMenuItemRecord>& items) -> void {
        for (const XGMenuItemRecord& item : items) {
            if (item.kind == XGMenuItemRecord::kSubmenu) self(self, item.items);
            if (item.id) ids.insert(item.id);
        }
    };
    for (auto [type, id] : {std::pair{kXGResType_MenuBar, 128},
                            {kXGResType_MenuBar, 130},
                            {kXGResType_Menu, 145},
                            {kXGResType_Menu, 150}})
        if (auto bar = XGLoadMenuBar(type, int16(id)))
            for (const XGMenuItemRecord& menu : bar->menus)
                collect(collect, menu.items);
    if (auto toolbar = XGLoadToolbar(128))
        for (const XGToolbarItemRecord& button : *toolbar)
            if (!button.separator) ids.insert(button.id);
    return {ids.begin(), ids.end()};
}

void BM_MenuStatus(benchmark::State& state) {
    const std::vector<int32> commands = BoardMenuCommands();
    BigBoard b(O_ViewAs_FREEFORM);
    b.modelP->SelectAll(true);
    int64_t enabled = 0;
    for (auto _ : state) {
        b.viewP->DoDispatch('Prst', 0, nullptr, true);
        for (int32 command : commands) {
            XGSMenuStatus status;
            b.viewP->DoDispatch('stat', command, &status, true);
            enabled += status.enable;
        }
        b.viewP->DoDispatch('Post', 0, nullptr, true);
    }
    benchmark::DoNotOptimize(enabled);
    state.counters["commands"] = double(commands.size());
}

// One walk over the items reading their selected flag.
void BM_MenuStatus_Baseline(benchmark::State& state) {
    BigBoard b(O_ViewAs_FREEFORM);
    b.modelP->SelectAll(true);
    for (auto _ : state) {
        int32 selected = 0;
        CVornItem* const* itemsP = b.modelP->i_list->Items();
        for (int32 i = 0; i < b.modelP->i_list->Count(); ++i)
            selected += itemsP[i]->i_b.selectedB();
        benchmark::DoNotOptimize(selected);
    }
}

} // namespace

BENCHMARK(BM_RandomizeFreeform)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RandomizeFlatColumns)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SortAlphabetically)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SelectAllLocked)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MenuStatus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MenuStatus_Baseline)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    qputenv("XDG_CONFIG_HOME", QByteArray("/tmp/vorn-bench-boardcmds-config"));
    QApplication app(argc, argv);
    BoardGlobals globals;
    RegisterBoardWindowViews();
    // One baseline, measured beside each of the three under its name.
    for (const char* name : {"BM_RandomizeFreeform_Baseline", "BM_RandomizeFlatColumns_Baseline",
                             "BM_SortAlphabetically_Baseline", "BM_SelectAllLocked_Baseline"})
        benchmark::RegisterBenchmark(name, &BM_SortTitles)->Unit(benchmark::kMillisecond)->Iterations(5);
    return vornbench::RunWithRatios(&argc, argv);
}
