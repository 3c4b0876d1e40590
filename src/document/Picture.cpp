// SPDX-License-Identifier: GPL-3.0-or-later
#include "Picture.h"

#include "Twips.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPicture>
#include <QRandomGenerator>
#include <QtMath>
#include <algorithm>
#include <mutex>
#include <vector>

namespace {

constexpr double twipsPerPixel = Twips::perInch / Twips::screenDpi;
// Screen copies kept a picture: the faces' sizes at the zoom shown and the one before.
constexpr std::size_t screenCopies = 4;
// A copy for paper this much larger than its place goes as it is rather than resampled
// (a 1500-pixel photo on a face of 1418 dots at 300 dpi prints at 317 ppi).
constexpr double outputSlack = 1.25;

bool covers(const QImage& image, const QSize& size)
{
    return !image.isNull() && image.width() >= size.width() && image.height() >= size.height();
}

// `from` at `size`, in a format the painters draw without converting.
QImage resized(const QImage& from, const QSize& size)
{
    QImage image = from.size() == size
                       ? from
                       : from.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage::Format fast =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != fast)
        image.convertTo(fast);
    return image;
}

QSize atLeastOne(const QSize& size)
{
    return size.expandedTo(QSize(1, 1));
}

// A source that many pixels goes on paper as it is for a place of `place` dots.
bool withinSlack(const QSize& source, const QSize& place)
{
    return source.width() <= place.width() * outputSlack &&
           source.height() <= place.height() * outputSlack;
}

} // namespace

struct Picture::Data {
    QImage whole; // the pixels themselves, when no reader reads them again
    std::shared_ptr<const Reader> reader;
    QSize pixels;
    std::shared_ptr<const QPicture> drawing;
    QRectF frame;
    QSizeF natural;

    // Copies made for the outputs, shared by every copy of the picture.
    mutable std::mutex mutex;
    mutable QImage preview;              // a reader's pixels as last read for a screen
    mutable std::vector<QImage> screens; // exact sizes, the last drawn first
    mutable QImage output;
    mutable QSize outputPlace; // the largest place on paper, as last prepared

    // The pixels copies of at most `size` are made from (the mutex held); those read for a
    // screen are kept, for the other faces and sizes they cover.
    QImage sourceFor(const QSize& size, bool forScreen) const
    {
        if (!reader)
            return whole;
        if (covers(preview, size))
            return preview;
        QImage read = reader->read(size);
        if (forScreen && !read.isNull())
            preview = read;
        return read;
    }

    QImage screenCopy(const QSize& size) const
    {
        const std::lock_guard lock(mutex);
        const auto found = std::find_if(screens.begin(), screens.end(),
                                        [&](const QImage& copy) { return copy.size() == size; });
        if (found != screens.end()) {
            std::rotate(screens.begin(), found, found + 1);
            return screens.front();
        }
        const QImage from = sourceFor(size, true);
        if (from.isNull())
            return {};
        screens.insert(screens.begin(), resized(from, size.boundedTo(from.size())));
        if (screens.size() > screenCopies)
            screens.pop_back();
        return screens.front();
    }

    // The copy for paper of at least `size` (bounded by the source's pixels), made when the
    // one kept does not cover it, or is more than the slack larger when `exact`.
    QImage outputCopy(const QSize& size, bool exact) const
    {
        const std::lock_guard lock(mutex);
        if (covers(output, size) && !(exact && !withinSlack(output.size(), size)))
            return output;
        const QImage from = sourceFor(size, false);
        if (from.isNull())
            return {};
        output = resized(from, withinSlack(from.size(), size) ? from.size()
                                                              : size.boundedTo(from.size()));
        return output;
    }
};

struct Picture::FilesAsTheyAre::Drawn {
    struct Entry {
        std::shared_ptr<const Data> data;
        StandIn standIn; // a null image when the file does not go in
        bool drawn = false;
    };
    const QPaintDevice* device;
    std::function<bool(const QByteArray&)> takes;
    std::mutex mutex;
    // The pictures looked at, in that order: each file is looked at once.
    std::vector<Entry> pictures;

    // The stand-in of `data` for a place of `place` dots, to be drawn when `drawing`; a null
    // image when the file does not go in as it is.
    QImage standInFor(const std::shared_ptr<const Data>& data, const QSize& place, bool drawing)
    {
        if (!data->reader || !withinSlack(data->pixels, place))
            return {};
        const std::lock_guard lock(mutex);
        auto known = std::find_if(pictures.begin(), pictures.end(),
                                  [&](const Entry& entry) { return entry.data == data; });
        if (known == pictures.end()) {
            Entry entry{data, {QImage(), data->reader->fileBytes()}, false};
            if (!entry.standIn.file.isEmpty() && takes(entry.standIn.file)) {
                // One bit a pixel: Qt's engine writes such pixels as they are, without asking
                // which image formats it could encode (which loads every image plugin).
                QImage& pixels = entry.standIn.pixels;
                pixels = QImage(128, 1, QImage::Format_Mono);
                QRandomGenerator::system()->generate(
                    reinterpret_cast<quint32*>(pixels.scanLine(0)),
                    reinterpret_cast<quint32*>(pixels.scanLine(0) + pixels.width() / 8));
            }
            known = pictures.insert(pictures.end(), std::move(entry));
        }
        known->drawn = known->drawn || (drawing && !known->standIn.pixels.isNull());
        return known->standIn.pixels;
    }
};

namespace {

std::mutex filesMutex;
std::vector<Picture::FilesAsTheyAre::Drawn*> filesDevices;

// The PDF being written on `device` that takes files as they are, if any.
Picture::FilesAsTheyAre::Drawn* filesOn(const QPaintDevice* device)
{
    const std::lock_guard lock(filesMutex);
    const auto found = std::find_if(filesDevices.begin(), filesDevices.end(),
                                    [&](const auto* drawn) { return drawn->device == device; });
    return found == filesDevices.end() ? nullptr : *found;
}

} // namespace

Picture::FilesAsTheyAre::FilesAsTheyAre(const QPaintDevice* device,
                                        std::function<bool(const QByteArray&)> takes)
    : drawn_(std::make_unique<Drawn>())
{
    drawn_->device = device;
    drawn_->takes = std::move(takes);
    const std::lock_guard lock(filesMutex);
    filesDevices.push_back(drawn_.get());
}

Picture::FilesAsTheyAre::~FilesAsTheyAre()
{
    const std::lock_guard lock(filesMutex);
    std::erase(filesDevices, drawn_.get());
}

std::vector<Picture::FilesAsTheyAre::StandIn> Picture::FilesAsTheyAre::standIns() const
{
    const std::lock_guard lock(drawn_->mutex);
    std::vector<StandIn> drawn;
    for (const Drawn::Entry& entry : drawn_->pictures) {
        if (entry.drawn)
            drawn.push_back(entry.standIn);
    }
    return drawn;
}

Picture Picture::fromImage(const QImage& image)
{
    return fromImage(image, QSizeF(image.size()) * twipsPerPixel);
}

Picture Picture::fromImage(const QImage& image, const QSizeF& naturalTwips)
{
    if (image.isNull() || naturalTwips.isEmpty())
        return {};
    auto data = std::make_shared<Data>();
    data->whole = image;
    data->pixels = image.size();
    data->natural = naturalTwips;
    return Picture(std::move(data));
}

Picture Picture::fromReader(std::shared_ptr<const Reader> reader, const QSize& pixels,
                            const QImage& preview, const QSizeF& naturalTwips)
{
    if (!reader || pixels.isEmpty() || naturalTwips.isEmpty())
        return {};
    auto data = std::make_shared<Data>();
    data->reader = std::move(reader);
    data->pixels = pixels;
    data->preview = preview;
    data->natural = naturalTwips;
    return Picture(std::move(data));
}

Picture Picture::fromDrawing(std::shared_ptr<const QPicture> drawing, const QRectF& frame,
                             const QSizeF& naturalTwips)
{
    if (!drawing || frame.isEmpty() || naturalTwips.isEmpty())
        return {};
    auto data = std::make_shared<Data>();
    data->drawing = std::move(drawing);
    data->frame = frame;
    data->natural = naturalTwips;
    return Picture(std::move(data));
}

Picture Picture::fromHandle(const Handle& handle)
{
    return Picture(handle.lock());
}

bool Picture::isVector() const
{
    return data_ && data_->drawing;
}

QSizeF Picture::naturalSize() const
{
    return data_ ? data_->natural : QSizeF();
}

QSize Picture::pixelSize() const
{
    return data_ && !data_->drawing ? data_->pixels : QSize();
}

QImage Picture::image() const
{
    if (!data_ || data_->drawing)
        return {};
    if (!data_->reader)
        return data_->whole;
    return data_->reader->read(data_->pixels);
}

void Picture::paint(QPainter& painter, const QRectF& target) const
{
    if (!data_ || target.isEmpty())
        return;
    const Data& data = *data_;
    if (data.drawing) {
        painter.save();
        painter.setClipRect(target, Qt::IntersectClip);
        painter.translate(target.topLeft());
        painter.scale(target.width() / data.frame.width(), target.height() / data.frame.height());
        painter.translate(-data.frame.topLeft());
        painter.drawPicture(QPointF(0, 0), *data.drawing);
        painter.restore();
        return;
    }
    const QTransform toDevice = painter.deviceTransform();
    const QRectF placed = toDevice.mapRect(target);
    const QPaintEngine* engine = painter.paintEngine();
    // A page recorded ahead of its printer (a QPicture) has the printer's resolution.
    if (engine &&
        (engine->type() == QPaintEngine::Pdf || engine->type() == QPaintEngine::Picture)) {
        // The dots of the place, a rounding error short of a whole one not counted.
        const QSize dots(qCeil(placed.width() - 1e-6), qCeil(placed.height() - 1e-6));
        if (auto* files = filesOn(painter.device())) {
            QSize place;
            {
                const std::lock_guard lock(data.mutex);
                place = dots.expandedTo(data.outputPlace);
            }
            const QImage standIn =
                files->standInFor(data_, atLeastOne(place.boundedTo(data.pixels)), true);
            if (!standIn.isNull()) {
                painter.drawImage(target, standIn);
                return;
            }
        }
        const QImage pixels = data.outputCopy(atLeastOne(dots.boundedTo(data.pixels)), false);
        if (!pixels.isNull())
            painter.drawImage(target, pixels);
        return;
    }
    const QRect dots(qRound(placed.left()), qRound(placed.top()),
                     qRound(placed.right()) - qRound(placed.left()),
                     qRound(placed.bottom()) - qRound(placed.top()));
    const bool upright =
        toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 && toDevice.m22() > 0;
    if (!upright || dots.width() > data.pixels.width() || dots.height() > data.pixels.height()) {
        // Turned, or enlarged: the painter stretches the picture's own pixels.
        const QImage pixels = data.screenCopy(atLeastOne(dots.size().boundedTo(data.pixels)));
        if (!pixels.isNull())
            painter.drawImage(target, pixels);
        return;
    }
    if (dots.isEmpty())
        return;
    // Pixel for pixel: the copy of the place's size, drawn without scaling.
    const QImage pixels = data.screenCopy(dots.size());
    if (pixels.isNull())
        return;
    painter.save();
    painter.resetTransform();
    // What is left is the device's own scale (a high-density screen's), if any.
    const QTransform ownScale = painter.deviceTransform();
    if (ownScale.isIdentity())
        painter.drawImage(dots.topLeft(), pixels);
    else
        painter.drawImage(ownScale.inverted().mapRect(QRectF(dots)), pixels);
    painter.restore();
}

void Picture::readAheadForScreen(const QSize& atLeast) const
{
    if (!data_ || !data_->reader)
        return;
    const std::lock_guard lock(data_->mutex);
    data_->sourceFor(atLeastOne(atLeast.boundedTo(data_->pixels)), true);
}

void Picture::prepareOutput(const QSize& dots, const QPaintDevice* device) const
{
    if (!data_ || data_->drawing)
        return;
    const QSize place = atLeastOne(dots.boundedTo(data_->pixels));
    {
        const std::lock_guard lock(data_->mutex);
        data_->outputPlace = place;
    }
    if (auto* files = filesOn(device); files && !files->standInFor(data_, place, false).isNull())
        return;
    data_->outputCopy(place, true);
}

QImage Picture::toImage() const
{
    if (!data_)
        return {};
    if (!data_->drawing)
        return image();
    const QSize pixels(qMax(1, qRound(data_->natural.width() / twipsPerPixel)),
                       qMax(1, qRound(data_->natural.height() / twipsPerPixel)));
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}
