#include "skin/skin_region.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRandomGenerator>

namespace {

const QRgb kKey = qRgb(255, 0, 255);
const QRgb kBody = qRgb(10, 20, 30);

// A picture from rows of text: '.' is the key colour, anything else the body.
QImage Picture(const std::vector<std::string>& rows) {
    QImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                 QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, rows[y][x] == '.' ? kKey : kBody);
    return image;
}

// The region the slow way: one pixel at a time.
QRegion PixelByPixel(const QImage& image) {
    QRegion region;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0)) region += QRect(x, y, 1, 1);
    return region;
}

TEST(SkinRegion, HoldsExactlyThePixelsThatDifferFromTheTopLeftOne) {
    struct Row {
        const char* name;
        std::vector<std::string> rows;
    };
    const Row cases[] = {
        {"rounded body", {"..##..", ".####.", "######", "######", ".####.", "..##.."}},
        {"hole and two runs in a row", {"......", ".##.#.", ".#..#.", ".####.", "......"}},
        {"equal rows join into one band", {".##...", ".##...", ".##...", "...##."}},
        {"single pixel", {"...", ".#.", "..."}},
        {"nothing but background", {"....", "...."}},
    };
    for (const Row& row : cases) {
        SCOPED_TRACE(row.name);
        const QImage image = Picture(row.rows);
        EXPECT_EQ(SkinRegion(image), PixelByPixel(image));
    }
}

TEST(SkinRegion, MatchesThePixelsOfANoisyPicture) {
    QImage image(60, 40, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x == 0 && y == 0) || random.bounded(3) == 0 ? kKey : kBody);
    EXPECT_EQ(SkinRegion(image), PixelByPixel(image));
}

TEST(SkinRegion, IgnoresAlphaAndGivesNothingForANullPicture) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 255, 255));
    image.setPixel(1, 0, qRgba(255, 0, 255, 0));
    EXPECT_TRUE(SkinRegion(image).isEmpty());
    EXPECT_TRUE(SkinRegion(QImage()).isEmpty());
}

}  // namespace
