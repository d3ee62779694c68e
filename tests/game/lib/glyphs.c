/* Prints "size W H", the cell of a font, then the pattern of each printable
 * character, one line per character: its code, then its bits row by row.  The
 * font is the library's default one (the HUD's), or with DATAFILE INDEX the
 * font there (data.dat 40: the messages').  The game tests read text with it. */
#include <allegro.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    BITMAP* cell;
    FONT* f = font;
    int c, x, y, w, h;
    char text[2] = {0, 0};
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(8);
    if (argc == 3) {
        DATAFILE* data = load_datafile(argv[1]);
        if (!data) return 1;
        f = (FONT*)data[atoi(argv[2])].dat;
    }
    w = text_length(f, "M");
    h = text_height(f);
    cell = create_bitmap_ex(8, w, h);
    if (!cell) return 1;
    printf("size %d %d\n", w, h);
    for (c = 32; c < 127; ++c) {
        clear_to_color(cell, 0);
        text[0] = (char)c;
        textout_ex(cell, f, text, 0, 0, 1, 0);
        printf("%d ", c);
        for (y = 0; y < h; ++y)
            for (x = 0; x < w; ++x) putchar(getpixel(cell, x, y) ? '1' : '0');
        putchar('\n');
    }
    destroy_bitmap(cell);
    return 0;
}
END_OF_MAIN()
