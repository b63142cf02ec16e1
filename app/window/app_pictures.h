#pragma once

#include <QImage>

// The window's pictures, rendered from the SVG drawings built into the program at the sizes
// the controls are made for.
struct AppPictures {
    QImage skin;         // 243 x 278, hard outline on the key colour
    QImage exit_button;  // 74 x 84
    QImage toggle_on;    // 74 x 85
    QImage toggle_off;   // 74 x 85
    QImage small_exit;   // 8 x 8
    QImage icon;         // 32 x 32
};

// Throws Exception when a drawing is missing or broken.
[[nodiscard]] AppPictures LoadAppPictures();
