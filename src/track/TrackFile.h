#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "math/Vector3.h"

class World;
class GameObject;

// The text form of a track's objects: one record a line, a type letter, x y z,
// then the body each kind reads and writes itself; "E" ends the file.
class TrackFile {
public:
    // Where reading stopped short of the E that ends a track; line 0 when it
    // did not.
    struct Break {
        int line = 0;
        std::string expected;  // "a number for the y of a checkpoint record (C)"
        std::string found;     // "\"l\"", or "the end of the file"
        // "line 2: expected ..., found ..."
        std::string describe() const;
    };

    // One record as the text holds it, before any kind has read it: its
    // line, its letter and the x, y and z written there (0 where they could
    // not be read); `complete` when all its fields could be read.
    struct Record {
        int line = 0;
        char letter = 0;
        Vector3 position;
        bool complete = true;
    };

    // Reads records from `in`, handing every object made to `world`. Never
    // throws; stops at E, at the end, or at the first unreadable number, and
    // tells where it broke off when that was before E. A stream that cannot
    // be read at all gives no objects and no break, as a missing file does.
    static Break read(World& world, std::istream& in);
    // The records the reader makes from `text`, in its order, with the same
    // reads, and where it breaks off.
    static std::vector<Record> scan(const std::string& text, Break* broke = nullptr);
    // Writes every object with a record, then "E".
    static void write(const std::vector<GameObject*>& objects, std::ostream& out);
    // Writes to a temporary file beside `path` and renames it over `path`;
    // false (and `path` untouched) when that fails.
    static bool save(const std::vector<GameObject*>& objects, const std::string& path);
};
