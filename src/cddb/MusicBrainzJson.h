// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <vector>

// How the MusicBrainz web service's JSON answers read as albums. A disc id lookup, a lookup by
// table of contents and a search all answer with a "releases" array; a release lookup is one
// release. A release with "media" holding "tracks" gives its discs and tracks; a search's
// releases give only their names.
namespace MusicBrainzJson {

struct Release {
    QString id;
    // What tells the release from the others of the same name: the year, the country, the
    // formats and the track count, as the choice list shows them.
    QString description;
    Album album;
    // What the release's "cover-art-archive" says the archive holds (true when it says nothing).
    bool hasFront = true;
    bool hasBack = true;
};

// The releases of an answer that has a "releases" array; nothing for what is not JSON.
std::optional<std::vector<Release>> releases(const QByteArray& json);
// One release looked up by its id; nothing for what is not a release.
std::optional<Release> release(const QByteArray& json);

Release readRelease(const QJsonObject& release);

} // namespace MusicBrainzJson
