#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "skin/dxf_check_box.h"
#include "skin/dxf_color_button.h"
#include "skin/dxf_shaped_form.h"
#include "skin/skin_region.h"

namespace {

const QRgb kKey = qRgb(255, 0, 255);
const QRgb kNavy = qRgb(0, 0, 0x80);
const QRgb kGrey = qRgb(200, 200, 200);

// A 40 x 30 skin: key colour around a grey body whose top rows are a navy strip.
QImage TestSkin() {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(kKey);
    for (int y = 5; y < 25; ++y)
        for (int x = 5; x < 35; ++x) image.setPixel(x, y, y < 9 ? kNavy : kGrey);
    return image;
}

class ShapedFormTest : public testing::Test {
protected:
    void SetUp() override {
        window_.resize(36, 24);
        window_.move(100, 100);
        skin_ = new TdxfShapedForm(&window_);
        skin_->move(-2, -3);
        skin_->SetCaptionColor(QColor(kNavy));
        skin_->SetPicture(TestSkin());
    }

    QWidget window_;
    TdxfShapedForm* skin_;  // owned by window_
};

TEST_F(ShapedFormTest, ActiveSkinCutsTheWindowToItsBodyAtItsPosition) {
    EXPECT_TRUE(window_.mask().isEmpty());
    skin_->SetActive(true);
    const QRegion body(QRect(3, 2, 30, 20));
    EXPECT_EQ(window_.mask(), body);
    EXPECT_EQ(skin_->WindowShape(), body);
    EXPECT_TRUE(window_.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(skin_->size(), QSize(40, 30));
    // The corners are cut away, the body is not.
    EXPECT_FALSE(window_.mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(window_.mask().contains(QPoint(35, 23)));
    EXPECT_TRUE(window_.mask().contains(QPoint(18, 12)));

    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    skin_->move(0, 0);
    EXPECT_EQ(window_.mask(), body.translated(2, 3));
    skin_->SetActive(false);
    EXPECT_TRUE(window_.mask().isEmpty());
}

TEST_F(ShapedFormTest, DragsTheWindowOnlyFromTheCaptionColour) {
    skin_->SetActive(true);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    const QPoint start = window_.pos();
    struct Row {
        const char* name;
        QPoint press;  // in the skin's coordinates
        bool always_move;
        bool moves;
    };
    const Row cases[] = {
        {"navy strip", {10, 6}, false, true},
        {"grey body", {10, 15}, false, false},
        {"grey body, always move", {10, 15}, true, true},
    };
    for (const Row& row : cases) {
        SCOPED_TRACE(row.name);
        window_.move(start);
        skin_->SetAlwaysMove(row.always_move);
        QTest::mousePress(skin_, Qt::LeftButton, {}, row.press);
        QTest::mouseMove(skin_, row.press + QPoint(15, 7));
        QTest::mouseRelease(skin_, Qt::LeftButton, {}, row.press + QPoint(15, 7));
        EXPECT_EQ(window_.pos(), row.moves ? start + QPoint(15, 7) : start);
    }
}

TEST(DxfCheckBox, UserTogglesBeforeClickWhileCodeOnlyStoresTheState) {
    QWidget window;
    auto* toggle = new TdxfCheckBox(&window);
    toggle->resize(40, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    std::vector<bool> seen;
    QObject::connect(toggle, &TdxfCheckBox::clicked, [&] { seen.push_back(toggle->Checked()); });

    QTest::mouseClick(toggle, Qt::LeftButton);
    toggle->setFocus();
    QTest::keyClick(toggle, Qt::Key_Space);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));

    toggle->SetChecked(true);
    EXPECT_TRUE(toggle->Checked());
    EXPECT_EQ(seen.size(), 2u);
}

TEST(DxfColorButton, ClicksOnlyWhileEnabled) {
    QWidget window;
    auto* button = new TdxfColorButton(&window);
    button->resize(49, 65);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicks(button, &TdxfColorButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
}

}  // namespace
