#pragma once

#include <string>

// Which window system the program runs on. Clicks are injected through X11, so the window runs
// on an X server: the desktop's own under X11, XWayland under Wayland.
struct DisplayChoice {
    enum Kind {
        kAsConfigured,  // QT_QPA_PLATFORM names a platform: use it as it is
        kX11,           // an X11 session
        kXWayland,      // a Wayland session with XWayland: clicks reach X11 applications only
        kNone,          // nothing to show a window on; message says why
    };
    Kind kind = kNone;
    std::string message;  // for kNone: why the program cannot start; for kXWayland: the notice
};

// The environment the choice is made from; empty texts stand for unset variables.
struct DisplayEnvironment {
    std::string qt_qpa_platform;
    std::string display;
    std::string wayland_display;
    std::string session_type;  // XDG_SESSION_TYPE
};

[[nodiscard]] DisplayChoice ChooseDisplay(const DisplayEnvironment& environment);

// The choice for the environment of this process.
[[nodiscard]] DisplayEnvironment CurrentDisplayEnvironment();
