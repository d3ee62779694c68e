/* fake_pad.so, preloaded into the game: a FIFO named as the joystick device
   answers the library's joystick driver as a pad of 8 axes and 11 buttons
   does (a left stick, a right stick and triggers, a cross), so a test plays
   with a pad by writing the pad's events into the FIFO. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <linux/joystick.h>
#include <stdarg.h>
#include <sys/stat.h>

int ioctl(int fd, unsigned long request, ...) {
    va_list ap;
    va_start(ap, request);
    void *arg = va_arg(ap, void *);
    va_end(ap);
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode)) {
        if (request == JSIOCGVERSION) { *(unsigned int *)arg = JS_VERSION; return 0; }
        if (request == JSIOCGAXES) { *(unsigned char *)arg = 8; return 0; }
        if (request == JSIOCGBUTTONS) { *(unsigned char *)arg = 11; return 0; }
    }
    static int (*real)(int, unsigned long, ...);
    if (!real) real = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
    return real(fd, request, arg);
}
