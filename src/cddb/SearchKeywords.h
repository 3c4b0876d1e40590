// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The words of an album or artist name that the cover-art search looks for: in lower case,
// without the articles and conjunctions " the ", " to ", " and ", " et ", " le ", " la ",
// trimmed. "The Best of the Band" gives "best of band".
QString SearchKeywords(const QString& text);
