#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

// A push button drawn from its colour and its glyph, the glyph centred (and clipped where it is
// larger than the button); without a glyph the caption (text()) is drawn instead, one line per
// "\n". It emits clicked() when clicked (or the space key is pressed) while enabled.
class TdxfColorButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QPixmap Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(QString Caption READ text WRITE setText)

public:
    explicit TdxfColorButton(QWidget* parent = nullptr);

    [[nodiscard]] QColor Color() const { return color_; }
    void SetColor(const QColor& colour);
    [[nodiscard]] QPixmap Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& glyph);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_ = QColor(0, 0xFF, 0xFF);
    QPixmap glyph_;
};
