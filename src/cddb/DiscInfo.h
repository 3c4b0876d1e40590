// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscReader.h"
#include "Prompter.h"

#include <QString>
#include <optional>

// The identity of the audio CD in one drive: its CDDB disc id and the "cddb query" command that
// names it to a server. One instance per search: `Init` once, then `DiscID` and `QueryString`.
class DiscInfo {
public:
    // What `QueryString` gives: the command, or, when there is none, the message the window
    // shows instead.
    struct Query {
        QString command;
        std::optional<Prompter::Message> message;
    };

    static inline const QString unavailable = QStringLiteral("(unavailable)");

    // `reader` is used by `Init` and must outlive it.
    explicit DiscInfo(DiscReader& reader) : reader(reader) {}

    // Reads the table of contents of the disc in `drive`.
    void Init(const QString& drive);

    QString DiscID() const;
    Query QueryString() const;
    // The table of contents `Init` read, if it read one.
    const std::optional<DiscToc>& toc() const { return reading.toc; }

    // The CDDB disc id of a table: the checksum of the track starts in whole seconds, the
    // playing time from the first start to the lead-out, and the track count, in hexadecimal.
    static QString discIdOf(const DiscToc& toc);
    // "cddb+query+", the disc id, the track count, every start in frames and the lead-out in
    // whole seconds from the start of the disc, joined by "+".
    static QString queryOf(const DiscToc& toc);

private:
    DiscReader& reader;
    DiscRead reading;
};
