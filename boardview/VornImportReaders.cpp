#include "VornImportReaders.h"

#include <cctype>
#include <cstring>

const char* const kImportReturnWord = "\r";

namespace {

constexpr size_t kPhraseMax = 256;

bool IsLineEnd(int c) {
    return c == '\r' || c == '\n';
}

bool IsAsciiLetter(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void TrimTrailingBlanks(std::string& s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
}

} // namespace

// ---------------------------------------------------------------------------------------------

int CImportReader::GetFileChar() {
    if (i_pos >= i_bytes.size()) {
        // Past the end too, so that stepping back over the end lands on it again.
        ++i_pos;
        return -1;
    }
    return static_cast<unsigned char>(i_bytes[i_pos++]);
}

void CImportReader::UnGetFileChar() {
    if (i_pos > 0) --i_pos;
}

bool CImportReader::IsGoodChar(int c) {
    if (c < 0) return false;
    if (c >= 0x80) return true;
    return std::isalnum(c) || c == '_' || c == '-';
}

void CImportReader::EatSpace() {
    int c;
    while ((c = GetFileChar()) >= 0 && !IsGoodChar(c)) {
    }
    UnGetFileChar();
}

bool CImportReader::GetWord(std::string& word) {
    word.clear();
    int c;
    while ((c = GetFileChar()) >= 0 && IsGoodChar(c))
        word.push_back(char(c));
    UnGetFileChar();
    return !word.empty();
}

bool CImportReader::GetLine(std::string& line) {
    line.clear();
    if (AtEnd()) return false;
    int c;
    while ((c = GetFileChar()) >= 0 && !IsLineEnd(c))
        line.push_back(char(c));
    if (c == '\r') {
        // CR LF is one line end, not a line and an empty one.
        if (GetFileChar() != '\n') UnGetFileChar();
    } else if (c < 0) {
        UnGetFileChar();
    }
    return true;
}

bool CImportReader::ReadBytes(void* outP, size_t n) {
    const size_t left = i_pos < i_bytes.size() ? i_bytes.size() - i_pos : 0;
    const size_t take = n < left ? n : left;
    if (take) std::memcpy(outP, i_bytes.data() + i_pos, take);
    i_pos += take;
    return take == n;
}

// ---------------------------------------------------------------------------------------------

std::string CPhraseReader::GetCEMWord(CImportReader& in) {
    if (i_pendingReturnB) {
        i_pendingReturnB = false;
        return kImportReturnWord;
    }
    std::string phrase;
    for (;;) {
        int c = in.GetFileChar();
        // CR LF is one line end: a Windows file reads as a file with single line ends.
        if (c == '\r') {
            if (in.GetFileChar() != '\n') in.UnGetFileChar();
        }
        if (ProcessChar(c, in, phrase)) return phrase;
    }
}

bool CPhraseReader::ProcessChar(int curChar, CImportReader& in, std::string& phrase) {
    if (i_returnedB) {
        i_buffer.clear();
        i_returnedB = false;
    }
    bool doneB = false;
    bool commaB = false;
    auto append = [this](int c) {
        if (i_buffer.size() < kPhraseMax - 1) i_buffer.push_back(char(c));
    };

    if (IsLineEnd(curChar)) {
        if (IsLineEnd(i_prevChar)) {
            i_buffer = kImportReturnWord;
            i_pendingReturnB = true;
        }
        if (!i_buffer.empty()) {
            doneB = true;
            if (i_buffer != kImportReturnWord) {
                int next = in.GetFileChar();
                // The peek sees a CR LF pair as one line end, as the reading loop does.
                in.UnGetFileChar();
                if (!IsLineEnd(next)) commaB = true;
            }
        }
    } else if (curChar == ' ') {
        if (!i_buffer.empty()) append(curChar);
    } else if (curChar == ',') {
        doneB = true;
        commaB = true;
    } else if (curChar == '.') {
        if (!(i_prevChar >= '0' && i_prevChar <= '9')) append(curChar);
    } else if (curChar == ':') {
        append(curChar);
        doneB = true;
        i_pendingReturnB = true;
    } else if (curChar == '<') {
        i_numberModeB = true;
    } else if (curChar == '>') {
        i_numberModeB = false;
    } else if (curChar >= '0' && curChar <= '9') {
        if (i_numberModeB) append(curChar);
    } else if (curChar < 0) {
        doneB = true;
    } else {
        append(curChar);
    }

    i_prevChar = curChar;
    if (!doneB) return false;
    TrimTrailingBlanks(i_buffer);
    phrase = i_buffer;
    if (commaB) phrase.push_back(',');
    i_returnedB = true;
    return true;
}

// ---------------------------------------------------------------------------------------------

bool ReadWordText(const std::string& bytes, std::vector<CImportedItem>& items) {
    CImportReader in(bytes);
    std::string word;
    for (;;) {
        in.EatSpace();
        if (!in.GetWord(word)) break;
        items.push_back(CImportedItem{word});
    }
    return true;
}

bool ReadPhraseText(const std::string& bytes, std::vector<CImportedItem>& items) {
    if (bytes.empty()) return false;
    CImportReader in(bytes);
    // Each file starts the phrase machine afresh: a "<" left open in one file must not change
    // which digits the next file keeps.
    CPhraseReader phrases;
    for (;;) {
        std::string phrase = phrases.GetCEMWord(in);
        if (phrase.empty()) break;
        items.push_back(CImportedItem{phrase});
    }
    return true;
}

bool ParseFlowerLine(const std::string& line, std::string& title, std::string& binomial) {
    std::vector<std::string> t;
    size_t i = 0;
    while (t.size() < 7 && i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start) t.push_back(line.substr(start, i - start));
    }
    title.clear();
    binomial.clear();
    if (t.empty()) return false;
    auto lower = [](const std::string& s) { return !s.empty() && s[0] >= 'a' && s[0] <= 'z'; };
    title = t[0];
    size_t k = 1;
    while (k + 1 < t.size() && !lower(t[k + 1])) {
        title += ' ';
        title += t[k];
        ++k;
    }
    // A capitalised token followed by a lower-case one; a line without such a pair links nowhere.
    if (k + 1 < t.size()) binomial = t[k] + ' ' + t[k + 1];
    for (char& c : title)
        if (c == '-') c = ' ';
    return true;
}

bool ReadFlowerText(const std::string& bytes, std::vector<CImportedItem>& items) {
    CImportReader in(bytes);
    std::string line, title, binomial;
    while (in.GetLine(line)) {
        if (!ParseFlowerLine(line, title, binomial)) continue;
        CImportedItem item{title};
        if (!binomial.empty()) {
            item.content = binomial;
            item.contentType = 4; // linked as a web address, as the item's own link would name it
        }
        items.push_back(std::move(item));
    }
    return true;
}

// ---------------------------------------------------------------------------------------------

void hts_strcpy(char* dest, const char* src, yaaf::int16 lenS) {
    if (!dest) return;
    int n = 0;
    if (src)
        while (n < lenS && src[n])
            ++n;
    std::memcpy(dest, src, size_t(n));
    dest[n] = 0;
    while (n > 0 && dest[n - 1] == ' ')
        dest[--n] = 0;
    bool afterLetter = false;
    for (int i = 0; i < n; ++i) {
        const int c = static_cast<unsigned char>(dest[i]);
        if (c < 0x80) dest[i] = char(afterLetter ? std::tolower(c) : std::toupper(c));
        afterLetter = IsAsciiLetter(c);
    }
}

namespace {

constexpr size_t kHTSNameListHeader = 2078;
constexpr size_t kHTSNameRecord = 33;
constexpr size_t kHTSNameSkip = 8;
constexpr size_t kHTSNameField = 25;
constexpr size_t kHTSNameBreak = 35;

constexpr size_t kHTSItemHeader = 2171;
constexpr size_t kHTSItemRecord = 85;
constexpr size_t kHTSItemName = 20;
constexpr size_t kHTSItemMusic = 26;
constexpr size_t kHTSItemBreak = 8;
constexpr int kHTSItemsPerSection = 24;

bool ReadHTSNameList(CImportReader& in, std::vector<CImportedItem>& items) {
    char skip[kHTSNameListHeader];
    if (!in.ReadBytes(skip, kHTSNameListHeader)) return false;
    int count = 0;
    for (;;) {
        char record[kHTSNameRecord];
        if (!in.ReadBytes(record, kHTSNameRecord)) return false;
        char name[kHTSNameField + 1];
        hts_strcpy(name, record + kHTSNameSkip, kHTSNameField);
        if (!name[0] || std::strcmp(name, "End Of List") == 0) return true;
        items.push_back(CImportedItem{name});
        items.push_back(CImportedItem{kImportReturnWord});
        if (++count == 60) {
            char brk[kHTSNameBreak];
            if (!in.ReadBytes(brk, kHTSNameBreak)) return false;
            count = -1;
        }
    }
}

bool ReadHTSItemList(CImportReader& in, std::vector<CImportedItem>& items) {
    char header[kHTSItemHeader];
    if (!in.ReadBytes(header, kHTSItemHeader)) return false;
    // The header's last record is the first item.
    const char* record = header + kHTSItemHeader - kHTSItemRecord;
    char next[kHTSItemRecord];
    for (int n = 1;; ++n) {
        if (record[0] == 0) return true;
        char name[kHTSItemName + 1];
        hts_strcpy(name, record, kHTSItemName);
        CImportedItem item{name};
        const char* music = record + kHTSItemName;
        item.content.assign(music, strnlen(music, kHTSItemMusic));
        item.contentType = 1;
        items.push_back(std::move(item));
        items.push_back(CImportedItem{kImportReturnWord});
        if (n % kHTSItemsPerSection == 0) {
            char brk[kHTSItemBreak];
            if (!in.ReadBytes(brk, kHTSItemBreak)) return false;
        }
        if (!in.ReadBytes(next, kHTSItemRecord)) return false;
        record = next;
    }
}

} // namespace

bool ReadHTSDataBase(const std::string& bytes, std::vector<CImportedItem>& items) {
    CImportReader in(bytes);
    const int kind = in.GetFileChar();
    if (kind < 0) return false;
    in.UnGetFileChar();
    if (kind == '!') return ReadHTSNameList(in, items);
    if (kind == 'U') return ReadHTSItemList(in, items);
    return true;
}
