#pragma once

#include <QByteArray>
#include <QString>

// How text meets files: the cover, label, INI and track-list files and the text files a user
// inserts. Files from Windows are in its 8-bit code page, Windows-1252; files written here use
// it whenever it can hold the whole text, and UTF-8 otherwise, so that no character is lost.
// In files, lines end with CR LF.
namespace TextEncoding {

QString fromWindows1252(const QByteArray& bytes);
// Characters outside the code page become '?'.
QByteArray toWindows1252(const QString& text);
bool fitsWindows1252(const QString& text);

// A file's bytes as text: UTF-8 when they are valid UTF-8 (a byte-order mark is dropped),
// Windows-1252 otherwise.
QString decode(const QByteArray& bytes);
// Text for a file: Windows-1252 when every character fits and `decode` reads the bytes back
// as the same text, UTF-8 otherwise.
QByteArray encode(const QString& text);

// Any mix of CR LF, LF and CR becomes CR LF, as files and captions keep it; and back to plain
// LF, as editing boxes, message boxes and painting want it.
QString withCrLf(const QString& text);
QString withLf(const QString& text);

} // namespace TextEncoding
