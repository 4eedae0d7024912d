#include "XGZip.h"

#include <zip.h>

#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace yaaf {

bool XGZipIsSafeName(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.find('\\') != std::string::npos ||
        name.find('\0') != std::string::npos)
        return false;
    size_t start = 0;
    for (;;) {
        const size_t slash = name.find('/', start);
        const std::string part =
            name.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part.empty() || part == "." || part == "..") return false;
        if (slash == std::string::npos) return true;
        start = slash + 1;
    }
}

struct XGZipReader::Impl {
    std::vector<uint8> bytes;
    zip_t* archive = nullptr;
    Limits limits;
    int64 totalRead = 0;
    std::unordered_map<std::string, zip_uint64_t> index;

    ~Impl() {
        if (archive) zip_discard(archive);
    }
};

XGZipReader::XGZipReader() : fImpl(std::make_unique<Impl>()) {}
XGZipReader::~XGZipReader() = default;

bool XGZipReader::Open(std::vector<uint8> bytes, std::string& error, const Limits& limits) {
    fImpl = std::make_unique<Impl>();
    fNames.clear();
    Impl& d = *fImpl;
    d.bytes = std::move(bytes);
    d.limits = limits;
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t* source = zip_source_buffer_create(d.bytes.data(), d.bytes.size(), 0, &zerr);
    if (!source) {
        error = "cannot read the package";
        zip_error_fini(&zerr);
        return false;
    }
    d.archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zerr);
    if (!d.archive) {
        zip_source_free(source);
        error = std::string("not a zip package (") + zip_error_strerror(&zerr) + ")";
        zip_error_fini(&zerr);
        return false;
    }
    zip_error_fini(&zerr);
    const zip_int64_t count = zip_get_num_entries(d.archive, 0);
    if (count < 0 || count > limits.maxEntries) {
        error = "the package holds more than " + std::to_string(limits.maxEntries) + " files";
        return false;
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(d.archive, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        if (!name) continue;
        fNames.emplace_back(name);
        d.index.emplace(name, zip_uint64_t(i));
    }
    return true;
}

bool XGZipReader::Has(const std::string& name) const {
    return fImpl->index.count(name) != 0;
}

bool XGZipReader::Read(const std::string& name, std::vector<uint8>& out, std::string& error) {
    Impl& d = *fImpl;
    if (!XGZipIsSafeName(name)) {
        error = "\"" + name + "\" lies outside the package";
        return false;
    }
    const auto it = d.index.find(name);
    if (!d.archive || it == d.index.end()) {
        error = "\"" + name + "\" is not in the package";
        return false;
    }
    zip_file_t* file = zip_fopen_index(d.archive, it->second, 0);
    if (!file) {
        error = "\"" + name + "\" cannot be unpacked (" + zip_strerror(d.archive) + ")";
        return false;
    }
    // The sizes the archive states may lie: what is unpacked is counted as it comes.
    out.clear();
    uint8 buffer[65536];
    bool ok = true;
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            error = "\"" + name + "\" is damaged";
            ok = false;
            break;
        }
        if (n == 0) break;
        if (int64(out.size()) + n > d.limits.maxEntryBytes) {
            error = "\"" + name + "\" unpacks to more than " + std::to_string(d.limits.maxEntryBytes >> 20) +
                    " MiB";
            ok = false;
            break;
        }
        if (d.totalRead + n > d.limits.maxTotalBytes) {
            error =
                "the package unpacks to more than " + std::to_string(d.limits.maxTotalBytes >> 20) + " MiB";
            ok = false;
            break;
        }
        d.totalRead += n;
        out.insert(out.end(), buffer, buffer + n);
    }
    if (zip_fclose(file) != 0 && ok) {
        error = "\"" + name + "\" is damaged";
        ok = false;
    }
    if (!ok) out.clear();
    return ok;
}

void XGZipWriter::Add(const std::string& name, std::vector<uint8> bytes) {
    for (auto& e : fEntries)
        if (e.first == name) {
            e.second = std::move(bytes);
            return;
        }
    fEntries.emplace_back(name, std::move(bytes));
}

namespace {

bool IsCompressedPicture(const std::vector<uint8>& b) {
    static const uint8 kPNG[] = {0x89, 'P', 'N', 'G'};
    static const uint8 kJPEG[] = {0xFF, 0xD8, 0xFF};
    static const uint8 kGIF[] = {'G', 'I', 'F', '8'};
    auto starts = [&](const uint8* sig, size_t n) {
        return b.size() >= n && std::memcmp(b.data(), sig, n) == 0;
    };
    return starts(kPNG, 4) || starts(kJPEG, 3) || starts(kGIF, 4);
}

} // namespace

bool XGZipWriter::Finish(std::vector<uint8>& out, std::string& error) {
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &zerr);
    if (!target) {
        error = "out of memory";
        zip_error_fini(&zerr);
        return false;
    }
    zip_source_keep(target);
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &zerr);
    zip_error_fini(&zerr);
    if (!archive) {
        zip_source_free(target);
        error = "cannot make a zip package";
        return false;
    }
    bool ok = true;
    for (const auto& [name, bytes] : fEntries) {
        if (!XGZipIsSafeName(name)) {
            error = "unsafe name \"" + name + "\"";
            ok = false;
            break;
        }
        // The source takes its own copy (freed by libzip), so the entries may go first.
        void* copy = std::malloc(bytes.empty() ? 1 : bytes.size());
        if (!copy) {
            error = "out of memory";
            ok = false;
            break;
        }
        if (!bytes.empty()) std::memcpy(copy, bytes.data(), bytes.size());
        zip_source_t* s = zip_source_buffer(archive, copy, bytes.size(), 1);
        if (!s) {
            std::free(copy);
            error = "out of memory";
            ok = false;
            break;
        }
        const zip_int64_t index = zip_file_add(archive, name.c_str(), s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(s);
            error = std::string("cannot add \"") + name + "\": " + zip_strerror(archive);
            ok = false;
            break;
        }
        if (IsCompressedPicture(bytes))
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    if (!ok) {
        zip_discard(archive);
        zip_source_free(target);
        return false;
    }
    if (zip_close(archive) != 0) {
        error = std::string("cannot finish the package: ") + zip_strerror(archive);
        zip_discard(archive);
        zip_source_free(target);
        return false;
    }
    zip_stat_t st;
    ok = zip_source_open(target) == 0;
    if (ok) {
        ok = zip_source_stat(target, &st) == 0 && (st.valid & ZIP_STAT_SIZE);
        if (ok) {
            out.resize(size_t(st.size));
            ok = zip_source_read(target, out.data(), st.size) == zip_int64_t(st.size);
        }
        zip_source_close(target);
    }
    zip_source_free(target);
    if (!ok) error = "cannot read the finished package";
    return ok;
}

std::string XGBase64Encode(const uint8* data, size_t size) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((size + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < size; i += 3) {
        const uint32 v = uint32(data[i]) << 16 | uint32(data[i + 1]) << 8 | data[i + 2];
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    if (i < size) {
        uint32 v = uint32(data[i]) << 16;
        if (i + 1 < size) v |= uint32(data[i + 1]) << 8;
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += i + 1 < size ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool XGBase64Decode(const std::string& text, std::vector<uint8>& out) {
    out.clear();
    out.reserve(text.size() / 4 * 3);
    uint32 acc = 0;
    int bits = 0;
    bool padding = false;
    for (const char c : text) {
        int v;
        if (c >= 'A' && c <= 'Z')
            v = c - 'A';
        else if (c >= 'a' && c <= 'z')
            v = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            v = c - '0' + 52;
        else if (c == '+' || c == '-')
            v = 62; // the URL-safe alphabet too
        else if (c == '/' || c == '_')
            v = 63;
        else if (c == '=') {
            padding = true;
            continue;
        } else if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            continue;
        } else {
            return false;
        }
        if (padding) return false; // data after the padding
        acc = (acc << 6) | uint32(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(uint8(acc >> bits));
            acc &= (1u << bits) - 1;
        }
    }
    return true;
}

} // namespace yaaf
