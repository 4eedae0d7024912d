// Fuzzes the readers of the version check's reply: the HTTP reply, the tag tokenizer with its
// character references, and the version document.

#include "CCheckVersion.h"
#include "XGSGMLEscapes.h"
#include "XGTCPStream.h"
#include "XGXMLParser.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    yaaf::XGHTTPResponse response;
    yaaf::XGParseHTTPResponse(input, response);

    Vorn_VersionRec version;
    CCheckVersion::ParseVersionDocument(input, version);
    CCheckVersion::GetVersionString(version);

    static const yaaf::XGToken kTable[] = {{"xml", 1}, {"keypair", 2}, {"item", 3}, {nullptr, -1}};
    yaaf::XGXMLMemorySource source(input);
    yaaf::XGXMLParser parser;
    parser.InitXMLParser(kTable, &source);
    for (int i = 0; i < 100000; ++i) {
        const yaaf::int16 token = parser.GetNextToken();
        if (token == yaaf::kXMLToken_EOF || token == yaaf::kXMLToken_Error) break;
        parser.GetArgValue("value");
    }

    yaaf::ConvertSGMLEscapes(input);
    return 0;
}
