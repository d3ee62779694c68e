#pragma once
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "check/DriverWatch.h"
#include "check/TrackProblem.h"
#include "math/Vector3.h"
#include "world/World.h"

class RaceResources;
class World;
class Terrain;
class GameObject;
class HoverCraft;
class TrackLayout;

// The track author's check: reads a track's objects onto a ground of its own,
// lists what would make a race fail or misbehave (each with its record line
// and what to do about it), then races the four computer drivers over three
// laps on that private copy. hover-check, the editor's F5 and the race tests
// all use it, so they agree on what a raceable track is. A setup can leave the
// player's place idle on the grid or hand it to a faster driver, and a seed
// moves the craft a little on the grid, so that many races differ.
class TrackCheck {
public:
    // Fills the check's terrain: loads a track from tracks.dat, copies the
    // editor's ground, or sets a test's ground.
    using GroundLoader = std::function<void(Terrain&)>;

    // The race runs at the game's own fixed step, whatever the machine, so
    // its lap times are the ones a race in the game gives.
    static constexpr double kStep = World::kStep;
    // Game time the four drivers get for three laps, in milliseconds.
    static constexpr int kTimeLimit = 20 * 60 * 1000;
    // A driver that passes no gate for this long is stuck where it is.
    static constexpr int kStuckTime = 3 * 60 * 1000;
    // A lap counted sooner than this after the last was not driven round.
    static constexpr int kShortestLap = 1000;
    // The faster driver's wish: the computer drivers' rule at twice their
    // speed, standing in for a player who keeps the thrust on.
    static constexpr double kFasterSpeed = 240.0;

    // Who races in the player's place (craft 4): a computer driver, nobody,
    // the faster driver, or a newcomer at the keys.
    enum class Seat { Computer, Idle, Faster, Novice };
    // A craft slower than this, in units a second, for longer than kStuckSpell
    // seconds is stuck, whatever holds it.
    static constexpr double kSlowSpeed = 20.0;
    static constexpr double kStuckSpell = 2.0;
    // Seed 0 lines the grid up exactly as a game does; any other seed moves
    // and turns every craft a little on its place.
    struct Setup {
        unsigned seed = 0;
        Seat seat = Seat::Computer;
    };

    using Problem = TrackProblem;

    struct CraftResult {
        int number = 0;  // 1 to 4, in grid order; 4 stands in the player's place
        Seat driver = Seat::Computer;
        bool finished = false;
        int place = 0;
        int laps = 0;  // start-line crossings
        std::vector<int> lapTimes;  // milliseconds, one per completed lap
        int finishTime = 0;  // race clock when it finished
        int lastCheckpoint = -1;
        int targetWaypoint = 0;
        int lastProgressTime = 0;  // race clock of its last gate
        bool finite = true;
        Vector3 position;
        double distance = 0.0;  // ground covered until it finished or the race ended
        int raced = 0;          // milliseconds it raced: to its finish, or the whole race
        int missedWaypoints = 0;  // times it passed its waypoint untouched and had to turn back
        int leftIsland = 0;       // times it was put back after leaving the track area
        double stuckTime = 0.0;   // seconds in spells of more than kStuckSpell slower than kSlowSpeed
        std::map<int, int> missedAt;  // those misses by place in the route
        DriverWatch::Stand longestStand;  // the longest it stood held in one spot
        // Units a second over its race.
        double meanSpeed() const { return raced > 0 ? distance * 1000.0 / raced : 0.0; }
    };

    TrackCheck(GroundLoader ground, std::string trackText);
    // `shared`, borrowed, is what the race is raced on, its ground already
    // loaded: the races of a series share one. Without it the check loads
    // its own with `ground`.
    TrackCheck(GroundLoader ground, std::string trackText, Setup setup, RaceResources* shared = nullptr);
    ~TrackCheck();
    TrackCheck(const TrackCheck&) = delete;
    TrackCheck& operator=(const TrackCheck&) = delete;

    // A loader for track n of tracks.dat ("Unable to load tracks datafile").
    static GroundLoader trackGround(int track);
    // A loader that copies the heights and borrows the ground texture of
    // `source`, which must outlive the check.
    static GroundLoader copyGround(const Terrain& source);

    // Builds the private World, reads the track and checks the layout.
    // Errors of the loaders (data.dat, tracks.dat) are thrown.
    void prepare();
    // The first call prepares if needed and sets up the grid; each later one
    // races for about `budget` seconds of wall-clock time, at least one step.
    // True once the check is over.
    bool step(double budget);
    // The whole check in one call.
    void run();
    bool isDone() const { return done; }
    // The check's private World once prepared, null before.
    World* getWorld() const { return world.get(); }

    // Layout problems, then the race's; empty for a good track.
    const std::vector<Problem>& getProblems() const { return problems; }
    const std::vector<Problem>& getLayoutProblems() const { return layoutProblems; }
    const std::vector<CraftResult>& getResults() const { return results; }
    bool raceStarted() const { return started; }
    // Every driver finished three laps (an idle place is not a driver).
    bool isRaceable() const;
    // The drivers' route, waypoint to waypoint round the loop, in world units.
    double routeLength() const { return loopLength; }
    // The strongest pull of the ground met along that route; a craft needs
    // full thrust and more to climb against the kThrust of HoverCraft.
    double steepestRoutePull() const { return steepestPull; }
    // The race clock at which the first computer driver finished, from the
    // start; 0 when none did.
    int winnerTime() const;
    // Fastest lap of any craft in milliseconds, 0 without a lap.
    int bestLap() const;
    int getRaceTime() const;
    // "Track OK: all four finished, best lap 0:41.20", or the first problem.
    std::string verdict() const;
    // The full report: problems, each craft's laps, and the verdict unless
    // the caller gives its own after more races.
    void report(std::ostream& out, bool withVerdict = true) const;

    // m:ss.cc of a time in milliseconds.
    static std::string formatTime(int ms);

private:
    void startRace();
    void moveOnGrid();
    void advance();
    void seatPlayer(HoverCraft* player);
    void watchSpeed(std::size_t i, const Vector3& from);
    void finish();
    void checkLapTimes();

    GroundLoader ground;
    std::string trackText;
    RaceResources* shared;
    std::unique_ptr<World> world;
    std::unique_ptr<TrackLayout> layout;
    std::vector<HoverCraft*> craft;  // grid order
    std::vector<CraftResult> results;
    std::vector<DriverWatch> watches;  // grid order, as craft
    std::vector<double> slowSpells;    // grid order: seconds of the slow spell going on
    Setup setup;
    double loopLength = 0.0;
    double steepestPull = 0.0;
    std::vector<Problem> layoutProblems;
    std::vector<Problem> problems;
    int raceStart = 0;
    bool prepared = false;
    bool started = false;
    bool done = false;
    std::string raceError;
};
