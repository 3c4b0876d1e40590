#include "BmpFile.h"

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
    // The old file stays whole until the new one is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!opaque.save(&file, "BMP"))
        return false;
    return file.commit();
}

} // namespace BmpFile
