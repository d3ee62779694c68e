#include "ContentPalette.h"

namespace {

struct Rgb {
    int r, g, b;
};

const Rgb kGrassRamp[] = {{52, 96, 28}, {64, 112, 32}, {76, 128, 40}, {92, 144, 48}, {108, 160, 56}, {128, 176, 72}};
const Rgb kSandRamp[] = {{160, 140, 96}, {180, 160, 108}, {196, 176, 124}, {212, 192, 140}, {228, 212, 160}};
const Rgb kEarthRamp[] = {{96, 76, 56}, {120, 96, 72}, {144, 120, 92}};
const Rgb kWaterRamp[] = {{20, 56, 132}, {24, 72, 152}, {32, 88, 172}, {40, 104, 188}, {52, 120, 200}, {68, 140, 212}};
const Rgb kRockRamp[] = {{112, 108, 100}, {140, 136, 124}, {168, 164, 152}};

template <int N>
constexpr int count(const Rgb (&)[N]) {
    return N;
}

}  // namespace

ContentPalette::ContentPalette() {
    for (int i = 0; i < PAL_SIZE; ++i) pal[i].r = pal[i].g = pal[i].b = pal[i].filler = 0;
    for (int k = 0; k < kGreyCount; ++k) {
        const int v = 16 + k * 239 / (kGreyCount - 1);
        set(kGreyFirst + k, v, v, v);
    }
    const int levels[6] = {0, 52, 100, 152, 204, 252};
    int index = kCubeFirst;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) set(index++, levels[r], levels[g], levels[b]);
    const Rgb* ramps[kRampCount] = {kGrassRamp, kSandRamp, kEarthRamp, kWaterRamp, kRockRamp};
    const int sizes[kRampCount] = {count(kGrassRamp), count(kSandRamp), count(kEarthRamp), count(kWaterRamp),
                                   count(kRockRamp)};
    for (int ramp = 0; ramp < kRampCount; ++ramp) {
        rampFirst[ramp] = index;
        rampCount[ramp] = sizes[ramp];
        for (int k = 0; k < sizes[ramp]; ++k) set(index++, ramps[ramp][k].r, ramps[ramp][k].g, ramps[ramp][k].b);
    }
    // index == 233 + 23 == 256: the palette is full
}

void ContentPalette::set(int index, int r, int g, int b) {
    pal[index].r = r >> 2;
    pal[index].g = g >> 2;
    pal[index].b = b >> 2;
}

void ContentPalette::rgb(int index, int& r, int& g, int& b) const {
    // the same 6-bit to 8-bit widening the library uses
    r = _rgb_scale_6[pal[index].r];
    g = _rgb_scale_6[pal[index].g];
    b = _rgb_scale_6[pal[index].b];
}

int ContentPalette::nearest(int r, int g, int b) const {
    int best = 1, bestDistance = 1 << 30;
    for (int i = 1; i < PAL_SIZE; ++i) {
        int pr, pg, pb;
        rgb(i, pr, pg, pb);
        const int dr = pr - r, dg = pg - g, db = pb - b;
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

int ContentPalette::rampIndex(Ramp ramp, int shade) const {
    if (shade < 0) shade = 0;
    if (shade >= rampCount[ramp]) shade = rampCount[ramp] - 1;
    return rampFirst[ramp] + shade;
}

int ContentPalette::rampSize(Ramp ramp) const { return rampCount[ramp]; }

int ContentPalette::grey(int level) const { return kGreyFirst + level; }

bool ContentPalette::isWaterIndex(int index) const {
    return index >= rampFirst[kWater] && index < rampFirst[kWater] + rampCount[kWater];
}
