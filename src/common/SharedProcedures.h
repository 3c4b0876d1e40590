// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Small procedures the file readers and the help command share.

// True when `path` names a regular file; a path with the wildcards * or ? is true when any
// regular file matches. Folders count as absent; a file whose name starts with a dot is an
// ordinary file here.
bool FileExists(const QString& path);

// The folder path ending with exactly one folder separator ("/" on this platform).
QString WithTrailingBackslash(const QString& folder);
