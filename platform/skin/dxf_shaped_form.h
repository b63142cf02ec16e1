#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

// A skin for the window it is placed on: shows its picture and, while Active, cuts the
// window to the picture's outline (SkinRegion: every pixel that differs from the top-left
// one), placed where this widget lies in the window, and removes the window's frame. What is
// cut away is neither drawn nor clickable: clicks there reach the window beneath.
//
// A press of the left button on a pixel of CaptionColor (or anywhere, with AlwaysMove) moves
// the window with the mouse, through the window manager where it supports that and by moving
// the window itself otherwise. The widget takes the size of its picture.
class TdxfShapedForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QImage Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(QColor CaptionColor READ CaptionColor WRITE SetCaptionColor)
    Q_PROPERTY(bool AlwaysMove READ AlwaysMove WRITE SetAlwaysMove)

public:
    explicit TdxfShapedForm(QWidget* parent = nullptr);

    [[nodiscard]] QImage Picture() const { return picture_; }
    void SetPicture(const QImage& picture);
    [[nodiscard]] bool Active() const { return active_; }
    void SetActive(bool active);
    [[nodiscard]] QColor CaptionColor() const { return caption_color_; }
    void SetCaptionColor(const QColor& colour) { caption_color_ = colour; }
    [[nodiscard]] bool AlwaysMove() const { return always_move_; }
    void SetAlwaysMove(bool always_move) { always_move_ = always_move; }

    // The region the window is cut to, in window coordinates; empty while not applied.
    [[nodiscard]] QRegion WindowShape() const { return applied_shape_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplyShape();
    [[nodiscard]] bool StartsMove(QPoint position) const;

    QImage picture_;
    bool active_ = false;
    QColor caption_color_ = QColor(0, 0, 0x80);
    bool always_move_ = false;
    QRegion applied_shape_;
    bool moving_by_hand_ = false;
    QPoint grab_offset_;  // pointer position minus window position, while moving by hand
};
