#pragma once
#include "craft/CraftSprites.h"
#include "objects/GameObject.h"

class Controller;
class Racecourse;

// A racing craft: glides over the terrain under thrust, slope and a light drag,
// steered by the Controller it owns, and carries the powerups' timed effects.
// It asks only its Racecourse: the ground under it, and where to tell what
// happens to it; its laps and gates are the race rules' to keep.
class HoverCraft : public GameObject {
public:
    static constexpr int kFrameCount = CraftSprites::kFrameCount;
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

    // `look`, borrowed, is what it is drawn with: none for a craft nobody
    // sees. It races on `world`'s course.
    HoverCraft(World* world, int colour, const CraftSprites::Look* look = nullptr);
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
    // Where the craft is put back when it leaves the island: where it was
    // placed, until the race rules hold it at the last gate it passed.
    void setResetPosition(const Vector3& p);
    // Where it stood before the step that brought it here.
    Vector3 getPreviousPosition() const { return previousPosition; }
    int getColour() const { return colour; }

    // The course it asks, in the World's place: a test's own.
    void setCourse(Racecourse* c) { course = c; }
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

    double getEffectTime() const { return effectTime; }
    int getTurboLevel() const { return turboLevel; }
    bool isWonky() const { return wonky; }
    bool isFrozen() const { return frozen; }

    // On the track area (0 to kTrackSize on x and y, edges included); a
    // point that is no number is not.
    static bool withinTrackArea(const Vector3& p) {
        return p.x >= 0 && p.y >= 0 && p.x <= kTrackSize && p.y <= kTrackSize;
    }
    // Frame of the 36 for a heading in degrees.
    static int frameIndex(double heading);
    const CraftSprites::Look* getLook() const { return look; }

private:
    void updateOrientation();
    void dropWakes(const Vector3& step);
    void checkBounds();
    void collideCraft(HoverCraft* o);
    bool endContact(const Vector3& p, const Vector3& v, double r, const Vector3& end, double k);
    // The message and sample of an effect, for the player's craft alone.
    void tellPlayer(int text, int sample);

    Racecourse* course;
    const CraftSprites::Look* look;
    double heading = 0.0;
    Vector3 velocity;
    double turnRate = 0.0;
    Controller* controller = nullptr;
    double wakeDistance = 0.0;
    int colour;
    Vector3 nosePoint;
    Vector3 tailPoint;
    Vector3 forward;
    Vector3 impulse;
    Vector3 resetPosition;
    // set by the race rules: setPosition no longer moves it
    bool resetHeld = false;
    // where the craft stood before the step that brought it here: a gate is
    // passed through once, on the step that crosses its line
    Vector3 previousPosition;
    double effectTime = 0.0;
    int turboLevel = 0;
    bool wonky = false;
    bool frozen = false;
    bool isPlayer = false;
};
