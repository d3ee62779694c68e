#include "datafile/DatafileCheck.h"

#include <allegro.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "datafile/DatafileContents.h"
#include "datafile/LzssExpander.h"

namespace {

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

}  // namespace

DatafileCheck::DatafileCheck(const char* path) {
    std::vector<unsigned char> file, unpacked;
    if (!readFile(path, file)) return;
    ByteReader stream(file.data(), static_cast<long>(file.size()));
    const uint32_t magic = stream.u32();
    if (magic == static_cast<uint32_t>(F_PACK_MAGIC)) {
        // packed as a whole: the loader expands everything after the magic
        long used = 0;
        if (!LzssExpander::expand(stream.here(), stream.left(), expandBudget + 1, unpacked, used)) return;
        const long size = static_cast<long>(unpacked.size());
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
            if (!LzssExpander::expand(list.here(), stored, size, unpacked, used) ||
                static_cast<long>(unpacked.size()) != size || used != stored)
                return false;
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
