#pragma once

#include "ElementRecord.h"

#include <optional>

class JewelCaseDocument;

// Where a restored record goes: a face's text array, or the Dos's vertical text. The numbers
// are the ones the reader and the record import pass.
enum class ActiveFrame { VersoTexts = 0, RectoTexts = 1, DosTexts = 2, VerticalText = 3 };

// The face whose text array a target names; none for the vertical text.
std::optional<int> faceOfFrame(ActiveFrame frame);
// The target a number names, if any.
std::optional<ActiveFrame> activeFrameFromNumber(int number);

// Creates, if needed, and restores one text element from the record: for the faces the
// element named by the record's Index; for the vertical text, also the Dos sheet's colours
// and the spines' drawing. Returns false for a face's element with a negative index.
bool Ouverturetexte(JewelCaseDocument& document, ActiveFrame tActiveFrame,
                    const ElementRecord& record);
