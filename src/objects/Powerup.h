#pragma once
#include "objects/GameObject.h"

// A bobbing pickup: the first craft to touch it takes it, it is gone for 35 s.
class Powerup : public GameObject {
public:
    enum Kind { kFrozen = 1, kWonky = 2, kOpponentsFrozen = 3, kTurbo = 4 };
    static constexpr double kRespawnTime = 35.0;
    static constexpr char kTypeCode = 'P';

    Powerup(World* world, int kind);

    void draw(View& view) override;
    void update(double dt) override;
    char typeCode() const override;
    // kind
    RecordFields recordFields() const override;
    void takeRecordFields(const RecordFields& fields, int count) override;
    void touchedBy(GameObject& craft) override;

    int getKind() const { return kind; }
    double getPhase() const { return phase; }
    double getRespawnTimer() const { return respawnTimer; }
    static int spriteIndex(int kind);

private:
    int kind;
    double phase = 0.0;
    double respawnTimer = 0.0;
};
