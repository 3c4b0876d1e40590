// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFile.h"

#include "CoverLayout.h"
#include "HugePages.h"
#include "JpegDecoder.h"
#include "JpegStructure.h"
#include "Metafile.h"
#include "PngStructure.h"
#include "Prompter.h"
#include "Twips.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cmath>
#include <map>
#include <mutex>
#include <set>

namespace PictureFile {

namespace {

constexpr int placeableHeaderSize = 22;
constexpr qint64 largestMetafile = 64 * 1024 * 1024;
// The finest print quality.
constexpr double finestDpi = 1200;
// The longest side of a picture that is read at all (a scan of 16,000 pixels, read reduced).
constexpr int largestStoredSide = 16000;
// A JPEG file up to this size is kept as its bytes and decoded at each output's size.
constexpr qint64 largestKeptFile = 256 * 1024 * 1024;

// Qt's image allocation limit, which is for the whole program, set for one reading. Pictures
// are read on several threads at once (read ahead while a window is built, an album's files):
// the limit is the largest of the readings under way, and Qt's own once none is, so that no
// reading ends with another's limit left behind.
class AllocationLimit {
public:
    explicit AllocationLimit(qint64 bytes) : megabytes_(int((bytes + (1 << 20) - 1) >> 20))
    {
        const std::lock_guard lock(mutex());
        if (active().empty())
            qtLimit() = QImageReader::allocationLimit();
        active().insert(megabytes_);
        QImageReader::setAllocationLimit(*active().rbegin());
    }
    ~AllocationLimit()
    {
        const std::lock_guard lock(mutex());
        active().erase(active().find(megabytes_));
        QImageReader::setAllocationLimit(active().empty() ? qtLimit() : *active().rbegin());
    }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

private:
    static std::mutex& mutex()
    {
        static std::mutex limits;
        return limits;
    }
    static std::multiset<int>& active()
    {
        static std::multiset<int> limits;
        return limits;
    }
    static int& qtLimit()
    {
        static int limit = 0;
        return limit;
    }

    int megabytes_;
};

// The bytes of a picture of `size` at `bits` a pixel, as Qt counts them.
qint64 imageBytes(const QSize& size, int bits)
{
    const qint64 bytesPerLine = (qint64(size.width()) * bits + 31) / 32 * 4;
    return bytesPerLine * size.height();
}

QSize largestRead(const QSize& size)
{
    if (qMax(size.width(), size.height()) <= largestSide())
        return size;
    return size.scaled(largestSide(), largestSide(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// Sixteen bits a channel are more than any screen or printer shows, and the painters would
// convert them at every paint: once, where read, at half the memory.
QImage eightBits(QImage image)
{
    if (image.depth() > 32)
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                : QImage::Format_RGB32);
    return image;
}

// `whole` at `size`, a band of rows at a time, so that only a band is ever held in 32 bits
// besides the result: a scan of 16,000 pixels a side in 8 bits is 256 MB, in 32 bits 1 GB.
// Each band is reduced by a whole factor (smoothly: every pixel counts), then placed.
QImage reducedInBands(const QImage& whole, const QSize& size)
{
    const int factor = qMax(1, qMin(whole.width() / size.width(), whole.height() / size.height()));
    const int bandRows = 256 * factor;
    const QImage::Format format =
        whole.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage reduced(size, format);
    reduced.fill(Qt::transparent);
    QPainter painter(&reduced);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const double scale = double(size.height()) / whole.height();
    for (int top = 0; top < whole.height(); top += bandRows) {
        const int rows = qMin(bandRows, whole.height() - top);
        QImage band = whole.copy(0, top, whole.width(), rows).convertToFormat(format);
        if (factor > 1)
            band = band.scaled(qMax(1, whole.width() / factor), qMax(1, rows / factor),
                               Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        painter.drawImage(QRectF(0, top * scale, size.width(), rows * scale), band);
    }
    return reduced;
}

// A file's bytes, kept and read when an output needs its pixels, and what a PDF may hold as
// they are: the file of a picture neither turned by its EXIF data nor read reduced.
class KeptFileReader : public Picture::Reader {
public:
    KeptFileReader(QByteArray bytes, const QSize& stored, QImageIOHandler::Transformations shown)
        : bytes_(std::move(bytes)), stored_(stored), shown_(shown)
    {
    }

    QByteArray fileBytes() const override
    {
        return shown_ != QImageIOHandler::TransformationNone || largestRead(stored_) != stored_
                   ? QByteArray()
                   : bytes_;
    }

protected:
    mutable QByteArray bytes_; // QBuffer reads a non-const array; it is never changed
    QSize stored_;
    QImageIOHandler::Transformations shown_; // turned or flipped by its EXIF data
};

// A JPEG file's bytes, decoded at each size asked by libjpeg's scaled decoding (an eighth, a
// quarter or half of its pixels a side), so that a camera's photo is never decoded whole
// for a face on a screen or 12 cm of paper.
class JpegReader : public KeptFileReader {
public:
    using KeptFileReader::KeptFileReader;

    QImage read(const QSize& atLeast) const override
    {
        // A picture larger than any output is never decoded whole: half its pixels a side
        // still give more than 600 dpi on the widest face.
        const bool large = largestRead(stored_) != stored_;
        if (std::optional<QImage> decoded =
                JpegDecoder::decode(bytes_, atLeast, shown_, large ? 4 : 8))
            return *decoded;
        return readByQt(atLeast);
    }

private:
    // What libjpeg does not give straight as RGB (CMYK, YCCK), through Qt's reader, which
    // reduces by an eighth, a quarter or half a side.
    QImage readByQt(const QSize& atLeast) const
    {
        // Sizes in the file's own orientation, which the reader turns after decoding.
        const QSize wanted =
            shown_ & QImageIOHandler::TransformationRotate90 ? atLeast.transposed() : atLeast;
        int reduction = 8;
        while (reduction > 1 && (stored_.width() / reduction < wanted.width() ||
                                 stored_.height() / reduction < wanted.height()))
            reduction /= 2;
        if (largestRead(stored_) != stored_)
            reduction = qMax(reduction, 2); // never whole, as above
        const QSize decoded = reduction > 1 ? stored_ / reduction : stored_;
        QBuffer buffer(&bytes_);
        QImageReader reader(&buffer, "jpeg");
        reader.setAutoTransform(true);
        if (decoded != stored_)
            reader.setScaledSize(decoded);
        const AllocationLimit limit(imageBytes(decoded, 32));
        return eightBits(reader.read());
    }
};

// A PNG file's bytes, whose chunks are sound and which no EXIF data turns, decoded when an
// output first needs its pixels (PNG has no reduced decoding): a PDF that holds the file as it
// is never decodes it.
class PngReader : public KeptFileReader {
public:
    PngReader(QByteArray bytes, const QSize& stored)
        : KeptFileReader(std::move(bytes), stored, QImageIOHandler::TransformationNone)
    {
    }

    QImage read(const QSize&) const override
    {
        QBuffer buffer(&bytes_);
        QImageReader reader(&buffer, "png");
        QImage image;
        {
            const AllocationLimit limit(imageBytes(stored_, 64));
            image = reader.read();
        }
        if (!image.isNull() && qMax(image.width(), image.height()) > largestSide())
            image = reducedInBands(image, largestRead(image.size()));
        return eightBits(image);
    }
};

// A JPEG file's picture, of `stored` pixels in the file, shown turned by `shown`: only its
// header has been read (libjpeg fails on nothing else: a damaged scan is decoded grey where
// damaged); each output decodes it at its own size.
Picture jpegPicture(const QByteArray& bytes, const QSize& stored,
                    QImageIOHandler::Transformations shown)
{
    // Its own size as it is shown: a camera's turned photo has its sides swapped.
    const QSize turned =
        shown & QImageIOHandler::TransformationRotate90 ? stored.transposed() : stored;
    return Picture::fromReader(std::make_shared<JpegReader>(bytes, stored, shown),
                               largestRead(turned), QImage(),
                               QSizeF(turned) * Twips::perInch / Twips::screenDpi);
}

// "jpeg" or "png" when the first bytes of a file say so: Qt would load every image plugin,
// and the libraries they need, to find out.
QByteArray lazyFormat(const QByteArray& head)
{
    return head.startsWith("\xFF\xD8\xFF")        ? QByteArray("jpeg")
           : head.startsWith("\x89PNG\r\n\x1A\n") ? QByteArray("png")
                                                  : QByteArray();
}

// Pictures read, by file, while any copy of them lives: the slots that name one file share
// one picture, read once.
struct ReadPicture {
    qint64 size = 0;
    QDateTime modified;
    QDateTime changed; // any write changes it, also one that keeps the time of change
    Picture::Handle picture;
};

std::mutex readMutex;
std::map<QString, ReadPicture>& readPictures()
{
    static std::map<QString, ReadPicture> pictures;
    return pictures;
}

std::optional<Picture> loadImage(QIODevice& device, const QByteArray& bytes,
                                 const QByteArray& suffix)
{
    // The format its bytes say, else the one its name says.
    QByteArray format = lazyFormat(device.peek(8));
    if (format.isEmpty())
        format = QImageReader::imageFormat(&device);
    const double twipsPerPixel = Twips::perInch / Twips::screenDpi;
    if (format == "png" && !bytes.isEmpty()) {
        // Its chunks are checked, its pixels read when an output needs them. Qt's reader would
        // load every image plugin to learn its size, which its header says.
        const std::optional<PngStructure> png = PngStructure::read(bytes, false);
        if (!png || qMax(png->size.width(), png->size.height()) > largestStoredSide)
            return std::nullopt;
        if (!png->turnable)
            return Picture::fromReader(std::make_shared<PngReader>(bytes, png->size),
                                       largestRead(png->size), QImage(),
                                       QSizeF(png->size) * twipsPerPixel);
    }
    if (format == "jpeg" && !bytes.isEmpty()) {
        // A header this reading does not follow is left to Qt's reader.
        if (const std::optional<JpegStructure> jpeg = JpegStructure::read(bytes)) {
            if (qMax(jpeg->size.width(), jpeg->size.height()) > largestStoredSide)
                return std::nullopt;
            return jpegPicture(bytes, jpeg->size, jpeg->transformation);
        }
    }
    QImageReader reader(&device, format.isEmpty() ? suffix : format);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    const bool drawn = reader.format().startsWith("svg");
    // Its own size as it is shown: a camera's turned photo has its width and height swapped.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    QSize reduced = stored;
    qint64 decoded = imageBytes(QSize(largestStoredSide, largestStoredSide), 32); // size untold
    if (stored.isValid()) {
        if (stored.isEmpty() ||
            (!drawn && qMax(stored.width(), stored.height()) > largestStoredSide))
            return std::nullopt;
        if (!bytes.isEmpty() && reader.format() == "jpeg" && reader.canRead())
            return jpegPicture(bytes, stored, reader.transformation());
        // A drawing is rendered at the size asked; pixels are decoded whole, in the reader's
        // format, and reduced a band at a time.
        reduced = largestRead(stored);
        if (drawn && reduced != stored)
            reader.setScaledSize(reduced);
        const QImage::Format format = reader.imageFormat();
        const int bits =
            format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
        // Qt's readers count a picture of fewer bits as 32 against the limit.
        decoded = imageBytes(drawn ? reduced : stored, qMax(bits, 32));
    }
    QImage image;
    {
        const AllocationLimit limit(decoded);
        image = reader.read();
    }
    if (image.isNull())
        return std::nullopt;
    const QSize natural = stored.isValid() ? (turned ? stored.transposed() : stored) : image.size();
    if (qMax(image.width(), image.height()) > largestSide())
        image = reducedInBands(image, largestRead(image.size()));
    return Picture::fromImage(eightBits(image), QSizeF(natural) * twipsPerPixel);
}

std::optional<Picture> loadImage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QFileInfo info(file);
    ReadPicture read{file.size(), info.lastModified(), info.metadataChangeTime(), {}};
    const QString key = info.absoluteFilePath();
    const std::lock_guard lock(readMutex);
    auto& pictures = readPictures();
    const auto known = pictures.find(key);
    if (known != pictures.end() && known->second.size == read.size &&
        known->second.modified == read.modified && known->second.changed == read.changed) {
        if (Picture picture = Picture::fromHandle(known->second.picture); !picture.isNull())
            return picture;
    }
    QByteArray bytes;
    if (read.size <= largestKeptFile) {
        bytes = QByteArray(read.size, Qt::Uninitialized);
        HugePages::advise(bytes.data(), bytes.size());
        const qint64 got = file.read(bytes.data(), read.size);
        bytes.resize(qMax<qint64>(got, 0)); // a file cut short meanwhile reads as it is now
    }
    const QByteArray suffix = info.suffix().toLower().toLatin1();
    std::optional<Picture> picture;
    if (bytes.isEmpty() && read.size > 0) {
        file.seek(0);
        picture = loadImage(file, bytes, suffix);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        picture = loadImage(buffer, bytes, suffix);
    }
    // Those whose copies are all gone go.
    std::erase_if(pictures, [](const auto& entry) { return entry.second.picture.expired(); });
    if (picture) {
        read.picture = picture->handle();
        pictures[key] = read;
    }
    return picture;
}

} // namespace

bool readLazily(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && !lazyFormat(file.read(8)).isEmpty();
}

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
