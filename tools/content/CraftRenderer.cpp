#include "CraftRenderer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kSuper = 4;                 // samples per pixel side
constexpr double kGroundY = CraftRenderer::kHeight - 20.0;

struct P3 {
    double x, y, z;
};

P3 sub(P3 a, P3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
P3 cross(P3 a, P3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(P3 a, P3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
P3 unit(P3 a) {
    const double l = std::sqrt(dot(a, a));
    return l > 0 ? P3{a.x / l, a.y / l, a.z / l} : a;
}

// The hull's outline in the ground plane of the model, anticlockwise seen
// from above: a pointed bow from its tip back to the shoulders, then the
// rounded back corners. The bow is what tells front from back at every one of
// the 36 headings, seen from behind over the fan duct as well as head on.
std::vector<double> hullOutline(double halfLength, double halfWidth, double corner, double bowTip, double shoulder,
                                int steps, std::vector<double>& sides) {
    std::vector<double> along;
    sides.clear();
    // the bow, from the tip out to the left shoulder: its sides bulge like a boat's
    for (int s = 0; s <= steps; ++s) {
        const double t = static_cast<double>(s) / steps;
        along.push_back(bowTip - (bowTip - shoulder) * t);
        sides.push_back(halfWidth * std::sin(t * kPi / 2));
    }
    // the back corners
    const double centres[2][2] = {{-(halfLength - corner), halfWidth - corner},
                                  {-(halfLength - corner), -(halfWidth - corner)}};
    for (int q = 0; q < 2; ++q) {
        for (int s = 0; s <= steps; ++s) {
            const double t = ((q + 1) * 90.0 + s * 90.0 / steps) * kPi / 180.0;
            along.push_back(centres[q][0] + corner * std::cos(t));
            sides.push_back(centres[q][1] + corner * std::sin(t));
        }
    }
    // from the right shoulder back to the tip
    for (int s = steps; s > 0; --s) {
        const double t = static_cast<double>(s) / steps;
        along.push_back(bowTip - (bowTip - shoulder) * t);
        sides.push_back(-halfWidth * std::sin(t * kPi / 2));
    }
    return along;
}

// A face's colour in the game's light: a face seen from behind is lit from that side.
int litColour(const std::vector<P3>& world, int r, int g, int b) {
    const P3 towardsLight = unit({1.0, -0.5, 1.0});
    const P3 towardsViewer = unit({-1.0, -1.0, 1.0});
    P3 n = unit(cross(sub(world[1], world[0]), sub(world[2], world[1])));
    // the depth buffer hides back faces
    if (dot(n, towardsViewer) < 0) n = {-n.x, -n.y, -n.z};
    const double light = 0.45 + 0.55 * std::max(0.0, dot(n, towardsLight));
    return (std::min(255, static_cast<int>(r * light)) << 16) | (std::min(255, static_cast<int>(g * light)) << 8) |
           std::min(255, static_cast<int>(b * light));
}

// Screen position in samples and depth (larger x + y - z lies further away).
std::vector<P3> onScreen(const std::vector<P3>& world) {
    std::vector<P3> s;
    for (const P3& p : world)
        s.push_back({(CraftRenderer::kWidth / 2.0 + (p.x - p.y)) * kSuper,
                     (kGroundY - (p.x + p.y) / 2.0 - p.z) * kSuper, p.x + p.y - p.z});
    return s;
}

// The craft drawn kSuper times finer than its bitmap, the nearest face
// showing at each sample, then averaged down to the bitmap's pixels.
class SampleGrid {
public:
    // a convex polygon on screen, as a fan of triangles
    void fillPolygon(const std::vector<P3>& s, int packed) {
        for (size_t k = 1; k + 1 < s.size(); ++k) fillTriangle(s[0], s[k], s[k + 1], packed);
    }

    BITMAP* downsampled() const {
        BITMAP* out = create_bitmap_ex(24, CraftRenderer::kWidth, CraftRenderer::kHeight);
        for (int y = 0; y < CraftRenderer::kHeight; ++y) {
            for (int x = 0; x < CraftRenderer::kWidth; ++x) {
                int r = 0, g = 0, b = 0;
                for (int sy = 0; sy < kSuper; ++sy) {
                    for (int sx = 0; sx < kSuper; ++sx) {
                        const int c = colour[static_cast<size_t>(y * kSuper + sy) * kWide + x * kSuper + sx];
                        r += (c >> 16) & 255;
                        g += (c >> 8) & 255;
                        b += c & 255;
                    }
                }
                const int n = kSuper * kSuper;
                putpixel(out, x, y, makecol24(r / n, g / n, b / n));
            }
        }
        return out;
    }

private:
    void fillTriangle(P3 a, P3 b, P3 c, int packed) {
        const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        if (std::fabs(area) < 1e-9) return;
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
        const int x1 = std::min(kWide - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
        const int y1 = std::min(kHigh - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                const double wa = ((b.x - px) * (c.y - py) - (c.x - px) * (b.y - py)) / area;
                const double wb = ((c.x - px) * (a.y - py) - (a.x - px) * (c.y - py)) / area;
                const double wc = 1.0 - wa - wb;
                if (wa < 0 || wb < 0 || wc < 0) continue;
                const double z = wa * a.z + wb * b.z + wc * c.z;
                const size_t at = static_cast<size_t>(y) * kWide + x;
                if (z < depth[at]) {
                    depth[at] = z;
                    colour[at] = packed;
                }
            }
        }
    }

    static constexpr int kWide = CraftRenderer::kWidth * kSuper, kHigh = CraftRenderer::kHeight * kSuper;
    std::vector<double> depth = std::vector<double>(static_cast<size_t>(kWide) * kHigh, 1e30);
    std::vector<int> colour = std::vector<int>(static_cast<size_t>(kWide) * kHigh, 0);
};

}  // namespace

CraftRenderer::CraftRenderer() { buildModel(); }

void CraftRenderer::add(const std::vector<Vertex>& points, int r, int g, int b) {
    faces.push_back({points, r, g, b});
}

void CraftRenderer::prism(const std::vector<Vertex>& outline, double bottom, double top, int r, int g, int b,
                          int topR, int topG, int topB) {
    // the outline runs anticlockwise seen from above
    const size_t n = outline.size();
    std::vector<Vertex> lid;
    for (size_t i = 0; i < n; ++i) {
        const Vertex& p = outline[i];
        const Vertex& q = outline[(i + 1) % n];
        add({{p.a, p.b, bottom}, {q.a, q.b, bottom}, {q.a, q.b, top}, {p.a, p.b, top}}, r, g, b);
        lid.push_back({p.a, p.b, top});
    }
    add(lid, topR, topG, topB);
}

void CraftRenderer::buildModel() {
    std::vector<double> sides;
    std::vector<double> along = hullOutline(15.0, 10.0, 6.0, 16.0, 2.0, 6, sides);
    std::vector<Vertex> skirt, deck;
    for (size_t i = 0; i < along.size(); ++i) {
        skirt.push_back({along[i], sides[i], 0.0});
        deck.push_back({along[i] * 0.9, sides[i] * 0.88, 0.0});
    }
    // the rubber skirt bulges out from the ground to the deck
    prism(skirt, 0.5, 3.5, 78, 76, 74, 90, 88, 86);
    prism(deck, 3.5, 6.0, 196, 36, 28, 220, 44, 34);
    // a white point on the bow of the deck
    add({{13.8, 0.0, 6.02}, {8.0, 4.2, 6.02}, {8.0, -4.2, 6.02}}, 236, 232, 228);

    // cabin: slanted glass front, red roof, grey glass sides
    const double back = -4.0, front = 6.5, frontTop = 3.5, half = 5.5, roof = 10.5, low = 6.0;
    add({{front, -half, low}, {front, half, low}, {frontTop, half * 0.9, roof}, {frontTop, -half * 0.9, roof}}, 168,
        186, 196);
    add({{back, half * 0.9, roof}, {frontTop, half * 0.9, roof}, {frontTop, -half * 0.9, roof}, {back, -half * 0.9, roof}},
        206, 40, 32);
    add({{back, half, low}, {front, half, low}, {frontTop, half * 0.9, roof}, {back, half * 0.9, roof}}, 150, 166, 176);
    add({{front, -half, low}, {back, -half, low}, {back, -half * 0.9, roof}, {frontTop, -half * 0.9, roof}}, 150, 166,
        176);
    add({{back, -half, low}, {back, half, low}, {back, half * 0.9, roof}, {back, -half * 0.9, roof}}, 180, 34, 26);

    // the fan duct at the back: a ring standing across the craft
    const double ductA = -10.5, depth = 2.5, radius = 5.5, inner = 4.2, centre = 11.5;
    const int segments = 12;
    for (int s = 0; s < segments; ++s) {
        const double t0 = 2 * kPi * s / segments, t1 = 2 * kPi * (s + 1) / segments;
        const Vertex o0{0, radius * std::cos(t0), centre + radius * std::sin(t0)};
        const Vertex o1{0, radius * std::cos(t1), centre + radius * std::sin(t1)};
        const Vertex i0{0, inner * std::cos(t0), centre + inner * std::sin(t0)};
        const Vertex i1{0, inner * std::cos(t1), centre + inner * std::sin(t1)};
        const double fa = ductA + depth / 2, ba = ductA - depth / 2;
        add({{fa, o0.b, o0.c}, {fa, o1.b, o1.c}, {fa, i1.b, i1.c}, {fa, i0.b, i0.c}}, 70, 70, 74);
        add({{ba, o0.b, o0.c}, {ba, o1.b, o1.c}, {ba, i1.b, i1.c}, {ba, i0.b, i0.c}}, 70, 70, 74);
        add({{fa, o0.b, o0.c}, {ba, o0.b, o0.c}, {ba, o1.b, o1.c}, {fa, o1.b, o1.c}}, 188, 34, 28);
    }
    // fan blades inside the duct, grey: white is the bow's alone
    for (int s = 0; s < 3; ++s) {
        const double t = 2 * kPi * s / 3 + 0.4;
        add({{ductA, 0.6 * std::cos(t + 1.2), centre + 0.6 * std::sin(t + 1.2)},
             {ductA, inner * std::cos(t), centre + inner * std::sin(t)},
             {ductA, inner * std::cos(t + 0.7), centre + inner * std::sin(t + 0.7)}},
            150, 150, 156);
    }
    // struts holding the duct and the rudder behind it
    add({{ductA, -3.0, 6.0}, {ductA, -1.5, 6.0}, {ductA, -2.2, 7.4}}, 90, 90, 94);
    add({{ductA - 1.6, -0.4, 6.0}, {ductA - 4.0, -0.4, 6.0}, {ductA - 4.0, -0.4, 15.0}, {ductA - 1.6, -0.4, 13.0}}, 188,
        34, 28);
}

BITMAP* CraftRenderer::render(double heading) const {
    const double h = heading * kPi / 180.0;
    const P3 forward{std::cos(h), -std::sin(h), 0.0};
    const P3 side{std::sin(h), std::cos(h), 0.0};
    SampleGrid grid;
    for (const Face& f : faces) {
        std::vector<P3> world;
        for (const Vertex& v : f.points)
            world.push_back({v.a * forward.x + v.b * side.x, v.a * forward.y + v.b * side.y, v.c});
        grid.fillPolygon(onScreen(world), litColour(world, f.r, f.g, f.b));
    }
    return grid.downsampled();
}
