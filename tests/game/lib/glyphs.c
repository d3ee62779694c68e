/* Prints the 8x8 pattern of every printable character of the library's
 * default font, one line per character: the character code, then 64 bits
 * row by row.  The game tests read the HUD line of a screenshot with it. */
#include <allegro.h>
#include <stdio.h>

int main(void) {
    BITMAP* cell;
    int c, x, y;
    char text[2] = {0, 0};
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(8);
    cell = create_bitmap_ex(8, 8, 8);
    if (!cell) return 1;
    for (c = 32; c < 127; ++c) {
        clear_to_color(cell, 0);
        text[0] = (char)c;
        textout_ex(cell, font, text, 0, 0, 1, 0);
        printf("%d ", c);
        for (y = 0; y < 8; ++y)
            for (x = 0; x < 8; ++x) putchar(getpixel(cell, x, y) ? '1' : '0');
        putchar('\n');
    }
    destroy_bitmap(cell);
    return 0;
}
END_OF_MAIN()
