#pragma once

struct BITMAP;
struct DATAFILE;

// data.dat: the sprites, samples, font and music the game takes by index,
// checked before the library loads it and then kept loaded. A race, an
// editor run or a whole series of the track check's races use one.
class GameData {
public:
    // data.dat indices
    enum Index {
        kWonkySprite = 0,
        kFirstCraftFrame = 2,
        kFrozenSprite = 38,
        kOpponentsFrozenSprite = 39,
        kMessageFont = 40,
        kEffectSample = 41,
        kRaceMusic = 42,
        kBoostSample = 45,
        kTurboSprite = 48,
    };
    static constexpr int kMinObjects = 49;
    static constexpr int kSampleVolume = 192;
    static constexpr int kSamplePan = 128;
    static constexpr int kSampleFrequency = 1000;

    GameData() = default;
    ~GameData();
    GameData(const GameData&) = delete;
    GameData& operator=(const GameData&) = delete;

    // Loaded once, on first need; throws "Failed to load datafile". The
    // sprites must draw onto bitmaps of the colour depth set then.
    void load();
    void unload();
    bool isLoaded() const { return data != nullptr; }
    void* get(int index);
    BITMAP* bitmap(int index) { return static_cast<BITMAP*>(get(index)); }
    // Every game sound: volume 192, centre pan, normal frequency, no loop.
    void playSample(int index);
    int getLastSample() const { return lastSample; }
    int getSamplesPlayed() const { return samplesPlayed; }

private:
    DATAFILE* data = nullptr;
    int lastSample = -1;
    int samplesPlayed = 0;
};
