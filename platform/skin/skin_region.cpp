#include "skin/skin_region.h"

#include <vector>

namespace {

struct Run {
    int left;
    int right;  // exclusive
    bool operator==(const Run&) const = default;
};

std::vector<Run> RunsOfRow(const QImage& image, int y, QRgb background) {
    std::vector<Run> runs;
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int x = 0;
    while (x < image.width()) {
        while (x < image.width() && qRgb(qRed(row[x]), qGreen(row[x]), qBlue(row[x])) == background)
            ++x;
        const int left = x;
        while (x < image.width() && qRgb(qRed(row[x]), qGreen(row[x]), qBlue(row[x])) != background)
            ++x;
        if (x > left) runs.push_back({left, x});
    }
    return runs;
}

}  // namespace

QRegion SkinRegion(const QImage& picture) {
    if (picture.isNull()) return {};
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb background =
        qRgb(qRed(image.pixel(0, 0)), qGreen(image.pixel(0, 0)), qBlue(image.pixel(0, 0)));

    // QRegion::setRects wants y-x sorted bands whose rectangles share top and height and never
    // touch; maximal runs of equal rows give exactly that, without the cost of a union per row.
    std::vector<QRect> rects;
    std::vector<Run> band;
    int band_top = 0;
    auto close_band = [&](int bottom) {
        for (const Run& run : band)
            rects.emplace_back(run.left, band_top, run.right - run.left, bottom - band_top);
    };
    for (int y = 0; y < image.height(); ++y) {
        std::vector<Run> runs = RunsOfRow(image, y, background);
        if (y > 0 && runs == band) continue;
        close_band(y);
        band = std::move(runs);
        band_top = y;
    }
    close_band(image.height());

    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}
