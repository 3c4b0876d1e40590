// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlbumPictures.h"
#include "AlbumSource.h"

#include <QStringList>
#include <atomic>
#include <memory>

template <typename T> class QFutureWatcher;

// The album of a folder of audio files (FLAC, MP3, Ogg Vorbis, Opus, M4A, WAV), or of files
// chosen one by one: the tracks in the order of their numbers (then of their file names) with
// their titles (a file without one gives its name) and lengths, split into discs by their disc
// numbers; the album artist (else the artist most tracks name), the album, year and genre; the
// front picture the files carry, else a cover.jpg or folder.jpg (or .png) beside them. The
// files are read on a worker thread, so that a slow disk never holds up the window.
class AudioFilesSource : public AlbumSource {
    Q_OBJECT
public:
    // `paths`: folders and audio files; a folder without audio files of its own gives those of
    // its subfolders, one disc each unless the tags say otherwise. A picture taken out of a
    // file is kept in `picturesFolder`, unless the same picture lies beside the audio files
    // already (that file is then the album's picture).
    explicit AudioFilesSource(QStringList paths, QString picturesFolder = AlbumPictures::folder(),
                              QObject* parent = nullptr);
    ~AudioFilesSource() override;

    void start() override;
    void cancel() override;

private:
    QStringList paths_;
    QString picturesFolder_;
    std::shared_ptr<std::atomic_bool> cancelled_;
    QFutureWatcher<Reply>* watcher_ = nullptr;
};
