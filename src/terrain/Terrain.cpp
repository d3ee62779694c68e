#include "terrain/Terrain.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <stdexcept>

#include "datafile/DatafileCheck.h"

Vector3 lightDirection(-1.0, 0.5, -1.0);

namespace {

const char* const kTracksFile = "tracks.dat";
const char* const kLoadError = "Unable to load tracks datafile";
constexpr double kAmbient = 0.4;
constexpr int kHeightsIndex = 0;
constexpr int kPaletteIndex = 1;

Vector3 faceNormal(const Vector3& a, const Vector3& b, const Vector3& c) {
    Vector3 n = cross(b - a, c - b);
    return normalize(n);
}

// tracks.dat holds what loading `track` reads: the heightmaps as plain bytes
// reaching as far as the track's, the palette, and the track's texture, one
// pixel a sample. A track beyond what the file holds (an editor run takes any
// number from the command line) is refused like a damaged file.
bool fitsTrack(const DatafileCheck& file, int track) {
    if (track < 1 || track > file.objectCount() - 2) return false;
    return file.plainBytes(kHeightsIndex) / Terrain::kHeightmapBytes >= track &&
           file.holds(kPaletteIndex, DAT_PALETTE) &&
           file.isPicture(track + 1, Terrain::GRID_SIZE, Terrain::GRID_SIZE);
}

// The grounds 1 to n that the file holds whole; 0 for a damaged file.
int groundsIn(const DatafileCheck& file) {
    int n = 0;
    while (n < file.objectCount() && fitsTrack(file, n + 1)) ++n;
    return n;
}

// A cell index of a ground coordinate, or -1 when the point is off the grid.
// Tested in double first: a coordinate like 1e300 must not reach an int.
int cellOf(double v) {
    if (!(v > -Terrain::CELL_SIZE && v < Terrain::GRID_SIZE * Terrain::CELL_SIZE)) return -1;
    return static_cast<int>(v / Terrain::CELL_SIZE);
}

}  // namespace

Terrain::Terrain() {
    heights = new double*[GRID_SIZE];
    normals = new Vector3*[GRID_SIZE];
    for (int i = 0; i < GRID_SIZE; ++i) {
        heights[i] = new double[GRID_SIZE]();
        normals[i] = new Vector3[GRID_SIZE];
    }
}

Terrain::~Terrain() {
    if (datafile) unload_datafile(datafile);
    for (int i = 0; i < GRID_SIZE; ++i) {
        delete[] heights[i];
        delete[] normals[i];
    }
    delete[] heights;
    delete[] normals;
}

void Terrain::load(int track) {
    if (datafile) {
        unload_datafile(datafile);
        datafile = nullptr;
    }
    texture = nullptr;
    set_color_conversion(COLORCONV_TOTAL);
    // the first load only selects the file's palette, through which the
    // textures of the second load are converted to the screen's depth; the
    // library's loader trusts the file, so it is checked before each load
    const DatafileCheck file(kTracksFile);
    DATAFILE* first = fitsTrack(file, track) ? load_datafile(kTracksFile) : nullptr;
    if (!first) {
        // a sound file asked for a track it does not have: the number is the slip
        const int grounds = groundsIn(file);
        if (grounds > 0 && (track < 1 || track > grounds))
            std::cerr << kTracksFile << " has no ground for track " << track << ": its grounds are 1 to " << grounds
                      << std::endl;
        throw std::runtime_error(kLoadError);
    }
    set_palette(*static_cast<PALETTE*>(first[kPaletteIndex].dat));
    unload_datafile(first);

    DATAFILE* d = fitsTrack(DatafileCheck(kTracksFile), track) ? load_datafile(kTracksFile) : nullptr;
    if (!d) throw std::runtime_error(kLoadError);
    datafile = d;
    texture = static_cast<BITMAP*>(d[track + 1].dat);
    const unsigned char* bytes =
        static_cast<const unsigned char*>(d[kHeightsIndex].dat) + (track - 1) * static_cast<long>(kHeightmapBytes);
    for (int i = 0; i < GRID_SIZE; ++i)
        for (int j = 0; j < GRID_SIZE; ++j) heights[i][j] = bytes[j * GRID_SIZE + i];
    computeNormals();
}

void Terrain::setGround(const unsigned char* heightBytes, BITMAP* tex) {
    texture = tex;
    for (int i = 0; i < GRID_SIZE; ++i)
        for (int j = 0; j < GRID_SIZE; ++j) heights[i][j] = heightBytes[j * GRID_SIZE + i];
    computeNormals();
}

double Terrain::sampleHeight(int i, int j) const { return heights[i][j]; }

Vector3 Terrain::sampleNormal(int i, int j) const { return normals[i][j]; }

Vector3 Terrain::vertexAt(int i, int j) const { return Vector3(CELL_SIZE * i, CELL_SIZE * j, heights[i][j]); }

void Terrain::computeNormals() {
    for (int i = 1; i < GRID_SIZE - 1; ++i) {
        for (int j = 1; j < GRID_SIZE - 1; ++j) {
            const Vector3 p0 = vertexAt(i, j), p1 = vertexAt(i - 1, j), p2 = vertexAt(i, j - 1);
            const Vector3 p3 = vertexAt(i + 1, j), p4 = vertexAt(i, j + 1);
            Vector3 s = ((faceNormal(p0, p1, p2) + faceNormal(p0, p2, p3)) + faceNormal(p0, p3, p4)) + faceNormal(p0, p4, p1);
            s = s * 0.25;
            normals[i][j] = normalize(s);
        }
    }
}

double Terrain::heightAt(const Vector2& p) const {
    const int i = cellOf(p.x), j = cellOf(p.y);
    if (i > GRID_SIZE - 2 || j > GRID_SIZE - 2 || i < 0 || j < 0) return 0.0;
    const double fx = std::fmod(p.x, CELL_SIZE) / CELL_SIZE;
    const double fy = std::fmod(p.y, CELL_SIZE) / CELL_SIZE;
    return (1 - fx) * ((1 - fy) * heights[i][j] + fy * heights[i][j + 1]) +
           fx * ((1 - fy) * heights[i + 1][j] + fy * heights[i + 1][j + 1]);
}

Vector3 Terrain::normalAt(const Vector2& p) const {
    const int i = cellOf(p.x), j = cellOf(p.y);
    if (i > GRID_SIZE - 2 || j > GRID_SIZE - 2 || i < 0 || j < 0) return Vector3(0, 0, 1);
    const double fx = std::fmod(p.x, CELL_SIZE) / CELL_SIZE;
    const double fy = std::fmod(p.y, CELL_SIZE) / CELL_SIZE;
    return (normals[i][j] * (1 - fy) + normals[i][j + 1] * fy) * (1 - fx) +
           (normals[i + 1][j] * (1 - fy) + normals[i + 1][j + 1] * fy) * fx;
}

bool Terrain::isWater(const Vector2& p) const {
    if (!texture) return false;
    // rounded up: a point inside the cell between samples k - 1 and k reads pixel k
    const double cx = std::ceil(p.x / CELL_SIZE), cy = std::ceil(p.y / CELL_SIZE);
    if (!(cx <= GRID_SIZE - 1) || !(cy <= GRID_SIZE - 1)) return false;
    const int col = cx < 0 ? 0 : static_cast<int>(cx);
    const int row = cy < 0 ? 0 : static_cast<int>(cy);
    const int c = getpixel(texture, col, row);
    const int r = getr(c), g = getg(c), b = getb(c);
    return b - r > 0 && b - g > 0;
}

int Terrain::shade(int i, int j) const {
    double d = dot(normals[i][j], -lightDirection);
    d = std::clamp(d, 0.0, 1.0);
    const double e = (1.0 - kAmbient) * d + kAmbient;
    const int c = getpixel(texture, i, j);
    return makecol(static_cast<int>(getr(c) * e), static_cast<int>(getg(c) * e), static_cast<int>(getb(c) * e));
}

void Terrain::renderMap(View& view) {
    normalize(lightDirection);
    for (int a = GRID_SIZE - 2; a >= 1; --a) {
        for (int b = 1; b <= GRID_SIZE - 2; ++b) {
            const Vector3 v1 = vertexAt(a, b), v2 = vertexAt(a, b - 1), v3 = vertexAt(a - 1, b), v4 = vertexAt(a - 1, b - 1);
            const int k1 = shade(a, b), k2 = shade(a, b - 1), k3 = shade(a - 1, b), k4 = shade(a - 1, b - 1);
            drawTriangle(view, v1, v2, v3, k1, k2, k3);
            drawTriangle(view, v4, v3, v2, k4, k3, k2);
        }
    }
}

void Terrain::drawTriangle(View& view, const Vector3& p1, const Vector3& p2, const Vector3& p3, int c1, int c2,
                           int c3) {
    const Vector2 q1 = project(view, p1), q2 = project(view, p2), q3 = project(view, p3);
    V3D_f v1 = {static_cast<float>(q1.x), static_cast<float>(q1.y), 0, 0, 0, c1};
    V3D_f v2 = {static_cast<float>(q2.x), static_cast<float>(q2.y), 0, 0, 0, c2};
    V3D_f v3 = {static_cast<float>(q3.x), static_cast<float>(q3.y), 0, 0, 0, c3};
    V3D_f* vertices[3] = {&v1, &v2, &v3};
    polygon3d_f(view.target, POLYTYPE_GCOL, nullptr, 3, vertices);
}
