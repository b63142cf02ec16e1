#include "skin/svg_picture.h"

#include <QDomDocument>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include "core/exception.h"

namespace {

// The drawing as an SVG document, without its element whose id is hide_id (if any).
QByteArray SvgWithout(const QString& file, const QString& hide_id) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        throw Exception(FormatMessage("Cannot load the picture '%s'", file.toStdString()));
    const QByteArray data = input.readAll();
    if (hide_id.isEmpty()) return data;
    QDomDocument document;
    if (!document.setContent(data)) return data;  // the renderer reports what is wrong
    // A walk through the element tree in document order.
    for (QDomElement element = document.documentElement(); !element.isNull();) {
        if (element.attribute(QStringLiteral("id")) == hide_id) {
            element.parentNode().removeChild(element);
            return document.toByteArray();
        }
        if (!element.firstChildElement().isNull()) {
            element = element.firstChildElement();
            continue;
        }
        while (!element.isNull() && element.nextSiblingElement().isNull())
            element = element.parentNode().toElement();
        if (!element.isNull()) element = element.nextSiblingElement();
    }
    return data;
}

QImage Render(const QString& file, QSize size, const QString& hide_id = {}) {
    QSvgRenderer renderer(SvgWithout(file, hide_id));
    if (!renderer.isValid())
        throw Exception(FormatMessage("Cannot load the picture '%s'", file.toStdString()));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QRgb Opaque(QRgb pixel) { return qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)); }

}  // namespace

QImage RenderSvgPicture(const QString& file, QSize size) { return Render(file, size); }

QImage RenderSkinPicture(const QString& file, QSize size) {
    // The background colour is what the corner shows with the background element drawn.
    const QImage full = Render(file, size);
    const QRgb corner = full.pixel(0, 0);
    const QRgb background = qAlpha(corner) < 128 ? kSkinKeyColour : Opaque(corner);
    // Without the background element, coverage tells body from background; anti-aliased
    // edges blend into transparency instead of into the background colour.
    const QImage drawing = Render(file, size, QStringLiteral("background"));
    QImage skin(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb pixel = drawing.pixel(x, y);
            const bool uncovered = qAlpha(pixel) < 128 || Opaque(pixel) == background;
            skin.setPixel(x, y, uncovered ? background : Opaque(pixel));
        }
    return skin;
}
