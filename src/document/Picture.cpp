// SPDX-License-Identifier: GPL-3.0-or-later
#include "Picture.h"

#include "Twips.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPicture>
#include <QtMath>
#include <algorithm>

namespace {
constexpr double twipsPerPixel = Twips::perInch / Twips::screenDpi;
}

Picture Picture::fromImage(const QImage& image)
{
    return fromImage(image, QSizeF(image.size()) * twipsPerPixel);
}

Picture Picture::fromImage(const QImage& image, const QSizeF& naturalTwips)
{
    Picture picture;
    if (image.isNull() || naturalTwips.isEmpty())
        return picture;
    picture.image_ = image;
    picture.natural_ = naturalTwips;
    return picture;
}

Picture Picture::fromDrawing(std::shared_ptr<const QPicture> drawing, const QRectF& frame,
                             const QSizeF& naturalTwips)
{
    Picture picture;
    if (!drawing || frame.isEmpty() || naturalTwips.isEmpty())
        return picture;
    picture.drawing_ = std::move(drawing);
    picture.frame_ = frame;
    picture.natural_ = naturalTwips;
    return picture;
}

void Picture::paint(QPainter& painter, const QRectF& target) const
{
    if (drawing_) {
        if (target.isEmpty())
            return;
        painter.save();
        painter.setClipRect(target, Qt::IntersectClip);
        painter.translate(target.topLeft());
        painter.scale(target.width() / frame_.width(), target.height() / frame_.height());
        painter.translate(-frame_.topLeft());
        painter.drawPicture(QPointF(0, 0), *drawing_);
        painter.restore();
    } else if (!image_.isNull()) {
        painter.drawImage(target, pixelsFor(painter, target));
    }
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
    const QSize pixels(qMax(1, qRound(natural_.width() / twipsPerPixel)),
                       qMax(1, qRound(natural_.height() / twipsPerPixel)));
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

bool Picture::operator==(const Picture& other) const
{
    return image_.cacheKey() == other.image_.cacheKey() && drawing_ == other.drawing_ &&
           frame_ == other.frame_ && natural_ == other.natural_;
}
