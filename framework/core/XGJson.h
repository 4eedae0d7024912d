#pragma once
// A JSON value: null, true or false, a number, a UTF-8 string, a list or an object, with a
// reader that refuses what is not JSON (and anything nested deeper than a limit) and a writer.
// Objects keep their members in the order they were added or read, so that what is written
// reads as it was built; a name given twice keeps its last value.

#include "XGTypes.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace yaaf {

class XGJson {
public:
    enum Kind : uint8 { kNull, kBool, kNumber, kString, kArray, kObject };
    using Member = std::pair<std::string, XGJson>;

    XGJson() = default;
    XGJson(std::nullptr_t) {}
    XGJson(bool b) : fKind(kBool), fBool(b) {}
    XGJson(int v) : XGJson(int64(v)) {}
    XGJson(int64 v) : fKind(kNumber), fIsInt(true), fInt(v), fDouble(double(v)) {}
    XGJson(uint32 v) : XGJson(int64(v)) {}
    XGJson(double v) : fKind(kNumber), fDouble(v) {}
    XGJson(const char* s) : fKind(kString), fString(s) {}
    XGJson(std::string s) : fKind(kString), fString(std::move(s)) {}

    static XGJson Array() { return XGJson(kArray); }
    static XGJson Object() { return XGJson(kObject); }

    Kind GetKind() const { return fKind; }
    bool IsNull() const { return fKind == kNull; }
    bool IsBool() const { return fKind == kBool; }
    bool IsNumber() const { return fKind == kNumber; }
    // A number written without fraction or exponent that fits 64 bits.
    bool IsInteger() const { return fKind == kNumber && fIsInt; }
    bool IsString() const { return fKind == kString; }
    bool IsArray() const { return fKind == kArray; }
    bool IsObject() const { return fKind == kObject; }

    bool GetBool(bool fallback = false) const { return fKind == kBool ? fBool : fallback; }
    int64 GetInt(int64 fallback = 0) const;
    double GetDouble(double fallback = 0) const { return fKind == kNumber ? fDouble : fallback; }
    // The text of a string; empty for anything else.
    const std::string& GetString() const;

    // Lists.
    size_t Size() const { return fKind == kArray ? fItems.size() : fKind == kObject ? fMembers.size() : 0; }
    const XGJson& At(size_t index) const; // null past the end or for a non-list
    XGJson& Append(XGJson value);         // makes a null into a list first
    const std::vector<XGJson>& Items() const { return fItems; }

    // Objects.
    bool Has(const std::string& name) const { return Find(name) != nullptr; }
    const XGJson* Find(const std::string& name) const;
    // The member, or null when it is missing (or this is not an object).
    const XGJson& operator[](const std::string& name) const;
    // Adds or replaces a member (makes a null into an object first).
    XGJson& Set(const std::string& name, XGJson value);
    const std::vector<Member>& Members() const { return fMembers; }

    bool operator==(const XGJson& other) const;

    // Reads a JSON text (one value, surrounded by white space at most). False, with a reason
    // and the byte offset in `error`, for anything else; a value nested deeper than `maxDepth`
    // is refused rather than read.
    static bool Parse(const std::string& text, XGJson& out, std::string& error, int32 maxDepth = 512);
    // The JSON text; indented two spaces a level and one member or item a line when asked.
    // Text that is not UTF-8 is written with U+FFFD in place of the bytes that are not.
    std::string Write(bool indented = true) const;

private:
    friend class XGJsonReader;
    explicit XGJson(Kind kind) : fKind(kind) {}
    void WriteTo(std::string& out, bool indented, int depth) const;

    Kind fKind = kNull;
    bool fBool = false;
    bool fIsInt = false;
    int64 fInt = 0;
    double fDouble = 0;
    std::string fString;
    std::vector<XGJson> fItems;
    std::vector<Member> fMembers;
};

// Appends the text as a JSON string (quotes included) to out, with the escapes JSON needs.
void XGJsonQuote(const std::string& text, std::string& out);

} // namespace yaaf
