// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// A CD record in the xmcd text format: one "KEY=value" a line, "#" starting a comment. A long
// value is cut over several lines that repeat its key: the pieces are joined with nothing
// between them, then the escapes \n, \t and \\ are decoded.
class XmcdRecord {
public:
    // Reads `lines` up to the first one that begins with "." or is empty (the end of a CDDB
    // answer); lines without "=" are skipped. The value is everything after the first "=".
    static XmcdRecord fromLines(const QStringList& lines);

    bool contains(const QString& key) const { return values.contains(key); }
    // The joined, decoded value; empty when the key is absent.
    QString value(const QString& key) const { return values.value(key); }
    // In the order of their first line.
    const QStringList& keys() const { return keyOrder; }

private:
    QStringList keyOrder;
    QHash<QString, QString> values;
};
