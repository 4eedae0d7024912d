#include "XGStringScanner.h"

#include <algorithm>
#include <cstdlib>

namespace yaaf {

XGStringScanner::XGStringScanner(const XGToken* table, bool ignoreCase) : fIgnoreCase(ignoreCase) {
    for (const XGToken* t = table; t && t->name && t->name[0]; ++t) {
        std::string name(t->name);
        for (char& c : name)
            c = char(Fold((unsigned char)c));
        fEntries.push_back({std::move(name), t->id});
    }
    std::vector<int32> all(fEntries.size());
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = int32(i);
    fRoot = Build(all, 0);
}

unsigned char XGStringScanner::Fold(unsigned char c) const {
    return fIgnoreCase && c >= 'a' && c <= 'z' ? (unsigned char)(c - 'a' + 'A') : c;
}

// `entries` all agree on the characters before `pos`.
int32 XGStringScanner::Build(std::vector<int32>& entries, size_t pos) {
    if (entries.empty()) return -1;
    // Sorting by the character at pos (stable, so table order decides among equals).
    std::stable_sort(entries.begin(), entries.end(), [&](int32 a, int32 b) {
        return CharAt(fEntries[a].name, pos) < CharAt(fEntries[b].name, pos);
    });
    // The split character leaves the smallest difference between the entries below and above it.
    const size_t n = entries.size();
    size_t bestStart = 0, bestEnd = 0;
    long bestDiff = -1;
    for (size_t start = 0; start < n;) {
        const unsigned char c = CharAt(fEntries[entries[start]].name, pos);
        size_t end = start;
        while (end < n && CharAt(fEntries[entries[end]].name, pos) == c)
            ++end;
        const long diff = std::labs(long(start) - long(n - end));
        if (bestDiff < 0 || diff < bestDiff) {
            bestDiff = diff;
            bestStart = start;
            bestEnd = end;
        }
        start = end;
    }

    const int32 index = int32(fNodes.size());
    fNodes.emplace_back();
    const unsigned char split = CharAt(fEntries[entries[bestStart]].name, pos);
    fNodes[index].split = split;

    std::vector<int32> lower(entries.begin(), entries.begin() + long(bestStart));
    std::vector<int32> middle(entries.begin() + long(bestStart), entries.begin() + long(bestEnd));
    std::vector<int32> upper(entries.begin() + long(bestEnd), entries.end());

    // fNodes may grow inside Build: store results through the index, never through a reference.
    const int32 lo = Build(lower, pos);
    fNodes[index].lo = lo;
    const int32 hi = Build(upper, pos);
    fNodes[index].hi = hi;
    if (split == 0) {
        fNodes[index].endId = fEntries[middle.front()].id;
    } else if (middle.size() == 1) {
        fNodes[index].leaf = middle.front();
    } else {
        const int32 eq = Build(middle, pos + 1);
        fNodes[index].eq = eq;
    }
    return index;
}

int16 XGStringScanner::GetValue(const char* name) const {
    if (!name) return -1;
    int32 node = fRoot;
    size_t pos = 0;
    while (node >= 0) {
        const Node& n = fNodes[size_t(node)];
        const unsigned char c = Fold((unsigned char)name[pos]);
        if (c < n.split) {
            node = n.lo;
        } else if (c > n.split) {
            node = n.hi;
        } else if (n.split == 0) {
            return n.endId;
        } else if (n.leaf >= 0) {
            // The rest of the name is compared character by character.
            const std::string& rest = fEntries[size_t(n.leaf)].name;
            size_t i = pos + 1;
            for (;; ++i) {
                const unsigned char k = Fold((unsigned char)name[i]);
                const unsigned char e = CharAt(rest, i);
                if (k != e) return -1;
                if (k == 0) return fEntries[size_t(n.leaf)].id;
            }
        } else {
            node = n.eq;
            ++pos;
        }
    }
    return -1;
}

} // namespace yaaf
