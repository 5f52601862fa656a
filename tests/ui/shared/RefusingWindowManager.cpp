// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for a window manager that holds windows at a size of its own,
// as tiling managers and kiosk shells do: it maps every window at the same
// place and size, and refuses every request to move or resize one with a
// synthetic ConfigureNotify of the geometry the window keeps, as ICCCM
// allows. It prints one line for each request it refuses ("refused WxH") and
// "ready" once it manages the screen. SIGUSR1 moves every window it manages
// to a second size, as a user resizing a tile would.
//
//     refusing-window-manager WIDTHxHEIGHT [WIDTHxHEIGHT]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <csignal>
#include <cstdio>
#include <sys/select.h>
#include <vector>

namespace {

volatile std::sig_atomic_t retile = 0;

struct Size {
    int width = 0;
    int height = 0;
};

bool ParseSize(const char* text, Size& size)
{
    return text != nullptr && std::sscanf(text, "%dx%d", &size.width, &size.height) == 2 &&
           size.width > 0 && size.height > 0;
}

// The geometry a window has now, sent back as the answer to its request.
void Refuse(Display* display, Window window)
{
    XWindowAttributes kept;
    if (XGetWindowAttributes(display, window, &kept) == 0) {
        return;
    }
    XEvent answer{};
    answer.xconfigure.type = ConfigureNotify;
    answer.xconfigure.display = display;
    answer.xconfigure.event = window;
    answer.xconfigure.window = window;
    answer.xconfigure.x = kept.x;
    answer.xconfigure.y = kept.y;
    answer.xconfigure.width = kept.width;
    answer.xconfigure.height = kept.height;
    answer.xconfigure.border_width = kept.border_width;
    answer.xconfigure.above = None;
    answer.xconfigure.override_redirect = False;
    XSendEvent(display, window, False, StructureNotifyMask, &answer);
}

int IgnoreErrors(Display*, XErrorEvent*)
{
    return 0; // a window may be gone by the time it is answered
}

} // namespace

int main(int argc, char** argv)
{
    Size held;
    Size second;
    if (argc < 2 || !ParseSize(argv[1], held) || (argc > 2 && !ParseSize(argv[2], second))) {
        std::fprintf(stderr, "usage: %s WIDTHxHEIGHT [WIDTHxHEIGHT]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(display, False);
    std::signal(SIGUSR1, [](int) { retile = 1; });
    std::printf("ready\n");
    std::fflush(stdout);

    std::vector<Window> managed;
    for (;;) {
        if (retile != 0 && second.width > 0) {
            retile = 0;
            held = second;
            for (const Window window : managed) {
                XResizeWindow(display, window, static_cast<unsigned>(held.width),
                              static_cast<unsigned>(held.height));
            }
            XFlush(display);
        }
        if (XPending(display) == 0) {
            // Wakes for the next event, or after a while to look at the signal.
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(ConnectionNumber(display), &readable);
            timeval wait{0, 50000};
            select(ConnectionNumber(display) + 1, &readable, nullptr, nullptr, &wait);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapRequest) {
            const Window window = event.xmaprequest.window;
            XMoveResizeWindow(display, window, 0, 0, static_cast<unsigned>(held.width),
                              static_cast<unsigned>(held.height));
            XMapWindow(display, window);
            managed.push_back(window);
        } else if (event.type == ConfigureRequest) {
            std::printf("refused %dx%d\n", event.xconfigurerequest.width,
                        event.xconfigurerequest.height);
            std::fflush(stdout);
            Refuse(display, event.xconfigurerequest.window);
        } else if (event.type == DestroyNotify) {
            std::erase(managed, event.xdestroywindow.window);
        }
        XFlush(display);
    }
}
