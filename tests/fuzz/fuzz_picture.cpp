// Fuzzes the readers of loaded pictures: the picture decoders behind a name and a content type,
// and the clipboard's text conversion. (A picture server's reply: fuzz_httpreply.)

#include "CClipboard.h"
#include "FuzzApp.h"
#include "XGPicture.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGuiApplication("fuzz_picture");
    const std::string input(reinterpret_cast<const char*>(data), size);

    static const char* const kNames[] = {"a.png", "a.ico", "a.gif", "a.bmp", "a"};
    yaaf::XGPicture picture;
    picture.LoadFromData(input.data(), yaaf::int32(input.size()), kNames[size % 5],
                         size % 2 ? "image/png" : "");

    CClipboard::TextFromClip(input.data(), input.size());
    CClipboard::TextToClip(input.data(), input.size());
    return 0;
}
