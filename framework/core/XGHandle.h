#pragma once
// A resizable, lockable block of bytes: text, line-break tables, file images.
//
// While a handle is locked its data must not move, so a resize that would need a larger
// allocation is refused (SetSize answers false) until the last Unlock. Shrinking, and growing
// within the reserved capacity, never move the data and are allowed while locked.

#include "XGTypes.h"

#include <cstddef>
#include <vector>

namespace yaaf {

class XGHandle {
public:
    XGHandle() = default;
    explicit XGHandle(int32 size);
    XGHandle(const void* data, int32 size);
    // A copy holds its own bytes and starts unlocked.
    XGHandle(const XGHandle& other);
    XGHandle& operator=(const XGHandle& other);
    XGHandle(XGHandle&& other) noexcept;
    XGHandle& operator=(XGHandle&& other) noexcept;
    ~XGHandle() = default;

    int32 GetSize() const { return int32(fData.size()); }
    // New bytes are zero; existing bytes are kept. A negative size throws std::length_error.
    bool SetSize(int32 size);
    // Reserves room so that later growth up to `size` does not move the data.
    bool Reserve(int32 size);

    void* Lock();
    void Unlock();
    int32 GetLockCount() const { return fLockCount; }
    bool IsLocked() const { return fLockCount > 0; }

    // The data; null for an empty handle. Valid until the next resize.
    char* GetData() { return fData.empty() ? nullptr : reinterpret_cast<char*>(fData.data()); }
    const char* GetData() const {
        return fData.empty() ? nullptr : reinterpret_cast<const char*>(fData.data());
    }

    // Editing helpers; each answers false (and changes nothing) when the range is outside the
    // handle or the data would have to move while locked.
    bool SetData(const void* data, int32 size);
    bool Append(const void* data, int32 size);
    bool Insert(int32 offset, const void* data, int32 size);
    bool Remove(int32 offset, int32 size);

private:
    bool CanGrowTo(size_t size) const;

    std::vector<unsigned char> fData;
    int32 fLockCount = 0;
};

} // namespace yaaf
