#include "startup/display_choice.h"

#include <cstdlib>

namespace {
std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
}  // namespace

DisplayChoice ChooseDisplay(const DisplayEnvironment& environment) {
    if (!environment.qt_qpa_platform.empty()) return {DisplayChoice::kAsConfigured, ""};
    const bool wayland =
        !environment.wayland_display.empty() || environment.session_type == "wayland";
    if (wayland && environment.display.empty())
        return {DisplayChoice::kNone,
                "Zudarozavudoza clicks through X11, but this Wayland session has no XWayland "
                "(DISPLAY is not set). Enable XWayland in your desktop and start it again."};
    if (wayland)
        return {DisplayChoice::kXWayland,
                "This is a Wayland session: Zudarozavudoza runs on XWayland, so its clicks and "
                "Enter presses reach X11 applications only, not native Wayland windows."};
    if (!environment.display.empty()) return {DisplayChoice::kX11, ""};
    return {DisplayChoice::kNone,
            "Zudarozavudoza needs a graphical desktop, but there is none (neither DISPLAY nor "
            "WAYLAND_DISPLAY is set). Start it from a terminal of your X11 or Wayland desktop."};
}

DisplayEnvironment CurrentDisplayEnvironment() {
    return {Variable("QT_QPA_PLATFORM"), Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"),
            Variable("XDG_SESSION_TYPE")};
}
