#pragma once
#include <iosfwd>
#include <string>

struct BITMAP;
class HoverCraft;
class World;
struct RaceRecord;

// The heads-up line of the player's craft on its band, its effect icons, and
// the pause line.
class Hud {
public:
    static constexpr int kTextX = 5;
    static constexpr int kTextY = 5;
    static constexpr int kIconX = 600;
    // top of the pause line, above the message line
    static constexpr int kPausedY = 130;
    static constexpr int kBandPadding = 6;

    // mm:ss.mmm with the minutes not limited to two digits; leaves '0' as fill.
    static void formatTime(std::ostream& out, int ms);
    static std::string line(const RaceRecord& craft, int raceTime);
    static void drawHud(World& world, const HoverCraft& craft, BITMAP* target);
    // "Paused" in the message font across the window and how to resume under
    // it, on a black band so that both read over any ground.
    static void drawPaused(World& world, BITMAP* target);
};
