#include "world/GateGuide.h"

#include <allegro.h>

#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"
#include "world/PlayArea.h"
#include "world/World.h"

CheckPoint* GateGuide::find(const std::vector<GameObject*>& objects, int number) {
    // by record letter: a cast of every object, every frame, costs more than the gate's drawing
    for (GameObject* o : objects) {
        if (o->typeCode() != CheckPoint::kTypeCode) continue;
        auto* gate = static_cast<CheckPoint*>(o);
        if (gate->getNumber() == number) return gate;
    }
    return nullptr;
}

CheckPoint* GateGuide::nextGate(const World& world, const HoverCraft& craft) {
    if (craft.isFinished()) return nullptr;
    return find(world.getObjects(), craft.getNextCheckpoint());
}

void GateGuide::draw(World& world, const HoverCraft& craft, View& view) {
    CheckPoint* gate = nextGate(world, craft);
    if (!gate) return;
    const int colour = makecol(kRed, kGreen, kBlue);
    gate->drawGate(view, colour, colour);
    const EdgeArrow arrow =
        PlayArea::arrowTo(project(view, gate->getPosition()), World::kScreenWidth, World::kScreenHeight);
    if (!arrow.shown) return;
    // a head pointing along the direction, outlined in black to read over any ground
    const Vector2 d = arrow.direction, side(-d.y, d.x);
    const Vector2 back(arrow.tip.x - d.x * kArrowLength, arrow.tip.y - d.y * kArrowLength);
    const int x1 = toPixel(arrow.tip.x), y1 = toPixel(arrow.tip.y);
    const int x2 = toPixel(back.x + side.x * kArrowHalfWidth), y2 = toPixel(back.y + side.y * kArrowHalfWidth);
    const int x3 = toPixel(back.x - side.x * kArrowHalfWidth), y3 = toPixel(back.y - side.y * kArrowHalfWidth);
    triangle(view.target, x1, y1, x2, y2, x3, y3, colour);
    const int black = makecol(0, 0, 0);
    line(view.target, x1, y1, x2, y2, black);
    line(view.target, x2, y2, x3, y3, black);
    line(view.target, x3, y3, x1, y1, black);
}
