#include "track/RecordTable.h"

#include "objects/AiWaypoint.h"
#include "objects/CheckPoint.h"
#include "objects/Powerup.h"
#include "objects/StaticObject.h"
#include "world/World.h"

namespace {

// The kind a reader's powerup starts with; the record's kind replaces it.
constexpr int kReaderPowerupKind = Powerup::kTurbo;

const RecordKind kKinds[] = {
    {StaticObject::kTypeCode, "scenery", 1, {{"kind", true}},
     [](World& w) -> GameObject* { return new StaticObject(&w); }},
    {CheckPoint::kTypeCode, "checkpoint", 3, {{"radius", false}, {"number", true}, {"angle", false}},
     [](World& w) -> GameObject* { return new CheckPoint(&w); }},
    {Powerup::kTypeCode, "powerup", 1, {{"kind", true}},
     [](World& w) -> GameObject* { return new Powerup(&w, kReaderPowerupKind); }},
    {AiWaypoint::kTypeCode, "waypoint", 1, {{"number", true}},
     [](World& w) -> GameObject* {
         auto* waypoint = new AiWaypoint(&w);
         w.addWaypoint(waypoint);
         return waypoint;
     }},
};

}  // namespace

const RecordKind* RecordTable::find(char letter) {
    for (const RecordKind& k : kKinds)
        if (k.letter == letter) return &k;
    return nullptr;
}
