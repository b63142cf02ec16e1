#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <string>

#include "input/input_injector.h"

namespace {

// Injects through the XTEST extension of the X server named by $DISPLAY (under Wayland,
// XWayland: the input then reaches X11 applications only).
class XTestInjector final : public InputInjector {
public:
    XTestInjector() = default;
    ~XTestInjector() override {
        if (display_) XCloseDisplay(display_);
    }
    XTestInjector(const XTestInjector&) = delete;
    XTestInjector& operator=(const XTestInjector&) = delete;

    void PressEnter() override {
        Display* display = Connection();
        const KeyCode key = XKeysymToKeycode(display, XK_Return);
        if (key == 0) throw EInputInjectionError("The keyboard map has no Return key");
        XTestFakeKeyEvent(display, key, True, CurrentTime);
        XTestFakeKeyEvent(display, key, False, CurrentTime);
        XFlush(display);
    }

    void ClickLeft() override {
        Display* display = Connection();
        const unsigned int button = PhysicalPrimaryButton(display);
        // Button events happen where the pointer is, so the pointer stays where the user left it.
        XTestFakeButtonEvent(display, button, True, CurrentTime);
        XTestFakeButtonEvent(display, button, False, CurrentTime);
        XFlush(display);
    }

private:
    Display* Connection() {
        if (display_) return display_;
        const char* name = std::getenv("DISPLAY");
        if (!name || !*name)
            throw EInputInjectionError("Cannot inject input: no X display (DISPLAY is not set)");
        display_ = XOpenDisplay(name);
        if (!display_)
            throw EInputInjectionError(
                std::string("Cannot inject input: cannot open the X display ") + name);
        int event_base = 0, error_base = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(display_, &event_base, &error_base, &major, &minor)) {
            XCloseDisplay(display_);
            display_ = nullptr;
            throw EInputInjectionError(std::string("Cannot inject input: the X display ") + name +
                                       " has no XTEST extension");
        }
        return display_;
    }

    // XTest presses physical buttons; a left-handed pointer map makes another physical button
    // the primary one, and the click must be the primary click the user would make.
    static unsigned int PhysicalPrimaryButton(Display* display) {
        unsigned char map[32];
        const int count = XGetPointerMapping(display, map, sizeof map);
        for (int i = 0; i < count; ++i)
            if (map[i] == 1) return static_cast<unsigned int>(i + 1);
        return 1;
    }

    Display* display_ = nullptr;
};

}  // namespace

std::unique_ptr<InputInjector> CreateSystemInputInjector() {
    return std::make_unique<XTestInjector>();
}

bool X11DisplayReachable() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return false;
    Display* display = XOpenDisplay(name);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}
