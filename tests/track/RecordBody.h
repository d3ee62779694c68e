#pragma once
// An object's record as the track file holds it, without the letter and the
// ground point: what each kind reads and writes of its own.
#include <sstream>
#include <string>
#include <vector>

#include "objects/GameObject.h"
#include "track/TrackFile.h"

namespace records {

// The fields the writer gives `o` after x y z: "40 2 90".
inline std::string bodyOf(const GameObject& o) {
    std::istringstream text(TrackFile::text({const_cast<GameObject*>(&o)}));
    std::string letter, x, y, z, body;
    text >> letter >> x >> y >> z;
    std::getline(text, body);
    return body.empty() ? body : body.substr(1);
}

// Hands `o` a record of its own kind with the fields `body` after x y z, as
// the reader does: the fields up to the first that cannot be read.
inline void readBody(GameObject& o, const std::string& body) {
    const std::vector<TrackFile::Record> read =
        TrackFile::scan(std::string(1, o.typeCode()) + " 0 0 0 " + body + "\nE\n");
    if (!read.empty()) o.takeRecordFields(read.front().fields, read.front().fieldsRead);
}

}  // namespace records
