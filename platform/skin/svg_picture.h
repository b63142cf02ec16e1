#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Pictures drawn as SVG and rendered at run time to the exact pixel size a control needs.

// Renders the SVG file (a path or a ":/" resource) to an opaque-where-drawn ARGB image of
// size. Throws Exception "Cannot load the picture '<file>'" when the file is missing or
// is no valid SVG.
[[nodiscard]] QImage RenderSvgPicture(const QString& file, QSize size);

// The colour skins are drawn on; everything of this colour is cut away.
inline constexpr QRgb kSkinKeyColour = 0xFFFF00FF;

// Renders a skin with a hard outline: every pixel is either exactly the background colour or an
// opaque colour of the drawing that is not blended with the background, since anti-aliased edges
// would leave a seam of background-tinted pixels around the window's outline.
// The background colour is the colour of the top-left pixel (kSkinKeyColour where the drawing
// leaves that corner transparent). A drawing marks the element that paints its background with
// id="background": the outline then follows what the other elements cover (at least half of a
// pixel). Without such an element every pixel of exactly the background colour is background.
[[nodiscard]] QImage RenderSkinPicture(const QString& file, QSize size);
