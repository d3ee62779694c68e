#pragma once
#include <cstddef>
#include <cstdint>

// Mutations of a datafile that know its layout: they change the header words
// of its objects (counts, types, stored and expanded sizes, property sizes)
// and the first fields of their contents (a bitmap's depth and size, a font's
// kind and ranges, a sample's and a music track's lengths) to values a loader
// may trip on, change an object's contents while keeping its sizes true, and
// delete, copy or cut off whole objects. Part of the time, and for files it
// cannot read, it leaves the bytes to the fuzzer's own mutations.
class DatafileMutator {
public:
    // Mutates the `size` bytes at `data` (room for `maxSize`); the new size.
    static size_t mutate(uint8_t* data, size_t size, size_t maxSize, unsigned seed);
};
