#pragma once
// A small tag tokenizer for XML documents whose elements are known in advance (a token table).
// It reads through a 256-byte buffer from a source, decodes character references in text and
// attributes, and checks that every closing tag closes the element that is open.

#include "XGStringScanner.h"
#include "XGTypes.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace yaaf {

class XGTCPStream;

// Where the characters come from.
class XGXMLSource {
public:
    virtual ~XGXMLSource() = default;
    // Fills up to `max` bytes; answers the count, or 0 or less at the end of the input.
    virtual int32 ReadSome(char* buffer, int32 max) = 0;
};

// A document held in memory (not copied; it must outlive the parser's use of it).
class XGXMLMemorySource : public XGXMLSource {
public:
    XGXMLMemorySource(const char* data, size_t length) : fData(data), fLength(length) {}
    explicit XGXMLMemorySource(const std::string& text) : XGXMLMemorySource(text.data(), text.size()) {}
    int32 ReadSome(char* buffer, int32 max) override;

private:
    const char* fData;
    size_t fLength;
    size_t fPos = 0;
};

// A connected stream, read with its timeouts.
class XGXMLStreamSource : public XGXMLSource {
public:
    explicit XGXMLStreamSource(XGTCPStream& stream) : fStream(stream) {}
    int32 ReadSome(char* buffer, int32 max) override;

private:
    XGTCPStream& fStream;
};

// Token results.
constexpr int16 kXMLToken_Error = 0;
constexpr int16 kXMLToken_EOF = -1;
constexpr int16 kXMLToken_Text = -2;
constexpr int16 kXMLToken_End = -3;  // end of the current element
constexpr int16 kXMLToken_Skip = -4; // skipped markup; never answered by GetNextToken

class XGXMLParser {
public:
    XGXMLParser();
    ~XGXMLParser();
    XGXMLParser(const XGXMLParser&) = delete;
    XGXMLParser& operator=(const XGXMLParser&) = delete;

    // Starts a document: the table names the known elements (see XGStringScanner) and must end
    // with an entry without a name. The source must outlive the parse.
    void InitXMLParser(const XGToken* tokenTable, XGXMLSource* source);
    void StopXMLParser();

    // The next token: an element id (a start tag), kXMLToken_Text, kXMLToken_End,
    // kXMLToken_EOF or kXMLToken_Error. After an error every further call answers an error.
    int16 GetNextToken();
    // Hands the last token back to be answered again by the next GetNextToken.
    void UngetToken(int16 token);

    // The value of the first attribute of the current tag named exactly `name`, or null.
    const char* GetArgValue(const char* name) const;
    // The text of the current token (a text token's text, or a tag's name).
    const char* GetTokenValue() const { return fScratch.c_str(); }
    // Skips to the end of an element: with `inside` the start tag was already read and the rest
    // of that element is skipped; otherwise the next token's whole element is. Answers
    // kXMLToken_End, or the token that stopped it (end of input or an error).
    int16 SkipToClose(bool inside);

    // The line being read (1 for the first), for messages.
    int32 GetLine() const { return fLine; }
    // The depth of open elements.
    size_t GetDepth() const { return fStack.size(); }

    bool fStrip = false; // trim white space around text tokens
    bool fSkip = false;  // drop text tokens that are only white space

    // Limits that keep a hostile document from growing the parser without bound.
    static constexpr size_t kMaxTagLength = 64 * 1024;
    static constexpr size_t kMaxDepth = 256;

private:
    static constexpr int kNoChar = -2;
    static constexpr int kEndChar = -1;

    int GetChar();
    void UngetChar(int c);
    int16 GetNextTokenInternal();
    int16 ReadTag();
    int16 ParseTag(std::string& tag, bool selfClosing);

    std::unique_ptr<XGStringScanner> fScanner;
    XGXMLSource* fSource = nullptr;
    char fBuffer[256];
    int32 fBufLen = 0;
    int32 fBufPos = 0;
    int32 fLine = 1;
    int fPrevLineEnd = 0; // the line-end character just read, to count CR LF and LF CR once
    int fPushedChar = kNoChar;
    int16 fPushedToken = 0;
    bool fHasPushedToken = false;
    bool fPendingEnd = false;
    bool fFailed = false;
    std::string fScratch;
    std::vector<std::string> fArgs; // name, value, name, value, ...
    std::vector<int16> fStack;
};

} // namespace yaaf
