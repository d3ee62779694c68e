#include "check/TrackJudge.h"

#include <chrono>
#include <ostream>

#include "world/World.h"

namespace {
const std::string kTrackOk = "Track OK";
}  // namespace

TrackJudge::TrackJudge(TrackCheck::GroundLoader g, std::string text)
    : ground(std::move(g)),
      trackText(std::move(text)),
      check(ground, trackText, TrackCheck::Setup(), &resources),
      series(ground, trackText),
      warnings(trackText) {}

TrackJudge::~TrackJudge() = default;

bool TrackJudge::step(double budget) {
    if (done) return true;
    if (!groundLoaded) {
        ground(resources.ground);
        groundLoaded = true;
    }
    if (!check.isDone()) {
        if (check.step(budget)) startSeries();
        return done;
    }
    const auto start = std::chrono::steady_clock::now();
    do {
        if (race->step(budget)) finishRace();
    } while (!done && std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < budget);
    return done;
}

void TrackJudge::run() {
    while (!step(1.0e9)) {
    }
}

void TrackJudge::startSeries() {
    // a track that cannot be raced once is not raced forty times more
    if (!check.isRaceable()) {
        done = true;
        return;
    }
    if (check.getWorld()->getObjects().size() > RaceSeries::kMostObjects) {
        seriesLeftOut = true;
        done = true;
        return;
    }
    race = std::make_unique<TrackCheck>(ground, trackText, RaceSeries::setup(raceIndex), &resources);
}

void TrackJudge::finishRace() {
    const unsigned seed = RaceSeries::setup(raceIndex).seed;
    series.add(seed, *race);
    warnings.add(seed, *race);
    // a computer driver that does not get round, or a lap counted too soon
    // by anyone (the gates' fault), fails the track
    bool failed = false;
    for (const TrackCheck::CraftResult& r : race->getResults()) {
        if (r.driver == TrackCheck::Seat::Computer && !(r.finished && r.finite)) failed = true;
        for (int lap : r.lapTimes)
            if (lap < TrackCheck::kShortestLap) failed = true;
    }
    // the race's first problem is then the track's: a lap counted too soon is
    // named first, and the player's place comes last on the grid
    const std::vector<TrackCheck::Problem>& problems = race->getProblems();
    const std::size_t first = race->getLayoutProblems().size();
    if (failed)
        failures.push_back("seed " + std::to_string(seed) + ": " +
                           (first < problems.size() ? problems[first].describe() : race->verdict()));
    if (++raceIndex < RaceSeries::kRaces) {
        race = std::make_unique<TrackCheck>(ground, trackText, RaceSeries::setup(raceIndex), &resources);
        return;
    }
    race.reset();
    warningLines = warnings.warnings();
    done = true;
}

bool TrackJudge::passed() const {
    if (!done || !check.getProblems().empty() || !check.isRaceable()) return false;
    return failures.empty();
}

std::string TrackJudge::verdict() const {
    if (!done) return "Checking track";
    if (!check.getProblems().empty() || !check.isRaceable()) return check.verdict();
    if (!failures.empty()) return "in the seeded races, " + failures.front();
    std::string text = check.verdict();
    const int n = static_cast<int>(warningLines.size());
    if (n > 0 && text.rfind(kTrackOk, 0) == 0)
        text.insert(kTrackOk.size(), ", " + std::to_string(n) + (n == 1 ? " warning" : " warnings"));
    return text;
}

void TrackJudge::report(std::ostream& out) const {
    check.report(out, false);
    if (seriesLeftOut)
        out << "Series: left out, " << check.getWorld()->getObjects().size() << " objects are more than "
            << RaceSeries::kMostObjects << " (forty races would take minutes); the race above is the check\n";
    else if (series.figures().races > 0)
        series.report(out);
    out << "Verdict: " << verdict() << '\n';
    for (const std::string& w : warningLines) out << "  warning: " << w << '\n';
}
