#pragma once

#include "ElementRecord.h"

class JewelCaseDocument;

// Where a restored record goes: a face's text array, or the Dos's vertical text.
enum ActiveFrame { VersoTexts = 0, RectoTexts = 1, DosTexts = 2, VerticalTextFrame = 3 };

// Creates, if needed, and restores one text element from the record: for the faces the
// element named by the record's Index; for the vertical text, also the Dos sheet's colours
// and the spines' drawing. Returns false for an unknown target or a negative index.
bool Ouverturetexte(JewelCaseDocument& document, int tActiveFrame, const ElementRecord& record);
