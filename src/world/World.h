#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "craft/CraftSprites.h"
#include "craft/Racecourse.h"
#include "math/View.h"
#include "terrain/Terrain.h"
#include "view/ResultsPanel.h"
#include "world/ContactGrid.h"
#include "world/GameData.h"
#include "world/Pacer.h"
#include "world/RaceRules.h"
#include "world/Texts.h"

struct BITMAP;
class AiWaypoint;
class CheckPoint;
class GameObject;
class HoverCraft;

// One race or one editor run: the terrain, every object on the track, the
// two bitmaps frames are composed in, data.dat and the race state.
class World : public Racecourse {
public:
    static constexpr int kMapWidth = 5120;
    static constexpr int kMapHeight = 2560;
    static constexpr int kScreenWidth = 640;
    static constexpr int kScreenHeight = 480;
    static constexpr double kMapOriginX = 2560.0;
    static constexpr double kMapOriginY = 2880.0;
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

    explicit World(bool editorMode);
    ~World() override;
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // data.dat, loaded on first need; throws "Failed to load datafile".
    void loadData();
    // For tools that load one data.dat after another into one World: deletes
    // the objects (they borrow its sprites), then unloads the file.
    void unloadData();
    void* getData(int index) { return gameData.get(index); }
    BITMAP* getBitmap(int index) { return gameData.bitmap(index); }
    void playSample(int index) override { gameData.playSample(index); }
    int getLastSample() const { return gameData.getLastSample(); }
    int getSamplesPlayed() const { return gameData.getSamplesPlayed(); }
    GameData& getGameData() { return gameData; }
    int getFramesDrawn() const { return framesDrawn; }

    void addObject(GameObject* o);
    void addCraft(HoverCraft* c);
    void deleteAllObjects();
    void addWaypoint(AiWaypoint* w);

    // Shown while a track's map renders.
    static constexpr const char* kRenderingText = "Please wait... rendering map";

    // Track loading (the preview renders, a race or editor run then loads again).
    void loadTrack(int track);
    // The terrain as it stands rendered into the map, the view at its start.
    void renderGround();
    // False when the window's close button ended the wait for a key.
    bool showPreview(int track);
    // Everything of the preview up to the key wait.
    void renderPreview(int track);
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

    // The race or editor loop, at most 60 passes a second, until Escape or
    // the window's close button; the editor leaves when its cursor says so.
    void run();
    // The message a run opens with: text `id` of the language's table ("Go").
    void setOpeningText(int id) { openingText = id; }
    void update(double dt);
    void checkContacts();
    // Told by the objects: one was set dead; one that stays put was moved or
    // resized.
    void objectDied(GameObject* o) { dying.push_back(o); }
    void objectMoved() { contacts.invalidate(); }
    // The contact pass sieves the objects near each craft out of the cells
    // once the list holds `count` of them (ContactGrid::kShortList unless
    // set): 0 always, SIZE_MAX never, every craft then tested against every
    // object, the reference the sieve agrees with.
    void useContactGridFrom(std::size_t count) { contactGridFrom = count; }
    // Distance tests the contact pass has made since the World was built.
    long long getPairTests() const { return pairTests; }
    void startRace();
    void updateRanking() { rules.rank(); }
    void showMessage(const std::string& text) override;
    void freezeOpponents(HoverCraft* collector);
    GameObject* nearestObject(GameObject* from);

    // What a craft asks of the race: the ground, and what happened to it.
    double groundHeight(const Vector2& p) const override { return terrain.heightAt(p); }
    Vector3 groundNormal(const Vector2& p) const override { return terrain.normalAt(p); }
    bool isWater(const Vector2& p) const override { return terrain.isWater(p); }
    void gateTouched(HoverCraft& craft, const CheckPoint& gate) override;
    void leftTheIsland(HoverCraft& craft) override { rules.leftTheIsland(craft); }
    void dropWake(const Vector3& at, const Vector3& velocity, BITMAP* image) override;

    // The race's record of a craft (its laps, gates, place).
    const RaceRecord& recordOf(const HoverCraft& craft) const { return rules.of(craft); }
    // The first gate numbered `number`; null when there is none.
    CheckPoint* gateNumbered(int number) const;
    // The gate `craft` must pass next; null once it has finished.
    CheckPoint* nextGate(const HoverCraft& craft) const;
    // Composes one frame in the back buffer; draw() also copies it to the screen.
    void composeFrame();
    void draw();

    int getRaceTime() const { return raceTime; }
    int getRaceTimeNanos() const { return raceTimeNanos; }
    int getLapCount() const { return lapCount; }
    bool isEditorMode() const { return editorMode; }
    int getCheckpointCount() const { return checkpointCount; }
    void setCheckpointCount(int n) { checkpointCount = n; }
    AiWaypoint* getWaypoint(int i) const { return waypoints[i]; }
    int getWaypointCount() const { return static_cast<int>(waypoints.size()); }
    Terrain& getTerrain() { return terrain; }
    void setPlayMusic(bool on) { playMusic = on; }
    bool getPlayMusic() const { return playMusic; }
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
    GameObject* getFollowed() const { return followed; }
    void setFollowed(GameObject* o) { followed = o; }
    const std::string& getMessage() const { return message; }
    double getMessageTime() const { return messageTime; }
    BITMAP* getMapBitmap() const { return mapBitmap; }
    BITMAP* getBackBuffer() const { return backBuffer; }
    View& getMapView() { return mapView; }
    int getScrollX() const { return scrollX; }
    int getScrollY() const { return scrollY; }
    // The frame's view: the map view shifted by the scroll, onto the back buffer.
    View frameView() const;
    // The objects the last frame drew, back to front.
    std::vector<GameObject*> lastDrawOrder() const;

private:
    // What was handed to the World since the last step joins the list.
    void joinPending();
    void resetMapView();

    bool playMusic = true;
    BITMAP* mapBitmap = nullptr;
    BITMAP* backBuffer = nullptr;
    GameData gameData;
    std::unique_ptr<CraftSprites> craftSprites;
    RaceRules rules;
    Terrain terrain;
    View mapView;
    int scrollX = 0, scrollY = 0;
    int trackNumber = 0;
    bool editorMode;
    bool emptyStart = false;
    int openingText = kTextGo;
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
    std::multimap<double, GameObject*> drawOrder;
    GameObject* followed = nullptr;
    HoverCraft* player = nullptr;
    int framesDrawn = 0;
    // the loop's pause, which the frame shows
    bool paused = false;
    ResultsPanel resultsPanel;
    Pacer pacer;
};
