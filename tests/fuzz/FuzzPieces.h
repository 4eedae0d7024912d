#pragma once
// Where a connection breaks an input into pieces, derived from the input itself so that a run
// repeats exactly: every change the fuzzer makes to an input also moves the breaks. Readers
// fed in pieces must come to the same result as when fed the whole input at once.

#include <cstddef>
#include <cstdint>

class FuzzPieces {
public:
    FuzzPieces(const uint8_t* data, size_t size) {
        // FNV-1a of the input, never 0 (the generator below would stay at 0).
        uint64_t hash = 1469598103934665603ull;
        for (size_t i = 0; i < size; ++i)
            hash = (hash ^ data[i]) * 1099511628211ull;
        fState = hash ? hash : 1;
        fBits = fState;
    }

    // The size of the next piece: mostly a few bytes, sometimes one, sometimes large.
    size_t Next() {
        fState ^= fState << 13;
        fState ^= fState >> 7;
        fState ^= fState << 17;
        switch (fState % 8) {
        case 0:
            return 1;
        case 1:
            return 4096;
        default:
            return 1 + size_t((fState >> 8) % 64);
        }
    }

    // A switch for the input's reader (a few fixed bits of the hash).
    bool Bit(int index) const { return (fBits >> (40 + index)) & 1; }

private:
    uint64_t fState;
    uint64_t fBits;
};
