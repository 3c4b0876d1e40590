// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextFont.h"

#include <QFont>
#include <QSizeF>
#include <QString>

// Text is laid out and painted in a painter whose unit is the twip, with a font whose pixel
// size is its point size × 20, so that the screen, a printer and a PDF measure the same text.
namespace TextMetrics {

QFont twipFont(const TextFont& font, int stretch = 100);

// The size an auto-sized text takes: its widest line, and one line height per line.
QSizeF captionSize(const TextFont& font, const QString& caption);

// The height of a caption whose lines wrap at `width` twips, one line height per line shown.
double wrappedHeight(const TextFont& font, const QString& caption, double width);

// Advance width of one line of text, in twips.
double lineWidth(const QFont& font, const QString& text);

// The height of one line of text, in twips.
double lineHeight(const TextFont& font);

// Whether a text of `size` wraps the words of its caption: only when a line is wider than the
// text and its height leaves room for more lines than its caption's own. Otherwise each line
// of the caption is shown on a line of its own, one line height below the other, and a line
// wider than the text ends with "…": wrapping would push lines out of sight, where a cut line
// still says what it is. The caption keeps its whole lines either way.
bool wrapsLines(const TextFont& font, const QString& caption, const QSizeF& size);

} // namespace TextMetrics
