// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"
#include "PrivateProfile.h"

#include <QString>
#include <optional>

// A record that a catalogue program hands over in an INI file: an album (kind 1), a film
// (kind 2) or a collection (kind 3), read once; a record of a thousand tracks asks four
// thousand questions of it. A missing file or key reads as empty.
class CatalogueRecord {
public:
    enum Kind { AlbumKind = 1, FilmKind = 2, CollectionKind = 3 };

    // A record asks for one text per track or synopsis line; a larger count is no record of
    // ours and would only fill the memory with texts no face can show.
    static constexpr int largestCount = 999;

    static CatalogueRecord read(const QString& path);

    QString get(const char* section, const QString& key, const QString& fallback = {}) const;
    QString get(const char* section, const char* key, const QString& fallback = {}) const;
    // The number a value starts with, as the record's numbers are read: "2abc" is 2, "x" is 0.
    int number(const char* section, const char* key) const;

    int kind() const { return number("Core", "MediaFlag"); }
    // The sub-records (tracks) the record counts, at most `largestCount`.
    int subRecordCount() const;
    // A track's title and length, as the record gives them or as they stand when it does not:
    // "Track 07", "0:00".
    QString trackTitle(int track) const;
    QString trackLength(int track) const;

    // An album record as an album: its artist, title, tracks and lengths, and its picture as
    // the front picture; nothing for a film or a collection.
    std::optional<Album> album() const;

private:
    PrivateProfile profile_;
};
