#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the 8-bit code page of the cover and label files, of INI files and of the
// text files that come from Windows.
namespace AnsiCodec {

QString decode(const QByteArray& bytes);
// Characters outside the code page become '?'.
QByteArray encode(const QString& text);

// A text file's bytes as text: UTF-8 when they are valid UTF-8, Windows-1252 otherwise.
QString decodeTextFile(const QByteArray& bytes);

} // namespace AnsiCodec
