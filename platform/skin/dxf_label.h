#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A label whose text looks pressed into (Lowered) or standing out of (Raised) the surface
// beneath: the text in the font colour with a ShadowColor edge on one side and a light edge on
// the other, Depth extra pixels of shadow. The background stays transparent.
class TdxfLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(Style3D TextStyle READ TextStyle WRITE SetTextStyle)
    Q_PROPERTY(QColor ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(int Depth READ Depth WRITE SetDepth)

public:
    enum Style3D { dxfNone, dxfRaised, dxfLowered };
    Q_ENUM(Style3D)

    explicit TdxfLabel(QWidget* parent = nullptr);

    [[nodiscard]] QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    [[nodiscard]] Style3D TextStyle() const { return style_; }
    void SetTextStyle(Style3D style);
    [[nodiscard]] QColor ShadowColor() const { return shadow_color_; }
    void SetShadowColor(const QColor& colour);
    [[nodiscard]] int Depth() const { return depth_; }
    void SetDepth(int depth);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    Style3D style_ = dxfLowered;
    QColor shadow_color_ = QColor(0x80, 0x80, 0x80);
    int depth_ = 0;
};
