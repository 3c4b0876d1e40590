// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Twips.h"

#include <QLatin1String>
#include <QList>
#include <QString>

// Every way the program can be started, with its options, in French: the one list that the
// help prints, that a refused command line quotes, and that the README's examples follow.
namespace CommandUsage {

inline constexpr QLatin1String convert("--convert");
inline constexpr QLatin1String importRecord("--import-record");
inline constexpr QLatin1String exportDocument("--export");
inline constexpr QLatin1String cddbLookup("--cddb-lookup");
inline constexpr QLatin1String fillFromAudio("--fill-from-audio");
inline constexpr QLatin1String fillFromMusicBrainz("--fill-from-musicbrainz");
// Their options.
inline constexpr QLatin1String sheet("--sheet");
inline constexpr QLatin1String dpi("--dpi");
inline constexpr QLatin1String toc("--toc");
inline constexpr QLatin1String server("--server");
inline constexpr QLatin1String email("--email");
inline constexpr QLatin1String discId("--discid");
inline constexpr QLatin1String search("--search");
inline constexpr QLatin1String coverArtServer("--cover-art-server");
inline constexpr QLatin1String label("--label");

// The resolutions --export takes, and what it uses without one: the screen's for a picture,
// the pictures' highest in a PDF.
constexpr int minimumDpi = 10;
constexpr int maximumDpi = 2400;
constexpr int pictureDpi = int(Twips::screenDpi);
constexpr int pdfDpi = 300;

struct Option {
    QString name; // with its value, as typed: "--dpi N"
    QString description;
};

struct Command {
    QString name; // "--export"; empty for the window's own start
    QString arguments;
    QString description;
    QList<Option> options;
    QString example; // a whole command line
};

// The window's start first, then the commands that run without a window.
const QList<Command>& commands();

// "Utilisation : jaskelcd --export SORTIE ENTRÉE …", the line of command `name`.
QString usage(QLatin1String name);

// The whole help: every command with its options and one example.
QString help();

} // namespace CommandUsage
