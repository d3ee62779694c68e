#include "datafile/LzssExpander.h"

namespace {

constexpr int kMask = LzssExpander::kRingBytes - 1;
// the ring is written from here on: the bytes before it start as zeros, the
// ones from here to its end are not set until written
constexpr int kFirstWrite = LzssExpander::kRingBytes - LzssExpander::kLongestMatch;
constexpr int kShortestMatch = 3;

}  // namespace

bool LzssExpander::expand(const unsigned char* packed, long packedBytes, long limit, std::vector<unsigned char>& out,
                          long& used) {
    std::vector<unsigned char> ring(kRingBytes, 0);
    out.clear();
    long left = packedBytes;
    const auto next = [&](int& c) {
        if (left <= 0) return false;
        c = packed[packedBytes - left--];
        return true;
    };
    unsigned flags = 0;
    int r = kFirstWrite;
    bool sound = true;
    const auto emit = [&](int c) {
        ring[r] = static_cast<unsigned char>(c);
        r = (r + 1) & kMask;
        out.push_back(static_cast<unsigned char>(c));
        return static_cast<long>(out.size()) < limit;
    };
    for (bool more = limit > 0; more;) {
        int c = 0, low = 0, high = 0;
        // each flag byte tells of the next eight items, lowest bit first
        if (((flags >>= 1) & 0x100) == 0) {
            if (!next(c)) break;
            flags = static_cast<unsigned>(c) | 0xFF00;
        }
        if (flags & 1) {
            if (!next(c)) break;
            more = emit(c);
            continue;
        }
        if (!next(low) || !next(high)) break;
        const int from = low | ((high & 0xF0) << 4);
        const int length = (high & 0x0F) + kShortestMatch;
        for (int k = 0; k < length && more; ++k) {
            const int at = (from + k) & kMask;
            if (at >= kFirstWrite && at - kFirstWrite >= static_cast<long>(out.size())) {
                sound = false;
                more = false;
                break;
            }
            more = emit(ring[at]);
        }
    }
    used = packedBytes - left;
    return sound;
}
