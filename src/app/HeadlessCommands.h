// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscToc.h"

#include <QString>
#include <QStringList>
#include <optional>

// The commands that run without a window (--convert, --import-record, --export,
// --cddb-lookup, as CommandUsage lists them), on the same reader, writer, import and renderer as
// the window.
namespace HeadlessCommands {

// A command line taken apart: which command, and what it is given.
struct Request {
    QString command; // "--convert"…
    QString in, out; // the file read (a catalogue record for --import-record) and written
    std::optional<int> sheet;
    std::optional<int> dpi;
    std::optional<DiscToc> toc;
    std::optional<QString> server, email;
    std::optional<QString> coverArtServer, discId, search; // --fill-from-musicbrainz
    bool label = false; // a label (.jket) to fill rather than a cover
};

// True when the arguments (the program's name first) ask for one of these commands.
bool requested(const QStringList& arguments);
// The command they ask for; nothing when they are wrong, after saying on standard error, in one
// line, what is wrong, then how the command is written. Needs no application, so nothing Qt
// says on starting comes before the reason.
std::optional<Request> parse(const QStringList& arguments);
// Runs it: 0 on success, 1 on failure, with the window's messages on standard error.
int run(const Request& request);

} // namespace HeadlessCommands
