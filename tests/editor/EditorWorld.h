#pragma once
// The editor's World for tests: a ground of its own, the cursor, frames with
// the keys a test holds, and the F5 check run to its verdict.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "editor/EditorCursor.h"
#include "objects/AiWaypoint.h"
#include "terrain/Terrain.h"
#include "track/TrackFile.h"
#include "world/World.h"

inline constexpr double kFrame = 0.02;

inline void releaseKeys() {
    for (int i = 0; i < KEY_MAX; ++i) key[i] = 0;
}

// An editor World on a ground that rises along x by one unit every 12 (the
// height of sample i is i), all land, with the cursor at (1536, 1536).
class EditorTest : public ::testing::Test {
protected:
    EditorTest() : world(true), heights(Terrain::kHeightmapBytes) {
        for (int j = 0; j < Terrain::GRID_SIZE; ++j)
            for (int i = 0; i < Terrain::GRID_SIZE; ++i) heights[j * Terrain::GRID_SIZE + i] = static_cast<unsigned char>(i);
        texture = create_bitmap(Terrain::GRID_SIZE, Terrain::GRID_SIZE);
        clear_to_color(texture, makecol(60, 160, 60));
        world.getTerrain().setGround(heights.data(), texture);
        cursor = new EditorCursor(&world);
        cursor->setPosition(Vector3(1536.0, 1536.0, 0.0));
        world.addObject(cursor);
        world.setFollowed(cursor);
        releaseKeys();
        world.update(0.0);
    }
    ~EditorTest() override {
        releaseKeys();
        destroy_bitmap(texture);
    }

    // One editor frame with exactly the given keys held.
    void frame(const std::vector<int>& held, double dt = kFrame) {
        releaseKeys();
        for (int k : held) key[k] = 1;
        world.update(dt);
        releaseKeys();
    }
    // Lets the command lock run out with no key held.
    void waitForLock() {
        while (cursor->getCooldown() > 0) frame({});
    }
    void moveCursor(double x, double y) { cursor->setPosition(Vector3(x, y, 0.0)); }
    // With the lock run out, the cursor put at (x, y), one frame of `held`.
    void commandAt(double x, double y, const std::vector<int>& held) {
        waitForLock();
        moveCursor(x, y);
        frame(held);
    }
    // Walks the cursor with the movement keys, 8 units a frame, to (x, y).
    void driveTo(double x, double y) {
        for (int guard = 0; guard < 10000; ++guard) {
            const Vector3 p = cursor->getPosition();
            if (p.x == x && p.y == y) return;
            std::vector<int> held;
            if (p.x < x) held.push_back(KEY_S);
            if (p.x > x) held.push_back(KEY_Z);
            if (p.y < y) held.push_back(KEY_A);
            if (p.y > y) held.push_back(KEY_X);
            frame(held);
        }
        FAIL() << "cursor never reached " << x << ", " << y;
    }
    void load(const std::string& text) {
        std::istringstream in(text);
        TrackFile::read(world, in);
        world.update(0.0);
    }
    template <typename T>
    std::vector<T*> all() {
        std::vector<T*> found;
        for (GameObject* o : world.getObjects())
            if (auto* t = dynamic_cast<T*>(o)) found.push_back(t);
        for (GameObject* o : world.getPendingObjects())
            if (auto* t = dynamic_cast<T*>(o)) found.push_back(t);
        return found;
    }
    std::string saved() {
        std::ostringstream out;
        TrackFile::write(world.getObjects(), out);
        return out.str();
    }

    World world;
    std::vector<unsigned char> heights;
    BITMAP* texture = nullptr;
    EditorCursor* cursor = nullptr;
};

class EditorCheckTest : public EditorTest {
protected:
    EditorCheckTest() {
        std::fill(heights.begin(), heights.end(), 10);
        world.getTerrain().setGround(heights.data(), texture);
        world.setTrackNumber(2);
        moveCursor(400.0, 400.0);
    }
    // The verdict on the screen, its lines joined again.
    std::string verdict() {
        std::string text;
        for (const std::string& line : cursor->getPanel().getVerdict()) text += (text.empty() ? "" : " ") + line;
        return text;
    }
    // What the check must leave as it was.
    std::string snapshot() {
        std::ostringstream s;
        s << saved() << world.getObjects().size() << ' ' << world.getPendingObjects().size() << ' '
          << world.getWaypointCount() << ' ' << world.getCheckpointCount() << ' ' << world.getCraftList().size();
        for (int i = 0; i < world.getWaypointCount(); ++i) s << ' ' << world.getWaypoint(i)->getNumber();
        return s.str();
    }
    // F5, then frames until the verdict, which leaves the world as it was;
    // what the check printed.
    std::string check(int& frames) {
        const std::string before = snapshot();
        testing::internal::CaptureStdout();
        frame({KEY_F5});
        EXPECT_TRUE(cursor->isChecking());
        EXPECT_EQ(verdict(), "F5 on the ground of track 2: Checking track");
        frames = 0;
        while (cursor->isChecking() && frames < 100000) {
            frame({});
            ++frames;
            if (cursor->isChecking()) {
                EXPECT_EQ(verdict(), "F5 on the ground of track 2: Checking track");
            }
        }
        EXPECT_FALSE(cursor->isChecking());
        EXPECT_EQ(snapshot(), before);
        return testing::internal::GetCapturedStdout();
    }
};
