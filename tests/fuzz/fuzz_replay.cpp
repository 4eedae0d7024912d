// Runs a fuzz target's entry once on every file named on the command line (a folder stands for
// the files in it), without libFuzzer, so that any compiler can build it and the test command
// can replay the committed corpora: a reader that regresses on one of them crashes here, or is
// caught by the sanitizers of the build.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool ReadFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        if (std::filesystem::is_directory(argv[i], error)) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i], error))
                if (entry.is_regular_file(error)) files.push_back(entry.path());
        } else {
            files.emplace_back(argv[i]);
        }
        if (error) {
            std::fprintf(stderr, "%s: %s\n", argv[i], error.message().c_str());
            return 1;
        }
    }
    // A fixed order, so that a failure repeats the same way.
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER_OR_FILE...\n", argv[0]);
        return 1;
    }
    std::vector<uint8_t> bytes;
    for (const auto& file : files) {
        if (!ReadFile(file, bytes)) {
            std::fprintf(stderr, "%s: cannot read\n", file.c_str());
            return 1;
        }
        // The entry gets a buffer of exactly the file's size, as under libFuzzer, so that the
        // address sanitizer sees a read past its end.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), exact.get());
        LLVMFuzzerTestOneInput(exact.get(), bytes.size());
    }
    std::printf("%zu inputs replayed\n", files.size());
    return 0;
}
