// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFile.h"

#include "CoverLayout.h"
#include "Metafile.h"
#include "Prompter.h"
#include "Twips.h"

#include <QFile>
#include <QImageReader>
#include <cmath>

namespace PictureFile {

namespace {

constexpr int placeableHeaderSize = 22;
constexpr qint64 largestMetafile = 64 * 1024 * 1024;
// The finest print quality.
constexpr double finestDpi = 1200;
// Qt's readers decode a picture whole before reducing it (but for drawings, which they render
// at the size asked): no more pixels than a large scan's, a 12000 × 12000 picture.
constexpr qint64 largestDecodedPixels = 160LL * 1000 * 1000;

// Qt's image allocation limit, which is for the whole program, set for one reading.
class AllocationLimit {
public:
    explicit AllocationLimit(qint64 bytes) : previous_(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(int((bytes + (1 << 20) - 1) >> 20));
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(previous_); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

private:
    int previous_;
};

// The bytes of a picture of `size` at `bits` a pixel, as Qt counts them.
qint64 imageBytes(const QSize& size, int bits)
{
    const qint64 bytesPerLine = (qint64(size.width()) * bits + 31) / 32 * 4;
    return bytesPerLine * size.height();
}

std::optional<Picture> loadImage(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    const bool drawn = reader.format().startsWith("svg");
    QSize reduced = stored;
    qint64 decoded = imageBytes(QSize(1, 1), 32) * largestDecodedPixels; // size untold
    if (stored.isValid()) {
        if (stored.isEmpty() ||
            (!drawn && qint64(stored.width()) * stored.height() > largestDecodedPixels))
            return std::nullopt;
        if (qMax(stored.width(), stored.height()) > largestSide()) {
            reduced = stored.scaled(largestSide(), largestSide(), Qt::KeepAspectRatio)
                          .expandedTo(QSize(1, 1));
            reader.setScaledSize(reduced);
        }
        // What the reading allocates: the picture whole in the reader's format, and when it is
        // reduced, in 32 bits a pixel (even a PNG of 8), or 64 with 16 a channel.
        const QImage::Format format = reader.imageFormat();
        const int bits =
            format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
        decoded = reduced == stored ? imageBytes(stored, bits)
                                    : imageBytes(drawn ? reduced : stored, bits > 32 ? 64 : 32);
    }
    // Its own size as it is shown: a camera's turned photo has its width and height swapped.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    QImage image;
    {
        const AllocationLimit limit(decoded);
        image = reader.read();
    }
    if (image.isNull())
        return std::nullopt;
    const QSize natural = stored.isValid() ? (turned ? stored.transposed() : stored) : image.size();
    if (qMax(image.width(), image.height()) > largestSide())
        image = image.scaled(largestSide(), largestSide(), Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    // Sixteen bits a channel are more than any screen or printer shows, and the painters would
    // convert them at every paint: once, here, at half the memory.
    if (image.depth() > 32)
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                : QImage::Format_RGB32);
    const double twipsPerPixel = Twips::perInch / Twips::screenDpi;
    return Picture::fromImage(image, QSizeF(natural) * twipsPerPixel);
}

} // namespace

int largestSide()
{
    const double widest = qMax(CoverLayout::bookletFaceWidth, CoverLayout::dosFaceWidth);
    return int(std::ceil(widest * finestDpi / Twips::perInch));
}

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

std::optional<Picture> loadOrTell(const QString& path, Prompter& prompter)
{
    std::optional<Picture> picture = load(path);
    if (!picture)
        prompter.inform(QStringLiteral("Le fichier image ") + path +
                            QStringLiteral(" ne peut pas être lu !"),
                        QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
    return picture;
}

QStringList patterns()
{
    // Metafiles are read here; Qt's base reads the first formats, its plugins the last ones.
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    QStringList result;
    for (const char* suffix :
         {"jpg", "jpeg", "png", "gif", "bmp", "ico", "wmf", "svg", "tif", "tiff", "webp"})
        if (qstrcmp(suffix, "wmf") == 0 || readable.contains(suffix))
            result << QStringLiteral("*.") + QLatin1String(suffix)
                   << QStringLiteral("*.") + QLatin1String(suffix).toString().toUpper();
    return result;
}

} // namespace PictureFile
