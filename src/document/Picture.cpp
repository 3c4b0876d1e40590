#include "Picture.h"

#include "Twips.h"

#include <QPainter>
#include <QSvgRenderer>

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
        painter.drawImage(target, image_);
}
