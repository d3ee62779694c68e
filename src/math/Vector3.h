#pragma once
#include <cmath>

// A position, velocity or normal in the world: x and y span the ground, z is up.
struct Vector3 {
    double x = 0.0, y = 0.0, z = 0.0;

    Vector3() = default;
    Vector3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    Vector3 operator+(const Vector3& b) const { return Vector3(x + b.x, y + b.y, z + b.z); }
    Vector3 operator-(const Vector3& b) const { return Vector3(x - b.x, y - b.y, z - b.z); }
    Vector3 operator-() const { return Vector3(-x, -y, -z); }
    Vector3 operator*(double s) const { return Vector3(s * x, s * y, s * z); }
    Vector3& operator*=(double s) {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }
    Vector3& operator+=(const Vector3& b) {
        x += b.x;
        y += b.y;
        z += b.z;
        return *this;
    }
    bool operator==(const Vector3& b) const { return x == b.x && y == b.y && z == b.z; }
    bool operator!=(const Vector3& b) const { return !(*this == b); }
};

inline double dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vector3 cross(const Vector3& a, const Vector3& b) {
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

inline double lengthSquared(const Vector3& a) { return a.x * a.x + a.y * a.y + a.z * a.z; }

inline double length(const Vector3& a) { return std::sqrt(lengthSquared(a)); }

// In place and unguarded: a zero vector comes out as NaNs, so callers that can
// meet one check the length first.
inline Vector3& normalize(Vector3& a) { return a *= 1.0 / length(a); }

inline bool isFinite(const Vector3& a) {
    return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}
