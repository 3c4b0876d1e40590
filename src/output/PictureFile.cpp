#include "PictureFile.h"

#include "Twips.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QtEndian>

namespace PictureFile {

namespace {

constexpr quint32 placeableKey = 0x9AC6CDD7;
constexpr int placeableHeaderSize = 22;
// A metafile is a few kilobytes to a few megabytes; its conversion takes well under a second.
// Some broken ones make wmf2svg loop: the window waits no longer than this for them.
constexpr int conversionTimeoutMs = 5000;
constexpr qint64 largestMetafile = 64 * 1024 * 1024;

std::optional<Picture> loadMetafile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > largestMetafile)
        return std::nullopt;
    const std::optional<QSizeF> size = placeableMetafileSize(file.read(placeableHeaderSize));
    if (!size)
        return std::nullopt;
    QProcess conversion;
    // Inline: otherwise the pictures a metafile holds are written as files beside it. The
    // absolute path can never be taken for an option.
    conversion.start(QStringLiteral("wmf2svg"),
                     {QStringLiteral("--inline"), QFileInfo(path).absoluteFilePath()});
    if (!conversion.waitForFinished(conversionTimeoutMs) ||
        conversion.exitStatus() != QProcess::NormalExit || conversion.exitCode() != 0) {
        conversion.kill();
        return std::nullopt;
    }
    const Picture drawing = Picture::fromSvg(conversion.readAllStandardOutput(), *size);
    if (drawing.isNull())
        return std::nullopt;
    return drawing;
}

} // namespace

std::optional<QSizeF> placeableMetafileSize(const QByteArray& bytes)
{
    if (bytes.size() < placeableHeaderSize)
        return std::nullopt;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint32>(data) != placeableKey)
        return std::nullopt;
    const qint16 left = qFromLittleEndian<qint16>(data + 6);
    const qint16 top = qFromLittleEndian<qint16>(data + 8);
    const qint16 right = qFromLittleEndian<qint16>(data + 10);
    const qint16 bottom = qFromLittleEndian<qint16>(data + 12);
    const quint16 unitsPerInch = qFromLittleEndian<quint16>(data + 14);
    const double width = std::abs(double(right) - left);
    const double height = std::abs(double(bottom) - top);
    if (unitsPerInch == 0 || width == 0 || height == 0)
        return std::nullopt;
    return QSizeF(width, height) * (Twips::perInch / unitsPerInch);
}

std::optional<Picture> load(const QString& path)
{
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (placeableMetafileSize(probe.read(placeableHeaderSize)))
        return loadMetafile(path);
    probe.close();

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

} // namespace PictureFile
