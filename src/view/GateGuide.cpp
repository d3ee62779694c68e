#include "view/GateGuide.h"

#include <allegro.h>

#include <cmath>

#include "craft/HoverCraft.h"
#include "objects/CheckPoint.h"
#include "view/ClippedDraw.h"
#include "view/RaceView.h"
#include "view/WindowGeometry.h"
#include "world/World.h"

namespace {

// The point of the ground under (x, y) on the screen.
Vector2 onGround(World& world, const View& view, double x, double y) {
    return project(view, Vector3(x, y, world.getTerrain().heightAt(Vector2(x, y))));
}

// A post standing on its foot, edged in black so it reads over any ground.
void drawPost(BITMAP* target, const Vector2& foot, int colour, int black) {
    const double w = GateGuide::kPostHalfWidth, h = GateGuide::kPostHeight;
    ClippedDraw::box(target, Vector2(foot.x - w - 1, foot.y - h - 1), Vector2(foot.x + w, foot.y + 1), black);
    ClippedDraw::box(target, Vector2(foot.x - w, foot.y - h), Vector2(foot.x + w - 1, foot.y), colour);
}

}  // namespace

void GateGuide::draw(World& world, const HoverCraft& craft, View& view) {
    CheckPoint* gate = world.nextGate(craft);
    if (!gate) return;
    const int colour = makecol(kRed, kGreen, kBlue);
    drawGate(world, *gate, view, colour);
    const Vector3 centre = gate->getPosition();
    drawEdgeArrow(view.target,
                  WindowGeometry::arrowTo(onGround(world, view, centre.x, centre.y), RaceView::kScreenWidth,
                                    RaceView::kScreenHeight),
                  colour);
}

void GateGuide::drawGate(World& world, const CheckPoint& gate, View& view, int colour) {
    const int black = makecol(0, 0, 0);
    const Vector3 c = gate.getPosition(), half = gate.getHalfGate(), way = gate.getDirection();
    const Vector2 left = onGround(world, view, c.x - half.x, c.y - half.y);
    const Vector2 right = onGround(world, view, c.x + half.x, c.y + half.y);
    // the gate line, three pixels thick across its run
    const bool flat = std::fabs(right.x - left.x) >= std::fabs(right.y - left.y);
    for (int k = -1; k <= 1; ++k) {
        const Vector2 shift(flat ? 0 : k, flat ? k : 0);
        ClippedDraw::line(view.target, Vector2(left.x + shift.x, left.y + shift.y),
                  Vector2(right.x + shift.x, right.y + shift.y), colour);
    }
    // the way through, lying flat on the ground at the gate's middle; a gate
    // that was never turned has no way yet
    if (std::hypot(way.x, way.y) > 0.5) {
        const Vector2 along(way.x, way.y);
        const double z = world.getTerrain().heightAt(Vector2(c.x, c.y));
        const Vector2 tip(c.x + along.x * kPassageArrow.length / 2, c.y + along.y * kPassageArrow.length / 2);
        auto corners = kPassageArrow.outline(tip, along);
        for (Vector2& p : corners) p = project(view, Vector3(p.x, p.y, z));
        ClippedDraw::shape(view.target, corners.data(), static_cast<int>(corners.size()), colour, black);
    }
    drawPost(view.target, left, colour, black);
    drawPost(view.target, right, colour, black);
}

void GateGuide::drawEdgeArrow(BITMAP* target, const EdgeArrow& arrow, int colour) {
    if (!arrow.shown) return;
    const auto corners = kEdgeArrow.outline(arrow.tip, arrow.direction);
    ClippedDraw::shape(target, corners.data(), static_cast<int>(corners.size()), colour, makecol(0, 0, 0));
}
