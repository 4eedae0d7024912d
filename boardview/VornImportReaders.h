#pragma once
// The readers of the plain-text and data-base imports. They work on the file's bytes in memory
// and hand back what the board is to take in, so that the menu command, the command-line tool
// and the fuzz targets run the same code.

#include "XGTypes.h"

#include <string>
#include <vector>

// The title of a line-break item.
extern const char* const kImportReturnWord;

// One item to be made by an import.
struct CImportedItem {
    explicit CImportedItem(std::string titleZ) : title(std::move(titleZ)) {}

    std::string title;
    // The item's content: a text (type 1) or a web address (type 4); none when empty.
    std::string content;
    yaaf::uint8 contentType = 0;
    bool selectedB = true;
};

// A cursor over the bytes of a file.
class CImportReader {
public:
    explicit CImportReader(std::string bytes) : i_bytes(std::move(bytes)) {}

    // The next byte (0 to 255), or -1 at the end.
    int GetFileChar();
    // Steps back over the byte just read (also over the end).
    void UnGetFileChar();
    // Letters, digits, "_" and "-"; bytes of 0x80 and above too, so that words in UTF-8 stay whole.
    static bool IsGoodChar(int c);
    // Skips bytes that are not word characters.
    void EatSpace();
    // The next word; false when none is left.
    bool GetWord(std::string& word);
    // The bytes up to the next line end (CR, LF, or CR LF as one); false at the end of the bytes.
    bool GetLine(std::string& line);
    // Exactly n bytes; false (reading what there is) when fewer are left.
    bool ReadBytes(void* outP, size_t n);
    bool AtEnd() const { return i_pos >= i_bytes.size(); }

private:
    std::string i_bytes;
    size_t i_pos = 0;
};

// Phrase text: phrases end at commas, colons and line ends; blank lines give line-break items.
class CPhraseReader {
public:
    // The next phrase, or "" when the bytes ended with nothing collected.
    std::string GetCEMWord(CImportReader& in);
    // One byte of the phrase machine; true when a phrase is finished (in phraseZ).
    bool ProcessChar(int curChar, CImportReader& in, std::string& phrase);

private:
    std::string i_buffer;
    int i_prevChar = 0;
    bool i_numberModeB = false;
    bool i_returnedB = false;
    bool i_pendingReturnB = false;
};

// Each reader appends what it read to `items` and answers whether the import succeeded; items
// read before a failure stay in `items`.
bool ReadWordText(const std::string& bytes, std::vector<CImportedItem>& items);
bool ReadPhraseText(const std::string& bytes, std::vector<CImportedItem>& items);
bool ReadFlowerText(const std::string& bytes, std::vector<CImportedItem>& items);
bool ReadHTSDataBase(const std::string& bytes, std::vector<CImportedItem>& items);

// A "name and binomial" line: the title (with "-" as blanks) and the binomial, which is empty
// when the line has none. False for a line without a title.
bool ParseFlowerLine(const std::string& line, std::string& title, std::string& binomial);

// Copies lenS characters of a fixed-width field (ending early at a zero byte), strips trailing
// blanks and capitalises word by word ("JOHN o'NEIL" -> "John O'Neil"). dest holds lenS + 1.
void hts_strcpy(char* dest, const char* src, yaaf::int16 lenS);
