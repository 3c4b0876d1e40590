// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What one audio file says of itself (FLAC, MP3, Ogg Vorbis, Opus, M4A, WAV): its tags, its
// length and the pictures it carries, read with TagLib. Empty fields are tags the file lacks.
struct AudioFileTags {
    QString title;
    QString artist;
    QString albumArtist;
    QString album;
    QString year;
    QString genre;
    QString discTitle;
    int track = 0; // 0: no track number
    int disc = 0;  // 0: no disc number
    int seconds = 0;
    // The embedded pictures' file contents, JPEG or PNG only (a cover names a picture file, and
    // those are what such a file is named after): the front (else one of no stated kind) and
    // the back.
    QByteArray frontPicture;
    QByteArray backPicture;

    // Whether a file is named as a format read is (its suffix, in any letter case).
    static bool isAudioFileName(const QString& fileName);
    // A file TagLib reads as audio, or nothing (not audio, damaged, unreadable).
    static std::optional<AudioFileTags> read(const QString& path);
};
