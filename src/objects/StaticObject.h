#pragma once
#include "objects/GameObject.h"

struct BITMAP;

// Scenery: trees, rocks, buoys, huts. Craft bounce off it.
class StaticObject : public GameObject {
public:
    static constexpr int kKindCount = 5;
    static constexpr char kTypeCode = 'S';

    StaticObject(World* world, int kind);
    explicit StaticObject(World* world);

    void setPosition(const Vector3& p) override;
    void draw(View& view) override;
    // Scenery never changes by itself.
    void update(double dt) final;
    char typeCode() const override;
    // kind
    RecordFields recordFields() const override;
    void takeRecordFields(const RecordFields& fields, int count) override;

    int getKind() const { return kind; }
    // data.dat index of the sprite of a kind (0 to 4)
    static int spriteIndex(int kind);

private:
    void applyKind();

    int kind = 0;
    BITMAP* sprite = nullptr;
};
