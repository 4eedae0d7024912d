#pragma once
// Storage for board items. A large board makes and destroys its items by the ten thousand, and
// its walks read them in board order: from the general heap each item is a block of its own
// among its strings and fonts, freed with the heap's merging of neighbours, and a walk jumps
// from one to the next. Here items are cut, in the order they are made, from large blocks that
// hold nothing else, so the items of a board lie side by side and a destroyed one is only
// put back on its block's list; a block goes back to the heap when its last item goes.
//
// Items are made and destroyed on the main thread only (the picture loaders and the version
// check never make one), and so is the pool. Under the address sanitizer items come from the
// heap one by one, so that a stale item pointer is still caught.

#include <cstddef>

class CItemPool {
public:
    // Room for one item of the given size (items of any other size come from the heap);
    // throws std::bad_alloc when there is none.
    static void* Allocate(std::size_t size);
    // As Allocate, null instead of the exception.
    static void* TryAllocate(std::size_t size) noexcept;
    static void Release(void* p, std::size_t size) noexcept;

    // Blocks held now (for tests).
    static std::size_t BlockCount();
};
