// Importing into a board in its window (offscreen platform), from the command to the end of the
// one undoable "Import Item(s)" step, beside the plain cost of what the import must do anyway:
// - a folder of 10,000 files, beside listing the folder with std::filesystem and sorting the
//   names (the import lists in name order);
// - a text of about 1 MB of words, beside splitting the same text into words with a simple loop.
// The words are long enough that the text stays within the 32,767 items a board holds.
#include "BenchRatio.h"
#include "BoardGlobals.h"
#include "BoardWindow.h"
#include "CDo.h"
#include "CItemArray.h"
#include "ShownBoard.h"
#include "XGFileSpecifier.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace yaaf;
using namespace vorntest;

namespace {

constexpr int kFiles = 10000;
constexpr size_t kTextBytes = 1 << 20;

const QTemporaryDir& Scratch() {
    static QTemporaryDir s_dir;
    return s_dir;
}

// The folder, made once: names of mixed case in no order, as a folder holds them.
const std::string& Folder() {
    static const std::string s_path = [] {
        const std::string path = Scratch().path().toStdString() + "/folder";
        std::filesystem::create_directories(path);
        static const char* const kStems[] = {"Report", "image", "Notes", "draft", "Budget", "photo"};
        std::mt19937 rng(11);
        for (int i = 0; i < kFiles; ++i)
            std::ofstream(path + "/" + kStems[rng() % 6] + " " + std::to_string(i) + ".txt");
        return path;
    }();
    return s_path;
}

// About 1 MB of words of 32 letters, one blank apart: 31,775 words.
const std::string& Words() {
    static const std::string s_text = [] {
        std::string text;
        text.reserve(kTextBytes);
        std::mt19937 rng(5);
        while (text.size() + 33 <= kTextBytes) {
            for (int i = 0; i < 32; ++i)
                text += char('a' + rng() % 26);
            text += ' ';
        }
        return text;
    }();
    return s_text;
}

const std::string& WordsFile() {
    static const std::string s_path = [] {
        const std::string path = Scratch().path().toStdString() + "/words.txt";
        std::ofstream(path, std::ios::binary) << Words();
        return path;
    }();
    return s_path;
}

// An empty flat-column board in its window.
TVornModel* EmptyBoard() {
    auto* boardP = new TVornModel;
    boardP->i_prefs.view_as = O_ViewAs_FLAT_COL;
    return boardP;
}

void RunImport(benchmark::State& state, Vorn_ImportType type, const std::string& path, int expected) {
    ShownBoard board(EmptyBoard(), tagRECT{0, 0, 1260, 1000});
    const XGFileSpecifier source(path);
    for (auto _ : state) {
        if (!board.viewP->ImportFile(type, source)) state.SkipWithError("the import failed");
        if (board.modelP->i_list->Count() < expected) state.SkipWithError("items are missing");
        // The import taken back and forgotten, outside the timing.
        state.PauseTiming();
        gDo->Do(CDo_Type_UNDO);
        gDo->DisposeActiveStacks();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_ImportFolder(benchmark::State& state) {
    RunImport(state, Vorn_Import_FILE_SYSTEM, Folder(), kFiles);
}
BENCHMARK(BM_ImportFolder)->Unit(benchmark::kMillisecond);

void BM_ImportFolder_Baseline(benchmark::State& state) {
    const std::string& path = Folder();
    for (auto _ : state) {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path)) {
            benchmark::DoNotOptimize(e.is_directory());
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.back());
    }
}
BENCHMARK(BM_ImportFolder_Baseline)->Unit(benchmark::kMillisecond);

void BM_ImportWords(benchmark::State& state) {
    RunImport(state, Vorn_Import_TEXT, WordsFile(), int(Words().size() / 33));
}
BENCHMARK(BM_ImportWords)->Unit(benchmark::kMillisecond);

// Reads the file as the import does, then splits it at every character that is not a letter
// or digit.
void BM_ImportWords_Baseline(benchmark::State& state) {
    const std::string& path = WordsFile();
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::string> words;
        std::string word;
        for (const char c : text) {
            if (std::isalnum(static_cast<unsigned char>(c))) {
                word += c;
            } else if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        }
        if (!word.empty()) words.push_back(std::move(word));
        benchmark::DoNotOptimize(words.back());
    }
}
BENCHMARK(BM_ImportWords_Baseline)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    // The preferences a board reads and writes stay out of the person's own.
    qputenv("XDG_CONFIG_HOME", QByteArray("/tmp/vorn-bench-import-config"));
    QApplication app(argc, argv);
    BoardGlobals globals;
    RegisterBoardWindowViews();
    return vornbench::RunWithRatios(&argc, argv);
}
