#include "world/GameData.h"

#include <allegro.h>

#include <stdexcept>

#include "craft/CraftSprites.h"
#include "datafile/DatafileCheck.h"

namespace {

const char* const kDataFile = "data.dat";
const char* const kLoadError = "Failed to load datafile";

// The game takes data.dat's objects by index and uses each as one kind: the
// file must hold at each index an object fit for what the game does with it.
// Sprites are drawn onto bitmaps of `screenDepth`; the craft frames are only
// copied into bitmaps of the craft's own.
bool fitsTheGame(const DatafileCheck& file, int screenDepth) {
    if (file.objectCount() < GameData::kMinObjects) return false;
    const int lastFrame = GameData::kFirstCraftFrame + CraftSprites::kFrameCount - 1;
    for (int i = 0; i < GameData::kMinObjects; ++i) {
        bool fit;
        switch (i) {
            case GameData::kMessageFont: fit = file.holds(i, DAT_FONT); break;
            case GameData::kEffectSample: case GameData::kBoostSample: fit = file.holds(i, DAT_SAMPLE); break;
            case GameData::kRaceMusic: fit = file.holds(i, DAT_MIDI); break;
            default:
                fit = i >= GameData::kFirstCraftFrame && i <= lastFrame ? file.isPicture(i, 1, 1)
                                                                       : file.isSprite(i, screenDepth);
        }
        if (!fit) return false;
    }
    return true;
}

}  // namespace

GameData::~GameData() { unload(); }

void GameData::load() {
    // bitmaps keep the depth they are stored with: the 256-colour sprites draw
    // onto any true-colour target, the craft frames are recoloured at 32 bits
    set_color_conversion(COLORCONV_KEEP_TRANS);
    if (data) return;
    // the library's loader and the game both trust the file: it is checked first
    if (!fitsTheGame(DatafileCheck(kDataFile), get_color_depth())) throw std::runtime_error(kLoadError);
    data = load_datafile(kDataFile);
    if (!data) throw std::runtime_error(kLoadError);
}

void GameData::unload() {
    if (data) unload_datafile(data);
    data = nullptr;
}

void* GameData::get(int index) {
    load();
    return data[index].dat;
}

void GameData::playSample(int index) {
    lastSample = index;
    ++samplesPlayed;
    play_sample(static_cast<SAMPLE*>(get(index)), kSampleVolume, kSamplePan, kSampleFrequency, 0);
}
