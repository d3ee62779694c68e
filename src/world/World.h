#pragma once
#include <memory>
#include <string>
#include <vector>

#include "craft/Racecourse.h"
#include "world/ContactGrid.h"
#include "world/Pacer.h"
#include "world/RaceResources.h"
#include "world/RaceRules.h"
#include "world/Texts.h"

class AiWaypoint;
class CheckPoint;
class GameObject;
class HoverCraft;

// One race or one editor run: every object on the track, the contact pass,
// the clock, the places, the message of the moment and the pacer. It draws
// nothing and reads no key: a RaceView shows it, the shell's loop steps it
// and seats its drivers. It races on the data.dat, ground and craft sprites
// of its RaceResources, its own or lent.
class World : public Racecourse {
public:
    static constexpr int kCraftCount = 4;
    static constexpr int kLaps = 3;
    static constexpr double kGridSpacing = 30.0;
    static constexpr double kGridSide = 20.0;
    static constexpr double kSetupStep = 0.1;
    static constexpr double kMessageTime = 5.0;
    // The game's one step: every update of a race, an editor run or a track
    // check advances the World by this much.
    static constexpr int kStepsPerSecond = 60;
    static constexpr double kStep = 1.0 / kStepsPerSecond;

    // `shared`, borrowed, is what it races on; without it the World makes its own.
    explicit World(bool editorMode, RaceResources* shared = nullptr);
    ~World() override;
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // data.dat, loaded on first need; throws "Failed to load datafile".
    void loadData() { resources->data.load(); }
    // For tools that load one data.dat after another into one World: deletes
    // the objects (they borrow its sprites), then unloads the file.
    void unloadData();
    void* getData(int index) { return resources->data.get(index); }
    BITMAP* getBitmap(int index) { return resources->data.bitmap(index); }
    void playSample(int index) override { resources->data.playSample(index); }
    int getLastSample() const { return resources->data.getLastSample(); }
    int getSamplesPlayed() const { return resources->data.getSamplesPlayed(); }
    GameData& getGameData() { return resources->data; }
    RaceResources& getResources() { return *resources; }

    void addObject(GameObject* o);
    // A craft joins the objects and the race, at the back of the grid.
    void addCraft(HoverCraft* c);
    void deleteAllObjects();
    void addWaypoint(AiWaypoint* w);

    // data.dat, the ground of track `track` and the objects of its file.
    void loadTrack(int track);
    // Reads the track's file, a regular file of at most TrackFile::kMostBytes.
    void loadTrackFile();
    // An editor run that starts from no objects on the track's ground: the
    // track file is not read.
    void setEmptyStart(bool on) { emptyStart = on; }
    bool isEmptyStart() const { return emptyStart; }
    // Where the last track file read broke off before its end, with the
    // file's name; empty when it was whole.
    const std::string& getTrackFileBreak() const { return trackFileBreak; }
    // Why the last track file could not be read at all, with its name
    // ("tracks/track1.txt cannot be read: it is a folder"); empty when it was.
    const std::string& getTrackFileError() const { return trackFileError; }

    // One step: what was handed over joins, every object moves, the contact
    // pass, the places, the dead leave, the pacer, the clock, the message.
    void update(double dt);
    void checkContacts();
    // Told by the objects: one was set dead; one that stays put was moved or
    // resized.
    void objectDied(GameObject* o) { dying.push_back(o); }
    void objectMoved() { contacts.invalidate(); }
    // The contact pass takes the objects near each craft from the cells of
    // the contact grid once the list holds `count` of them
    // (ContactGrid::kShortList unless set): 0 always, SIZE_MAX never, every
    // craft then tested against every object, the reference the grid agrees
    // with.
    void useContactGridFrom(std::size_t count) { contactGridFrom = count; }
    // Distance tests the contact pass has made since the World was built.
    long long getPairTests() const { return pairTests; }
    // The four craft on the grid behind gate 0, the player's place last,
    // with no driver yet: the shell or the track check seats them. Throws
    // "Cannot find the first checkpoint".
    void startRace();
    void updateRanking() { rules.rank(); }
    void showMessage(const std::string& text) override;
    void freezeOpponents(HoverCraft* collector);
    GameObject* nearestObject(GameObject* from);

    // What a craft asks of the race: the ground, and what happened to it.
    double groundHeight(const Vector2& p) const override { return resources->ground.heightAt(p); }
    Vector3 groundNormal(const Vector2& p) const override { return resources->ground.normalAt(p); }
    bool isWater(const Vector2& p) const override { return resources->ground.isWater(p); }
    void gateTouched(HoverCraft& craft, const CheckPoint& gate) override;
    void leftTheIsland(HoverCraft& craft) override { rules.leftTheIsland(craft); }
    void dropWake(const Vector3& at, const Vector3& velocity, BITMAP* image) override;

    // The race's record of a craft (its laps, gates, place).
    const RaceRecord& recordOf(const HoverCraft& craft) const { return rules.of(craft); }
    // The first gate numbered `number`; null when there is none.
    CheckPoint* gateNumbered(int number) const;
    // The gate `craft` must pass next; null once it has finished.
    CheckPoint* nextGate(const HoverCraft& craft) const;

    int getRaceTime() const { return raceTime; }
    int getRaceTimeNanos() const { return raceTimeNanos; }
    int getLapCount() const { return lapCount; }
    bool isEditorMode() const { return editorMode; }
    int getCheckpointCount() const { return checkpointCount; }
    void setCheckpointCount(int n) { checkpointCount = n; }
    AiWaypoint* getWaypoint(int i) const { return waypoints[i]; }
    int getWaypointCount() const { return static_cast<int>(waypoints.size()); }
    Terrain& getTerrain() { return resources->ground; }
    const Terrain& getTerrain() const { return resources->ground; }
    int getTrackNumber() const { return trackNumber; }
    void setTrackNumber(int t) { trackNumber = t; }

    const std::vector<GameObject*>& getObjects() const { return objects; }
    const std::vector<GameObject*>& getPendingObjects() const { return pendingObjects; }
    const std::vector<GameObject*>& getRemovedObjects() const { return removedObjects; }
    // The craft, best placed first.
    const std::vector<HoverCraft*>& getCraftList() const { return rules.ranking(); }
    HoverCraft* getPlayer() const { return player; }
    // The point the guidance runs ahead of the player along the route.
    const Pacer& getPacer() const { return pacer; }
    // The object the view follows: the player's craft, or the editor's cursor.
    GameObject* getFollowed() const { return followed; }
    void setFollowed(GameObject* o) { followed = o; }
    const std::string& getMessage() const { return message; }
    double getMessageTime() const { return messageTime; }

private:
    // What was handed to the World since the last step joins the list.
    void joinPending();
    // The objects set dead since the last step leave the list and the grid.
    void removeTheDead();
    void stepPacer(double dt);
    void advanceClock(double dt);
    // The four craft behind `gate`, single file, alternately to each side.
    void lineUpGrid(const CheckPoint& gate);

    std::unique_ptr<RaceResources> ownResources;
    RaceResources* resources;
    RaceRules rules;
    int trackNumber = 0;
    bool editorMode;
    bool emptyStart = false;
    std::string trackFileBreak;
    std::string trackFileError;
    int raceTime = 0;
    int raceTimeNanos = 0;
    int checkpointCount = 0;
    int lapCount = 0;
    std::string message;
    double messageTime = 0.0;
    std::vector<GameObject*> objects;
    std::vector<GameObject*> pendingObjects;
    std::vector<GameObject*> removedObjects;
    std::vector<AiWaypoint*> waypoints;
    // The objects of `objects` whose update does something, in list order.
    std::vector<GameObject*> busy;
    // Objects set dead since the dead last left the list.
    std::vector<GameObject*> dying;
    ContactGrid contacts;
    std::vector<GameObject*> nearby;
    std::size_t contactGridFrom = ContactGrid::kShortList;
    long long pairTests = 0;
    GameObject* followed = nullptr;
    HoverCraft* player = nullptr;
    Pacer pacer;
};
