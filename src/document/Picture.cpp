#include "Picture.h"

#include "Twips.h"

#include <QPaintEngine>
#include <QPainter>
#include <QSvgRenderer>
#include <QtMath>
#include <algorithm>

Picture Picture::fromImage(const QImage& image)
{
    Picture picture;
    if (image.isNull())
        return picture;
    picture.image_ = image;
    const double twipsPerPixel = Twips::perInch / Twips::screenDpi;
    picture.natural_ = QSizeF(image.width() * twipsPerPixel, image.height() * twipsPerPixel);
    return picture;
}

Picture Picture::fromSvg(const QByteArray& svg, const QSizeF& naturalTwips)
{
    Picture picture;
    auto drawing = std::make_shared<QSvgRenderer>(svg);
    if (!drawing->isValid() || naturalTwips.isEmpty())
        return picture;
    picture.drawing_ = std::move(drawing);
    picture.natural_ = naturalTwips;
    return picture;
}

void Picture::paint(QPainter& painter, const QRectF& target) const
{
    if (drawing_)
        drawing_->render(&painter, target);
    else if (!image_.isNull())
        painter.drawImage(target, pixelsFor(painter, target));
}

QImage Picture::pixelsFor(const QPainter& painter, const QRectF& target) const
{
    const QPaintEngine* engine = painter.paintEngine();
    // A page recorded ahead of its printer (a QPicture) has the printer's resolution.
    if (!engine || (engine->type() != QPaintEngine::Pdf && engine->type() != QPaintEngine::Picture))
        return image_;
    // The target's size in the page's dots, at the PDF's resolution.
    const QSizeF dots = painter.deviceTransform().mapRect(target).size();
    const QSize most(std::min(image_.width(), std::max(1, qCeil(dots.width()))),
                     std::min(image_.height(), std::max(1, qCeil(dots.height()))));
    if (most == image_.size())
        return image_;
    return image_.scaled(most, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage Picture::toImage() const
{
    if (!drawing_)
        return image_;
    const double twipsPerPixel = Twips::perInch / Twips::screenDpi;
    const QSize pixels(qMax(1, qRound(natural_.width() / twipsPerPixel)),
                       qMax(1, qRound(natural_.height() / twipsPerPixel)));
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawing_->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}
