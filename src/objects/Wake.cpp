#include "objects/Wake.h"

#include <allegro.h>

#include <algorithm>

namespace {
constexpr double kRadius = 16.0;
constexpr double kDamping = 0.9;
constexpr double kDampInterval = 0.5;
constexpr double kFullAlpha = 128.0;
}  // namespace

Wake::Wake(World* w, BITMAP* s) : GameObject(w), sprite(s) {
    radius = kRadius;
    collidable = false;
}

void Wake::update(double dt) {
    // damped on every update after a drawn frame, every half second off screen
    if (slowTimer < 0.01) {
        velocity = velocity * kDamping;
        slowTimer = kDampInterval;
    } else {
        slowTimer -= dt;
    }
    position += velocity * dt;
    life -= dt;
    if (life < 0) setDead(true);
}

int Wake::alpha() const { return std::min(static_cast<int>(life * kFullAlpha), static_cast<int>(kFullAlpha)); }

void Wake::draw(View& view) {
    set_add_blender(0, 0, 0, std::max(0, alpha()));
    const Vector2 s = project(view, position);
    draw_trans_sprite(view.target, sprite, toPixel(s.x - sprite->w / 2), toPixel(s.y - sprite->h / 2));
    slowTimer = 0;
}
