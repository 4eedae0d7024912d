#include "CItemPool.h"

#include "CVornItem.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define VORN_ITEM_POOL_OFF 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORN_ITEM_POOL_OFF 1
#endif
#endif

namespace {

// A block is aligned to its size, so an item finds its block by masking its address.
constexpr std::size_t kBlockBytes = std::size_t(256) << 10;

struct Block {
    Block* prevP;
    Block* nextP;
    void* freeP;          // slots given back, each holding the next
    std::size_t bumpL;    // slots from here on were never handed out
    std::size_t liveL;
};

constexpr std::size_t kSlotBytes = (sizeof(CVornItem) + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);
constexpr std::size_t kHeaderBytes = (sizeof(Block) + 63) & ~std::size_t(63);
constexpr std::size_t kSlots = (kBlockBytes - kHeaderBytes) / kSlotBytes;
static_assert(kSlots >= 64, "a block holds many items");

// Empty blocks are kept for the next items, up to this many (16 MiB, some 48,000 items): a
// large board closed and opened again does not give its memory back to the system and ask for
// it again page by page.
constexpr std::size_t kKeptEmptyBlocks = 64;

// The blocks with room, the one items were last cut from first; the empty ones kept.
Block* s_roomP = nullptr;
Block* s_emptyP = nullptr;
std::size_t s_emptyCount = 0;
std::size_t s_blockCount = 0;

Block* BlockOf(void* p) {
    return reinterpret_cast<Block*>(reinterpret_cast<std::uintptr_t>(p) & ~(std::uintptr_t(kBlockBytes) - 1));
}

void PushRoom(Block* b) {
    b->prevP = nullptr;
    b->nextP = s_roomP;
    if (s_roomP) s_roomP->prevP = b;
    s_roomP = b;
}

void UnlinkRoom(Block* b) {
    if (b->prevP)
        b->prevP->nextP = b->nextP;
    else
        s_roomP = b->nextP;
    if (b->nextP) b->nextP->prevP = b->prevP;
    b->prevP = b->nextP = nullptr;
}

bool IsFull(const Block* b) {
    return !b->freeP && b->bumpL == kSlots;
}

} // namespace

void* CItemPool::TryAllocate(std::size_t size) noexcept {
#ifdef VORN_ITEM_POOL_OFF
    return ::operator new(size, std::nothrow);
#else
    if (size != sizeof(CVornItem)) return ::operator new(size, std::nothrow);
    Block* b = s_roomP;
    if (!b) {
        if (s_emptyP) {
            b = s_emptyP;
            s_emptyP = b->nextP;
            --s_emptyCount;
        } else {
            b = static_cast<Block*>(std::aligned_alloc(kBlockBytes, kBlockBytes));
            if (!b) return nullptr;
            ++s_blockCount;
        }
        *b = Block{nullptr, nullptr, nullptr, 0, 0};
        PushRoom(b);
    }
    void* p;
    if (b->freeP) {
        p = b->freeP;
        b->freeP = *static_cast<void**>(p);
    } else {
        p = reinterpret_cast<char*>(b) + kHeaderBytes + b->bumpL * kSlotBytes;
        ++b->bumpL;
    }
    ++b->liveL;
    if (IsFull(b)) UnlinkRoom(b);
    return p;
#endif
}

void* CItemPool::Allocate(std::size_t size) {
    void* p = TryAllocate(size);
    if (!p) throw std::bad_alloc();
    return p;
}

void CItemPool::Release(void* p, std::size_t size) noexcept {
    if (!p) return;
#ifdef VORN_ITEM_POOL_OFF
    ::operator delete(p);
    (void)size;
#else
    if (size != sizeof(CVornItem)) {
        ::operator delete(p);
        return;
    }
    Block* b = BlockOf(p);
    if (IsFull(b)) PushRoom(b);
    *static_cast<void**>(p) = b->freeP;
    b->freeP = p;
    if (--b->liveL > 0) return;
    UnlinkRoom(b);
    if (s_emptyCount < kKeptEmptyBlocks) {
        b->nextP = s_emptyP;
        s_emptyP = b;
        ++s_emptyCount;
        return;
    }
    --s_blockCount;
    std::free(b);
#endif
}

std::size_t CItemPool::BlockCount() {
    return s_blockCount;
}
