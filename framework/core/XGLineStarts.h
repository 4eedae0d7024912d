#pragma once
// The line-break table of a text: for every line but the last, the offset of the byte that ends
// it. Edits shift every entry after them; the shift is kept as one pending step that is only
// carried out between the places of two successive edits, so that typing at one place costs
// nothing per entry however long the text is.

#include "XGTypes.h"

#include <vector>

namespace yaaf {

class XGLineStarts {
public:
    int32 Count() const { return int32(fEntries.size()); }
    int32 Get(int32 index) const {
        return index >= fStepFrom ? fEntries[size_t(index)] + fStep : fEntries[size_t(index)];
    }

    void Clear() {
        fEntries.clear();
        fStepFrom = 0;
        fStep = 0;
    }
    void Reserve(int32 count) { fEntries.reserve(size_t(count)); }
    // Appending keeps the pending step where it is.
    void Append(int32 value) {
        const int32 index = Count();
        fEntries.push_back(index >= fStepFrom ? value - fStep : value);
    }

    // Adds delta to every entry at index `from` and after.
    void Shift(int32 from, int32 delta) {
        if (delta == 0) return;
        if (fStep == 0) {
            fStepFrom = from;
        } else if (from >= fStepFrom) {
            for (int32 i = fStepFrom; i < from && i < Count(); ++i)
                fEntries[size_t(i)] += fStep;
            fStepFrom = from;
        } else {
            for (int32 i = from; i < fStepFrom && i < Count(); ++i)
                fEntries[size_t(i)] -= fStep;
            fStepFrom = from;
        }
        fStep += delta;
    }

    void Insert(int32 index, int32 value) {
        if (index < fStepFrom) {
            fEntries.insert(fEntries.begin() + index, value);
            ++fStepFrom;
        } else {
            fEntries.insert(fEntries.begin() + index, value - fStep);
        }
    }

    void Set(int32 index, int32 value) {
        fEntries[size_t(index)] = index >= fStepFrom ? value - fStep : value;
    }

    // Replaces `count` entries from `index` with `values`, moving the entries behind only when
    // the number of entries changes.
    void Replace(int32 index, int32 count, const std::vector<int32>& values) {
        const int32 fresh = int32(values.size());
        const int32 common = fresh < count ? fresh : count;
        for (int32 i = 0; i < common; ++i)
            Set(index + i, values[size_t(i)]);
        if (fresh < count) {
            Remove(index + common, count - common);
        } else {
            for (int32 i = common; i < fresh; ++i)
                Insert(index + i, values[size_t(i)]);
        }
    }

    void Remove(int32 index, int32 count) {
        if (count <= 0) return;
        fEntries.erase(fEntries.begin() + index, fEntries.begin() + index + count);
        if (fStepFrom > index) fStepFrom = fStepFrom >= index + count ? fStepFrom - count : index;
    }

    // The number of entries below offset, which is the line that holds offset.
    int32 CountBelow(int32 offset) const {
        int32 lo = 0, hi = Count();
        while (lo < hi) {
            const int32 mid = lo + (hi - lo) / 2;
            if (Get(mid) < offset)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }

private:
    std::vector<int32> fEntries;
    int32 fStepFrom = 0; // entries from here on carry fStep
    int32 fStep = 0;
};

} // namespace yaaf
