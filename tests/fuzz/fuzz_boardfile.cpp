// Fuzzes the board file reader: any bytes must read or fail cleanly, and what was read must
// write again.

#include "CItemArray.h"
#include "TVornModel.h"
#include "VornFileFormat.h"
#include "XGAlert.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Old files ask a question, and pictures would start loading: neither belongs here.
    static yaaf::XGScopedAlertResponder quiet([](const yaaf::XGAlertRequest& r) { return r.cancelIndex; });
    VornFile_SetLoadPicturesOnRead(false);

    TVornModel board;
    CVornMemoryStream in(data, size);
    board.ReadModel(in);
    CVornMemoryStream out;
    board.WriteModel(out);
    return 0;
}
