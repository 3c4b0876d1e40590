// SPDX-License-Identifier: GPL-3.0-or-later
#include "BmpFile.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

namespace BmpFile {

bool write(const QImage& image, const QString& path)
{
    if (image.isNull())
        return false;
    // A BMP has no transparency worth keeping: what is see-through is drawn on white paper.
    QImage opaque(image.size(), QImage::Format_RGB888);
    opaque.setDotsPerMeterX(image.dotsPerMeterX());
    opaque.setDotsPerMeterY(image.dotsPerMeterY());
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !opaque.save(&buffer, "BMP"))
        return false;
    // The old file stays whole until the new one is complete; unbuffered, a short write shows
    // in the count written.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           file.write(bytes) == bytes.size() && file.commit();
}

} // namespace BmpFile
