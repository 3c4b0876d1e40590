// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"

#include <QObject>
#include <QString>
#include <vector>

// Where albums come from: a CDDB server, MusicBrainz, a folder of audio files, a catalogue
// record. A source works in the background and finishes with one reply, never with a local
// event loop; the windows and the headless commands know sources only through this interface,
// so that a source is added without touching them.
class AlbumSource : public QObject {
    Q_OBJECT
public:
    // What a search ends with: the albums found (several give the user a choice; none is no
    // failure), or the reason it failed, in French, as the user reads it.
    struct Reply {
        std::vector<Album> albums;
        QString failure;

        bool failed() const { return !failure.isEmpty(); }
    };

    using QObject::QObject;
    ~AlbumSource() override;

    // Starts the search; `finished` follows once, unless it is cancelled first.
    virtual void start() = 0;
    // Stops a search under way; `finished` does not follow.
    virtual void cancel() = 0;

Q_SIGNALS:
    void finished(const AlbumSource::Reply& reply);
};
