#pragma once
#include <functional>
#include <map>
#include <vector>

#include "math/View.h"
#include "view/ResultsPanel.h"

struct BITMAP;
class GameObject;
class World;

// What a race or an editor run looks like. It owns the map of the whole
// track, rendered once, and the back buffer frames are composed in, and it
// draws in its order: the map around the followed object, the objects from
// back to front, the editor's lines, then over the player's race the next
// gate, the pacer, the craft's marks, the HUD, the message line, the paused
// band and the results. The shell shows the frame on the screen.
class RaceView {
public:
    static constexpr int kMapWidth = 5120;
    static constexpr int kMapHeight = 2560;
    static constexpr int kScreenWidth = 640;
    static constexpr int kScreenHeight = 480;
    static constexpr double kMapOriginX = 2560.0;
    static constexpr double kMapOriginY = 2880.0;

    // Throws "Cannot create virtual screen" or "Cannot create buffer screen".
    explicit RaceView(World& world);
    ~RaceView();
    RaceView(const RaceView&) = delete;
    RaceView& operator=(const RaceView&) = delete;

    // The ground as it stands rendered into the map, the view at its start.
    void renderGround();
    // The preview's map: the ground, then every visible object in file
    // order, with no culling and no depth sort.
    void renderPreviewMap();
    // One frame into the back buffer.
    void compose();
    // The loop's pause, which the frame shows.
    void setPaused(bool on) { paused = on; }
    // Drawn over the map after the objects: the editor's lines.
    void setOverlay(std::function<void(BITMAP*)> draw) { overlay = std::move(draw); }

    BITMAP* getBackBuffer() const { return backBuffer; }
    BITMAP* getMapBitmap() const { return mapBitmap; }
    View& getMapView() { return mapView; }
    int getScrollX() const { return scrollX; }
    int getScrollY() const { return scrollY; }
    // The frame's view: the map view shifted by the scroll, onto the back buffer.
    View frameView() const;
    // The objects the last frame drew, back to front.
    std::vector<GameObject*> lastDrawOrder() const;
    int getFramesComposed() const { return framesComposed; }

private:
    void resetMapView();
    // The map around the followed object into the back buffer.
    void copyMap();
    // The visible objects near the frame, back to front.
    void drawObjects(View& view);
    // The guidance, the marks and the panels over the player's race.
    void drawRaceMarks(View& view);

    World& world;
    BITMAP* mapBitmap = nullptr;
    BITMAP* backBuffer = nullptr;
    View mapView;
    int scrollX = 0, scrollY = 0;
    std::multimap<double, GameObject*> drawOrder;
    ResultsPanel resultsPanel;
    std::function<void(BITMAP*)> overlay;
    bool paused = false;
    int framesComposed = 0;
};
