// SPDX-License-Identifier: GPL-3.0-or-later
#include "SendMail.h"

QUrl SendMail(const QString& address, const QString& subject, const QString& body,
              const QString& copy, const QString& blindCopy)
{
    QString query;
    const std::pair<const char*, const QString&> parts[] = {
        {"Subject", subject}, {"Body", body}, {"CC", copy}, {"BCC", blindCopy}};
    for (const auto& [key, value] : parts)
        if (!value.isEmpty())
            query += (query.isEmpty() ? QLatin1String("") : QLatin1String("&")) +
                     QLatin1String(key) + u'=' +
                     QString::fromLatin1(QUrl::toPercentEncoding(value));
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(address);
    if (!query.isEmpty())
        url.setQuery(query, QUrl::StrictMode);
    return url;
}
