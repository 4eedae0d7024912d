#pragma once
// Dynamic arrays: XGSDynArray holds records by value, XGPDynArray owns the objects it points
// to and deletes them when they are removed or the array goes away. Indexes are 32-bit; an
// index outside the array throws std::out_of_range.

#include "XGTypes.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace yaaf {

template <class T> class XGSDynArray {
public:
    XGSDynArray() = default;

    int32 Count() const { return int32(fItems.size()); }
    bool IsEmpty() const { return fItems.empty(); }

    // Answers the index of the new record.
    int32 Append(const T& item) {
        fItems.push_back(item);
        return Count() - 1;
    }
    // index may equal Count() (append).
    void Insert(int32 index, const T& item) {
        if (index < 0 || index > Count()) throw std::out_of_range("XGSDynArray::Insert");
        fItems.insert(fItems.begin() + index, item);
    }
    void Remove(int32 index, int32 count = 1) {
        if (index < 0 || count < 0 || index > Count() || count > Count() - index)
            throw std::out_of_range("XGSDynArray::Remove");
        fItems.erase(fItems.begin() + index, fItems.begin() + index + count);
    }
    const T& Get(int32 index) const { return fItems.at(CheckedIndex(index)); }
    T& Get(int32 index) { return fItems.at(CheckedIndex(index)); }
    void Set(int32 index, const T& item) { fItems.at(CheckedIndex(index)) = item; }
    const T& operator[](int32 index) const { return Get(index); }
    T& operator[](int32 index) { return Get(index); }

    void Clear() { fItems.clear(); }
    // New records are value-initialised.
    void SetSize(int32 count) {
        if (count < 0) throw std::length_error("XGSDynArray::SetSize");
        fItems.resize(size_t(count));
    }

    // compare(a, b) answers < 0, 0 or > 0 like strcmp; equal records keep their order.
    template <class Compare> void Sort(Compare compare) {
        std::stable_sort(fItems.begin(), fItems.end(),
                         [&](const T& a, const T& b) { return compare(a, b) < 0; });
    }

    auto begin() { return fItems.begin(); }
    auto end() { return fItems.end(); }
    auto begin() const { return fItems.begin(); }
    auto end() const { return fItems.end(); }
    T* Data() { return fItems.data(); }
    const T* Data() const { return fItems.data(); }

private:
    static size_t CheckedIndex(int32 index) {
        if (index < 0) throw std::out_of_range("XGSDynArray: negative index");
        return size_t(index);
    }

    std::vector<T> fItems;
};

template <class T> class XGPDynArray {
public:
    XGPDynArray() = default;
    XGPDynArray(const XGPDynArray&) = delete;
    XGPDynArray& operator=(const XGPDynArray&) = delete;
    XGPDynArray(XGPDynArray&& other) noexcept : fItems(std::move(other.fItems)) { other.fItems.clear(); }
    XGPDynArray& operator=(XGPDynArray&& other) noexcept {
        if (this != &other) {
            Clear();
            fItems = std::move(other.fItems);
            other.fItems.clear();
        }
        return *this;
    }
    ~XGPDynArray() { Clear(); }

    int32 Count() const { return int32(fItems.size()); }
    bool IsEmpty() const { return fItems.empty(); }

    // The array takes ownership of item (also when growing fails: then it is deleted).
    int32 Append(T* item) {
        try {
            fItems.push_back(item);
        } catch (...) {
            delete item;
            throw;
        }
        return Count() - 1;
    }
    void Insert(int32 index, T* item) {
        if (index < 0 || index > Count()) {
            delete item;
            throw std::out_of_range("XGPDynArray::Insert");
        }
        try {
            fItems.insert(fItems.begin() + index, item);
        } catch (...) {
            delete item;
            throw;
        }
    }
    T* Get(int32 index) const { return fItems.at(CheckedIndex(index)); }
    T* operator[](int32 index) const { return Get(index); }
    // Replaces the pointer at index, deleting the old object.
    void Set(int32 index, T* item) {
        T*& slot = fItems.at(CheckedIndex(index));
        if (slot != item) {
            delete slot;
            slot = item;
        }
    }
    // Deletes the object and removes its slot.
    void Remove(int32 index) { delete Detach(index); }
    // Removes the slot and hands the object back to the caller.
    T* Detach(int32 index) {
        T* item = fItems.at(CheckedIndex(index));
        fItems.erase(fItems.begin() + index);
        return item;
    }
    int32 IndexOf(const T* item) const {
        auto it = std::find(fItems.begin(), fItems.end(), item);
        return it == fItems.end() ? -1 : int32(it - fItems.begin());
    }
    void Clear() {
        // Detach first so that a destructor that looks at the array sees it consistent.
        std::vector<T*> items;
        items.swap(fItems);
        for (T* item : items)
            delete item;
    }

    // compare(a, b) receives the pointers and answers < 0, 0 or > 0; equal ones keep their order.
    template <class Compare> void Sort(Compare compare) {
        std::stable_sort(fItems.begin(), fItems.end(),
                         [&](const T* a, const T* b) { return compare(a, b) < 0; });
    }

    auto begin() const { return fItems.begin(); }
    auto end() const { return fItems.end(); }

private:
    static size_t CheckedIndex(int32 index) {
        if (index < 0) throw std::out_of_range("XGPDynArray: negative index");
        return size_t(index);
    }

    std::vector<T*> fItems;
};

} // namespace yaaf
