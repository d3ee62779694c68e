#pragma once
#include <array>

#include "math/Vector3.h"
#include "math/View.h"

class World;

// Anything that lives on a track. The World owns every object; an object never
// deletes itself, it sets `dead` and the World deletes it one update later.
class GameObject {
public:
    explicit GameObject(World* world);

    virtual void setPosition(const Vector3& p);
    virtual ~GameObject();
    virtual void draw(View& view) = 0;
    virtual void update(double dt) = 0;
    // Letter of the object's track-file record, or 0 for kinds never saved.
    virtual char typeCode() const;
    // The fields of its record after x y z, in the order the record table
    // gives for its letter; none for the kinds never saved.
    static constexpr int kMostRecordFields = 3;
    using RecordFields = std::array<double, kMostRecordFields>;
    virtual RecordFields recordFields() const;
    // A record's fields after x y z: the first `count` of them could be
    // read, the others keep what the object had.
    virtual void takeRecordFields(const RecordFields& fields, int count);
    virtual void touchedBy(GameObject& craft);

    Vector3 getPosition() const { return position; }
    double getRadius() const { return radius; }
    bool isVisible() const { return visible; }
    bool isDead() const { return dead; }
    // The only way to set the flag: the World is told, so when the dead leave
    // the list it looks at these objects and not at every one.
    void setDead(bool d);
    bool isCollidable() const { return collidable; }
    bool isSolid() const { return solid; }
    World* getWorld() const { return world; }
    // Kinds that move only when told to (scenery, gates, waypoints,
    // powerups): their x, y and radius change only through setPosition,
    // setRadius and read, which tell the World, so the contact pass may keep
    // them in cells by place.
    bool staysPut() const { return fixedPlace; }
    // Kinds whose update does nothing at all (scenery, gates, waypoints, each
    // with an empty final update): the World's update walk leaves them out.
    bool isIdle() const { return idle; }

protected:
    // Called by the kinds that stay put whenever their x, y or radius changes.
    void placeChanged();

    Vector3 position;
    double radius = 0.0;
    World* world;
    bool visible = true;

private:
    bool dead = false;

protected:
    bool collidable = true;
    bool solid = false;
    bool fixedPlace = false;
    bool idle = false;
};
