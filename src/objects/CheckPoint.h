#pragma once
#include "objects/GameObject.h"

// A numbered gate; craft pass the gates in number order to count a lap, and
// pass one only once they are on the side its direction points to.
class CheckPoint : public GameObject {
public:
    static constexpr double kDefaultRadius = 40.0;
    static constexpr char kTypeCode = 'C';

    explicit CheckPoint(World* world);

    void setPosition(const Vector3& p) override;
    // The editor's marks: the posts and gate line in yellow and white, the
    // gate's number and the way it faces.
    void draw(View& view) override;
    // The twelve posts round the gate and its gate line, in the colours given.
    void drawGate(View& view, int postColour, int lineColour);
    // A gate never changes by itself.
    void update(double dt) final;
    char typeCode() const override;
    // radius, number, angle
    RecordFields recordFields() const override;
    void takeRecordFields(const RecordFields& fields, int count) override;

    void setAngle(double a);
    // The gate line keeps its old length until the angle next changes.
    void setRadius(double r);
    double getAngle() const { return angle; }
    int getNumber() const { return number; }
    void setNumber(int n) { number = n; }
    Vector3 getDirection() const { return direction; }
    Vector3 getHalfGate() const { return halfGate; }
    // Whether a craft that moved from `from` to `to` went over the gate's line
    // the way the gate faces.
    bool crossedForward(const Vector3& from, const Vector3& to) const {
        return dot(from - position, direction) < 0 && dot(to - position, direction) >= 0;
    }

private:
    void computeGate();

    int number = 0;
    double angle = 0.0;
    Vector3 direction;
    Vector3 halfGate;
};
