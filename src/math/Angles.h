#pragma once

constexpr double kPi = 3.141592653589793;

// Divide first, then multiply: the order the game's headings were tuned with.
inline double degToRad(double d) { return d / 180.0 * kPi; }
inline double radToDeg(double r) { return r / kPi * 180.0; }
