// Fuzzes the version document: the tag tokenizer with its character references, read whole and
// in pieces of any size as a connection delivers them (the tokens must not depend on where the
// pieces break), and the keypairs of the version check.

#include "CCheckVersion.h"
#include "FuzzPieces.h"
#include "XGSGMLEscapes.h"
#include "XGXMLParser.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Gives the document in the pieces of a FuzzPieces plan.
class PieceSource : public yaaf::XGXMLSource {
public:
    PieceSource(const std::string& text, FuzzPieces& pieces) : fText(text), fPieces(pieces) {}
    yaaf::int32 ReadSome(char* buffer, yaaf::int32 max) override {
        if (fPos >= fText.size() || max <= 0) return 0;
        const size_t n = std::min({fText.size() - fPos, size_t(max), fPieces.Next()});
        std::memcpy(buffer, fText.data() + fPos, n);
        fPos += n;
        return yaaf::int32(n);
    }

private:
    const std::string& fText;
    FuzzPieces& fPieces;
    size_t fPos = 0;
};

const yaaf::XGToken kTable[] = {{"xml", 1}, {"keypair", 2}, {"item", 3}, {nullptr, -1}};

// Every token with its text and arguments, up to the end or an error.
std::vector<std::string> Tokens(yaaf::XGXMLSource& source, bool strip, bool skip) {
    yaaf::XGXMLParser parser;
    parser.InitXMLParser(kTable, &source);
    parser.fStrip = strip;
    parser.fSkip = skip;
    std::vector<std::string> out;
    for (int i = 0; i < 100000; ++i) {
        const yaaf::int16 token = parser.GetNextToken();
        if (parser.GetDepth() > yaaf::XGXMLParser::kMaxDepth) std::abort();
        std::string entry = std::to_string(token) + ":" + parser.GetTokenValue();
        for (const char* name : {"key", "value"}) {
            const char* value = parser.GetArgValue(name);
            entry += value ? std::string("|") + value : std::string("|-");
        }
        out.push_back(entry);
        if (token == yaaf::kXMLToken_EOF) break;
        if (token == yaaf::kXMLToken_Error) {
            // After an error every further call answers an error.
            if (parser.GetNextToken() != yaaf::kXMLToken_Error) std::abort();
            break;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    FuzzPieces pieces(data, size);
    const bool strip = pieces.Bit(0);
    const bool skip = pieces.Bit(1);

    yaaf::XGXMLMemorySource whole(input);
    PieceSource broken(input, pieces);
    if (Tokens(whole, strip, skip) != Tokens(broken, strip, skip)) std::abort();

    Vorn_VersionRec version;
    if (CCheckVersion::ParseVersionDocument(input, version)) {
        const std::string text = CCheckVersion::GetVersionString(version);
        if (text.empty() || text.size() > 64) std::abort();
    }

    const std::string decoded = yaaf::ConvertSGMLEscapes(input);
    if (decoded.size() > input.size()) std::abort();
    return 0;
}
