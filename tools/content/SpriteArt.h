#pragma once
#include <allegro.h>

class ContentPalette;

// The 256-colour sprites the game draws with draw_sprite: five pieces of
// scenery and the four powerups. Each function returns a new bitmap.
class SpriteArt {
public:
    explicit SpriteArt(const ContentPalette& palette) : palette(palette) {}

    BITMAP* pineTree() const;
    BITMAP* roundTree() const;
    BITMAP* boulder() const;
    BITMAP* buoy() const;
    BITMAP* hut() const;

    BITMAP* frozenPowerup() const;           // an ice cube
    BITMAP* wonkyPowerup() const;            // a purple disc with a yellow spiral
    BITMAP* opponentsFrozenPowerup() const;  // a white snowflake on deep blue
    BITMAP* turboPowerup() const;            // an orange lightning bolt on red

    static constexpr int kPowerupSize = 24;

private:
    const ContentPalette& palette;
};
