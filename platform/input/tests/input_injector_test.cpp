#include "input/input_injector.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Without a display every injection fails with a reason, and the injector stays usable.
TEST(SystemInputInjector, FailsClearlyWithoutADisplay) {
    const struct {
        const char* display;
        const char* reason;
    } cases[] = {
        {"", "no X display"},
        {":987654", "cannot open the X display :987654"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.display);
        setenv("DISPLAY", row.display, 1);
        EXPECT_FALSE(X11DisplayReachable());
        const auto injector = CreateSystemInputInjector();
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                injector->ClickLeft();
                ADD_FAILURE() << "ClickLeft succeeded";
            } catch (const EInputInjectionError& error) {
                EXPECT_NE(error.Message().find(row.reason), std::string::npos) << error.Message();
            }
            EXPECT_THROW(injector->PressEnter(), EInputInjectionError);
        }
    }
}

}  // namespace
