/* Prints the height of the ground of track N at world point (X, Y), read from
 * the heightmaps of tracks.dat as the game reads them: 256 x 256 samples a
 * track, 12 units apart, the height between them interpolated.  A test that
 * writes its own track file sets its gates' z with it:
 *   height tracks.dat N X Y */
#include <allegro.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#define GRID 256
#define CELL 12.0

int main(int argc, char** argv) {
    DATAFILE* d;
    const unsigned char* h;
    double x, y, fx, fy;
    int track, i, j;
    if (argc != 5 || install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    track = atoi(argv[2]);
    x = atof(argv[3]);
    y = atof(argv[4]);
    set_color_depth(8);
    d = load_datafile(argv[1]);
    if (!d || d[0].size < (long)track * GRID * GRID || track < 1) return 1;
    h = (const unsigned char*)d[0].dat + (long)(track - 1) * GRID * GRID;
    i = (int)floor(x / CELL);
    j = (int)floor(y / CELL);
    if (i < 0 || j < 0 || i > GRID - 2 || j > GRID - 2) return 1;
    fx = fmod(x, CELL) / CELL;
    fy = fmod(y, CELL) / CELL;
    /* sample (i, j) is byte j * 256 + i */
    printf("%.1f\n", (1 - fx) * ((1 - fy) * h[j * GRID + i] + fy * h[(j + 1) * GRID + i]) +
                         fx * ((1 - fy) * h[j * GRID + i + 1] + fy * h[(j + 1) * GRID + i + 1]));
    unload_datafile(d);
    return 0;
}
END_OF_MAIN()
