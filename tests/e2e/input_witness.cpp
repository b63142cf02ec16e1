// An independent X client that proves what input reached the display.
//
//   input_witness record        Maps a window over the whole screen, gives it the keyboard
//                               focus and prints one line per event, flushed at once:
//                                 ready <window id>
//                                 button <button> <root x> <root y> <server time ms>
//                                 key <keysym name> <server time ms>
//                               It runs until it is killed or its standard input closes.
//   input_witness snap X Y W H  Prints a hash of the screen's pixels in that rectangle.
//   input_witness ppm X Y W H   Writes that rectangle of the screen as a PPM image to stdout.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int Record(Display* display) {
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(display, screen);
    attributes.event_mask = ButtonPressMask | KeyPressMask | ExposureMask | StructureNotifyMask;
    const Window window =
        XCreateWindow(display, RootWindow(display, screen), 0, 0, DisplayWidth(display, screen),
                      DisplayHeight(display, screen), 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    XStoreName(display, window, "input witness");
    XMapWindow(display, window);
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify) break;
    }
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    std::printf("ready %lu\n", window);
    std::fflush(stdout);

    pollfd sources[2] = {{ConnectionNumber(display), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ButtonPress) {
                std::printf("button %u %d %d %lu\n", event.xbutton.button, event.xbutton.x_root,
                            event.xbutton.y_root, event.xbutton.time);
            } else if (event.type == KeyPress) {
                const KeySym symbol = XLookupKeysym(&event.xkey, 0);
                const char* name = XKeysymToString(symbol);
                std::printf("key %s %lu\n", name ? name : "?", event.xkey.time);
            }
            std::fflush(stdout);
        }
        if (poll(sources, 2, -1) < 0) return 1;
        if (sources[1].revents & (POLLIN | POLLHUP)) {
            char buffer[64];
            if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) return 0;
        }
    }
}

XImage* Grab(Display* display, char** argv) {
    const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
    const unsigned width = std::atoi(argv[4]), height = std::atoi(argv[5]);
    return XGetImage(display, DefaultRootWindow(display), x, y, width, height, AllPlanes, ZPixmap);
}

}  // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "input_witness: cannot open the display\n");
        return 2;
    }
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "record") return Record(display);
    if ((mode == "snap" || mode == "ppm") && argc == 6) {
        XImage* image = Grab(display, argv);
        if (!image) return 1;
        if (mode == "snap") {
            uint64_t hash = 1469598103934665603ULL;  // FNV-1a over the pixels
            for (int row = 0; row < image->height; ++row)
                for (int column = 0; column < image->width; ++column) {
                    hash ^= XGetPixel(image, column, row);
                    hash *= 1099511628211ULL;
                }
            std::printf("%016llx\n", static_cast<unsigned long long>(hash));
        } else {
            std::printf("P6\n%d %d\n255\n", image->width, image->height);
            for (int row = 0; row < image->height; ++row)
                for (int column = 0; column < image->width; ++column) {
                    const unsigned long pixel = XGetPixel(image, column, row);
                    const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                                  static_cast<unsigned char>(pixel >> 8),
                                                  static_cast<unsigned char>(pixel)};
                    std::fwrite(rgb, 1, 3, stdout);
                }
        }
        XDestroyImage(image);
        return 0;
    }
    std::fprintf(stderr, "usage: input_witness record | snap X Y W H | ppm X Y W H\n");
    return 2;
}
