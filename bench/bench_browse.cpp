// Listing a folder of 100,000 files into a column of a browser window, from the request until
// the last entry is in the column and the column is drawn, beside std::filesystem listing and
// sorting the same folder. The listing runs on the folder topic's worker while this thread
// takes the entries in; "max_ui_gap_ms" is the longest the user-interface thread went without
// answering events meanwhile, "listed_ms" how long the worker took to read the folder.
#include "BenchRatio.h"
#include "CTopicList.h"
#include "CTopic_Folder.h"
#include "OutlineRegistration.h"
#include "VBrowserWindowView.h"
#include "VOutline.h"
#include "VOutlineBrowser.h"
#include "XGFileSpecifier.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace yaaf;

namespace {

constexpr int kFiles = 100000;

// The folder, made once for the run: names of mixed case in no order, as a folder holds them.
// VORN_BENCH_BROWSE_DIR names a folder to make it in and keep (making 100,000 files takes a
// while on some file systems); it is used as it is when it holds them already.
const std::string& Folder() {
    static QTemporaryDir s_dir;
    static const std::string s_path = [] {
        const QByteArray kept = qgetenv("VORN_BENCH_BROWSE_DIR");
        const std::string path = kept.isEmpty() ? s_dir.path().toStdString() + "/many" : kept.toStdString();
        std::error_code ec;
        if (!kept.isEmpty() && std::filesystem::exists(path + "/.complete", ec)) return path;
        std::filesystem::create_directories(path, ec);
        static const char* const kStems[] = {"Report", "image", "Notes",   "draft",
                                             "Budget", "photo", "Invoice", "log"};
        std::mt19937 rng(7);
        for (int i = 0; i < kFiles; ++i)
            std::ofstream(path + "/" + kStems[rng() % 8] + " " + std::to_string(i) + ".txt");
        // Hidden, so neither listing shows it.
        std::ofstream(path + "/.complete");
        return path;
    }();
    return s_path;
}

std::string Lower(const std::string& s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

void BM_ListIntoColumn(benchmark::State& state) {
    const std::string& path = Folder();
    RegisterOutlineViews();
    double maxGapMs = 0;
    double workerMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto root = std::make_unique<CTopicList>(nullptr, nullptr);
        auto* folderP = new CTopic_Folder("many", root.get(), XGFileSpecifier(path));
        root->Insert(folderP, -1, true);
        auto bw = std::make_unique<VBrowserWindowView>();
        bw->MakePanes();
        bw->SetBounds(tagRECT{0, 0, 800, 600});
        bw->SetViewAs(O_ViewAs_HEIR_COL);
        bw->Relayout();
        VOutline* columnP = VOutlineBrowser(bw.get()).MakeContent(folderP->i_childrenP, nullptr);
        state.ResumeTiming();

        // A tick every 10 ms, as the program's periodic timer: how late one comes is how long
        // the user-interface thread could not answer.
        QElapsedTimer gap;
        gap.start();
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            maxGapMs = std::max(maxGapMs, gap.nsecsElapsed() / 1e6 - 10);
            gap.restart();
        });
        tick.start(10);
        QElapsedTimer whole;
        whole.start();
        folderP->Init_Subtopics();
        bool listedB = false;
        while (folderP->i_childrenP->Count() < kFiles) {
            // As the program's loop: asleep until the worker hands something over or the
            // timer ticks.
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (!listedB && !folderP->ThreadExists(TOPIC_Thread_INIT_SUBTOPICS)) {
                listedB = true;
                workerMs += whole.nsecsElapsed() / 1e6;
            }
        }
        columnP->DoDrawView(columnP->GetContentRect());
        benchmark::DoNotOptimize(folderP->i_childrenP->GetIndItem(-1));

        state.PauseTiming();
        bw.reset();
        root->Iterate(TOPIC_Iter_DELETE, nullptr, true);
        root.reset();
        state.ResumeTiming();
    }
    state.counters["max_ui_gap_ms"] = maxGapMs;
    // How long the worker took to list the folder (the rest is taking the entries in).
    state.counters["listed_ms"] = benchmark::Counter(workerMs / double(state.iterations()));
}
BENCHMARK(BM_ListIntoColumn)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ListIntoColumn_Baseline(benchmark::State& state) {
    const std::string& path = Folder();
    for (auto _ : state) {
        std::vector<std::pair<std::string, std::string>> entries;
        for (const auto& e : std::filesystem::directory_iterator(path)) {
            std::string name = e.path().filename().string();
            if (name[0] == '.') continue;
            benchmark::DoNotOptimize(e.is_directory());
            std::string key = Lower(name);
            entries.emplace_back(std::move(key), std::move(name));
        }
        std::sort(entries.begin(), entries.end());
        benchmark::DoNotOptimize(entries.back());
    }
}
BENCHMARK(BM_ListIntoColumn_Baseline)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    return vornbench::RunWithRatios(&argc, argv);
}
