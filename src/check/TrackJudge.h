#pragma once
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "check/RaceSeries.h"
#include "check/SeriesWarnings.h"
#include "check/TrackCheck.h"
#include "world/RaceResources.h"

// The whole verdict on a track, as hover-check prints it and the editor's F5
// shows it: the track check and its race, then the seeded series (on tracks
// small enough for forty races to take seconds) and the warnings it gives.
// A track passes only when no problem is named and every computer driver of
// every race finishes; warnings never fail it. Another driver in the
// player's place that does not get round (the faster driver) is a warning:
// it drives worse than the game's own drivers on purpose.
class TrackJudge {
public:
    TrackJudge(TrackCheck::GroundLoader ground, std::string trackText);
    ~TrackJudge();
    TrackJudge(const TrackJudge&) = delete;
    TrackJudge& operator=(const TrackJudge&) = delete;

    // Judges for about `budget` seconds of wall-clock time, at least one
    // step of a race; true once the verdict is in. Errors of the loaders
    // (data.dat, tracks.dat) are thrown.
    bool step(double budget);
    // The whole judgement in one call.
    void run();
    bool isDone() const { return done; }

    // No problem named, every computer driver of every race finished.
    bool passed() const;
    // "Track OK: ...", "Track OK, 2 warnings: ..." or the first problem.
    std::string verdict() const;
    const std::vector<std::string>& getWarnings() const { return warningLines; }
    // The check's report, the series, the verdict and the warnings.
    void report(std::ostream& out) const;
    const TrackCheck& getCheck() const { return check; }
    // Races of the series run so far.
    int seriesRaces() const { return series.figures().races; }

private:
    void startSeries();
    void finishRace();

    TrackCheck::GroundLoader ground;
    std::string trackText;
    // data.dat, the ground and the craft's sprites, loaded once for every race
    RaceResources resources;
    bool groundLoaded = false;
    TrackCheck check;
    RaceSeries series;
    SeriesWarnings warnings;
    std::vector<std::string> warningLines;
    // seeded races whose computer drivers did not all get round, or whose
    // laps came too soon: "seed 7: craft 2 did not finish: ..."
    std::vector<std::string> failures;
    // the race of the series under way, and its number
    std::unique_ptr<TrackCheck> race;
    int raceIndex = 0;
    bool seriesLeftOut = false;
    bool done = false;
};
