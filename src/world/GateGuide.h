#pragma once
#include <vector>

struct View;
class CheckPoint;
class GameObject;
class HoverCraft;
class World;

// The one gate a race shows: the player's next one, its posts and gate line
// drawn as the editor draws gates but in a colour of their own, and while it
// is off the screen an arrow at the edge of the window that points to it.
// The other gates stay hidden, and nothing shows once the player has finished.
class GateGuide {
public:
    static constexpr int kRed = 255, kGreen = 64, kBlue = 255;
    static constexpr double kArrowLength = 24.0;
    static constexpr double kArrowHalfWidth = 11.0;

    // The first gate of `objects` numbered `number`; null when there is none.
    static CheckPoint* find(const std::vector<GameObject*>& objects, int number);
    // The gate `craft` must pass next; null once it has finished.
    static CheckPoint* nextGate(const World& world, const HoverCraft& craft);
    static void draw(World& world, const HoverCraft& craft, View& view);
};
