// Makes the game's content: data.dat, tracks.dat and the three track files.
//   hover-content GAME_DIR DAT_TOOL WORK_DIR
// The pictures, sounds, music and heightmaps are written into WORK_DIR and
// packed with the datafile tool; the same program always makes the same bytes.
// The desktop icon of the installed game is left in WORK_DIR as icon.png.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "ContentPalette.h"
#include "CraftRenderer.h"
#include "FontArt.h"
#include "IconArt.h"
#include "MusicWriter.h"
#include "PngWriter.h"
#include "SoundSynth.h"
#include "SpriteArt.h"
#include "TrackCatalog.h"
#include "TrackDesign.h"

namespace fs = std::filesystem;

namespace {

constexpr int kCraftFrames = 36;

std::string quoted(const std::string& s) { return "'" + s + "'"; }

void saveImage(const fs::path& path, BITMAP* bmp, const ContentPalette& palette) {
    if (save_bitmap(path.c_str(), bmp, const_cast<RGB*>(palette.palette())) != 0)
        throw std::runtime_error("cannot write " + path.string());
    destroy_bitmap(bmp);
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

// One run of the datafile tool in the work folder, adding `files` as `type`.
void pack(const std::string& datTool, const fs::path& work, const std::string& datafile, const std::string& type,
          int depth, const std::vector<std::string>& files) {
    std::string command = "cd " + quoted(work.string()) + " && " + quoted(datTool) + " -c0 -s1 -n1 -bpp " +
                          std::to_string(depth) + " " + quoted(datafile) + " -t " + type + " -a";
    for (const std::string& f : files) command += " " + quoted(f);
    command += " > /dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("the datafile tool failed: " + command);
}

// The datafile tool leaves the unused fourth byte of every palette entry as
// it found it in memory; clear them so that every build writes the same bytes.
void clearPaletteFillers(const fs::path& datafile) {
    std::ifstream in(datafile, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::string tag("PAL \0\0\4\0\0\0\4\0", 12);
    size_t at = bytes.find(tag);
    if (at == std::string::npos) throw std::runtime_error("no palette in " + datafile.string());
    at += tag.size();
    for (int entry = 0; entry < PAL_SIZE; ++entry) bytes[at + entry * 4 + 3] = 0;
    std::ofstream out(datafile, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + datafile.string());
}

void makeData(const fs::path& work, const std::string& datTool, const ContentPalette& palette) {
    SpriteArt art(palette);
    // 256-colour sprites, named so that sorting by name keeps the index order
    struct Named {
        const char* file;
        BITMAP* bmp;
    };
    const std::vector<Named> sprites = {
        {"o00_wonky.pcx", art.wonkyPowerup()},      {"o01_pine.pcx", art.pineTree()},
        {"o38_frozen.pcx", art.frozenPowerup()},    {"o39_opponents_frozen.pcx", art.opponentsFrozenPowerup()},
        {"o43_round_tree.pcx", art.roundTree()},    {"o44_boulder.pcx", art.boulder()},
        {"o46_buoy.pcx", art.buoy()},               {"o47_hut.pcx", art.hut()},
        {"o48_turbo.pcx", art.turboPowerup()},
    };
    std::vector<std::string> spriteFiles;
    for (const Named& n : sprites) {
        saveImage(work / n.file, n.bmp, palette);
        spriteFiles.push_back(n.file);
    }
    // the craft frames: frame i shows heading ((i + 9) mod 36) * 10 degrees
    CraftRenderer craft;
    std::vector<std::string> frameFiles;
    for (int i = 0; i < kCraftFrames; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "o%02d_craft.bmp", i + 2);
        saveImage(work / name, craft.render(((i + 9) % kCraftFrames) * 10.0), palette);
        frameFiles.push_back(name);
    }
    saveImage(work / "o40_font.pcx", FontArt::sheet(), palette);
    if (!SoundSynth::writeWav((work / "o41_zap.wav").string(), SoundSynth::freezeZap()) ||
        !SoundSynth::writeWav((work / "o45_boost.wav").string(), SoundSynth::boostWhoosh()))
        throw std::runtime_error("cannot write the samples");
    if (!MusicWriter::write((work / "o42_music.mid").string())) throw std::runtime_error("cannot write the music");

    const std::string out = "data.dat";
    fs::remove(work / out);
    pack(datTool, work, out, "BMP", 8, spriteFiles);
    pack(datTool, work, out, "BMP", 24, frameFiles);
    pack(datTool, work, out, "FONT", 8, {"o40_font.pcx"});
    pack(datTool, work, out, "SAMP", 8, {"o41_zap.wav", "o45_boost.wav"});
    pack(datTool, work, out, "MIDI", 8, {"o42_music.mid"});
}

void makeTracks(const fs::path& work, const fs::path& gameDir, const std::string& datTool,
                const ContentPalette& palette) {
    std::vector<unsigned char> heights;
    std::vector<std::string> textures;
    for (int n = 1; n <= TrackCatalog::kTracks; ++n) {
        TrackDesign design(TrackCatalog::plan(n), palette);
        std::cout << design.summary() << "\n";
        heights.insert(heights.end(), design.heights().begin(), design.heights().end());
        const std::string texture = "t" + std::to_string(n + 1) + "_ground" + std::to_string(n) + ".pcx";
        BITMAP* copy = create_bitmap_ex(8, 256, 256);
        blit(design.texture(), copy, 0, 0, 0, 0, 256, 256);
        saveImage(work / texture, copy, palette);
        textures.push_back(texture);
        saveImage(work / ("preview" + std::to_string(n) + ".pcx"), design.preview(), palette);
        writeText(gameDir / "tracks" / ("track" + std::to_string(n) + ".txt"), design.trackFile());
    }
    {
        std::ofstream out(work / "t0_heights.bin", std::ios::binary);
        out.write(reinterpret_cast<const char*>(heights.data()), static_cast<std::streamsize>(heights.size()));
        if (!out) throw std::runtime_error("cannot write the heightmaps");
    }
    // the palette is grabbed from a small picture that carries it
    BITMAP* swatch = create_bitmap_ex(8, 16, 16);
    for (int c = 0; c < 256; ++c) putpixel(swatch, c % 16, c / 16, c);
    saveImage(work / "t1_palette.pcx", swatch, palette);

    const std::string out = "tracks.dat";
    fs::remove(work / out);
    pack(datTool, work, out, "DATA", 8, {"t0_heights.bin"});
    pack(datTool, work, out, "PAL", 8, {"t1_palette.pcx"});
    pack(datTool, work, out, "BMP", 8, textures);
    clearPaletteFillers(work / out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: hover-content GAME_DIR DAT_TOOL WORK_DIR\n";
        return 2;
    }
    const fs::path gameDir = argv[1];
    const std::string datTool = argv[2];
    const fs::path work = argv[3];
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::cerr << "cannot start the library\n";
        return 1;
    }
    set_color_depth(32);
    try {
        fs::create_directories(work);
        fs::create_directories(gameDir / "tracks");
        const ContentPalette palette;
        makeData(work, datTool, palette);
        makeTracks(work, gameDir, datTool, palette);
        fs::copy_file(work / "data.dat", gameDir / "data.dat", fs::copy_options::overwrite_existing);
        fs::copy_file(work / "tracks.dat", gameDir / "tracks.dat", fs::copy_options::overwrite_existing);
        if (!PngWriter::write((work / "icon.png").string(), IconArt::kSize, IconArt::kSize, IconArt::render()))
            throw std::runtime_error("cannot write the icon");
    } catch (const std::exception& e) {
        std::cerr << "hover-content: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
END_OF_MAIN()
