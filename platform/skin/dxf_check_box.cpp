#include "skin/dxf_check_box.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

TdxfCheckBox::TdxfCheckBox(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TdxfCheckBox::SetPictureChecked(const QPixmap& picture) {
    picture_checked_ = picture;
    update();
}

void TdxfCheckBox::SetPictureUnchecked(const QPixmap& picture) {
    picture_unchecked_ = picture;
    update();
}

void TdxfCheckBox::SetColor(const QColor& colour) {
    color_ = colour;
    update();
}

QSize TdxfCheckBox::sizeHint() const {
    const QPixmap& picture = isChecked() ? picture_checked_ : picture_unchecked_;
    return picture.isNull() ? QSize(32, 32) : picture.size();
}

void TdxfCheckBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    const QPixmap& picture = isChecked() ? picture_checked_ : picture_unchecked_;
    painter.drawPixmap(0, 0, picture);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
