// Fuzzes the readers of the text and data-base imports: the first byte chooses the reader, the
// rest is the file. Besides not crashing, no reader may make an item of a phrase longer than its
// buffer or answer success for a data base cut inside its header.

#include "VornImportReaders.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<CImportedItem> items;
    switch (data[0] % 4) {
    case 0:
        ReadWordText(bytes, items);
        for (const CImportedItem& it : items)
            if (it.title.empty()) std::abort();
        break;
    case 1:
        ReadPhraseText(bytes, items);
        for (const CImportedItem& it : items)
            if (it.title.empty() || it.title.size() > 256) std::abort();
        break;
    case 2:
        ReadFlowerText(bytes, items);
        break;
    default:
        if (ReadHTSDataBase(bytes, items) && !bytes.empty() && (bytes[0] == '!' || bytes[0] == 'U') &&
            bytes.size() < 2078)
            std::abort();
        break;
    }
    return 0;
}
