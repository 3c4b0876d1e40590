// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// How text meets files: the cover, label, INI and track-list files and the text files a user
// inserts. Files from Windows are in the 8-bit (or, in East Asia, double-byte) code page of
// the system's language; files written here use that code page whenever it can hold the whole
// text, and UTF-8 otherwise, so that no character is lost. A locale that names no language
// (C, POSIX) or a Western one has Windows-1252. In files, lines end with CR LF.
namespace TextEncoding {

// The Windows code page of a locale as the environment names it ("pl_PL.UTF-8", "zh_TW",
// "sr_RS@latin", "C"): 1250 Central European, 1251 Cyrillic, 1252 Western and by default,
// 1253 Greek, 1254 Turkish, 1255 Hebrew, 1256 Arabic, 1257 Baltic, 1258 Vietnamese, 874 Thai,
// 932 Japanese, 936 Simplified Chinese, 949 Korean, 950 Traditional Chinese.
int codePageForLocale(const QString& locale);
// The code page of this program's locale (LC_ALL, else LC_CTYPE, else LANG), read once.
int systemCodePage();

// `bytes` read in a code page; a byte sequence the code page does not have becomes U+FFFD,
// but for Windows-1252, whose five unassigned bytes keep their C1 control value.
QString fromCodePage(const QByteArray& bytes, int codePage);
// `text` in a code page, or nothing when some character is not in it.
std::optional<QByteArray> toCodePage(const QString& text, int codePage);

QString fromWindows1252(const QByteArray& bytes);
// Characters outside the code page become '?'.
QByteArray toWindows1252(const QString& text);
bool fitsWindows1252(const QString& text);

// A file's bytes as text: UTF-8 when they are valid UTF-8 (a byte-order mark is dropped), the
// system's code page otherwise.
QString decode(const QByteArray& bytes);
// Text for a file: the system's code page when every character fits and `decode` reads the
// bytes back as the same text, UTF-8 otherwise.
QByteArray encode(const QString& text);

// Any mix of CR LF, LF and CR becomes CR LF, as files and captions keep it; and back to plain
// LF, as editing boxes, message boxes and painting want it.
QString withCrLf(const QString& text);
QString withLf(const QString& text);

} // namespace TextEncoding
