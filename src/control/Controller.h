#pragma once

class GameObject;

// Whatever drives a craft: it decides steering and throttle once a frame, the
// craft reads them back. Craft never read the keyboard themselves.
class Controller {
public:
    virtual ~Controller() = default;
    virtual void update(double dt) = 0;
    // -1 to 1; positive makes the heading grow (a right turn on screen).
    virtual double steering() const { return 0.0; }
    // 0 to 1.
    virtual double throttle() const { return 0.0; }
    virtual void objectTouched(GameObject* object) { (void)object; }
};
