#include "PictureFile.h"

#include "Metafile.h"

#include <QFile>
#include <QImageReader>

namespace PictureFile {

namespace {

constexpr int placeableHeaderSize = 22;
constexpr qint64 largestMetafile = 64 * 1024 * 1024;

std::optional<Picture> loadImage(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    // Sixteen bits a channel are more than any screen or printer shows, and the painters would
    // convert them at every paint: once, here, at half the memory.
    if (image.depth() > 32)
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                : QImage::Format_RGB32);
    return Picture::fromImage(image);
}

} // namespace

std::optional<Picture> load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (Metafile::placeableSize(file.peek(placeableHeaderSize))) {
        if (file.size() > largestMetafile)
            return std::nullopt;
        return Metafile::read(file.readAll());
    }
    file.close();
    return loadImage(path);
}

} // namespace PictureFile
