#include "window/app_pictures.h"

#include "skin/svg_picture.h"

// Q_INIT_RESOURCE must name the resource outside any namespace; calling it also keeps the
// linker from dropping the pictures out of the static library.
static void InitialisePictureResources() { Q_INIT_RESOURCE(resources); }

AppPictures LoadAppPictures() {
    InitialisePictureResources();
    AppPictures pictures;
    pictures.skin = RenderSkinPicture(":/skin.svg", {243, 278});
    pictures.exit_button = RenderSvgPicture(":/exit_button.svg", {74, 84});
    pictures.toggle_on = RenderSvgPicture(":/toggle_on.svg", {74, 85});
    pictures.toggle_off = RenderSvgPicture(":/toggle_off.svg", {74, 85});
    pictures.small_exit = RenderSvgPicture(":/small_exit.svg", {8, 8});
    pictures.icon = RenderSvgPicture(":/icon.svg", {32, 32});
    return pictures;
}
