#include "skin/dxf_shaped_form.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "skin/skin_region.h"

TdxfShapedForm::TdxfShapedForm(QWidget* parent) : QWidget(parent) {}

void TdxfShapedForm::SetPicture(const QImage& picture) {
    picture_ = picture;
    if (!picture_.isNull()) resize(picture_.size());
    ApplyShape();
    update();
}

void TdxfShapedForm::SetActive(bool active) {
    active_ = active;
    ApplyShape();
}

void TdxfShapedForm::ApplyShape() {
    QWidget* form = window();
    if (form == this) return;  // a skin without a window to cut
    if (!active_ || picture_.isNull()) {
        if (!applied_shape_.isEmpty()) form->clearMask();
        applied_shape_ = QRegion();
        return;
    }
    if (!form->windowFlags().testFlag(Qt::FramelessWindowHint)) {
        // Changing the flags of a shown window hides it; give it back its visibility.
        const bool visible = form->isVisible();
        form->setWindowFlag(Qt::FramelessWindowHint, true);
        if (visible) form->show();
    }
    applied_shape_ = SkinRegion(picture_).translated(mapTo(form, QPoint(0, 0)));
    form->setMask(applied_shape_);
}

void TdxfShapedForm::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void TdxfShapedForm::moveEvent(QMoveEvent*) { ApplyShape(); }

bool TdxfShapedForm::StartsMove(QPoint position) const {
    if (always_move_) return true;
    if (!picture_.valid(position)) return false;
    return QColor(picture_.pixel(position)).rgb() == caption_color_.rgb();
}

void TdxfShapedForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !StartsMove(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    QWindow* handle = window()->windowHandle();
    if (handle && handle->startSystemMove()) return;
    // No window manager that moves windows for us (bare X servers, some compositors).
    moving_by_hand_ = true;
    grab_offset_ = event->globalPosition().toPoint() - window()->pos();
}

void TdxfShapedForm::mouseMoveEvent(QMouseEvent* event) {
    if (moving_by_hand_) window()->move(event->globalPosition().toPoint() - grab_offset_);
    QWidget::mouseMoveEvent(event);
}

void TdxfShapedForm::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) moving_by_hand_ = false;
    QWidget::mouseReleaseEvent(event);
}
