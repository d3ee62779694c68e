#pragma once
#include <vector>

// Expands datafile bytes compressed with LZSS the way the library's loader
// does: a ring of 4096 bytes, flag bytes telling literals from matches of 3
// to 18 bytes back in the ring. The library leaves the ring's last 18 bytes
// as it found them in memory, so a stream whose match points at one of them
// before it is written expands differently from one load to the next, and a
// file the check read one way would load another. Such a stream is refused.
class LzssExpander {
public:
    static constexpr int kRingBytes = 4096;
    static constexpr int kLongestMatch = 18;

    // Expands the `packedBytes` bytes at `packed` into `out`, stopping once
    // it holds `limit` bytes or the input ends; `used` tells how many
    // compressed bytes were taken. False when a match reads an unwritten byte.
    static bool expand(const unsigned char* packed, long packedBytes, long limit, std::vector<unsigned char>& out,
                       long& used);
};
