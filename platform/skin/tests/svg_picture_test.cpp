#include "skin/svg_picture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/exception.h"
#include "skin/skin_region.h"

namespace {

const QRgb kKey = qRgb(255, 0, 255);
const QRgb kNavy = qRgb(0, 0, 0x80);

class SvgPictureTest : public testing::Test {
protected:
    QString Write(const char* name, const QByteArray& svg) {
        const QString path = folder_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(svg);
        return path;
    }

    QTemporaryDir folder_;
};

// A navy disc that does not meet the pixel grid, so smoothing blends its edge.
QByteArray Disc(const char* background) {
    return QByteArray(R"(<svg xmlns="http://www.w3.org/2000/svg" width="40" height="30">)") +
           background + R"(<circle cx="20.3" cy="15.4" r="11.7" fill="#000080"/></svg>)";
}

TEST_F(SvgPictureTest, SkinOutlineHasNoPixelBlendedWithTheBackground) {
    const struct {
        const char* name;
        QByteArray svg;
    } cases[] = {
        {"painted magenta background",
         Disc(R"(<g><rect id="background" width="40" height="30" fill="#ff00ff"/></g>)")},
        {"transparent background", Disc("")},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const QImage skin = RenderSkinPicture(Write("disc.svg", row.svg), QSize(40, 30));
        ASSERT_EQ(skin.size(), QSize(40, 30));
        EXPECT_EQ(skin.pixel(0, 0), kKey);
        int body = 0;
        for (int y = 0; y < skin.height(); ++y)
            for (int x = 0; x < skin.width(); ++x) {
                const QRgb pixel = skin.pixel(x, y);
                if (pixel == kKey) continue;
                ++body;
                // Only the disc's own navy may appear (give or take rounding); a blend with the
                // background would bring red into it.
                EXPECT_EQ(qRed(pixel), 0) << "at " << x << "," << y;
                EXPECT_NEAR(qBlue(pixel), 0x80, 1) << "at " << x << "," << y;
            }
        // Roughly the disc's area: pi * 11.7^2 is about 430 pixels.
        EXPECT_NEAR(body, 430, 30);
        EXPECT_EQ(SkinRegion(skin).boundingRect(), QRect(9, 4, 23, 23));
    }
}

TEST_F(SvgPictureTest, PictureHasTheAskedSize) {
    const QImage image = RenderSvgPicture(Write("disc.svg", Disc("")), QSize(80, 60));
    EXPECT_EQ(image.size(), QSize(80, 60));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixel(40, 30), kNavy);
}

TEST_F(SvgPictureTest, MissingOrBrokenFileIsAnError) {
    const QString missing = folder_.filePath("missing.svg");
    const QString broken = Write("broken.svg", "<svg this is not");
    for (const QString& file : {missing, broken}) {
        SCOPED_TRACE(file.toStdString());
        try {
            (void)RenderSkinPicture(file, QSize(10, 10));
            ADD_FAILURE() << "no error";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), "Cannot load the picture '" + file.toStdString() + "'");
        }
    }
}

}  // namespace
