// Sends a window the close request a window manager sends for Alt+F4 or
// the close item of a taskbar: a ClientMessage WM_PROTOCOLS carrying
// WM_DELETE_WINDOW. The window is asked, not destroyed, so the program
// decides what the request does (xdotool's windowclose destroys it).
//
//   wmclose WINDOW   (the window's id, decimal or 0x hexadecimal, on $DISPLAY)
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wmclose WINDOW\n");
        return 2;
    }
    char *end = nullptr;
    errno = 0;
    const unsigned long id = std::strtoul(argv[1], &end, 0);
    if (errno != 0 || end == argv[1] || *end != '\0' || id == 0) {
        std::fprintf(stderr, "wmclose: not a window id: %s\n", argv[1]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "wmclose: cannot open the display\n");
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(id);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, static_cast<Window>(id), False, NoEventMask, &event);
    // The request must have left before the display closes.
    XSync(display, False);
    XCloseDisplay(display);
    if (!sent) {
        std::fprintf(stderr, "wmclose: the request could not be sent\n");
        return 1;
    }
    return 0;
}
