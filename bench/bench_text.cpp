// Typing into a large text: 1,000 characters typed at the middle of a 10 MB text of 200,000
// lines, with word wrap off and on, through the text engine alone and through the text view
// (undo tasks included), beside the same typing into a QPlainTextEdit's document.

#include "BenchRatio.h"
#include "CDo.h"
#include "TEditDoc.h"
#include "TEditForm.h"
#include "TEditView.h"
#include "TextWindow.h"
#include "XGEditCore.h"
#include "XGTextBuffer.h"
#include "XGWindow.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

using namespace yaaf;

namespace {

constexpr int kLines = 200000;
constexpr int kTyped = 1000;

const std::string& BigText() {
    static const std::string text = [] {
        std::string t;
        t.reserve(10'000'000);
        const std::string words = "The quick brown fox jumps over the lazy dog again ";
        for (int i = 0; i < kLines; ++i) {
            // 49 bytes and a line feed: 10,000,000 bytes in all.
            t.append(words, 0, 49);
            t += '\n';
        }
        return t;
    }();
    return text;
}

std::map<std::string, double> gPerChar; // microseconds per typed character

double Seconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

void Record(benchmark::State& state, const std::string& name, double seconds, int64_t chars) {
    const double perChar = seconds * 1e6 / double(chars);
    gPerChar[name] = perChar;
    state.counters["us_per_char"] = perChar;
    const std::string base = "QTextDocument" + name.substr(name.find('/'));
    if (name.rfind("QTextDocument", 0) != 0 && gPerChar.count(base))
        state.counters["ratio_to_QTextDocument"] = perChar / gPerChar[base];
}

void BM_QTextDocument(benchmark::State& state) {
    const bool wrap = state.range(0) != 0;
    QPlainTextEdit edit;
    edit.resize(800, 600);
    edit.setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    edit.setPlainText(QString::fromStdString(BigText()));
    edit.show();
    QCoreApplication::processEvents();
    // The document and its plain-text layout alone: no cursor painting or scrolling of the
    // widget, which would only make the baseline slower.
    QTextCursor cursor(edit.document());
    double seconds = 0;
    int64_t chars = 0;
    for (auto _ : state) {
        cursor.setPosition(int(BigText().size() / 2));
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kTyped; ++i)
            cursor.insertText(QStringLiteral("x"));
        QCoreApplication::processEvents();
        seconds += Seconds(start);
        chars += kTyped;
    }
    Record(state, std::string("QTextDocument/") + (wrap ? "wrap" : "nowrap"), seconds, chars);
}

void BM_EditCore(benchmark::State& state) {
    const bool wrap = state.range(0) != 0;
    XGTextBuffer text(BigText());
    XGEditCore core(nullptr, tagRECT{0, 0, 800, 600}, XGFont("Courier New", 8, kXGStyle_Fixed));
    core.SetWordWrap(wrap);
    core.SetText(&text);
    double seconds = 0;
    int64_t chars = 0;
    for (auto _ : state) {
        const int32 middle = text.GetSize() / 2;
        core.Select(middle, middle);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kTyped; ++i) {
            core.DoInsert(1, "x");
            core.ScrollInRange();
        }
        seconds += Seconds(start);
        chars += kTyped;
    }
    Record(state, std::string("EditCore/") + (wrap ? "wrap" : "nowrap"), seconds, chars);
}

void BM_TextView(benchmark::State& state) {
    const bool wrap = state.range(0) != 0;
    XGDocForm* formOut = nullptr;
    XGWindow* window = OpenTextWindow(Vorn_WindowInit_NEW_TEXT, nullptr, &formOut);
    auto* form = static_cast<TEditForm*>(formOut);
    window->Show();
    window->SetBounds(tagRECT{0, 0, 800, 600});
    QCoreApplication::processEvents();
    TEditView* view = form->GetView();
    view->SetFocus();
    form->GetModel()->fText.SetText(BigText().data(), int32(BigText().size()));
    view->InitEdit(&form->GetModel()->fText);
    view->GetEditCore()->SetWordWrap(wrap);
    double seconds = 0;
    int64_t chars = 0;
    for (auto _ : state) {
        const int32 middle = view->GetEditCore()->GetTextLength() / 2;
        view->GetEditCore()->Select(middle, middle);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kTyped; ++i)
            view->DoKey('x');
        QCoreApplication::processEvents(); // the repaint
        seconds += Seconds(start);
        chars += kTyped;
    }
    Record(state, std::string("TextView/") + (wrap ? "wrap" : "nowrap"), seconds, chars);
    form->GetModel()->SetDirty(false);
    window->Close();
}

} // namespace

BENCHMARK(BM_QTextDocument)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditCore)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextView)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    vornbench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    gDo = new CDo;
    vornbench::RunWithRatios(&argc, argv);
    std::printf("\nmicroseconds per typed character (ratio to QTextDocument):\n");
    for (const char* mode : {"nowrap", "wrap"}) {
        const double base = gPerChar[std::string("QTextDocument/") + mode];
        for (const char* who : {"QTextDocument", "EditCore", "TextView"}) {
            const double v = gPerChar[std::string(who) + "/" + mode];
            std::printf("  %-14s %-7s %10.2f  (%.3f)\n", who, mode, v, base > 0 ? v / base : 0.0);
        }
    }
    delete gDo;
    return 0;
}
