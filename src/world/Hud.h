#pragma once
#include <iosfwd>
#include <string>

struct BITMAP;
class HoverCraft;
class World;

// The heads-up line of the player's craft, its effect icons, and the loading
// status shown straight on the screen.
class Hud {
public:
    static constexpr int kTextX = 5;
    static constexpr int kTextY = 5;
    static constexpr int kIconX = 600;

    // mm:ss.mmm with the minutes not limited to two digits; leaves '0' as fill.
    static void formatTime(std::ostream& out, int ms);
    static std::string line(const HoverCraft& craft, int raceTime);
    static void drawHud(World& world, const HoverCraft& craft, BITMAP* target);
    static void showStatus(const char* text);
};
