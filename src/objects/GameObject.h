#pragma once
#include <iosfwd>

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
    virtual void write(std::ostream& out) const;
    virtual void read(std::istream& in);
    virtual void touchedBy(GameObject& craft);

    Vector3 getPosition() const { return position; }
    double getRadius() const { return radius; }
    bool isVisible() const { return visible; }
    bool isDead() const { return dead; }
    void setDead(bool d) { dead = d; }
    bool isCollidable() const { return collidable; }
    bool isSolid() const { return solid; }
    World* getWorld() const { return world; }

protected:
    Vector3 position;
    double radius = 0.0;
    World* world;
    bool visible = true;
    bool dead = false;
    bool collidable = true;
    bool solid = false;
};
