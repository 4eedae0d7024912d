// Fuzzes opening a text file: the document reads the file's bytes (any bytes: not UTF-8, NULs,
// every kind of line end), and the text engine lays them out, with and without word wrap, as
// the new window shows them. The text must save and read back the same, the lines must cover
// the text in order, and the characters must step the same forwards and backwards.

#include "FuzzApp.h"
#include "FuzzPieces.h"
#include "TEditDoc.h"
#include "XGDraw.h"
#include "XGEditCore.h"
#include "XGFileSpecifier.h"
#include "XGFont.h"

#include <QImage>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// The file of this process, written for every input and removed after reading; in memory
// where the system offers a folder there, since a disk would make the writes the slowest part
// of a run.
const std::string& FilePath() {
    static const std::string path = [] {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                                 ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path();
        return (folder / ("vorn_fuzz_text_" + std::to_string(getpid()) + ".txt")).string();
    }();
    return path;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckLayout(yaaf::XGTextBuffer& text, bool wrap, int32_t width, bool draw) {
    using yaaf::int32;
    // One engine for each kind of layout, made once: making the font and measuring it would
    // take most of the time of a run. A window keeps its engine for every text too.
    static auto make = [](bool wordWrap) {
        auto* engine = new yaaf::XGEditCore(nullptr, yaaf::tagRECT{0, 0, 200, 200},
                                            yaaf::XGFont("Courier New", 10, yaaf::kXGStyle_Fixed));
        engine->SetWordWrap(wordWrap);
        engine->SetTabStop(4);
        return engine;
    };
    static yaaf::XGEditCore* const engines[2] = {make(false), make(true)};
    yaaf::XGEditCore& core = *engines[wrap];
    core.SetText(nullptr);
    core.SetArea(yaaf::tagRECT{0, 0, width, 200});
    core.SetText(&text);
    const int32 size = text.GetSize();

    // The lines follow each other without gaps or overlaps and end where the text does.
    Check(core.GetLineOffset(0) == 0);
    for (int32 line = 0; line < core.GetNumLines(); ++line) {
        const int32 start = core.GetLineOffset(line);
        const int32 length = core.GetLineLength(line);
        Check(length >= 0 && start + length <= size);
        Check(core.FindLine(start) == line);
        if (line + 1 < core.GetNumLines()) {
            const int32 next = core.GetLineOffset(line + 1);
            Check(next > start);
            Check(start + length <= next);
        } else {
            Check(start + length == size);
        }
        const int32 hit = core.FindOffset(line, width / 2);
        Check(hit >= start && hit <= start + length);
        Check(core.FindPixel(start) >= 0);
    }

    // Characters step forwards by their length and back to where they began.
    for (int32 offset = 0; offset < size;) {
        const int32 length = core.CharLength(offset);
        Check(length >= 1 && length <= 4 && offset + length <= size);
        Check(core.PrevCharOffset(offset + length) == offset);
        offset += length;
    }

    if (draw) {
        QImage image(width, 200, QImage::Format_ARGB32_Premultiplied);
        yaaf::XGDraw context(&image);
        core.DrawLines(context, yaaf::tagRECT{0, 0, width, 200}, 0);
    }
    core.SetText(nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGuiApplication("fuzz_textfile");

    std::FILE* file = std::fopen(FilePath().c_str(), "wb");
    if (!file) return 0;
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) return 0;

    TEditDoc doc;
    const bool read = doc.DoReadDocument(yaaf::XGFileSpecifier(FilePath()));
    std::remove(FilePath().c_str());
    Check(read);
    yaaf::XGTextBuffer& text = doc.fText;
    const std::string loaded = text.ToString();
    Check(loaded.size() <= size && loaded.find('\r') == std::string::npos);

    // Saving writes CR LF line ends; reading that back gives the same text.
    std::string saved = TEditDoc::ToFileLineEnds(text);
    saved.resize(size_t(TEditDoc::ConvertLineEnds(saved.data(), yaaf::int32(saved.size()))));
    Check(saved == loaded);

    FuzzPieces pieces(data, size);
    const int32_t width = 40 + int32_t(pieces.Next() % 400);
    CheckLayout(text, false, width, false);
    CheckLayout(text, true, width, size < 2048 && pieces.Bit(0));
    return 0;
}
