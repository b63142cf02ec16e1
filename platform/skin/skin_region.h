#pragma once

#include <QImage>
#include <QRegion>

// The outline of a skin picture: every pixel whose colour differs from the colour of the
// top-left pixel, collected row by row as horizontal runs. Rows with the same runs are joined
// into one band, so the region stays small for pictures with straight edges.
// A null picture gives an empty region; the alpha channel is ignored.
[[nodiscard]] QRegion SkinRegion(const QImage& picture);
