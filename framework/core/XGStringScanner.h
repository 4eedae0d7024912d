#pragma once
// Keyword lookup: a token table turned into a balanced ternary search tree.

#include "XGTypes.h"

#include <string>
#include <vector>

namespace yaaf {

// One entry of a token table; a table ends with an entry without a name (null or "").
struct XGToken {
    const char* name;
    int16 id;
};

class XGStringScanner {
public:
    // The table is copied; it need not outlive the scanner. With ignoreCase, names and keys are
    // compared upper-cased.
    XGStringScanner(const XGToken* table, bool ignoreCase);

    // The id of the entry whose name equals `name` exactly, else -1. When a name appears twice
    // the first entry wins.
    int16 GetValue(const char* name) const;
    int16 GetValue(const std::string& name) const { return GetValue(name.c_str()); }

private:
    struct Entry {
        std::string name; // already upper-cased when case is ignored
        int16 id;
    };
    struct Node {
        unsigned char split = 0;
        int32 lo = -1, eq = -1, hi = -1; // node indexes
        int32 leaf = -1;                 // entry index: the only entry with `split` here, compared to the end
        int16 endId = -1;                // split == 0: the id of the entry ending here
    };

    int32 Build(std::vector<int32>& entries, size_t pos);
    unsigned char CharAt(const std::string& s, size_t pos) const { return pos < s.size() ? s[pos] : 0; }
    unsigned char Fold(unsigned char c) const;

    bool fIgnoreCase;
    std::vector<Entry> fEntries;
    std::vector<Node> fNodes;
    int32 fRoot = -1;
};

} // namespace yaaf
