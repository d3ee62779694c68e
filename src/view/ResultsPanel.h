#pragma once
#include <vector>

#include "world/RaceResults.h"

struct BITMAP;
class World;

// The results over the race once the player has finished: place, colour,
// race time (or "racing" for a craft still on the course) and best lap of the
// four craft in finishing order, the player's line picked out, and how to
// leave. The race goes on behind it, and the lines change as craft finish.
// The panel is drawn into a picture of its own whenever its lines change and
// copied onto each frame: its text costs more than the copy.
class ResultsPanel {
public:
    static constexpr int kX = 170;
    static constexpr int kY = 290;
    static constexpr int kWidth = 300;
    static constexpr int kPadding = 6;
    static constexpr int kRowHeight = 14;
    // columns, from the panel's left edge
    static constexpr int kPlaceColumn = 10;
    static constexpr int kSwatchColumn = 30;
    static constexpr int kSwatchWidth = 28;
    static constexpr int kTimeColumn = 72;
    static constexpr int kBestLapColumn = 200;
    // the first craft's paint, which the swatch of each line wears tinted as
    // that craft's sprites are
    static constexpr int kPaintRed = 210, kPaintGreen = 40, kPaintBlue = 30;

    ResultsPanel() = default;
    ~ResultsPanel();
    ResultsPanel(const ResultsPanel&) = delete;
    ResultsPanel& operator=(const ResultsPanel&) = delete;

    void draw(World& world, BITMAP* target);

private:
    void render(const std::vector<ResultRow>& rows);

    BITMAP* image = nullptr;
    std::vector<ResultRow> shown;
};
