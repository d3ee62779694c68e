#include "DatafileMutator.h"

#include <allegro.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

constexpr int kMaxNesting = 8;
constexpr size_t kMaxGrowth = 4096;

uint32_t get32(const uint8_t* d, size_t at) {
    return (uint32_t(d[at]) << 24) | (uint32_t(d[at + 1]) << 16) | (uint32_t(d[at + 2]) << 8) | d[at + 3];
}
void put32(uint8_t* d, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) d[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}
int32_t s32(const uint8_t* d, size_t at) { return static_cast<int32_t>(get32(d, at)); }

// A word worth changing: where it is, how wide, and whether it names a type.
struct Field {
    size_t at;
    int width;
    bool isType;
};

// One object: from its first property to the end of its stored bytes.
struct Object {
    size_t start, typeAt, bodyAt, end;
    size_t countAt;  // the object count of the list it belongs to
    int parent;      // the nested datafile it is in, or -1
    bool packed;
    uint32_t type;
};

// The header words and first content fields of an uncompressed datafile, as
// far as they can be read.
class Layout {
public:
    Layout(const uint8_t* bytes, size_t count) : d(bytes), n(count) { list(8, n, -1, 0); }
    std::vector<Field> fields;
    std::vector<Object> objects;

    // Whether every datafile `o` is nested in is stored uncompressed, so its
    // sizes can follow a change of `o`.
    bool ancestorsPlain(int o) const {
        for (int p = objects[o].parent; p >= 0; p = objects[p].parent)
            if (objects[p].packed) return false;
        return true;
    }

private:
    void field(size_t at, int width, size_t end, bool isType = false) {
        if (at + width <= end) fields.push_back({at, width, isType});
    }

    void list(size_t at, size_t end, int parent, int nesting) {
        if (at + 4 > end) return;
        const size_t countAt = at;
        field(at, 4, end);
        const long count = s32(d, at);
        at += 4;
        for (long i = 0; i < count && at + 12 <= end; ++i) {
            const size_t start = at;
            while (at + 12 <= end && get32(d, at) == static_cast<uint32_t>(DAT_PROPERTY)) {
                field(at + 8, 4, end);
                const long size = s32(d, at + 8);
                if (size < 0 || at + 12 + size > end) return;
                at += 12 + size;
            }
            if (at + 12 > end) return;
            const long stored = s32(d, at + 4);
            field(at, 4, end, true);
            field(at + 4, 4, end);
            field(at + 8, 4, end);
            if (stored < 0 || at + 12 + stored > end) return;
            const Object o{start, at, at + 12, at + 12 + stored, countAt, parent, s32(d, at + 8) < 0, get32(d, at)};
            objects.push_back(o);
            if (!o.packed && o.type == static_cast<uint32_t>(DAT_FILE) && nesting < kMaxNesting)
                list(o.bodyAt, o.end, static_cast<int>(objects.size()) - 1, nesting + 1);
            else if (!o.packed)
                contents(o);
            at = o.end;
        }
    }

    void contents(const Object& o) {
        const size_t b = o.bodyAt, e = o.end;
        switch (static_cast<int>(o.type)) {
            case DAT_BITMAP: case DAT_C_SPRITE: case DAT_XC_SPRITE: case DAT_RLE_SPRITE:
                for (int i = 0; i < 3; ++i) field(b + 2 * i, 2, e);
                break;
            case DAT_FONT:  // kind, range count, first range's depth, start, end, first glyph
                field(b, 2, e);
                field(b + 2, 2, e);
                field(b + 4, 1, e);
                field(b + 5, 4, e);
                field(b + 9, 4, e);
                field(b + 13, 2, e);
                field(b + 15, 2, e);
                break;
            case DAT_SAMPLE:
                field(b, 2, e);
                field(b + 2, 2, e);
                field(b + 4, 4, e);
                break;
            case DAT_MIDI: {
                field(b, 2, e);
                size_t at = b + 2;
                for (int t = 0; t < 32 && at + 4 <= e; ++t) {
                    field(at, 4, e);
                    const long length = s32(d, at);
                    if (length < 0) break;
                    for (long k = 0; k < std::min(length, 12L); ++k) field(at + 4 + k, 1, e);
                    at += 4 + length;
                }
                break;
            }
            case DAT_PALETTE:
                for (size_t at : {b, b + 1, b + 513, b + 1022}) field(at, 1, e);
                break;
            default: break;
        }
    }

    const uint8_t* d;
    size_t n;
};

const uint32_t kTypes[] = {DAT_FILE,   DAT_DATA,       DAT_FONT,     DAT_SAMPLE,    DAT_MIDI,     DAT_PATCH,
                           DAT_FLI,    DAT_BITMAP,     DAT_RLE_SPRITE, DAT_C_SPRITE, DAT_XC_SPRITE, DAT_PALETTE,
                           DAT_PROPERTY, DAT_ID('i', 'n', 'f', 'o'), static_cast<uint32_t>(DAT_END), 0};

class Mutation {
public:
    Mutation(uint8_t* bytes, size_t size, size_t maxSize, unsigned seed)
        : d(bytes), n(size), max(maxSize), rng(seed), layout(bytes, size) {}

    // The new size, or 0 when this file gave the mutation nothing to work on.
    size_t run() {
        if (layout.fields.empty()) return 0;
        switch (pick(8)) {
            case 0: case 1: case 2: return changeField();
            case 3: return changeSizes();
            case 4: return changeType();
            case 5: return changeContents();
            case 6: return pick(2) ? dropObject() : copyObject();
            default: return cutAtObject();
        }
    }

private:
    size_t pick(size_t count) { return count ? rng() % count : 0; }

    uint32_t interesting(uint32_t old, int width) {
        const uint32_t wide[] = {0, 1, 0xFFFFFFFFu, 0xFFFFFFFBu, 0x7FFFFFFFu, 0x80000000u, old + 1, old - 1,
                                 old + 1 + static_cast<uint32_t>(pick(16)), old - 1 - static_cast<uint32_t>(pick(16)),
                                 old * 2, old / 2, static_cast<uint32_t>(n), 0u - old,
                                 old ^ (0xFFu << (8 * pick(4))), static_cast<uint32_t>(rng())};
        const uint32_t narrow[] = {0, 1, 0xFFFF, 0x8000, 0x7FFF, old + 1, old - 1, 8, 15, 16, 24, 32, 0xFFE0,
                                   0xFFFF - 7, 0xFFF0, 255, 256, static_cast<uint32_t>(rng())};
        const uint32_t tiny[] = {0,    1,    2,    7,    8,    15,   16, 24,
                                 32,   0x2F, 0x51, 0x80, 0xF0, 0xFF, static_cast<uint32_t>(rng())};
        if (width == 4) return wide[pick(std::size(wide))];
        if (width == 2) return narrow[pick(std::size(narrow))] & 0xFFFF;
        return tiny[pick(std::size(tiny))] & 0xFF;
    }

    size_t changeField() {
        const Field& f = layout.fields[pick(layout.fields.size())];
        if (f.isType) {
            put32(d, f.at, kTypes[pick(std::size(kTypes))]);
            return n;
        }
        uint32_t old = 0;
        for (int i = 0; i < f.width; ++i) old = (old << 8) | d[f.at + i];
        const uint32_t v = interesting(old, f.width);
        for (int i = 0; i < f.width; ++i) d[f.at + i] = static_cast<uint8_t>(v >> (8 * (f.width - 1 - i)));
        return n;
    }

    const Object* anyObject() {
        return layout.objects.empty() ? nullptr : &layout.objects[pick(layout.objects.size())];
    }

    // Both size words at once, so the two agree and only the contents tell.
    size_t changeSizes() {
        const Object* o = anyObject();
        if (!o) return 0;
        const uint32_t stored = get32(d, o->typeAt + 4);
        if (pick(3) == 0) {
            put32(d, o->typeAt + 8, 0u - stored);  // said to be compressed
        } else {
            const uint32_t v = interesting(stored, 4);
            put32(d, o->typeAt + 4, v);
            put32(d, o->typeAt + 8, v);
        }
        return n;
    }

    size_t changeType() {
        const Object* a = anyObject();
        const Object* b = anyObject();
        if (!a) return 0;
        put32(d, a->typeAt, get32(d, b->typeAt));
        return n;
    }

    // Grows or shrinks the sizes of object `o` and the datafiles it is in.
    void resize(int o, long delta) {
        for (int p = o; p >= 0; p = layout.objects[p].parent) {
            const size_t at = layout.objects[p].typeAt;
            put32(d, at + 4, get32(d, at + 4) + static_cast<uint32_t>(delta));
            put32(d, at + 8, get32(d, at + 8) + static_cast<uint32_t>(delta));
        }
    }

    // Replaces bytes [at, at + length) with `with`.
    size_t splice(size_t at, size_t length, const uint8_t* with, size_t count) {
        if (n - length + count > max) return 0;
        std::memmove(d + at + count, d + at + length, n - at - length);
        if (count) std::memcpy(d + at, with, count);
        return n - length + count;
    }

    size_t changeContents() {
        const int o = static_cast<int>(pick(layout.objects.size()));
        if (layout.objects.empty() || layout.objects[o].packed || !layout.ancestorsPlain(o)) return 0;
        const Object obj = layout.objects[o];
        const size_t length = obj.end - obj.bodyAt;
        const size_t room = std::min(max - n, kMaxGrowth);
        std::vector<uint8_t> body(d + obj.bodyAt, d + obj.end);
        body.resize(length + room + 1);
        const size_t changed = length ? LLVMFuzzerMutate(body.data(), length, length + room) : 0;
        const size_t size = splice(obj.bodyAt, length, body.data(), changed);
        if (size) resize(o, static_cast<long>(changed) - static_cast<long>(length));
        return size;
    }

    size_t dropObject() {
        const int o = static_cast<int>(pick(layout.objects.size()));
        if (layout.objects.empty() || !layout.ancestorsPlain(o)) return 0;
        const Object obj = layout.objects[o];
        put32(d, obj.countAt, get32(d, obj.countAt) - 1);
        if (obj.parent >= 0) resize(obj.parent, -static_cast<long>(obj.end - obj.start));
        return splice(obj.start, obj.end - obj.start, nullptr, 0);
    }

    size_t copyObject() {
        const int o = static_cast<int>(pick(layout.objects.size()));
        if (layout.objects.empty() || !layout.ancestorsPlain(o)) return 0;
        const Object obj = layout.objects[o];
        const std::vector<uint8_t> copy(d + obj.start, d + obj.end);
        const size_t size = splice(obj.end, 0, copy.data(), copy.size());
        if (!size) return 0;
        put32(d, obj.countAt, get32(d, obj.countAt) + 1);
        if (obj.parent >= 0) resize(obj.parent, static_cast<long>(copy.size()));
        return size;
    }

    size_t cutAtObject() {
        const Object* o = anyObject();
        if (!o) return 0;
        const size_t marks[] = {o->start, o->typeAt + 4, o->typeAt + 8, o->bodyAt, o->end - 1};
        return std::max<size_t>(1, std::min(n, marks[pick(std::size(marks))]));
    }

    uint8_t* d;
    size_t n, max;
    std::minstd_rand rng;
    Layout layout;
};

}  // namespace

size_t DatafileMutator::mutate(uint8_t* data, size_t size, size_t maxSize, unsigned seed) {
    const bool plainDatafile = size >= 12 && get32(data, 0) == static_cast<uint32_t>(F_NOPACK_MAGIC) &&
                               get32(data, 4) == static_cast<uint32_t>(DAT_MAGIC);
    if (plainDatafile && seed % 4 != 0) {
        Mutation m(data, size, maxSize, seed);
        const size_t changed = m.run();
        if (changed) return changed;
    }
    return LLVMFuzzerMutate(data, size, maxSize);
}
