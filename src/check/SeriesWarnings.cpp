#include "check/SeriesWarnings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "check/TrackCheck.h"
#include "check/TrackLayout.h"

namespace {

std::string plural(int n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

SeriesWarnings::SeriesWarnings(const std::string& trackText) : records(TrackFile::scan(trackText)) {
    // the reader hands the route its waypoints in file order
    for (const TrackFile::Record& r : records)
        if (r.letter == 'W') waypointLines.push_back(r.line);
}

void SeriesWarnings::add(unsigned seed, const TrackCheck& check) {
    add(seed, check.getResults(), check.winnerTime(), check.getProblems());
}

void SeriesWarnings::add(unsigned seed, const std::vector<TrackCheck::CraftResult>& results, int winner,
                         const std::vector<TrackCheck::Problem>& problems) {
    for (const TrackCheck::CraftResult& r : results)
        if (r.driver != TrackCheck::Seat::Computer && r.driver != TrackCheck::Seat::Idle) {
            addOtherDriver(seed, results, problems);
            return;
        }
    ++races;
    bool missed = false;
    for (const TrackCheck::CraftResult& r : results) {
        if (r.driver != TrackCheck::Seat::Computer) continue;
        misses += r.missedWaypoints;
        missed = missed || r.missedWaypoints > 0;
        for (const auto& [place, times] : r.missedAt) missedAt[place] += times;
        if (r.finished && winner > 0) {
            const double behind = static_cast<double>(r.raced) / winner - 1.0;
            if (behind > widest) {
                widest = behind;
                widestSeed = seed;
                widestCraft = r.number;
            }
        }
        const int time = static_cast<int>(std::lround(r.longestStand.steps * TrackCheck::kStep * 1000.0));
        if (time < kStandTime) continue;
        ++longStands;
        if (time > longest.time) longest = Stand{time, r.longestStand.position, r.longestStand.target, seed, r.number};
    }
    if (missed) ++racesWithMisses;
}

void SeriesWarnings::addOtherDriver(unsigned seed, const std::vector<TrackCheck::CraftResult>& results,
                                    const std::vector<TrackCheck::Problem>& problems) {
    for (const TrackCheck::CraftResult& r : results) {
        if (r.driver == TrackCheck::Seat::Computer || r.driver == TrackCheck::Seat::Idle) continue;
        OtherDriver& d = others[static_cast<int>(r.driver)];
        ++d.races;
        if (r.finished) continue;
        // the player's place is the last on the grid: its problem comes last
        if (d.unfinished++ == 0 && !problems.empty())
            d.first = "seed " + std::to_string(seed) + ": " + problems.back().describe();
    }
}

std::vector<std::string> SeriesWarnings::warnings() const {
    std::vector<std::string> out;
    for (const std::string& w : {missedWarning(), standWarning(), behindWarning()})
        if (!w.empty()) out.push_back(w);
    for (const auto& [seat, d] : others) {
        if (d.unfinished == 0) continue;
        const bool novice = seat == static_cast<int>(TrackCheck::Seat::Novice);
        out.push_back(std::string("the player's place, driven by the ") + (novice ? "novice" : "faster") +
                      " driver, did not get round in " + std::to_string(d.unfinished) + " of its " +
                      plural(d.races, "race", "races") + ", the first " + d.first + ". " +
                      (novice ? "A newcomer who follows the pacer may not get round either: give the road banks "
                                "that turn a craft back, and ease the bends there"
                              : "A player who drives so may not get round either: ease the bends and climbs there"));
    }
    return out;
}

std::string SeriesWarnings::waypointName(int place) const {
    std::string name = "waypoint " + std::to_string(place);
    if (place >= 0 && place < static_cast<int>(waypointLines.size()))
        name += " (line " + std::to_string(waypointLines[place]) + ")";
    return name;
}

std::string SeriesWarnings::missedWarning() const {
    if (misses == 0 || racesWithMisses * kBumpsEvery <= races) return "";
    std::vector<std::pair<int, int>> most(missedAt.begin(), missedAt.end());
    // the most missed first; of equals, the earlier in the route
    std::stable_sort(most.begin(), most.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    std::string text = "the computer drivers turned back for " + plural(misses, "missed waypoint", "missed waypoints") +
                       " in " + std::to_string(racesWithMisses) + " of " + plural(races, "race", "races") +
                       "; missed most: ";
    for (std::size_t i = 0; i < most.size() && i < static_cast<std::size_t>(kMostNamed); ++i)
        text += (i ? ", " : "") + waypointName(most[i].first) + " " + plural(most[i].second, "time", "times");
    return text + ". They come at it too fast or too wide: move it onto the line they drive, or place a waypoint "
                  "before it so that they turn sooner";
}

std::string SeriesWarnings::standWarning() const {
    if (longStands == 0) return "";
    std::string text = "craft " + std::to_string(longest.craft) + " stood held for " +
                       TrackCheck::formatTime(longest.time) + " near " + TrackLayout::at(longest.position) +
                       " in the race of seed " + std::to_string(longest.seed);
    if (longest.target >= 0) text += ", heading for " + waypointName(longest.target);
    // scenery it may be caught on
    const TrackFile::Record* nearest = nullptr;
    double best = kSceneryNear;
    for (const TrackFile::Record& r : records) {
        if (r.letter != 'S') continue;
        const double d = std::hypot(r.position.x - longest.position.x, r.position.y - longest.position.y);
        if (d < best) {
            best = d;
            nearest = &r;
        }
    }
    if (nearest) text += ", beside the scenery of line " + std::to_string(nearest->line);
    if (longStands > 1)
        text += " (" + std::to_string(longStands) + " times a driver stood " + std::to_string(kStandTime / 1000) +
                " s or more)";
    return text + ". Clear the way there: move the scenery or the waypoint, or lead the route round what holds it";
}

std::string SeriesWarnings::behindWarning() const {
    if (widest <= kFarBehind) return "";
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.0f %%", widest * 100.0);
    return std::string("the slowest finisher came in ") + percent + " behind the winner (craft " +
           std::to_string(widestCraft) + " in the race of seed " + std::to_string(widestSeed) +
           "), where a clean course keeps all within a few per cent: the drivers lose their way or are held "
           "somewhere, so mend what the other warnings name, or ease the bends and climbs of the route";
}
