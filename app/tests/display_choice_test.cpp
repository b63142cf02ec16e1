#include "startup/display_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(ChooseDisplay, RunsOnX11OrXWaylandAndRefusesWithoutADisplay) {
    const struct {
        const char* name;
        DisplayEnvironment environment;
        DisplayChoice::Kind kind;
        const char* message_part;
    } cases[] = {
        {"X11 session", {"", ":0", "", "x11"}, DisplayChoice::kX11, ""},
        {"Wayland with XWayland",
         {"", ":0", "wayland-0", "wayland"},
         DisplayChoice::kXWayland,
         "X11 applications only"},
        {"Wayland session type alone", {"", ":1", "", "wayland"}, DisplayChoice::kXWayland, ""},
        {"Wayland without XWayland",
         {"", "", "wayland-0", "wayland"},
         DisplayChoice::kNone,
         "no XWayland"},
        {"no display at all", {"", "", "", "tty"}, DisplayChoice::kNone, "DISPLAY"},
        {"platform chosen by the user",
         {"offscreen", "", "", ""},
         DisplayChoice::kAsConfigured,
         ""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const DisplayChoice choice = ChooseDisplay(row.environment);
        EXPECT_EQ(choice.kind, row.kind);
        EXPECT_NE(choice.message.find(row.message_part), std::string::npos) << choice.message;
    }
}

}  // namespace
