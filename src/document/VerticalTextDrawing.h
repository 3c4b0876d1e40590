// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class JewelCaseDocument;

// Paints `text` along both spines of the Dos: upward on the left spine, downward on the
// right one, placed by the vertical text's alignment tag. An empty text only clears the
// Dos sheet's drawing. A text longer than a spine is compressed along its length to fit.
// Afterwards the vertical text's caption is `text`.
// `text` is taken by value: callers often pass the vertical text's own caption, which changes.
void DrawRotatedText(JewelCaseDocument& document, QString text);

// The length a spine offers to its text: the Dos frame's height less 60 twips.
double spineTextLength(const JewelCaseDocument& document);
