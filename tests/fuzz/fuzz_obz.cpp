// Fuzzes the Open Board Format package reader: the zip reader (every entry read within the
// limits: no entry may come back larger than they allow), then the import of the package into a
// new board, whose pictures and linked boards go to a scratch folder emptied after every input.

#include "FuzzBoardEnv.h"
#include "TVornModel.h"
#include "VornOBF.h"
#include "XGZip.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBoardEnvironment("fuzz_obz");
    const std::string& scratch = FuzzScratchFolder("fuzz_obz");

    yaaf::XGZipReader zip;
    yaaf::XGZipReader::Limits limits;
    limits.maxEntryBytes = 1 << 20;
    limits.maxTotalBytes = 4 << 20;
    std::string error;
    if (zip.Open(std::vector<uint8_t>(data, data + size), error, limits)) {
        for (const std::string& name : zip.Names()) {
            std::vector<uint8_t> bytes;
            if (zip.Read(name, bytes, error) && int64_t(bytes.size()) > limits.maxEntryBytes) std::abort();
        }
    }
    TVornModel board;
    const std::string input(reinterpret_cast<const char*>(data), size);
    VornOBF_ImportBytes(board, input, "fuzz.obz", scratch, error);
    FuzzEmptyFolder(scratch);
    return 0;
}
