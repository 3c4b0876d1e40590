// SPDX-License-Identifier: GPL-3.0-or-later
#include "XmcdRecord.h"

namespace {

QString decodeEscapes(const QString& value)
{
    if (!value.contains(u'\\'))
        return value;
    QString decoded;
    decoded.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        const QChar next = i + 1 < value.size() ? value.at(i + 1) : QChar();
        if (c == u'\\' && (next == u'n' || next == u't' || next == u'\\')) {
            decoded += next == u'n' ? u'\n' : next == u't' ? u'\t' : u'\\';
            ++i;
        } else {
            decoded += c;
        }
    }
    return decoded;
}

} // namespace

XmcdRecord XmcdRecord::fromLines(const QStringList& lines)
{
    XmcdRecord record;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(u'.'))
            break;
        const qsizetype equals = line.indexOf(u'=');
        if (line.startsWith(u'#') || equals < 0)
            continue;
        const QString key = line.left(equals);
        auto found = record.values.find(key);
        if (found == record.values.end()) {
            record.keyOrder += key;
            record.values.insert(key, line.mid(equals + 1));
        } else {
            *found += QStringView(line).mid(equals + 1);
        }
    }
    for (QString& value : record.values)
        value = decodeEscapes(value);
    return record;
}
