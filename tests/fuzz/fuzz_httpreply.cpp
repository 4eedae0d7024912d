// Fuzzes what a web server sends back: the input is the bytes of one reply, read as the
// connection delivers them, in pieces, up to where the reply is complete by its own length.
// The reply read in pieces must equal the reply read whole; then the version check and the
// picture fetch each take it as they take a reply from the network.

#include "CCheckVersion.h"
#include "FuzzApp.h"
#include "FuzzPieces.h"
#include "XGPicture.h"
#include "XGPictureFetch.h"
#include "XGTCPStream.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

struct Read {
    yaaf::XGHTTPReadResult strict;
    yaaf::XGHTTPResponse strictReply;
    yaaf::XGHTTPReadResult lenient;
    yaaf::XGHTTPResponse lenientReply;
};

// Reads the reply with `pieces` (or whole without), stopping where the reader says it is
// complete, as the read from a socket does; parses it strictly (version check) and with a
// lenient length (picture fetch).
Read ReadReply(const std::string& input, size_t limit, FuzzPieces* pieces) {
    yaaf::XGHTTPReplyReader reader(limit);
    Read out;
    size_t at = 0;
    while (at < input.size() && !reader.Complete()) {
        const size_t n = pieces ? std::min(pieces->Next(), input.size() - at) : input.size();
        if (!reader.Add(input.data() + at, n)) {
            out.strict = out.lenient = yaaf::kXGHTTPRead_TooLarge;
            return out;
        }
        at += n;
    }
    out.strict = reader.Finish(out.strictReply);
    out.lenient = reader.Finish(out.lenientReply, true);
    return out;
}

bool Same(yaaf::XGHTTPReadResult a, const yaaf::XGHTTPResponse& ra, yaaf::XGHTTPReadResult b,
          const yaaf::XGHTTPResponse& rb) {
    if (a != b) return false;
    if (a != yaaf::kXGHTTPRead_OK) return true;
    return ra.hasStatusLine == rb.hasStatusLine && ra.status == rb.status && ra.headers == rb.headers &&
           ra.body == rb.body;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGuiApplication("fuzz_httpreply");

    const std::string input(reinterpret_cast<const char*>(data), size);
    FuzzPieces pieces(data, size);
    // Now and then a small limit, so that replies passing it are met too.
    const size_t limit = pieces.Bit(0) ? 512 : yaaf::kXGHTTPDefaultLimit;

    const Read broken = ReadReply(input, limit, &pieces);
    if (size <= limit) {
        const Read whole = ReadReply(input, limit, nullptr);
        if (!Same(whole.strict, whole.strictReply, broken.strict, broken.strictReply) ||
            !Same(whole.lenient, whole.lenientReply, broken.lenient, broken.lenientReply))
            std::abort();
    }

    Vorn_VersionRec version;
    std::string why;
    if (!CCheckVersion::VersionFromReply(broken.strict, broken.strictReply, version, &why) && why.empty())
        std::abort();

    yaaf::XGPictureFetchResult result = yaaf::kXGPictureFetch_OK;
    bool tryNextForm = false;
    std::string contentType;
    std::unique_ptr<yaaf::XGPicture> picture(yaaf::XGPictureFromReply(broken.lenient, broken.lenientReply,
                                                                      pieces.Bit(1) ? "a.png" : "picture",
                                                                      result, tryNextForm, contentType));
    if ((picture != nullptr) != (result == yaaf::kXGPictureFetch_OK)) std::abort();
    if (picture) {
        const yaaf::tagRECT frame = picture->GetSrcFrame();
        if (frame.Width() <= 0 || frame.Height() <= 0) std::abort();
    }
    return 0;
}
