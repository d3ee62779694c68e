#pragma once
#include <allegro.h>

#include <vector>

// Renders the hovercraft model through the game's isometric projection: a red
// hull with a pointed bow on a grey skirt, a white point on the bow (the only
// white of the craft), a cabin in front and a fan duct with a fin at the
// back, lit from the game's light and drawn on black.
class CraftRenderer {
public:
    CraftRenderer();
    // A new 24-bit bitmap of the craft at `heading` degrees (nose along
    // (cos h, -sin h)); the ground point lies at (w / 2, h - 20).
    BITMAP* render(double heading) const;

    static constexpr int kWidth = 48;
    static constexpr int kHeight = 48;

private:
    struct Vertex {
        double a, b, c;  // along the nose, to the side, up
    };
    struct Face {
        std::vector<Vertex> points;
        int r, g, b;
    };

    void add(const std::vector<Vertex>& points, int r, int g, int b);
    // an upright wall round `outline` (anticlockwise seen from above) and its lid
    void prism(const std::vector<Vertex>& outline, double bottom, double top, int r, int g, int b, int topR, int topG,
               int topB);
    void buildModel();

    std::vector<Face> faces;
};
