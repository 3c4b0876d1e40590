// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchKeywords.h"

QString SearchKeywords(const QString& text)
{
    QString keywords = u' ' + text.toLower() + u' ';
    for (const char* filler : {" the ", " to ", " and ", " et ", " le ", " la "})
        keywords.replace(QLatin1String(filler), QLatin1String(" "));
    return keywords.trimmed();
}
