#pragma once
#include <iosfwd>
#include <string>
#include <vector>

class World;
class GameObject;

// The text form of a track's objects: one record a line, a type letter, x y z,
// then the body each kind reads and writes itself; "E" ends the file.
class TrackFile {
public:
    // Reads records from `in`, handing every object made to `world`. Never
    // throws; stops at E, at the end, or at the first unreadable number.
    static void read(World& world, std::istream& in);
    // Writes every object with a record, then "E".
    static void write(const std::vector<GameObject*>& objects, std::ostream& out);
    // Writes to a temporary file beside `path` and renames it over `path`;
    // false (and `path` untouched) when that fails.
    static bool save(const std::vector<GameObject*>& objects, const std::string& path);
};
