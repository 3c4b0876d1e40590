// SPDX-License-Identifier: GPL-3.0-or-later
#include "GetField.h"

QString GetField(const QString& text, int n, const QString& separator)
{
    if (n < 1 || separator.isEmpty())
        return QString();
    const QString padded = text.endsWith(separator) ? text : text + separator;
    qsizetype start = 0;
    for (int piece = 1; start < padded.size(); ++piece) {
        const qsizetype end = padded.indexOf(separator, start);
        if (end < 0)
            return QString();
        if (piece == n)
            return padded.mid(start, end - start);
        start = end + separator.size();
    }
    return QString();
}
