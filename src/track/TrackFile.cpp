#include "track/TrackFile.h"

#include <cstdio>
#include <fstream>
#include <istream>
#include <locale>
#include <ostream>

#include "control/AiWaypoint.h"
#include "objects/CheckPoint.h"
#include "objects/GameObject.h"
#include "objects/Powerup.h"
#include "objects/StaticObject.h"
#include "world/World.h"

namespace {

// The kind a reader's powerup starts with; the record's kind replaces it.
constexpr int kReaderPowerupKind = 4;

}  // namespace

void TrackFile::read(World& world, std::istream& in) {
    // numbers are always in the "C" form, whatever the player's locale
    in.imbue(std::locale::classic());
    bool ended = false;
    char c;
    while (!ended && in >> c) {
        GameObject* o = nullptr;
        switch (c) {
            case 'S': o = new StaticObject(&world); break;
            case 'C': o = new CheckPoint(&world); break;
            case 'P': o = new Powerup(&world, kReaderPowerupKind); break;
            case 'W': {
                auto* w = new AiWaypoint(&world);
                world.addWaypoint(w);
                o = w;
                break;
            }
            case 'E': ended = true; break;
            default: break;  // anything else is skipped a character at a time
        }
        if (!o) continue;
        // each coordinate through a temporary: one that fails stays 0
        double v[3] = {0.0, 0.0, 0.0};
        for (double& d : v) {
            double t;
            if (!(in >> t)) break;
            d = t;
        }
        o->setPosition(Vector3(v[0], v[1], v[2]));
        // a failed stream reads nothing more, so the body keeps its defaults
        o->read(in);
        world.addObject(o);
    }
}

void TrackFile::write(const std::vector<GameObject*>& objects, std::ostream& out) {
    out.imbue(std::locale::classic());
    for (const GameObject* o : objects) {
        const char c = o->typeCode();
        if (c == 0) continue;
        const Vector3 p = o->getPosition();
        out << c << ' ' << p.x << ' ' << p.y << ' ' << p.z << ' ';
        o->write(out);
        out << '\n';
    }
    out << "E\n";
}

bool TrackFile::save(const std::vector<GameObject*>& objects, const std::string& path) {
    // the whole file goes to a temporary beside the target first, so a failed
    // write never leaves a track without its E or destroys the last save
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::out | std::ios::trunc);
        if (!out) return false;
        write(objects, out);
        out.flush();
        if (!out) {
            out.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
