#pragma once
#include <cstdint>

// A bounded big-endian reader over bytes it does not own. A read past the end
// yields zero and leaves the reader bad for good, so a walk over damaged bytes
// can read on and test once at the end.
class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const unsigned char* bytes, long count)
        : p(bytes), remaining(count < 0 ? 0 : count), failed(count < 0) {}

    bool bad() const { return failed; }
    long left() const { return remaining; }
    const unsigned char* here() const { return p; }

    // Skips n bytes; false (and bad) when fewer are left or n is negative.
    bool skip(long n) {
        if (failed || n < 0 || n > remaining) {
            failed = true;
            remaining = 0;
            return false;
        }
        p += n;
        remaining -= n;
        return true;
    }

    // The next n bytes as a reader of their own, skipped here.
    ByteReader take(long n) {
        const unsigned char* start = p;
        return skip(n) ? ByteReader(start, n) : ByteReader(nullptr, -1);
    }

    uint32_t u32() {
        if (!has(4)) return 0;
        const uint32_t v = (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
        skip(4);
        return v;
    }
    int32_t s32() { return static_cast<int32_t>(u32()); }
    int u16() {
        if (!has(2)) return 0;
        const int v = (p[0] << 8) | p[1];
        skip(2);
        return v;
    }
    int s16() { return static_cast<int16_t>(u16()); }
    int u8() {
        if (!has(1)) return 0;
        const int v = p[0];
        skip(1);
        return v;
    }

private:
    bool has(long n) {
        if (!failed && remaining >= n) return true;
        skip(n);  // marks the reader bad
        return false;
    }

    const unsigned char* p = nullptr;
    long remaining = 0;
    bool failed = false;
};
