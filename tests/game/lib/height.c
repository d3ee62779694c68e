/* height TRACKS.DAT N X Y: the height of the ground of track N at world point
 * (X, Y), from the heightmaps of tracks.dat as the game reads them (256 x 256
 * samples 12 units apart, sample (i, j) at byte j * 256 + i, interpolated). */
#include <allegro.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    DATAFILE* d;
    const unsigned char* h;
    double x, y, fx, fy;
    int i, j;
    if (argc != 5 || install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    x = atof(argv[3]) / 12.0, y = atof(argv[4]) / 12.0;
    i = (int)floor(x), j = (int)floor(y), fx = x - i, fy = y - j;
    d = load_datafile(argv[1]);
    if (!d || atoi(argv[2]) < 1 || d[0].size < atoi(argv[2]) * 65536L || i < 0 || j < 0 || i > 254 || j > 254) return 1;
    h = (const unsigned char*)d[0].dat + (atoi(argv[2]) - 1) * 65536L + j * 256 + i;
    printf("%.1f\n", (1 - fx) * ((1 - fy) * h[0] + fy * h[256]) + fx * ((1 - fy) * h[1] + fy * h[257]));
    return 0;
}
END_OF_MAIN()
