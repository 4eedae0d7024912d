#include "XGXMLParser.h"

#include "XGSGMLEscapes.h"
#include "XGTCPStream.h"

#include <algorithm>
#include <cstring>

namespace yaaf {

namespace {

bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

void Trim(std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsSpace((unsigned char)s[b]))
        ++b;
    while (e > b && IsSpace((unsigned char)s[e - 1]))
        --e;
    s = s.substr(b, e - b);
}

bool AllSpace(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return IsSpace((unsigned char)c); });
}

} // namespace

int32 XGXMLMemorySource::ReadSome(char* buffer, int32 max) {
    if (fPos >= fLength || max <= 0) return 0;
    const size_t n = std::min(fLength - fPos, size_t(max));
    std::memcpy(buffer, fData + fPos, n);
    fPos += n;
    return int32(n);
}

int32 XGXMLStreamSource::ReadSome(char* buffer, int32 max) {
    // Whatever is there now; when nothing is, wait (within the stream's timeout) for one byte,
    // since waiting for a full buffer would stall on a short final piece.
    const int32 n = fStream.ReadAsync(max, buffer);
    if (n != 0) return n;
    return fStream.ReadSync(1, buffer);
}

XGXMLParser::XGXMLParser() = default;
XGXMLParser::~XGXMLParser() {
    StopXMLParser();
}

void XGXMLParser::InitXMLParser(const XGToken* tokenTable, XGXMLSource* source) {
    StopXMLParser();
    // The element names of a document are compared with case.
    fScanner = std::make_unique<XGStringScanner>(tokenTable, false);
    fSource = source;
}

void XGXMLParser::StopXMLParser() {
    fScanner.reset();
    fSource = nullptr;
    fBufLen = fBufPos = 0;
    fLine = 1;
    fPrevLineEnd = 0;
    fPushedChar = kNoChar;
    fHasPushedToken = false;
    fPendingEnd = false;
    fFailed = false;
    fScratch.clear();
    fArgs.clear();
    fStack.clear();
}

int XGXMLParser::GetChar() {
    if (fPushedChar != kNoChar) {
        const int c = fPushedChar;
        fPushedChar = kNoChar;
        return c;
    }
    if (fBufPos >= fBufLen) {
        fBufPos = 0;
        fBufLen = fSource ? fSource->ReadSome(fBuffer, int32(sizeof fBuffer)) : 0;
        if (fBufLen <= 0) {
            fBufLen = 0;
            return kEndChar;
        }
    }
    const int c = (unsigned char)fBuffer[fBufPos++];
    if (c == '\r' || c == '\n') {
        // CR, LF, CR LF and LF CR each end one line.
        if (fPrevLineEnd && fPrevLineEnd != c)
            fPrevLineEnd = 0;
        else {
            ++fLine;
            fPrevLineEnd = c;
        }
    } else {
        fPrevLineEnd = 0;
    }
    return c;
}

void XGXMLParser::UngetChar(int c) {
    fPushedChar = c;
}

void XGXMLParser::UngetToken(int16 token) {
    fPushedToken = token;
    fHasPushedToken = true;
}

int16 XGXMLParser::GetNextToken() {
    if (fHasPushedToken) {
        fHasPushedToken = false;
        return fPushedToken;
    }
    if (fFailed || !fScanner) return kXMLToken_Error;
    for (;;) {
        const int16 token = GetNextTokenInternal();
        if (token == kXMLToken_Skip) continue;
        if (token == kXMLToken_Error) fFailed = true;
        if (token == kXMLToken_Text) {
            if (fSkip && AllSpace(fScratch)) continue;
            if (fStrip) Trim(fScratch);
        }
        return token;
    }
}

int16 XGXMLParser::GetNextTokenInternal() {
    if (fPendingEnd) {
        fPendingEnd = false;
        fArgs.clear();
        return kXMLToken_End;
    }
    fArgs.clear();
    fScratch.clear();
    int c = GetChar();
    if (c == kEndChar) return kXMLToken_EOF;
    if (c == '<') return ReadTag();

    std::string text;
    while (c != kEndChar && c != '<') {
        if (text.size() >= kMaxTagLength * 16) return kXMLToken_Error;
        text.push_back(char(c));
        c = GetChar();
    }
    if (c == '<') UngetChar(c);
    fScratch = ConvertSGMLEscapes(text);
    return kXMLToken_Text;
}

int16 XGXMLParser::ReadTag() {
    std::string tag;
    char quote = 0;
    for (;;) {
        const int c = GetChar();
        if (c == kEndChar) return kXMLToken_Error;
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            // A comment is not markup with attributes: quotes in it mean nothing.
            if (tag.compare(0, 3, "!--") != 0) quote = char(c);
        } else if (c == '>') {
            if (tag.compare(0, 3, "!--") != 0 ||
                (tag.size() >= 5 && tag.compare(tag.size() - 2, 2, "--") == 0))
                break;
        }
        if (tag.size() >= kMaxTagLength) return kXMLToken_Error;
        tag.push_back(char(c));
    }
    if (tag.empty()) return kXMLToken_Error;
    bool selfClosing = false;
    if (tag.back() == '/') {
        selfClosing = true;
        tag.pop_back();
    }
    return ParseTag(tag, selfClosing);
}

int16 XGXMLParser::ParseTag(std::string& tag, bool selfClosing) {
    size_t i = 0;
    const size_t n = tag.size();
    while (i < n && IsSpace((unsigned char)tag[i]))
        ++i;
    if (i >= n) return kXMLToken_Error;
    if (tag[i] == '!' || tag[i] == '?') return kXMLToken_Skip;
    bool closing = false;
    if (tag[i] == '/') {
        closing = true;
        ++i;
    }
    const size_t nameStart = i;
    while (i < n && !IsSpace((unsigned char)tag[i]))
        ++i;
    fScratch = tag.substr(nameStart, i - nameStart);
    if (fScratch.empty()) return kXMLToken_Error;

    while (i < n) {
        while (i < n && IsSpace((unsigned char)tag[i]))
            ++i;
        if (i >= n) break;
        const size_t attrStart = i;
        while (i < n && !IsSpace((unsigned char)tag[i]) && tag[i] != '=')
            ++i;
        std::string name = tag.substr(attrStart, i - attrStart);
        while (i < n && IsSpace((unsigned char)tag[i]))
            ++i;
        if (i >= n || tag[i] != '=' || name.empty()) return kXMLToken_Error;
        ++i;
        while (i < n && IsSpace((unsigned char)tag[i]))
            ++i;
        std::string value;
        if (i < n && (tag[i] == '"' || tag[i] == '\'')) {
            const char quote = tag[i++];
            const size_t close = tag.find(quote, i);
            if (close == std::string::npos) return kXMLToken_Error;
            value = tag.substr(i, close - i);
            i = close + 1;
        } else {
            const size_t valueStart = i;
            while (i < n && !IsSpace((unsigned char)tag[i]))
                ++i;
            value = tag.substr(valueStart, i - valueStart);
        }
        fArgs.push_back(ConvertSGMLEscapes(name));
        fArgs.push_back(ConvertSGMLEscapes(value));
    }

    const int16 id = fScanner->GetValue(fScratch.c_str());
    if (id <= 0) return kXMLToken_Error;
    if (closing) {
        if (fStack.empty() || fStack.back() != id) return kXMLToken_Error;
        fStack.pop_back();
        return kXMLToken_End;
    }
    if (selfClosing) {
        fPendingEnd = true;
    } else {
        if (fStack.size() >= kMaxDepth) return kXMLToken_Error;
        fStack.push_back(id);
    }
    return id;
}

const char* XGXMLParser::GetArgValue(const char* name) const {
    if (!name) return nullptr;
    for (size_t i = 0; i + 1 < fArgs.size(); i += 2) {
        if (fArgs[i] == name) return fArgs[i + 1].c_str();
    }
    return nullptr;
}

int16 XGXMLParser::SkipToClose(bool inside) {
    size_t depth = 0;
    if (inside) {
        depth = 1;
    } else {
        const int16 first = GetNextToken();
        if (first <= 0) return first;
        depth = 1;
    }
    for (;;) {
        const int16 token = GetNextToken();
        if (token == kXMLToken_EOF || token == kXMLToken_Error) return token;
        if (token > 0)
            ++depth;
        else if (token == kXMLToken_End && --depth == 0)
            return kXMLToken_End;
    }
}

} // namespace yaaf
