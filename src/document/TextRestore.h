// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ElementRecord.h"

#include <optional>

class JewelCaseDocument;
class TextElement;

// Where a restored record goes: a face's text array, or the Dos's vertical text. The numbers
// are the ones the reader and the record import pass.
enum class ActiveFrame { VersoTexts = 0, RectoTexts = 1, DosTexts = 2, VerticalText = 3 };

// The face whose text array a target names; none for the vertical text.
std::optional<int> faceOfFrame(ActiveFrame frame);
// The target a number names, if any.
std::optional<ActiveFrame> activeFrameFromNumber(int number);

// Gives an element what a record stores of every text (caption, font, rectangle, colours,
// styles, visibility) and enables it; the stored size stands, whatever `autoSize` says. The
// alignment is the caller's: the vertical text reads it as its own list's entry.
void restoreTextElement(TextElement& element, const ElementRecord& record, bool autoSize);

// Creates, if needed, and restores one text element from the record: for the faces the
// element named by the record's Index; for the vertical text, also the Dos sheet's colours
// and the spines' drawing. Returns false for a face's element with a negative index.
bool restoreText(JewelCaseDocument& document, ActiveFrame frame, const ElementRecord& record);
