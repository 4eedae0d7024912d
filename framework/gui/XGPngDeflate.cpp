#include "XGPngDeflate.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>

#include <zlib.h>

namespace yaaf {

namespace {

constexpr int kLitLenSymbols = 286;
constexpr int kDistSymbols = 30;
constexpr int kMaxBits = 15;
constexpr int kMaxCodeLengthBits = 7;
constexpr int kMaxMatch = 258;
constexpr int kMinMatch = 3;
// Tokens gathered before a block is written: bounds the memory a large picture takes.
constexpr size_t kBlockTokens = size_t(1) << 15;
constexpr uint64 kAdlerBase = 65521;

constexpr uint16 kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8 kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint8 kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// A match token: the top bit set, bit 30 for distance 3 (else 1), the length below.
constexpr uint32 kMatchBit = 0x80000000u;
constexpr uint32 kDist3Bit = 0x40000000u;

struct LengthCode {
    uint16 symbol;
    uint8 extraBits;
    uint16 extra;
};

struct LengthTable {
    LengthCode codes[kMaxMatch + 1];
    LengthTable() : codes() {
        for (int len = kMinMatch; len <= kMaxMatch; ++len) {
            int c = 28;
            while (kLengthBase[c] > len)
                --c;
            codes[len] = {uint16(257 + c), kLengthExtra[c], uint16(len - kLengthBase[c])};
        }
    }
};
const LengthTable& Lengths() {
    static const LengthTable s_table;
    return s_table;
}

class BitWriter {
public:
    // Appends to `out` (which may hold bytes already) until Flush.
    explicit BitWriter(std::vector<uint8>& out) : fOut(out), fPos(out.size()) {}
    // At most 31 bits at a time.
    void Put(uint32 bits, int count) {
        Cursor c = Take(4);
        c.Put(bits, count);
        Release(c);
    }
    // Writes what is left to whole bytes and gives `out` its written size.
    void Flush() {
        fOut.resize(fPos);
        for (; fCount > 0; fCount -= 8) {
            fOut.push_back(uint8(fAcc));
            fAcc >>= 8;
        }
        fAcc = 0;
        fCount = 0;
        fPos = fOut.size();
    }
    // Bytes written so far (whole ones).
    size_t Written() const { return fPos; }
    // The writer's state in local variables, for a loop of many codes, with room for `bytes`
    // more made beforehand; Release gives it back.
    struct Cursor {
        uint64 acc;
        int count;
        uint8* p;
        void Put(uint32 bits, int n) {
            acc |= uint64(bits) << count;
            count += n;
            if (count >= 32) {
                p[0] = uint8(acc);
                p[1] = uint8(acc >> 8);
                p[2] = uint8(acc >> 16);
                p[3] = uint8(acc >> 24);
                p += 4;
                acc >>= 32;
                count -= 32;
            }
        }
    };
    Cursor Take(size_t bytes) {
        if (fPos + bytes > fOut.size()) fOut.resize(std::max(fPos + bytes, fOut.size() + fOut.size() / 2));
        return {fAcc, fCount, fOut.data() + fPos};
    }
    void Release(const Cursor& c) {
        fAcc = c.acc;
        fCount = c.count;
        fPos = size_t(c.p - fOut.data());
    }
    // Whole bytes after a Flush.
    void Append(std::initializer_list<uint8> bytes) {
        fOut.insert(fOut.end(), bytes);
        fPos = fOut.size();
    }

private:
    std::vector<uint8>& fOut;
    size_t fPos;
    uint64 fAcc = 0;
    int fCount = 0;
};

// Huffman code lengths of at most maxBits for the frequencies (at most kLitLenSymbols of them);
// unused symbols get 0. The tree is built from the leaves sorted by weight and the inner nodes
// in the order they are made, whose weights never fall, so that no heap is needed. Too long a
// code is avoided by flattening the frequencies and building again.
std::vector<uint8> CodeLengths(std::vector<uint32> freq, int maxBits) {
    const int n = int(freq.size());
    std::vector<uint8> lengths(size_t(n), 0);
    int leaves[kLitLenSymbols];
    uint64 weight[2 * kLitLenSymbols];
    int parent[2 * kLitLenSymbols];
    uint8 depth[2 * kLitLenSymbols];
    for (;;) {
        int m = 0;
        for (int s = 0; s < n; ++s)
            if (freq[size_t(s)]) leaves[m++] = s;
        if (m == 0) return lengths;
        if (m == 1) {
            lengths[size_t(leaves[0])] = 1;
            return lengths;
        }
        std::sort(leaves, leaves + m, [&freq](int a, int b) {
            return freq[size_t(a)] != freq[size_t(b)] ? freq[size_t(a)] < freq[size_t(b)] : a < b;
        });
        // Nodes 0 to m - 1 are the leaves in that order, m on the inner nodes.
        for (int i = 0; i < m; ++i)
            weight[i] = freq[size_t(leaves[i])];
        int leaf = 0, inner = m, made = m;
        const auto lightest = [&]() { return leaf < m && (inner >= made || weight[leaf] <= weight[inner]) ? leaf++ : inner++; };
        for (int k = 0; k < m - 1; ++k) {
            const int a = lightest(), b = lightest();
            weight[made] = weight[a] + weight[b];
            parent[a] = parent[b] = made;
            ++made;
        }
        // A parent is made after its children: depths from the root down.
        depth[made - 1] = 0;
        int longest = 0;
        for (int i = made - 2; i >= 0; --i) {
            depth[i] = uint8(std::min(255, depth[parent[i]] + 1));
            if (i < m) longest = std::max<int>(longest, depth[i]);
        }
        if (longest <= maxBits) {
            for (int i = 0; i < m; ++i)
                lengths[size_t(leaves[i])] = depth[i];
            return lengths;
        }
        for (uint32& f : freq)
            if (f) f = (f >> 1) | 1;
    }
}

// Canonical codes for the lengths, bit-reversed for writing first bit first.
std::vector<uint16> CanonicalCodes(const std::vector<uint8>& lengths) {
    uint16 count[kMaxBits + 1] = {}, next[kMaxBits + 2] = {};
    for (uint8 l : lengths)
        if (l) ++count[l];
    uint16 code = 0;
    for (int bits = 1; bits <= kMaxBits; ++bits) {
        code = uint16((code + count[bits - 1]) << 1);
        next[bits] = code;
    }
    std::vector<uint16> codes(lengths.size(), 0);
    for (size_t s = 0; s < lengths.size(); ++s) {
        const int l = lengths[s];
        if (!l) continue;
        uint16 c = next[l]++, reversed = 0;
        for (int i = 0; i < l; ++i) {
            reversed = uint16((reversed << 1) | (c & 1));
            c >>= 1;
        }
        codes[s] = reversed;
    }
    return codes;
}

// The lengths of both codes as the block header sends them: symbols 0 to 18 with their extra
// bits (16 repeats the last length 3 to 6 times, 17 and 18 give 3 to 10 and 11 to 138 zeros).
struct LengthRun {
    uint8 symbol;
    uint8 extra;
};
std::vector<LengthRun> RunLengths(const std::vector<uint8>& all) {
    std::vector<LengthRun> runs;
    for (size_t i = 0; i < all.size();) {
        const uint8 l = all[i];
        size_t j = i + 1;
        while (j < all.size() && all[j] == l)
            ++j;
        size_t run = j - i;
        if (l == 0) {
            while (run >= 11) {
                const size_t take = std::min<size_t>(run, 138);
                runs.push_back({18, uint8(take - 11)});
                run -= take;
            }
            if (run >= 3) {
                runs.push_back({17, uint8(run - 3)});
                run = 0;
            }
        } else {
            runs.push_back({l, 0});
            --run;
            while (run >= 3) {
                const size_t take = std::min<size_t>(run, 6);
                runs.push_back({16, uint8(take - 3)});
                run -= take;
            }
        }
        for (; run > 0; --run)
            runs.push_back({l, 0});
        i = j;
    }
    return runs;
}

class Deflater {
public:
    explicit Deflater(std::vector<uint8>& out) : fBits(out) { fTokens.reserve(kBlockTokens + 4096); }

    // One row of pixels, filtered by the row above (none for the first row): what is unchanged
    // from the row above is zeros, which are counted rather than looked at byte by byte. With
    // `opaqueOnly`, false at a pixel that is not opaque.
    bool AddRow(const uint32* line, const uint32* above, int32 width, bool opaqueOnly) {
        static const uint8 kUp = 2;
        Bytes(&kUp, 1);
        uint32 all = 0xFFFFFFFFu;
        for (int32 x = 0; x < width;) {
            int32 e = x;
            if (above) {
                uint64 a, b;
                while (e + 2 <= width &&
                       (std::memcpy(&a, line + e, 8), std::memcpy(&b, above + e, 8), a == b))
                    e += 2;
                while (e < width && line[e] == above[e])
                    ++e;
            }
            if (e > x) {
                // The row above was checked already.
                Zeros(size_t(e - x) * 3);
                x = e;
                continue;
            }
            e = x + 1;
            if (!above)
                e = width;
            else
                while (e < width && line[e] != above[e])
                    ++e;
            fRow.resize(size_t(e - x) * 3);
            uint8* p = fRow.data();
            for (int32 i = x; i < e; ++i) {
                const uint32 c = line[i], u = above ? above[i] : 0;
                all &= c;
                *p++ = uint8((c >> 16) - (u >> 16));
                *p++ = uint8((c >> 8) - (u >> 8));
                *p++ = uint8(c - u);
            }
            Bytes(fRow.data(), fRow.size());
            x = e;
        }
        if (opaqueOnly && (all >> 24) != 0xFF) return false;
        if (fTokens.size() >= kBlockTokens) WriteBlock(false);
        return true;
    }

    // Ends the data; with more to follow (from another deflater) on a whole byte with an empty
    // stored block, where the next one's blocks can go on.
    void Finish(bool last) {
        WriteBlock(last);
        if (!last) fBits.Put(0, 3); // not final, stored
        fBits.Flush();
        if (!last) fBits.Append({0x00, 0x00, 0xFF, 0xFF});
    }

    uint32 Adler() const { return uint32(fAdler); }
    // The bytes compressed so far, before compression.
    uint64 Raw() const { return fRaw; }
    // Bytes of the output that are final.
    size_t Written() const { return fBits.Written(); }

private:
    // n zero bytes.
    void Zeros(size_t n) {
        fRaw += n;
        const uint64 s1 = fAdler & 0xFFFF, s2 = fAdler >> 16;
        fAdler = uLong(((s2 + (n % kAdlerBase) * s1) % kAdlerBase) << 16 | s1);
        if (fLast != 0) {
            Literal(0);
            --n;
        }
        for (size_t left = Match(n, false); left > 0; --left)
            Literal(0);
        fLast = 0;
    }

    // Bytes as they come: runs of one byte and repeats of the pixel before become matches.
    void Bytes(const uint8* f, size_t n) {
        fRaw += n;
        fAdler = adler32(fAdler, f, uInt(n));
        size_t i = 0;
        while (i < n) {
            // Eight bytes at once where none equals the byte after it (no run starts) nor the
            // byte three before (no repeat of the pixel before starts): eight literals, as the
            // byte-by-byte way below would find. Smoothed text is mostly such bytes.
            while (i >= 3 && i + 9 <= n) {
                uint64 x, y, z;
                std::memcpy(&x, f + i, 8);
                std::memcpy(&y, f + i + 1, 8);
                std::memcpy(&z, f + i - 3, 8);
                if (HasZeroByte(x ^ y) || HasZeroByte(x ^ z)) break;
                for (size_t k = 0; k < 8; ++k)
                    Literal(f[i + k]);
                i += 8;
            }
            if (i >= n) break;
            const uint8 b = f[i];
            size_t j = i + 1;
            const uint64 pattern = uint64(b) * 0x0101010101010101ull;
            uint64 word;
            while (j + 8 <= n && (std::memcpy(&word, f + j, 8), word == pattern))
                j += 8;
            while (j < n && f[j] == b)
                ++j;
            const size_t run = j - i;
            if (run > size_t(kMinMatch)) {
                Literal(b);
                for (size_t left = Match(run - 1, false); left > 0; --left)
                    Literal(b);
                i = j;
                continue;
            }
            if (i >= 3) {
                size_t k = 0;
                while (i + k < n && f[i + k] == f[i + k - 3])
                    ++k;
                if (k >= size_t(kMinMatch)) {
                    for (size_t left = Match(k, true); left > 0; --left)
                        Literal(f[i + k - left]);
                    i += k;
                    continue;
                }
            }
            Literal(b);
            ++i;
        }
        if (n) fLast = f[n - 1];
    }

    void Literal(uint8 b) { fTokens.push_back(b); }
    static bool HasZeroByte(uint64 v) {
        return ((v - 0x0101010101010101ull) & ~v & 0x8080808080808080ull) != 0;
    }
    // Matches for `run` bytes; answers how many are left over (fewer than a match takes).
    size_t Match(size_t run, bool dist3) {
        while (run >= size_t(kMinMatch)) {
            size_t take = std::min<size_t>(run, kMaxMatch);
            if (run - take > 0 && run - take < size_t(kMinMatch)) take = run - kMinMatch;
            fTokens.push_back(kMatchBit | (dist3 ? kDist3Bit : 0) | uint32(take));
            run -= take;
        }
        return run;
    }

    void WriteBlock(bool last);

    BitWriter fBits;
    std::vector<uint32> fTokens;
    uLong fAdler = adler32(0, nullptr, 0);
    uint64 fRaw = 0;
    int fLast = -1; // the last byte of the stream, -1 before the first
    std::vector<uint8> fRow;
};

void Deflater::WriteBlock(bool last) {
    const LengthTable& lengths = Lengths();
    std::vector<uint32> litFreq(kLitLenSymbols, 0), distFreq(kDistSymbols, 0);
    for (uint32 t : fTokens) {
        if (!(t & kMatchBit)) {
            ++litFreq[t];
        } else {
            ++litFreq[lengths.codes[t & 0xFFFF].symbol];
            ++distFreq[t & kDist3Bit ? 2 : 0];
        }
    }
    litFreq[256] = 1;
    if (!distFreq[0] && !distFreq[2]) distFreq[0] = 1;
    const std::vector<uint8> litLen = CodeLengths(litFreq, kMaxBits);
    const std::vector<uint8> distLen = CodeLengths(distFreq, kMaxBits);
    const std::vector<uint16> litCode = CanonicalCodes(litLen);
    const std::vector<uint16> distCode = CanonicalCodes(distLen);

    int nlit = kLitLenSymbols;
    while (nlit > 257 && !litLen[size_t(nlit - 1)])
        --nlit;
    int ndist = kDistSymbols;
    while (ndist > 1 && !distLen[size_t(ndist - 1)])
        --ndist;
    std::vector<uint8> all(litLen.begin(), litLen.begin() + nlit);
    all.insert(all.end(), distLen.begin(), distLen.begin() + ndist);
    const std::vector<LengthRun> runs = RunLengths(all);
    std::vector<uint32> clFreq(19, 0);
    for (const LengthRun& r : runs)
        ++clFreq[r.symbol];
    const std::vector<uint8> clLen = CodeLengths(clFreq, kMaxCodeLengthBits);
    const std::vector<uint16> clCode = CanonicalCodes(clLen);
    int nclen = 19;
    while (nclen > 4 && !clLen[kCodeLengthOrder[nclen - 1]])
        --nclen;

    fBits.Put(last ? 1 : 0, 1);
    fBits.Put(2, 2); // dynamic Huffman codes
    fBits.Put(uint32(nlit - 257), 5);
    fBits.Put(uint32(ndist - 1), 5);
    fBits.Put(uint32(nclen - 4), 4);
    for (int i = 0; i < nclen; ++i)
        fBits.Put(clLen[kCodeLengthOrder[i]], 3);
    static constexpr uint8 kRunExtraBits[3] = {2, 3, 7};
    for (const LengthRun& r : runs) {
        fBits.Put(clCode[r.symbol], clLen[r.symbol]);
        if (r.symbol >= 16) fBits.Put(r.extra, kRunExtraBits[r.symbol - 16]);
    }

    // Each length's code with its extra bits, and each distance's code, put at once.
    uint32 lengthBits[kMaxMatch + 1] = {}, distBits[2] = {distCode[0], distCode[2]};
    uint8 lengthCount[kMaxMatch + 1] = {}, distCount[2] = {distLen[0], distLen[2]};
    for (int len = kMinMatch; len <= kMaxMatch; ++len) {
        const LengthCode& lc = lengths.codes[len];
        lengthBits[len] = litCode[lc.symbol] | uint32(lc.extra) << litLen[lc.symbol];
        lengthCount[len] = uint8(litLen[lc.symbol] + lc.extraBits);
    }
    // A token takes at most 15 + 5 + 15 bits.
    BitWriter::Cursor out = fBits.Take(fTokens.size() * 5 + 16);
    for (uint32 t : fTokens) {
        if (!(t & kMatchBit)) {
            out.Put(litCode[t], litLen[t]);
            continue;
        }
        const uint32 len = t & 0xFFFF;
        out.Put(lengthBits[len], lengthCount[len]);
        const int d = t & kDist3Bit ? 1 : 0;
        out.Put(distBits[d], distCount[d]);
    }
    fBits.Release(out);
    fBits.Put(litCode[256], litLen[256]);
    fTokens.clear();
}

void PutBE32(std::vector<uint8>& out, uint32 v) {
    out.push_back(uint8(v >> 24));
    out.push_back(uint8(v >> 16));
    out.push_back(uint8(v >> 8));
    out.push_back(uint8(v));
}

void PutChunk(std::vector<uint8>& out, const char* type, const uint8* data, size_t size) {
    PutBE32(out, uint32(size));
    const size_t at = out.size();
    out.insert(out.end(), type, type + 4);
    if (size) out.insert(out.end(), data, data + size);
    PutBE32(out, uint32(crc32(0, out.data() + at, uInt(size + 4))));
}

} // namespace

// The first part makes the file in one buffer as the rows come: signature, header, then the
// picture data's chunk, whose length and check sum are filled in at the end. Each part brings
// the check sum of its own bytes up to date as they grow, so that little of it is left for the
// end, and the parts' sums are combined.
struct XGPngRowEncoder::Impl {
    Impl(int32 w, int32 h, bool opaque) : width(w), height(h), opaqueOnly(opaque) {}
    int32 width, height;
    bool opaqueOnly;
    std::vector<uint8> bytes;
    size_t idatAt = 0;  // the first part: where the picture data's chunk (its length) begins
    size_t crcFrom = 0; // where the bytes the check sum covers begin
    size_t crcDone = 0; // up to where `crc` has taken them
    uLong crc = 0;
    std::unique_ptr<Deflater> deflater;

    void UpdateCrc(size_t upTo) {
        crc = crc32(crc, bytes.data() + crcDone, uInt(upTo - crcDone));
        crcDone = upTo;
    }
};

XGPngRowEncoder::XGPngRowEncoder(int32 width, int32 height, bool opaqueOnly, bool firstB)
    : fImpl(std::make_unique<Impl>(std::max(width, 0), std::max(height, 0), opaqueOnly)) {
    Impl& d = *fImpl;
    const size_t rowBytes = size_t(d.width) * 3 + 1;
    d.bytes.reserve(rowBytes * size_t(d.height) / 8 + 1024);
    if (firstB) {
        static const uint8 kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        d.bytes.assign(kSignature, kSignature + 8);
        std::vector<uint8> header;
        PutBE32(header, uint32(d.width));
        PutBE32(header, uint32(d.height));
        header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, truecolour, deflate, adaptive, none
        PutChunk(d.bytes, "IHDR", header.data(), header.size());
        d.idatAt = d.bytes.size();
        PutBE32(d.bytes, 0);
        d.bytes.insert(d.bytes.end(), {'I', 'D', 'A', 'T'});
        d.bytes.push_back(0x78); // deflate with a 32 KiB window, no dictionary
        d.bytes.push_back(0x01);
        d.crcFrom = d.crcDone = d.idatAt + 4;
    }
    d.deflater = std::make_unique<Deflater>(d.bytes);
}

XGPngRowEncoder::~XGPngRowEncoder() = default;

bool XGPngRowEncoder::AddRow(const uint32* line, const uint32* above) {
    Impl& d = *fImpl;
    if (!d.deflater->AddRow(line, above, d.width, d.opaqueOnly)) return false;
    const size_t written = d.deflater->Written();
    if (written - d.crcDone >= (size_t(1) << 16)) d.UpdateCrc(written);
    return true;
}

void XGPngRowEncoder::End(bool lastB) {
    Impl& d = *fImpl;
    d.deflater->Finish(lastB);
    d.UpdateCrc(d.bytes.size());
}

void XGPngRowEncoder::Join(const std::vector<const XGPngRowEncoder*>& later, std::vector<uint8>& out) {
    Impl& d = *fImpl;
    uLong adler = d.deflater->Adler(), crc = d.crc;
    size_t total = d.bytes.size() + 16;
    for (const XGPngRowEncoder* partP : later)
        total += partP->fImpl->bytes.size();
    d.bytes.reserve(total);
    for (const XGPngRowEncoder* partP : later) {
        const Impl& p = *partP->fImpl;
        adler = adler32_combine(adler, p.deflater->Adler(), z_off_t(p.deflater->Raw()));
        crc = crc32_combine(crc, p.crc, z_off_t(p.bytes.size()));
        d.bytes.insert(d.bytes.end(), p.bytes.begin(), p.bytes.end());
    }
    const size_t adlerAt = d.bytes.size();
    PutBE32(d.bytes, uint32(adler));
    crc = crc32(crc, d.bytes.data() + adlerAt, 4);
    const uint32 length = uint32(d.bytes.size() - d.idatAt - 8);
    for (int i = 0; i < 4; ++i)
        d.bytes[d.idatAt + size_t(i)] = uint8(length >> (24 - 8 * i));
    PutBE32(d.bytes, uint32(crc));
    PutChunk(d.bytes, "IEND", nullptr, 0);
    out.swap(d.bytes);
    d.bytes.clear();
}

void XGPngRowEncoder::Finish(std::vector<uint8>& out) {
    End(true);
    Join({}, out);
}

bool XGEncodeRowsPNG(const uint32* pixels, int32 width, int32 height, int32 stride, bool opaqueOnly,
                     std::vector<uint8>& out) {
    XGPngRowEncoder encoder(width, height, opaqueOnly);
    for (int32 y = 0; y < height; ++y) {
        const uint32* line = pixels + size_t(y) * size_t(stride);
        if (!encoder.AddRow(line, y ? line - stride : nullptr)) return false;
    }
    encoder.Finish(out);
    return true;
}

} // namespace yaaf
