#pragma once
#include <vector>

#include "datafile/ByteReader.h"
#include "datafile/DatafileObject.h"

// The library's datafile loader trusts the file, and the game trusts what it
// loaded: a size word that does not add up throws the loader off its objects,
// an object of another kind than the game expects is drawn, set or played as
// what it is not, and either crashes. So before data.dat or tracks.dat is
// loaded it is read here and walked the way the loader will walk it: the
// header words, the sizes of objects stored compressed and of nested
// datafiles, and the contents of every object. Then the game asks whether
// the objects it uses are fit for what it will do with them.
class DatafileCheck {
public:
    // A larger file, or more bytes expanded from compressed ones, is no game
    // content and is not read.
    static constexpr long kMaxFileBytes = 64L << 20;
    static constexpr long kMaxExpandedBytes = 64L << 20;
    // nested datafiles inside nested datafiles
    static constexpr int kMaxNesting = 8;

    explicit DatafileCheck(const char* path);

    // The library can load the file: every object in it, nested ones too,
    // is whole and sound.
    bool isWhole() const { return whole; }
    // Objects of the file's index table; none when it is not whole.
    int objectCount() const { return static_cast<int>(objects.size()); }
    // What was found about object `index` of the index table, or null.
    const DatafileObject* object(int index) const;

    // Whether object `index` is there and fit for a use; all false when the
    // file is not whole.
    // A bitmap drawn as a sprite onto a bitmap of `targetDepth`: the library
    // draws 256-colour sprites onto any depth, others only onto their own.
    bool isSprite(int index, int targetDepth) const;
    // A bitmap copied or converted into another, at least this large.
    bool isPicture(int index, int minWidth, int minHeight) const;
    // An object of `type`: a font, sample, music or palette was checked
    // whole by the walk, so its type is all it takes to be fit for its use.
    bool holds(int index, int type) const;
    // The size of an object the library keeps as plain bytes, or -1 when the
    // object is missing or decoded into something else.
    long plainBytes(int index) const;

private:
    bool walk(ByteReader& list, int nesting, bool indexTable);

    std::vector<DatafileObject> objects;
    long expandBudget = kMaxExpandedBytes;
    bool whole = false;
};
