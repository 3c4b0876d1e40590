// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Reads a text file for the text editor: at most 60000 bytes, UTF-8 or Windows-1252, with
// its line breaks made CR LF as the covers store them.
namespace TextFileLoader {

constexpr qint64 sizeLimit = 60000;

struct Result {
    enum class Status { Loaded, TooLarge, Unreadable };
    Status status = Status::Unreadable;
    QString text;
};

Result load(const QString& path);

// "Le fichier <path> est supérieur à 60000 octets et ne peut être édité par ce programme ! "
QString tooLargeMessage(const QString& path);

} // namespace TextFileLoader
