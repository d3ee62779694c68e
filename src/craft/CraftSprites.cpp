#include "craft/CraftSprites.h"

#include <allegro.h>

#include <cstdlib>
#include <utility>

#include "world/GameData.h"

namespace {
constexpr int kWakeWalks = 100;
constexpr int kWakeDots = 4;
}  // namespace

CraftSprites::CraftSprites(GameData& data) {
    for (int colour = kColours; colour >= 1; --colour) make(data, colour, looks[colour - 1]);
}

CraftSprites::~CraftSprites() {
    for (Look& look : looks) {
        for (BITMAP*& frame : look.frames)
            if (frame) destroy_bitmap(frame);
        if (look.wake) destroy_bitmap(look.wake);
    }
}

const CraftSprites::Look* CraftSprites::of(int colour) const {
    return colour >= 1 && colour <= kColours ? &looks[colour - 1] : nullptr;
}

void CraftSprites::make(GameData& data, int colour, Look& look) {
    for (int i = 0; i < kFrameCount; ++i) {
        BITMAP* source = data.bitmap(GameData::kFirstCraftFrame + i);
        BITMAP* frame = create_bitmap_ex(32, source->w, source->h);
        look.frames[i] = frame;
        blit(source, frame, 0, 0, 0, 0, source->w, source->h);
        for (int x = 0; x < frame->w; ++x) {
            for (int y = 0; y < frame->h; ++y) {
                const int p = getpixel(frame, x, y);
                int r = getr32(p), g = getg32(p), b = getb32(p);
                tint(colour, r, g, b);
                // dark pixels vanish unless red clearly dominates them
                int alpha = 255;
                if (r + g + b <= 63) {
                    int k = 4 * (g + b - r) + 256;
                    if (k > 255) k = 255;
                    alpha = 255 - k;
                }
                putpixel(frame, x, y, makeacol_depth(32, r, g, b, alpha));
            }
        }
    }
    // every colour speckles its own wake image, so the four trails differ
    look.wake = create_bitmap(kWakeWidth, kWakeHeight);
    clear_to_color(look.wake, 0);
    for (int walk = 0; walk < kWakeWalks; ++walk) {
        int x = 8, y = 4, v = 255;
        for (int dot = 0; dot < kWakeDots; ++dot) {
            x += std::rand() % 7 - 3;
            y += std::rand() % 5 - 2;
            putpixel(look.wake, x, y, makecol(v, v, v));
            v -= 40;
        }
    }
}

void CraftSprites::tint(int colour, int& r, int& g, int& b) {
    if (colour == 2) std::swap(r, b);
    else if (colour == 3) std::swap(r, g);
    else if (colour == 4) g = r;
}
