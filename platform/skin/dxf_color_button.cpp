#include "skin/dxf_color_button.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

TdxfColorButton::TdxfColorButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void TdxfColorButton::SetColor(const QColor& colour) {
    color_ = colour;
    update();
}

void TdxfColorButton::SetGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    update();
}

QSize TdxfColorButton::sizeHint() const { return glyph_.isNull() ? QSize(75, 25) : glyph_.size(); }

void TdxfColorButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), isEnabled() ? color_ : color_.darker(120));
    // A pressed button shows its face one pixel further in, as a raised button does.
    const QPoint pressed = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    if (!glyph_.isNull()) {
        const QSize glyph_size = glyph_.deviceIndependentSize().toSize();
        const QPoint origin((width() - glyph_size.width()) / 2,
                            (height() - glyph_size.height()) / 2);
        painter.drawPixmap(origin + pressed, glyph_);
    } else {
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        painter.drawText(rect().translated(pressed), Qt::AlignCenter, text());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
