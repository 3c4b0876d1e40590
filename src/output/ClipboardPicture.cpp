// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClipboardPicture.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>

namespace ClipboardPicture {

std::optional<Picture> read()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return std::nullopt;
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull())
            return Picture::fromImage(image);
    }
    // Any other picture format the clipboard offers (image/bmp, image/gif, ...).
    for (const QString& format : data->formats()) {
        if (!format.startsWith(QStringLiteral("image/")))
            continue;
        QByteArray bytes = data->data(format);
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        const QImage image = reader.read();
        if (!image.isNull())
            return Picture::fromImage(image);
    }
    return std::nullopt;
}

void write(const QImage& image)
{
    QGuiApplication::clipboard()->setImage(image);
}

void clear()
{
    QGuiApplication::clipboard()->clear();
}

} // namespace ClipboardPicture
