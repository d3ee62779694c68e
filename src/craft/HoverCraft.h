#pragma once
#include "objects/GameObject.h"

struct BITMAP;
class Controller;
class CheckPoint;

// A racing craft: glides over the terrain under thrust, slope and a light drag,
// steered by the Controller it owns, and carries the powerups' timed effects.
class HoverCraft : public GameObject {
public:
    static constexpr int kFrameCount = 36;
    static constexpr double kRadius = 16.0;
    static constexpr double kEndOffset = 6.0;
    static constexpr double kThrust = 30.0;
    static constexpr double kSlopeFactor = 100.0;
    static constexpr double kDrag = 0.04;
    static constexpr double kTurnGain = 20.0;
    static constexpr double kTurnBias = 0.2;
    static constexpr double kTurnDamping = 0.9;
    static constexpr double kWakeSpacing = 8.0;
    static constexpr double kTrackSize = 3072.0;
    static constexpr double kOutOfBoundsFreeze = 6.0;
    static constexpr double kEffectTime = 8.0;
    static constexpr double kTurboTime = 16.0;
    static constexpr int kMaxTurbo = 2;
    static constexpr double kEndRadius = 10.0;
    static constexpr double kCraftBounce = 1.0;
    static constexpr double kSolidBounce = 2.0;

    HoverCraft(World* world, int colour);
    ~HoverCraft() override;

    void setPosition(const Vector3& p) override;
    void update(double dt) override;
    void draw(View& view) override;

    void setHeading(double h);
    double getHeading() const { return heading; }
    Vector3 getVelocity() const { return velocity; }
    void setVelocity(const Vector3& v) { velocity = v; }
    double getTurnRate() const { return turnRate; }
    Vector3 getForward() const { return forward; }
    Vector3 getNosePoint() const { return nosePoint; }
    Vector3 getTailPoint() const { return tailPoint; }
    Vector3 getImpulse() const { return impulse; }
    Vector3 getResetPosition() const { return resetPosition; }
    int getColour() const { return colour; }
    // The craft of colour `colour` (1 to 4) wear the first one's paint with its
    // channels swapped: what a pixel of colour r, g, b becomes on them.
    static void tint(int colour, int& r, int& g, int& b);

    void setController(Controller* c);
    Controller* getController() const { return controller; }
    void setPlayer(bool p) { isPlayer = p; }
    bool isPlayerCraft() const { return isPlayer; }

    // Effects; texts and samples only for the player's craft.
    void freeze();
    void makeWonky();
    void addTurbo();
    void clearEffects();

    // Contact response for a touching pair found by the World's contact pass.
    void collide(GameObject* other);

    int getLaps() const { return laps; }
    int getLastCheckpoint() const { return lastCheckpoint; }
    int getLastCheckpointTime() const { return lastCheckpointTime; }
    int getNextCheckpoint() const { return nextCheckpoint; }
    int getLastLapTime() const { return lastLapTime; }
    // The shortest whole lap so far, in ms; -1 before the first one.
    int getBestLapTime() const { return bestLapTime; }
    int getLapStartTime() const { return lapStartTime; }
    bool isFinished() const { return finished; }
    int getRacePosition() const { return racePosition; }
    void setRacePosition(int p) { racePosition = p; }
    double getEffectTime() const { return effectTime; }
    int getTurboLevel() const { return turboLevel; }
    bool isWonky() const { return wonky; }
    bool isFrozen() const { return frozen; }
    // Times the craft left the track area and was put back.
    int getTimesOutOfBounds() const { return timesOutOfBounds; }

    // Frame of the 36 for a heading in degrees.
    static int frameIndex(double heading);
    BITMAP* getFrame(int i) const { return sprites ? sprites[i] : nullptr; }
    BITMAP* getWakeSprite() const { return wakeSprite; }

private:
    void makeSprites();
    void releaseSprites();
    void updateOrientation();
    void dropWakes(const Vector3& step);
    void checkBounds();
    void collideCraft(HoverCraft* o);
    bool endContact(const Vector3& p, const Vector3& v, double r, const Vector3& end, double k);
    void passCheckpoint(CheckPoint* cp);

    double heading = 0.0;
    Vector3 velocity;
    double turnRate = 0.0;
    Controller* controller = nullptr;
    BITMAP** sprites = nullptr;
    BITMAP* wakeSprite = nullptr;
    double wakeDistance = 0.0;
    int colour;
    Vector3 nosePoint;
    Vector3 tailPoint;
    Vector3 forward;
    Vector3 impulse;
    Vector3 resetPosition;
    // where the craft stood before the step that brought it here: a gate is
    // passed through once, on the step that crosses its line
    Vector3 previousPosition;
    int nextCheckpoint = 0;
    int lastCheckpoint = -1;
    int lastCheckpointTime = 0;
    int lastLapTime = 0;
    int bestLapTime = -1;
    int lapStartTime = 0;
    int laps = 0;
    int racePosition = 0;
    bool finished = false;
    double effectTime = 0.0;
    int turboLevel = 0;
    bool wonky = false;
    bool frozen = false;
    bool isPlayer = false;
    int timesOutOfBounds = 0;
};
