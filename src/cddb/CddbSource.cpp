// SPDX-License-Identifier: GPL-3.0-or-later
#include "CddbSource.h"

#include "CddbAlbum.h"
#include "DiscInfo.h"
#include "GetField.h"

CddbSource::CddbSource(DiscToc toc, Server server, QObject* parent)
    : AlbumSource(parent), toc_(std::move(toc))
{
    if (!server.url.isEmpty())
        client_.setServerUrl(server.url);
    client_.setUserEmail(server.email);
    connect(&client_, &CddbClient::statusChanged, this, &CddbSource::statusChanged);
}

CddbSource::~CddbSource() = default;

void CddbSource::start()
{
    cancel();
    running_ = true;
    record_.reset();
    client_.CddbQuery(DiscInfo::queryOf(toc_), [this](const CddbClient::QueryResult& result) {
        if (!result.categories.isEmpty())
            return read(CddbClient::matchOf(result.categories.first()));
        if (!result.match.isEmpty() && result.match != CddbClient::ErrorMarker)
            return read(result.match);
        // No match the server can give: a disc it does not know, or a failure.
        finish({{}, result.status == CddbClient::NotInDatabase ? QString() : result.status});
    });
}

void CddbSource::read(const QString& match)
{
    const bool sent = client_.CddbRead(
        GetField(match, 1, QStringLiteral("|")), GetField(match, 2, QStringLiteral("|")),
        [this](const CddbClient::ReadResult& result) {
            if (!result.complete)
                return finish({{}, result.status});
            record_ = result.record;
            finish({{CddbAlbum::fromRecord(result.record, toc_)}, {}});
        });
    if (!sent) // a match without its category or disc id: none that can be read
        finish({});
}

void CddbSource::cancel()
{
    running_ = false;
    client_.abort();
}

void CddbSource::finish(const Reply& reply)
{
    if (!running_)
        return;
    running_ = false;
    Q_EMIT finished(reply);
}
