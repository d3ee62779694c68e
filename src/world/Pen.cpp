#include "world/Pen.h"

#include <allegro.h>

#include <algorithm>
#include <cstdlib>

#include "math/Clip.h"
#include "math/View.h"

Pen::Count Pen::counted;

void Pen::line(BITMAP* target, const Vector2& from, const Vector2& to, int colour) {
    // a pixel's margin round the clip rectangle: the ends are truncated to
    // whole pixels as before, and the library clips the last pixel itself
    Vector2 a = from, b = to;
    if (!clipSegment(a, b, target->cl - 1.0, target->ct - 1.0, target->cr + 1.0, target->cb + 1.0)) return;
    const int x0 = toPixel(a.x), y0 = toPixel(a.y), x1 = toPixel(b.x), y1 = toPixel(b.y);
    ++counted.calls;
    counted.pixels += std::max(std::abs(x1 - x0), std::abs(y1 - y0)) + 1;
    ::line(target, x0, y0, x1, y1, colour);
}

void Pen::disc(BITMAP* target, const Vector2& centre, int radius, int colour) {
    if (!(centre.x + radius >= target->cl - 1.0 && centre.x - radius <= target->cr + 1.0 &&
          centre.y + radius >= target->ct - 1.0 && centre.y - radius <= target->cb + 1.0))
        return;
    ++counted.calls;
    counted.pixels += static_cast<long long>(2 * radius + 1) * (2 * radius + 1);
    circlefill(target, toPixel(centre.x), toPixel(centre.y), radius, colour);
}

void Pen::label(BITMAP* target, const std::string& text, const Vector2& at, int colour) {
    const int width = text_length(font, text.c_str()), height = text_height(font);
    if (!(at.x + width >= target->cl && at.x <= target->cr && at.y + height >= target->ct && at.y <= target->cb))
        return;
    ++counted.calls;
    counted.pixels += static_cast<long long>(width) * height;
    textout_ex(target, font, text.c_str(), toPixel(at.x), toPixel(at.y), colour, -1);
}
