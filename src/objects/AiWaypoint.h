#pragma once
#include "objects/GameObject.h"

// A marker of the computer drivers' route; seen only in the editor.
class AiWaypoint : public GameObject {
public:
    static constexpr double kRadius = 30.0;
    static constexpr char kTypeCode = 'W';

    explicit AiWaypoint(World* world);

    void setPosition(const Vector3& p) override;
    void draw(View& view) override;
    // A waypoint never changes by itself.
    void update(double dt) final;
    char typeCode() const override;
    // number
    RecordFields recordFields() const override;
    void takeRecordFields(const RecordFields& fields, int count) override;

    int getNumber() const { return number; }
    void setNumber(int n) { number = n; }

private:
    int number = 0;
};
