// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlbumSource.h"
#include "CddbClient.h"
#include "CddbRecord.h"
#include "DiscToc.h"

#include <QString>
#include <optional>

// An album source on a CDDB server, for the commands that ask nobody: the query of a disc's
// table of contents, then the read of its match (the first when the server offers several),
// made an album by CddbAlbum with the lengths of the table. A disc the server does not know is
// a reply without albums; a failed transfer or a refused answer is a failure, in the words the
// lookup window's status bar gives it. The lookup window runs its own search (CddbSearch), in
// which the user chooses among matches.
class CddbSource : public AlbumSource {
    Q_OBJECT
public:
    struct Server {
        QString url;   // empty: the client's default server
        QString email; // empty: the client's default address
    };

    explicit CddbSource(DiscToc toc, Server server = {}, QObject* parent = nullptr);
    ~CddbSource() override;

    void start() override;
    void cancel() override;

    // The record read, once the search has finished with one.
    const std::optional<CddbRecord>& record() const { return record_; }

Q_SIGNALS:
    // What the search is doing, for a status bar: the client's own texts.
    void statusChanged(const QString& text);

private:
    void read(const QString& match);
    void finish(const Reply& reply);

    DiscToc toc_;
    CddbClient client_;
    std::optional<CddbRecord> record_;
    bool running_ = false;
};
