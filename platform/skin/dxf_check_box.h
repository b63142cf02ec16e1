#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

// A toggle drawn as one of two pictures, the one of its current state.
//
// A click of the user, or the space key while it has the focus, flips Checked and then emits
// clicked(), so a handler of clicked() always sees the new state. SetChecked from code only
// stores the state and repaints: it emits toggled() but never clicked().
// Where the picture does not cover the widget, Color fills the rest.
class TdxfCheckBox : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(QPixmap PictureChecked READ PictureChecked WRITE SetPictureChecked)
    Q_PROPERTY(QPixmap PictureUnchecked READ PictureUnchecked WRITE SetPictureUnchecked)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)

public:
    explicit TdxfCheckBox(QWidget* parent = nullptr);

    [[nodiscard]] bool Checked() const { return isChecked(); }
    void SetChecked(bool checked) { setChecked(checked); }
    [[nodiscard]] QPixmap PictureChecked() const { return picture_checked_; }
    void SetPictureChecked(const QPixmap& picture);
    [[nodiscard]] QPixmap PictureUnchecked() const { return picture_unchecked_; }
    void SetPictureUnchecked(const QPixmap& picture);
    [[nodiscard]] QColor Color() const { return color_; }
    void SetColor(const QColor& colour);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_checked_;
    QPixmap picture_unchecked_;
    QColor color_ = QColor(0xC0, 0xC0, 0xC0);
};
