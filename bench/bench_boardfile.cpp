// The board file: writing and reading a board of 32,767 text items with titles and contents.
// Reading is reported as a ratio to reading the same file's bytes into memory in the same run,
// writing as a ratio to writing those bytes.
#include "BenchRatio.h"
#include "BoardFakes.h"
#include "BoardGlobals.h"
#include "CItemArray.h"
#include "VornFileFormat.h"
#include "XGFile.h"
#include "XGHandle.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace yaaf;
using namespace vorntest;

namespace {
constexpr int kItems = 32767;

struct Fixture {
    Fixture() {
        for (int i = 0; i < kItems; ++i) {
            auto* itemP = new CVornItem(&board, kNoIndex);
            CVornItem::Vorn_SetText(itemP->i_resource.source.content, ("Title " + std::to_string(i)).c_str());
            CVornItem::Vorn_SetText(
                itemP->i_resource.dest.content,
                ("The content of item " + std::to_string(i) + ", a sentence or two long.").c_str());
            itemP->i_resource.source.date = XGDateTime::Now();
            itemP->i_boundsR = tagRECT{0, i, 80, i + 20};
            board.InsertItem(itemP, -1);
        }
        path = dir.path().toStdString() + "/bench.2dv";
        XGAtomicFile f{XGFileSpecifier(path)};
        ok = f.Open() == 0 && board.WriteModel(f) && f.Commit() == 0;
        XGFile in{XGFileSpecifier(path)};
        ok = ok && in.Open(XGFile::kRead) == 0 && in.ReadAll(bytes) == 0;
    }
    TVornModel board;
    QTemporaryDir dir;
    std::string path;
    XGHandle bytes;
    bool ok = false;
};

Fixture& TheFixture() {
    static auto* s = new Fixture;
    return *s;
}

void BM_ReadBoard(benchmark::State& state) {
    Fixture& fx = TheFixture();
    for (auto _ : state) {
        XGFile f{XGFileSpecifier(fx.path)};
        auto board = std::make_unique<TVornModel>();
        if (f.Open(XGFile::kRead) != 0 || !board->ReadModel(f) || board->i_list->Count() != kItems)
            state.SkipWithError("the board did not read");
        state.PauseTiming();
        board.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * fx.bytes.GetSize());
}
void BM_ReadBoard_Baseline(benchmark::State& state) {
    Fixture& fx = TheFixture();
    for (auto _ : state) {
        XGFile f{XGFileSpecifier(fx.path)};
        XGHandle h;
        if (f.Open(XGFile::kRead) != 0 || f.ReadAll(h) != 0) state.SkipWithError("no file");
        benchmark::DoNotOptimize(h.GetData());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * fx.bytes.GetSize());
}

void BM_WriteBoard(benchmark::State& state) {
    Fixture& fx = TheFixture();
    const std::string out = fx.dir.path().toStdString() + "/out.2dv";
    for (auto _ : state) {
        XGFile f{XGFileSpecifier(out)};
        if (f.Open(XGFile::kCreate) != 0 || !fx.board.WriteModel(f)) state.SkipWithError("no write");
    }
}
void BM_WriteBoard_Baseline(benchmark::State& state) {
    Fixture& fx = TheFixture();
    const std::string out = fx.dir.path().toStdString() + "/out.2dv";
    for (auto _ : state) {
        XGFile f{XGFileSpecifier(out)};
        if (f.Open(XGFile::kCreate) != 0 || f.SetEOF(0) != 0 ||
            f.Write(fx.bytes.GetSize(), fx.bytes.GetData()) != fx.bytes.GetSize())
            state.SkipWithError("no write");
    }
}

BENCHMARK(BM_ReadBoard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBoard_Baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBoard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBoard_Baseline)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    BoardGlobals globals({.undo = false, .loadPicturesOnRead = false});
    if (!TheFixture().ok) {
        std::fprintf(stderr, "could not write the board\n");
        return 1;
    }
    std::printf("board file: %d items, %d bytes\n", kItems, int(TheFixture().bytes.GetSize()));
    return vornbench::RunWithRatios(&argc, argv);
}
