#include "TrackDesign.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <sstream>
#include <stdexcept>

#include "ContentPalette.h"
#include "CourseRoute.h"
#include "craft/HoverCraft.h"

namespace {

constexpr int kGrid = 256;
constexpr double kCell = 12.0;
constexpr double kPi = 3.141592653589793;
constexpr double kWaterRamp = 200.0;    // distance over which the course sinks to the water
constexpr double kLakeWiden = 14.0;      // the floor is wider where it is water
// Ripples on the banks: long swells with smaller ones on them.
constexpr double kCountryScale = 420.0;
constexpr double kRippleScale = 110.0;
constexpr double kCountryRipple = 0.35;
// The island's highest ground: the banks level off there.
constexpr double kHighest = 255.0;
constexpr double kRockOut = 8.0;         // rocks stand this far beyond the edge of the floor
constexpr double kMapMargin = 40.0;
constexpr double kGateReach = 0.8;       // gates reach this share of the banks beyond the floor
// The island: its ground falls to a flat sea along the edge of the grid.
constexpr double kGroundEnd = (kGrid - 1) * kCell;
constexpr double kSeaWidth = 30.0;   // from the grid's edge
constexpr double kCoast = 60.0;      // the land falls to the sea, steeply, within this of the edge
constexpr double kBeach = 24.0;      // sand beyond the water
constexpr double kSeaLevel = 4.0;
// Beyond the floor, no ground pulls away from the course harder than this:
// only the ripples may, and full thrust always brings a craft back.
constexpr double kReturnPull = HoverCraft::kThrust / 3.0;
constexpr double kStartLine = 18.0;          // size of the start line's squares
constexpr double kStartLevelBehind = 220.0;  // level floor behind the start line
constexpr double kStartLevelAhead = 60.0;    // and beyond it
constexpr double kStartLevelRamp = 450.0;    // from level to the hills
constexpr double kLeanSpan = 240.0;    // bends lean over this stretch of the line, centred on them
constexpr double kLeanRadius = 700.0;  // bends this tight or tighter lean fully
// The start gate stands this share of the floor's half width to the left of
// the line, so the grid does too: the route passes the player's place, on the
// left of the grid, at a distance, and a player who has not set off yet is
// not run into.
constexpr double kGridAside = 0.35;

// Scenery kinds of the track file.
enum { kPine = 0, kRoundTree = 1, kBoulder = 2, kBuoy = 3, kHut = 4 };
const double kSceneryRadius[5] = {16, 18, 15, 8, 22};

unsigned hash(unsigned x, unsigned y, unsigned seed) {
    unsigned h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

double lattice(int x, int y, unsigned seed) { return (hash(x, y, seed) & 0xFFFF) / 65535.0; }

// smooth value noise in 0..1 with features `scale` units across
double noise(double x, double y, double scale, unsigned seed) {
    const double fx = x / scale, fy = y / scale;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    const double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

// Distance from a ground point to the nearest edge of the grid's ground.
double coastDistance(double x, double y) { return std::min({x, y, kGroundEnd - x, kGroundEnd - y}); }

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

CourseLine worldLine(const TrackDesign::Plan& plan) {
    // the map's x runs along the ground's (1, -1), its y along (1, 1)
    std::vector<CourseLine::Corner> corners;
    const double middle = HoverCraft::kTrackSize / 2, r = std::sqrt(0.5);
    for (const CourseLine::Corner& c : plan.corners)
        corners.push_back({middle + (c.x + c.y) * r, middle + (c.y - c.x) * r, c.radius});
    try {
        return CourseLine::rounded(corners, plan.startSide, plan.startAt);
    } catch (const std::exception& e) {
        throw std::runtime_error(plan.title + ": " + e.what());
    }
}

std::string number(double v) {
    std::ostringstream out;
    out << std::round(v * 10.0) / 10.0;
    return out.str();
}

}  // namespace

TrackDesign::TrackDesign(const Plan& s, const ContentPalette& p)
    : plan(s), palette(p), line(worldLine(s)), heightBytes(kGrid * kGrid, 0) {
    start = line.controlDistance(0);
    makeProfile();
    carve();
    paint();
    place();
    survey = std::make_unique<CourseSurvey>(line, heightBytes, tex, [this](double s) { return floorHalfWidth(s); },
                                            plan.returnReach);
    check();
}

TrackDesign::~TrackDesign() {
    if (tex) destroy_bitmap(tex);
}

double TrackDesign::waterWeight(double s) const {
    // distance into the lap from the start line
    double lap = std::fmod(s - start + line.length(), line.length());
    const double from = plan.waterFrom * line.length(), to = plan.waterTo * line.length();
    if (lap >= from && lap <= to) return 1.0;
    const double before = from - lap, after = lap - to;
    const double gap = lap < from ? before : after;
    return 1.0 - smoothstep(0.0, kWaterRamp, gap);
}

double TrackDesign::startLevel(double s) const {
    // the grid and the start line stand on level ground
    const double lap = std::fmod(s - start + line.length(), line.length());
    const double behind = line.length() - lap;
    return std::min(smoothstep(kStartLevelAhead, kStartLevelAhead + kStartLevelRamp, lap),
                    smoothstep(kStartLevelBehind, kStartLevelBehind + kStartLevelRamp, behind));
}

double TrackDesign::hills(double s) const {
    const double lap = std::fmod(s - start + line.length(), line.length());
    const double phase = 2 * kPi * lap / line.length();
    return plan.baseHeight + startLevel(s) * (plan.hillHeight * std::sin(plan.hillWaves * phase + 0.7) +
                                              0.4 * plan.hillHeight * std::sin((plan.hillWaves + 2) * phase + 2.1));
}

void TrackDesign::makeProfile() {
    const std::vector<CourseLine::Sample>& pts = line.samples();
    const size_t n = pts.size();
    // the water lies a little below the lowest point of the course around it
    waterLevel = 1e300;
    for (const CourseLine::Sample& p : pts)
        if (waterWeight(p.s) > 0.0) waterLevel = std::min(waterLevel, hills(p.s));
    waterLevel = std::floor(waterLevel) - 3.0;
    profile.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const double w = waterWeight(pts[i].s);
        profile[i] = hills(pts[i].s) * (1 - w) + waterLevel * w;
    }
    // no climb steeper than the plan allows, and gentler descents still, on
    // which a computer driver gains no speed it must turn round to lose:
    // peaks are cut down, which never lifts the water
    const double rise = plan.maxGradient * CourseLine::kStep, fall = plan.maxDescent * CourseLine::kStep;
    for (int pass = 0; pass < 400; ++pass) {
        bool changed = false;
        for (size_t k = 0; k < 2 * n; ++k) {
            const size_t i = k % n, before = (i + n - 1) % n;
            if (profile[i] > profile[before] + rise) {
                profile[i] = profile[before] + rise;
                changed = true;
            }
            const size_t j = (2 * n - 1 - k) % n, after = (j + 1) % n;
            if (profile[j] > profile[after] + fall) {
                profile[j] = profile[after] + fall;
                changed = true;
            }
        }
        if (!changed) break;
    }
    // bends lean in, so that the ground helps a craft round them; the lean
    // comes in before the bend and goes after it, never on water or the grid
    std::vector<double> turn(n);
    for (size_t i = 0; i < n; ++i) {
        const CourseLine::Sample& a = pts[i];
        const CourseLine::Sample& b = pts[(i + 1) % n];
        turn[i] = std::atan2(a.tx * b.ty - a.ty * b.tx, a.tx * b.tx + a.ty * b.ty);
    }
    const int half = static_cast<int>(kLeanSpan / CourseLine::kStep / 2);
    lean.assign(n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int k = -half; k < half; ++k) sum += turn[(i + n + k) % n];
        const double curvature = sum / (2 * half * CourseLine::kStep);
        lean[i] = plan.bankLean * std::clamp(curvature * kLeanRadius, -1.0, 1.0) * startLevel(pts[i].s) *
                  (1.0 - waterWeight(pts[i].s));
    }
}

double TrackDesign::alongLine(const std::vector<double>& values, double s) const {
    const size_t n = values.size();
    double at = std::fmod(s, line.length()) / line.length() * n;
    if (at < 0) at += n;
    const size_t i = static_cast<size_t>(at) % n, k = (i + 1) % n;
    const double f = at - std::floor(at);
    return values[i] * (1 - f) + values[k] * f;
}

double TrackDesign::courseHeight(double s) const { return alongLine(profile, s); }

double TrackDesign::floorHeight(const CourseLine::Sample& near, double x, double y) const {
    // across the floor, positive to the left of the line: the inside of a left-hand bend
    const double across = (y - near.y) * near.tx - (x - near.x) * near.ty;
    const double width = floorHalfWidth(near.s);
    return courseHeight(near.s) - alongLine(lean, near.s) * std::clamp(across, -width, width);
}

double TrackDesign::floorHalfWidth(double s) const { return plan.halfWidth + kLakeWiden * waterWeight(s); }

void TrackDesign::carve() {
    for (int j = 0; j < kGrid; ++j) {
        for (int i = 0; i < kGrid; ++i) {
            const double x = i * kCell, y = j * kCell;
            double d;
            const CourseLine::Sample& near = line.nearest(x, y, d);
            const double floor = floorHeight(near, x, y);
            const double t = std::max(0.0, d - floorHalfWidth(near.s));
            const double rise = t / plan.bankWidth;
            // ripples grow with the bank, so that near the road they never
            // tilt the ground away from it
            const double ripple = (noise(x, y, kCountryScale, plan.seed) - 0.5 +
                                   kCountryRipple * (noise(x, y, kRippleScale, plan.seed + 1) - 0.5));
            double h = floor + plan.wallHeight * rise * rise + plan.countryHeight * std::min(rise, 1.0) * ripple;
            h = std::min(h, kHighest);
            // the island's shore, and a level sea round it
            const double coast = coastDistance(x, y);
            h = coast <= kSeaWidth ? kSeaLevel : kSeaLevel + (h - kSeaLevel) * smoothstep(kSeaWidth, kCoast, coast);
            heightBytes[j * kGrid + i] = static_cast<unsigned char>(std::clamp(std::lround(h), 0L, 255L));
        }
    }
}

void TrackDesign::paint() {
    tex = create_bitmap_ex(8, kGrid, kGrid);
    const int grassShades = palette.rampSize(ContentPalette::kGrass);
    for (int j = 0; j < kGrid; ++j) {
        for (int i = 0; i < kGrid; ++i) {
            const double x = i * kCell, y = j * kCell;
            double d;
            const CourseLine::Sample& near = line.nearest(x, y, d);
            const double grain = noise(x, y, 30.0, plan.seed + 7);
            const double patch = noise(x, y, 200.0, plan.seed + 8);
            const double floorWidth = floorHalfWidth(near.s);
            const double aboveFloor = heightBytes[j * kGrid + i] - floorHeight(near, x, y);
            const double fromStart = std::fmod(near.s - start + line.length() * 1.5, line.length()) - line.length() / 2;
            const double coast = coastDistance(x, y);
            int colour;
            if (coast <= kSeaWidth) {
                colour = palette.rampIndex(ContentPalette::kWater, static_cast<int>(1 + coast / kSeaWidth * 2.0 + grain));
            } else if (coast <= kSeaWidth + kBeach) {
                colour = palette.rampIndex(ContentPalette::kSand, static_cast<int>(2 + grain * 2.0));
            } else if (waterWeight(near.s) >= 1.0 && d <= floorWidth - 2.0) {
                // deeper blue towards the middle of the channel
                const int shade = static_cast<int>((d / floorWidth) * 3.0 + grain * 2.0);
                colour = palette.rampIndex(ContentPalette::kWater, 1 + shade);
            } else if (d <= plan.halfWidth && fromStart >= -kStartLine && fromStart < kStartLine) {
                // the chequered start line across the floor, two rows of squares
                const double across = (x - near.x) * near.ty - (y - near.y) * near.tx;
                const int column = static_cast<int>(std::floor(across / kStartLine));
                const int row = fromStart < 0 ? 0 : 1;
                colour = palette.grey((column + row) & 1 ? 15 : 1);
            } else if (d <= floorWidth) {
                colour = palette.rampIndex(ContentPalette::kSand, static_cast<int>(1 + grain * 3.0));
            } else if (d <= floorWidth + 14.0) {
                colour = palette.rampIndex(ContentPalette::kEarth, static_cast<int>(grain * 3.0));
            } else if (aboveFloor > plan.wallHeight * 0.8 && patch > 0.72) {
                colour = palette.rampIndex(ContentPalette::kRock, static_cast<int>(grain * 3.0));
            } else {
                const int shade = static_cast<int>(patch * (grassShades - 1) + grain * 1.5);
                colour = palette.rampIndex(ContentPalette::kGrass, shade);
            }
            putpixel(tex, i, j, colour);
        }
    }
}

double TrackDesign::heightAt(double x, double y) const {
    const int i = static_cast<int>(x / kCell), j = static_cast<int>(y / kCell);
    if (i > kGrid - 2 || j > kGrid - 2 || i < 0 || j < 0) return 0.0;
    const double fx = std::fmod(x, kCell) / kCell, fy = std::fmod(y, kCell) / kCell;
    auto h = [&](int a, int b) { return static_cast<double>(heightBytes[b * kGrid + a]); };
    return (1 - fx) * ((1 - fy) * h(i, j) + fy * h(i, j + 1)) + fx * ((1 - fy) * h(i + 1, j) + fy * h(i + 1, j + 1));
}

void TrackDesign::addScenery(double x, double y, int kind, double clearance) {
    if (x < 40 || y < 40 || x > 3020 || y > 3020) return;
    double d;
    const CourseLine::Sample& near = line.nearest(x, y, d);
    // nothing on any part of the floor, wherever the course passes
    if (d < floorHalfWidth(near.s) + kSceneryRadius[kind] + clearance) return;
    for (const Record& r : records) {
        if (r.letter != 'S') continue;
        if (std::hypot(r.x - x, r.y - y) < 40.0) return;
    }
    records.push_back({'S', x, y, heightAt(x, y), std::to_string(kind)});
}

void TrackDesign::place() {
    const double length = line.length();
    const std::vector<double> route = CourseRoute::marks(line, plan.waypointTurn, plan.waypointSpacing);
    const int waypoints = static_cast<int>(route.size());
    if (waypoints < plan.gates) throw std::runtime_error(plan.title + ": fewer waypoints than gates");
    // the gates stand on waypoints, each facing along the course and spanning
    // the floor and the foot of its banks
    for (int g = 0; g < plan.gates; ++g) {
        const CourseLine::Sample p = line.at(start + route[std::lround(static_cast<double>(g) * waypoints / plan.gates) % waypoints]);
        double angle = std::atan2(-p.ty, p.tx) * 180.0 / kPi;
        if (angle < 0) angle += 360.0;
        const double aside = g == 0 ? kGridAside * plan.halfWidth : 0.0;
        const double x = p.x - p.ty * aside, y = p.y + p.tx * aside;
        const double radius = floorHalfWidth(p.s) + aside + kGateReach * plan.bankWidth;
        records.push_back({'C', x, y, heightAt(x, y), number(radius) + " " + std::to_string(g) + " " + number(angle)});
    }
    for (int k = 0; k < waypoints; ++k) {
        const CourseLine::Sample p = line.at(start + route[k]);
        records.push_back({'W', p.x, p.y, heightAt(p.x, p.y), std::to_string(k)});
    }
    for (const PowerupSpot& spot : plan.powerups) {
        const CourseLine::Sample p = line.at(start + spot.lap * length);
        const double x = p.x - p.ty * spot.side, y = p.y + p.tx * spot.side;
        records.push_back({'P', x, y, heightAt(x, y), std::to_string(spot.kind)});
    }
    // rocks just off the edge of the floor, for a craft that runs wide
    for (double lap : plan.obstacles) {
        const CourseLine::Sample p = line.at(start + lap * length);
        const double side = (static_cast<int>(lap * 1000) % 2 ? 1.0 : -1.0) * (plan.halfWidth + kRockOut);
        const double x = p.x - p.ty * side, y = p.y + p.tx * side;
        records.push_back({'S', x, y, heightAt(x, y), std::to_string(kBoulder)});
    }
    // buoys mark the channel through the water
    int buoy = 0;
    for (double lap = plan.waterFrom + 0.01; lap < plan.waterTo; lap += 0.012, ++buoy) {
        const CourseLine::Sample p = line.at(start + lap * length);
        const double side = (buoy % 2 ? 1.0 : -1.0) * (floorHalfWidth(p.s) - 6.0);
        const double x = p.x - p.ty * side, y = p.y + p.tx * side;
        records.push_back({'S', x, y, heightAt(x, y), std::to_string(kBuoy)});
    }
    // trees, rocks and huts on the banks and beyond
    int k = 0;
    for (double lap = 0.0; lap < length; lap += plan.sceneryStep, ++k) {
        const CourseLine::Sample p = line.at(start + lap);
        if (waterWeight(p.s) > 0.5) continue;
        const unsigned h = hash(k, 17, plan.seed);
        const double side = (h & 1 ? 1.0 : -1.0) * (floorHalfWidth(p.s) + plan.bankWidth * (0.5 + (h >> 4 & 7) / 8.0));
        const int kinds[8] = {kPine, kPine, kRoundTree, kRoundTree, kPine, kBoulder, kRoundTree, kHut};
        const int kind = kinds[(h >> 8) & 7];
        addScenery(p.x - p.ty * side, p.y + p.tx * side, kind, kind == kHut ? 40.0 : 20.0);
    }
}

void TrackDesign::check() const {
    // the whole floor must lie on the pre-rendered map
    for (const CourseLine::Sample& p : line.samples()) {
        for (double side = -plan.halfWidth; side <= plan.halfWidth; side += plan.halfWidth) {
            const double x = p.x - p.ty * side, y = p.y + p.tx * side;
            const double z = heightAt(x, y);
            const double across = x - y, up = (x + y) / 2 + z;
            if (across < -2560 + kMapMargin || across >= 2560 - kMapMargin || up <= 320 + kMapMargin ||
                up > 2880 - kMapMargin)
                throw std::runtime_error(plan.title + ": the course leaves the map near " + number(x) + ", " + number(y));
        }
    }
    if (survey->edgeDistance() < plan.edgeMargin)
        throw std::runtime_error(plan.title + ": the floor comes within " + number(survey->edgeDistance()) +
                                 " of the island's edge");
    if (survey->linePull() > plan.maxLinePull)
        throw std::runtime_error(plan.title + ": the floor pulls " + number(survey->linePull()) + ", more than " +
                                 number(plan.maxLinePull) + ", near " + number(survey->steepestPoint().x) + ", " +
                                 number(survey->steepestPoint().y));
    // a gate's reach must stay clear of the road where the course passes
    // by again, or craft there would pass it
    for (const Record& r : records) {
        if (r.letter != 'C') continue;
        const double radius = std::stod(r.body);
        double d;
        const double at = line.nearest(r.x, r.y, d).s;
        for (const CourseLine::Sample& p : line.samples()) {
            double along = std::fabs(p.s - at);
            along = std::min(along, line.length() - along);
            if (along > 3 * (radius + plan.halfWidth) &&
                std::hypot(p.x - r.x, p.y - r.y) < radius + floorHalfWidth(p.s) + HoverCraft::kRadius)
                throw std::runtime_error(plan.title + ": the gate at " + number(r.x) + ", " + number(r.y) +
                                         " reaches the road where the course passes by again");
        }
    }
    if (survey->awayPull() > kReturnPull)
        throw std::runtime_error(plan.title + ": beside the floor the ground pulls " + number(survey->awayPull()) +
                                 " away from the course");
}

std::string TrackDesign::trackFile() const {
    std::ostringstream out;
    for (const Record& r : records)
        out << r.letter << ' ' << number(r.x) << ' ' << number(r.y) << ' ' << number(r.z) << ' ' << r.body << '\n';
    out << "E\n";
    return out.str();
}

std::string TrackDesign::summary() const {
    // closest approach of two parts of the course that are far apart along it
    const std::vector<CourseLine::Sample>& pts = line.samples();
    const double apart = 4 * (plan.halfWidth + plan.bankWidth);
    double closest = 1e300;
    for (size_t a = 0; a < pts.size(); a += 4) {
        for (size_t b = a + 1; b < pts.size(); b += 4) {
            double along = std::fabs(pts[a].s - pts[b].s);
            along = std::min(along, line.length() - along);
            if (along < apart) continue;
            closest = std::min(closest, std::hypot(pts[a].x - pts[b].x, pts[a].y - pts[b].y));
        }
    }
    std::ostringstream out;
    out << plan.title << ": length " << std::lround(line.length()) << ", tightest bend radius "
        << std::lround(line.tightestRadius(60.0)) << ", closest approach " << std::lround(closest)
        << ", island's edge " << std::lround(survey->edgeDistance()) << " beyond the floor, floor pulls up to "
        << number(survey->linePull()) << ", away from the course up to " << number(survey->awayPull()) << ", objects "
        << records.size();
    return out.str();
}

BITMAP* TrackDesign::preview() const {
    const int scale = 2;
    BITMAP* out = create_bitmap_ex(8, kGrid * scale, kGrid * scale);
    for (int j = 0; j < kGrid; ++j) {
        for (int i = 0; i < kGrid; ++i) {
            const int c = getpixel(tex, i, j);
            rectfill(out, i * scale, j * scale, i * scale + scale - 1, j * scale + scale - 1, c);
        }
    }
    for (const Record& r : records) {
        const int x = static_cast<int>(r.x / kCell * scale), y = static_cast<int>(r.y / kCell * scale);
        int colour = palette.nearest(255, 255, 255);
        if (r.letter == 'W') colour = palette.nearest(255, 0, 0);
        if (r.letter == 'P') colour = palette.nearest(255, 0, 255);
        if (r.letter == 'S') colour = palette.nearest(0, 0, 0);
        circlefill(out, x, y, r.letter == 'C' ? 3 : 1, colour);
    }
    return out;
}
