#include "world/DatafileCheck.h"

#include <allegro.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "world/DatafileContents.h"

namespace {

// Compressed bytes in memory, read by the library's own expander through a
// packfile of ours, counting what it took.
struct PackedBytes {
    const unsigned char* p;
    long left;
    long used;
};

int packedClose(void*) { return 0; }
int packedGetc(void* user) {
    auto* b = static_cast<PackedBytes*>(user);
    if (b->left <= 0) return EOF;
    --b->left;
    ++b->used;
    return *b->p++;
}
int packedUngetc(int, void*) { return EOF; }
long packedRead(void* to, long n, void* user) {
    auto* b = static_cast<PackedBytes*>(user);
    n = std::max(0L, std::min(n, b->left));
    std::memcpy(to, b->p, static_cast<size_t>(n));
    b->p += n;
    b->left -= n;
    b->used += n;
    return n;
}
int packedPutc(int, void*) { return EOF; }
long packedWrite(const void*, long, void*) { return 0; }
int packedSeek(void*, int) { return -1; }
int packedEof(void* user) { return static_cast<PackedBytes*>(user)->left <= 0; }
int packedError(void*) { return 0; }

const PACKFILE_VTABLE kPackedVtable = {packedClose, packedGetc,  packedUngetc, packedRead, packedPutc,
                                       packedWrite, packedSeek, packedEof,    packedError};

// header words of the smallest object: type, stored size, expanded size
constexpr long kMinObjectBytes = 12;

bool readFile(const char* path, std::vector<unsigned char>& bytes) {
    // a folder, a device or a pipe in the file's place is no datafile, and a
    // device like /dev/zero would never end
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > static_cast<std::uintmax_t>(DatafileCheck::kMaxFileBytes)) return false;
    std::ifstream in(path, std::ios::binary);
    bytes.resize(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    return in.gcount() == static_cast<std::streamsize>(size);
}

// Expands LZSS-compressed bytes with the library's expander, at most `limit`
// of them; `used` tells how many compressed bytes it took.
long expand(const unsigned char* packed, long packedBytes, long limit, std::vector<unsigned char>& out, long& used) {
    PackedBytes source{packed, packedBytes, 0};
    PACKFILE* f = pack_fopen_vtable(&kPackedVtable, &source);
    LZSS_UNPACK_DATA* state = f ? create_lzss_unpack_data() : nullptr;
    long size = 0;
    if (state) {
        // in blocks, as the loader asks for them: the expander keeps its place
        while (size < limit) {
            const int want = static_cast<int>(std::min<long>(F_BUF_SIZE, limit - size));
            out.resize(static_cast<size_t>(size + want));
            const int got = lzss_read(f, state, want, out.data() + size);
            if (got > 0) size += got;
            if (got < want) break;
        }
        free_lzss_unpack_data(state);
    }
    if (f) pack_fclose(f);
    out.resize(static_cast<size_t>(size));
    used = source.used;
    return size;
}

}  // namespace

DatafileCheck::DatafileCheck(const char* path) {
    std::vector<unsigned char> file, unpacked;
    if (!readFile(path, file)) return;
    ByteReader stream(file.data(), static_cast<long>(file.size()));
    const uint32_t magic = stream.u32();
    if (magic == static_cast<uint32_t>(F_PACK_MAGIC)) {
        // packed as a whole: the loader expands everything after the magic
        long used = 0;
        const long size = expand(stream.here(), stream.left(), expandBudget + 1, unpacked, used);
        if (size > expandBudget) return;
        expandBudget -= size;
        stream = ByteReader(unpacked.data(), size);
    } else if (magic != static_cast<uint32_t>(F_NOPACK_MAGIC)) {
        return;
    }
    if (stream.u32() != static_cast<uint32_t>(DAT_MAGIC)) return;
    whole = walk(stream, 0, true);
    if (!whole) objects.clear();
}

bool DatafileCheck::walk(ByteReader& list, int nesting, bool indexTable) {
    const long count = list.s32();
    if (list.bad() || count < 0 || count > list.left() / kMinObjectBytes) return false;
    for (long i = 0; i < count; ++i) {
        int type = list.s32();
        while (!list.bad() && type == DAT_PROPERTY) {
            list.u32();  // which property
            list.skip(list.s32());
            type = list.s32();
        }
        DatafileObject object;
        object.type = type;
        const long stored = list.s32(), expanded = list.s32();
        if (list.bad()) return false;
        ByteReader body;
        std::vector<unsigned char> unpacked;
        if (expanded >= 0) {
            // The loader reads as many bytes as the expanded size says and
            // never looks at the stored size; where they differ, one of them
            // is damaged and the next object would be read from the wrong place.
            if (stored != expanded) return false;
            body = list.take(expanded);
        } else {
            // Compressed on its own: the loader expands until it has the
            // object's size, taking compressed bytes as they come. They must
            // be exactly the stored ones.
            const long size = -expanded;
            if (stored < 0 || stored > list.left() || size > expandBudget) return false;
            long used = 0;
            if (expand(list.here(), stored, size, unpacked, used) != size || used != stored) return false;
            expandBudget -= size;
            list.skip(stored);
            body = ByteReader(unpacked.data(), size);
        }
        if (body.bad()) return false;
        object.size = body.left();
        if (type == DAT_FILE) {
            if (nesting >= kMaxNesting || !walk(body, nesting + 1, false)) return false;
        } else if (!DatafileContents::check(type, body, object)) {
            return false;
        }
        if (indexTable) objects.push_back(object);
    }
    return true;
}

const DatafileObject* DatafileCheck::object(int index) const {
    return index >= 0 && index < objectCount() ? &objects[static_cast<size_t>(index)] : nullptr;
}

bool DatafileCheck::isSprite(int index, int targetDepth) const {
    const DatafileObject* o = object(index);
    return o && o->type == DAT_BITMAP && (o->depth == 8 || o->depth == targetDepth);
}

bool DatafileCheck::isPicture(int index, int minWidth, int minHeight) const {
    const DatafileObject* o = object(index);
    return o && o->type == DAT_BITMAP && o->width >= minWidth && o->height >= minHeight;
}

bool DatafileCheck::holds(int index, int type) const {
    const DatafileObject* o = object(index);
    return o && o->type == type;
}

long DatafileCheck::plainBytes(int index) const {
    const DatafileObject* o = object(index);
    if (!o) return -1;
    switch (o->type) {
        case DAT_FILE: case DAT_FONT: case DAT_SAMPLE: case DAT_MIDI: case DAT_BITMAP: case DAT_RLE_SPRITE:
        case DAT_C_SPRITE: case DAT_XC_SPRITE: case DAT_PALETTE: return -1;
        default: return o->size;
    }
}
