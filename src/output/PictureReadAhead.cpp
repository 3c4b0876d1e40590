// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureReadAhead.h"

#include "CoverFile.h"
#include "CoverLayout.h"
#include "PictureFile.h"
#include "SharedProcedures.h"
#include "Twips.h"

#include <QtMath>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

QSize PictureReadAhead::largestFaceAt(double pixelsPerTwip)
{
    return QSize(qCeil(CoverLayout::dosFaceWidth * pixelsPerTwip),
                 qCeil(CoverLayout::bookletFaceWidth * pixelsPerTwip));
}

struct PictureReadAhead::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<QSize> screenPixels;
    std::vector<Picture> pictures; // kept until released, so that the window finds them
    bool released = false;
    bool done = false;
};

PictureReadAhead::PictureReadAhead(const QString& coverPath) : shared_(std::make_shared<Shared>())
{
    reading_ = std::thread([shared = shared_, coverPath] {
        std::vector<Picture> read;
        for (const QString& path : CoverFile::picturePaths(coverPath)) {
            if (FileExists(path) && PictureFile::readLazily(path)) {
                if (const std::optional<Picture> picture = PictureFile::load(path))
                    read.push_back(*picture);
            }
        }
        {
            const std::lock_guard lock(shared->mutex);
            shared->pictures = read;
        }
        // Decoded at once for an ordinary screen, and again should the screen need more
        // pixels (a high-density one).
        for (const Picture& picture : read)
            picture.readAheadForScreen(largestFaceAt(Twips::screenDpi / Twips::perInch));
        std::unique_lock lock(shared->mutex);
        shared->changed.wait(lock, [&] { return shared->screenPixels || shared->released; });
        const QSize screenPixels = shared->screenPixels.value_or(QSize());
        lock.unlock();
        if (!screenPixels.isEmpty()) {
            for (const Picture& picture : read)
                picture.readAheadForScreen(screenPixels);
        }
        read.clear();
        lock.lock();
        shared->done = true;
        if (shared->released)
            shared->pictures.clear();
    });
}

PictureReadAhead::~PictureReadAhead()
{
    release();
    reading_.join();
}

void PictureReadAhead::decodeFor(const QSize& screenPixels)
{
    const std::lock_guard lock(shared_->mutex);
    shared_->screenPixels = screenPixels;
    shared_->changed.notify_all();
}

void PictureReadAhead::release()
{
    const std::lock_guard lock(shared_->mutex);
    shared_->released = true;
    shared_->changed.notify_all();
    if (shared_->done)
        shared_->pictures.clear();
}
