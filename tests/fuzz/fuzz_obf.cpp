// Fuzzes the Open Board Format board reader: the JSON reader first (what it reads, written and
// read again, must be the same value), then the import of the board into a new board, whose
// pictures (data addresses) go to a scratch folder that is emptied after every input.

#include "FuzzBoardEnv.h"
#include "TVornModel.h"
#include "VornOBF.h"
#include "XGJson.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBoardEnvironment("fuzz_obf");
    const std::string& scratch = FuzzScratchFolder("fuzz_obf");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // A package is the other target's.
    if (size >= 2 && data[0] == 'P' && data[1] == 'K') return 0;

    yaaf::XGJson value;
    std::string error;
    if (yaaf::XGJson::Parse(bytes, value, error, 64)) {
        yaaf::XGJson again;
        if (!yaaf::XGJson::Parse(value.Write(), again, error, 64) || !(again == value)) std::abort();
    }
    TVornModel board;
    VornOBF_ImportBytes(board, bytes, "fuzz.obf", scratch, error);
    FuzzEmptyFolder(scratch);
    return 0;
}
