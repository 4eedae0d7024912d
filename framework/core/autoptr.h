#pragma once
// The owning pointer for temporary heap objects: deletes its object when it goes out of scope
// unless the object was released to a new owner.

#include <utility>

namespace yaaf {

template <class T> class autoptr {
public:
    autoptr() noexcept = default;
    explicit autoptr(T* p) noexcept : fPtr(p) {}
    autoptr(const autoptr&) = delete;
    autoptr& operator=(const autoptr&) = delete;
    autoptr(autoptr&& other) noexcept : fPtr(other.release()) {}
    autoptr& operator=(autoptr&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~autoptr() { delete fPtr; }

    T* get() const noexcept { return fPtr; }
    T* release() noexcept { return std::exchange(fPtr, nullptr); }
    void reset(T* p = nullptr) noexcept {
        T* old = std::exchange(fPtr, p);
        if (old != p) delete old;
    }
    T* operator->() const noexcept { return fPtr; }
    T& operator*() const noexcept { return *fPtr; }
    explicit operator bool() const noexcept { return fPtr != nullptr; }

private:
    T* fPtr = nullptr;
};

} // namespace yaaf
