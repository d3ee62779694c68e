#pragma once
#include "math/Vector2.h"
#include "math/Vector3.h"
#include "math/View.h"

struct BITMAP;
struct DATAFILE;

// Direction the light travels; normalised in place by the map render.
extern Vector3 lightDirection;

// The ground of the current track: 256 x 256 height samples 12 units apart,
// their normals and the ground texture, all from tracks.dat.
class Terrain {
public:
    static constexpr int GRID_SIZE = 256;
    static constexpr double CELL_SIZE = 12.0;
    static constexpr int kHeightmapBytes = GRID_SIZE * GRID_SIZE;

    Terrain();
    ~Terrain();
    Terrain(const Terrain&) = delete;
    Terrain& operator=(const Terrain&) = delete;

    // Loads track `track` (1-based) from tracks.dat in the working directory;
    // throws std::runtime_error("Unable to load tracks datafile").
    void load(int track);

    Vector3 vertexAt(int i, int j) const;
    double heightAt(const Vector2& p) const;
    Vector3 normalAt(const Vector2& p) const;
    bool isWater(const Vector2& p) const;
    int shade(int i, int j) const;
    void computeNormals();

    void renderMap(View& view);
    void drawTriangle(View& view, const Vector3& p1, const Vector3& p2, const Vector3& p3, int c1, int c2,
                      int c3);

    // For tests and tools: fill the grid from 65,536 bytes laid out as in
    // tracks.dat (byte q * 256 + p is sample i = p, j = q) and a texture that
    // the caller keeps owning; normals are recomputed.
    void setGround(const unsigned char* heightBytes, BITMAP* texture);

    double sampleHeight(int i, int j) const;
    Vector3 sampleNormal(int i, int j) const;
    BITMAP* getTexture() const { return texture; }

private:
    BITMAP* texture = nullptr;
    DATAFILE* datafile = nullptr;
    double** heights = nullptr;
    Vector3** normals = nullptr;
};
