/* close_window ID: sends the window the WM_DELETE_WINDOW message a window
   manager sends when its close button is pressed. */
#include <X11/Xlib.h>
#include <stdlib.h>

int main(int argc, char **argv) {
    Display *d = argc == 2 ? XOpenDisplay(NULL) : NULL;
    XEvent e = {0};
    if (!d) return 2;
    e.xclient.type = ClientMessage;
    e.xclient.window = (Window)strtoul(argv[1], NULL, 0);
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
    e.xclient.data.l[1] = CurrentTime;
    if (!XSendEvent(d, e.xclient.window, False, NoEventMask, &e)) return 1;
    XCloseDisplay(d);
    return 0;
}
