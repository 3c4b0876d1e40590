// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <optional>

// An INI file read the way Windows reads private profiles: sections and keys match whatever
// their letter case, values are trimmed and lose one pair of surrounding double quotes, lines
// starting with ";" are comments, and of repeated keys (or sections) only the first counts.
// Values come back whole, however long.
class PrivateProfile {
public:
    // The file at `path`, in Windows-1252 or UTF-8; a missing or unreadable file has no section.
    static PrivateProfile read(const QString& path);
    // The text of an INI file, with CR LF or LF line ends.
    static PrivateProfile parse(const QString& text);

    // The value of `key` in `section`, or nothing when either is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;

private:
    // Case-folded section name → case-folded key → value.
    QHash<QString, QHash<QString, QString>> sections_;
};

// The value of `key` in `section` of the INI file `file` for mode "GET" (any letter case),
// `value` when the file, section or key is missing; `value` unchanged for an empty mode,
// section or key. The record files this reads belong to the program that writes them, so
// there is no "WRITE" mode and no clearing of a section.
QString ReadWriteINI(const QString& mode, const QString& file, const QString& section,
                     const QString& key, const QString& value);
