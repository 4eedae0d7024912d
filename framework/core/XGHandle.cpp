#include "XGHandle.h"

#include <cstring>
#include <stdexcept>

namespace yaaf {

XGHandle::XGHandle(int32 size) {
    SetSize(size);
}

XGHandle::XGHandle(const void* data, int32 size) {
    SetData(data, size);
}

XGHandle::XGHandle(const XGHandle& other) : fData(other.fData) {}

XGHandle& XGHandle::operator=(const XGHandle& other) {
    if (this != &other) {
        if (!CanGrowTo(other.fData.size()))
            throw std::logic_error("XGHandle: assignment to a locked handle would move its data");
        fData.assign(other.fData.begin(), other.fData.end());
    }
    return *this;
}

XGHandle::XGHandle(XGHandle&& other) noexcept : fData(std::move(other.fData)) {
    other.fData.clear();
    other.fLockCount = 0;
}

XGHandle& XGHandle::operator=(XGHandle&& other) noexcept {
    if (this != &other) {
        fData = std::move(other.fData);
        other.fData.clear();
        fLockCount = 0;
        other.fLockCount = 0;
    }
    return *this;
}

bool XGHandle::CanGrowTo(size_t size) const {
    return fLockCount == 0 || size <= fData.capacity();
}

bool XGHandle::SetSize(int32 size) {
    if (size < 0) throw std::length_error("XGHandle: negative size");
    if (!CanGrowTo(size_t(size))) return false;
    fData.resize(size_t(size), 0);
    return true;
}

bool XGHandle::Reserve(int32 size) {
    if (size < 0) throw std::length_error("XGHandle: negative size");
    if (!CanGrowTo(size_t(size))) return false;
    fData.reserve(size_t(size));
    return true;
}

void* XGHandle::Lock() {
    ++fLockCount;
    return GetData();
}

void XGHandle::Unlock() {
    if (fLockCount > 0) --fLockCount;
}

bool XGHandle::SetData(const void* data, int32 size) {
    if (size < 0 || (size > 0 && !data)) return false;
    if (!SetSize(size)) return false;
    if (size > 0) std::memmove(fData.data(), data, size_t(size));
    return true;
}

bool XGHandle::Append(const void* data, int32 size) {
    return Insert(GetSize(), data, size);
}

bool XGHandle::Insert(int32 offset, const void* data, int32 size) {
    if (offset < 0 || offset > GetSize() || size < 0 || (size > 0 && !data)) return false;
    if (int64(GetSize()) + size > INT32_MAX) throw std::length_error("XGHandle: too large");
    if (size == 0) return true;
    if (!CanGrowTo(fData.size() + size_t(size))) return false;
    // The source may lie inside this handle; copy it out before the insertion moves it.
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::vector<unsigned char> copy(bytes, bytes + size);
    fData.insert(fData.begin() + offset, copy.begin(), copy.end());
    return true;
}

bool XGHandle::Remove(int32 offset, int32 size) {
    if (offset < 0 || size < 0 || offset > GetSize() || size > GetSize() - offset) return false;
    fData.erase(fData.begin() + offset, fData.begin() + offset + size);
    return true;
}

} // namespace yaaf
