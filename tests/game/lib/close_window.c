/* Presses a window's close button the way a window manager does: sends the
   window the WM_DELETE_WINDOW message of the WM_PROTOCOLS it took part in.
   Usage: close_window WINDOW_ID */
#include <X11/Xlib.h>
#include <stdlib.h>

int main(int argc, char **argv) {
    Display *display;
    XEvent event = {0};
    Window window;
    if (argc != 2 || !(display = XOpenDisplay(NULL))) return 2;
    window = (Window)strtoul(argv[1], NULL, 0);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    if (!XSendEvent(display, window, False, NoEventMask, &event)) return 1;
    XCloseDisplay(display);
    return 0;
}
