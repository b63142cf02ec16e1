#include "skin/dxf_label.h"

#include <QPainter>

TdxfLabel::TdxfLabel(QWidget* parent) : QWidget(parent) {}

void TdxfLabel::SetCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    update();
}

void TdxfLabel::SetTextStyle(Style3D style) {
    style_ = style;
    update();
}

void TdxfLabel::SetShadowColor(const QColor& colour) {
    shadow_color_ = colour;
    update();
}

void TdxfLabel::SetDepth(int depth) {
    depth_ = qMax(0, depth);
    update();
}

QSize TdxfLabel::sizeHint() const {
    const QSize text = fontMetrics().size(Qt::TextSingleLine, caption_);
    return text + QSize(2 + depth_, 2 + depth_);
}

void TdxfLabel::paintEvent(QPaintEvent*) {
    if (caption_.isEmpty()) return;
    QPainter painter(this);
    painter.setFont(font());
    const QRect area = rect().adjusted(1 + depth_, 1 + depth_, -1 - depth_, -1 - depth_);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    // Light from the top left: a lowered text has its shadow above and left of it and a lit
    // edge below and right; a raised one the other way round, its shadow Depth pixels long.
    if (style_ == dxfLowered) {
        painter.setPen(shadow_color_);
        for (int step = 1; step <= 1 + depth_; ++step)
            painter.drawText(area.translated(-step, -step), flags, caption_);
        painter.setPen(Qt::white);
        painter.drawText(area.translated(1, 1), flags, caption_);
    } else if (style_ == dxfRaised) {
        painter.setPen(Qt::white);
        painter.drawText(area.translated(-1, -1), flags, caption_);
        painter.setPen(shadow_color_);
        for (int step = 1; step <= 1 + depth_; ++step)
            painter.drawText(area.translated(step, step), flags, caption_);
    }
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(area, flags, caption_);
}
