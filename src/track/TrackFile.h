#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "math/Vector3.h"
#include "objects/GameObject.h"

class World;

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

    // One record as the text holds it, before any object takes it: its line,
    // its letter, the x, y and z written there (0 where they could not be
    // read), and the fields after them that could be read, in the order of
    // the record table; `complete` when all its fields could be read.
    struct Record {
        int line = 0;
        char letter = 0;
        Vector3 position;
        GameObject::RecordFields fields{};
        int fieldsRead = 0;
        bool complete = true;
    };

    // Reads records from `in`, handing every object made to `world`. Never
    // throws; stops at E, at the end, or at the first unreadable number, and
    // tells where it broke off when that was before E. A stream that cannot
    // be read at all gives no objects and no break, as a missing file does.
    static Break read(World& world, std::istream& in);
    // The one parser: the records of `text` in file order, the one it broke
    // off in last, and where it breaks off. The reader makes its objects of
    // them.
    static std::vector<Record> scan(const std::string& text, Break* broke = nullptr);
    // Writes every object with a record, then "E".
    static void write(const std::vector<GameObject*>& objects, std::ostream& out);
    // The text write() gives.
    static std::string text(const std::vector<GameObject*>& objects);

    // No track comes near this: a larger file is a slip (a disk image, a
    // device), which is refused rather than read until memory runs out.
    static constexpr long long kMostBytes = 16LL << 20;
    // Why a track file could not be read or written: the file and the
    // system's error number.
    struct Failure {
        // what a reader refuses, beside the system's numbers
        static constexpr int kPipe = -1;
        static constexpr int kDevice = -2;
        static constexpr int kTooBig = -3;
        static constexpr int kNotAFile = -4;
        std::string file;
        int error = 0;
        // "newtrack.txt.tmp: it is a folder"
        std::string describe() const;
    };
    // The whole of the track file at `path`, when it is a regular file of at
    // most kMostBytes; otherwise false and why, at once: a pipe, a device or
    // a folder is never read, so nothing blocks or grows without bound.
    static bool load(const std::string& path, std::string& text, Failure* why = nullptr);
    // Writes `text` to a temporary file beside `path` and renames it over
    // `path`, so `path` is always whole. With a `backup` name, a regular file
    // that stood at `path` is kept under it. False, `path` untouched and why,
    // when that fails.
    static bool save(const std::string& text, const std::string& path, const std::string& backup = "",
                     Failure* why = nullptr);
    static bool save(const std::vector<GameObject*>& objects, const std::string& path);
    // What the system's error number says of a file, in the game's words.
    static std::string reason(int error);
};
