#pragma once
// Zip archives in memory: reading the entries of a package (with limits, so that an archive
// that unpacks to far more than it holds is refused rather than unpacked) and writing one.

#include "XGTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace yaaf {

// A name inside an archive that stays inside it: relative, "/"-separated, without empty, "."
// or ".." parts, backslashes or NUL.
bool XGZipIsSafeName(const std::string& name);

class XGZipReader {
public:
    struct Limits {
        int64 maxEntries = 20000;
        int64 maxEntryBytes = int64(64) << 20;  // one entry, unpacked
        int64 maxTotalBytes = int64(256) << 20; // all entries read, unpacked
    };

    XGZipReader();
    ~XGZipReader();
    XGZipReader(const XGZipReader&) = delete;
    XGZipReader& operator=(const XGZipReader&) = delete;

    // Opens the archive held in bytes (copied). False with a reason for what is not a zip
    // archive or holds more entries than the limit.
    bool Open(std::vector<uint8> bytes, std::string& error, const Limits& limits);
    bool Open(std::vector<uint8> bytes, std::string& error) {
        return Open(std::move(bytes), error, Limits());
    }

    // The names of the entries, in the archive's order.
    const std::vector<std::string>& Names() const { return fNames; }
    bool Has(const std::string& name) const;
    // Unpacks one entry. False with a reason for a name that is not safe or not there, an entry
    // that is damaged, or one that would pass the limits (counted over every read).
    bool Read(const std::string& name, std::vector<uint8>& out, std::string& error);

private:
    struct Impl;
    std::unique_ptr<Impl> fImpl;
    std::vector<std::string> fNames;
};

class XGZipWriter {
public:
    // Adds an entry (names must be safe; a name given twice keeps the last bytes). Pictures
    // that are already compressed are stored as they are.
    void Add(const std::string& name, std::vector<uint8> bytes);
    // The archive's bytes; false with a reason when it cannot be made.
    bool Finish(std::vector<uint8>& out, std::string& error);

private:
    std::vector<std::pair<std::string, std::vector<uint8>>> fEntries;
};

// Base64 (RFC 4648, with padding). Decoding skips white space and refuses anything else
// that is not of the alphabet.
std::string XGBase64Encode(const uint8* data, size_t size);
bool XGBase64Decode(const std::string& text, std::vector<uint8>& out);

} // namespace yaaf
