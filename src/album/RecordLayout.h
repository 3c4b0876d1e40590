// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class CatalogueRecord;
class JewelCaseDocument;
class TextElement;

// A catalogue record laid onto the cover, as a function of the cover alone: its picture as the
// logo, its artist and title as the spines' text, and a column of texts (tracks, synopsis,
// rating, remarks) on the Verso or the Dos. The window and the headless import share it.
namespace RecordLayout {

// Where the record's texts stand on their face.
enum class Placement {
    Nothing, // the record has no text for the face
    Corner,  // a synopsis, in the Verso's top-left corner
    Columns, // a list its spreading would crowd, laid out as a track list
    Spread,  // spread down the face by the record's rule, to be aligned on the face's bar
};

struct Imported {
    // The texts the record added to the face, in their order.
    std::vector<TextElement*> texts;
    Placement placement = Placement::Nothing;
};

// Adds the record to face 0 (Verso) or 2 (Dos) of an emptied cover, as new visible texts of
// the face that always end inside it; a missing file or key gives the defaults (on the Dos,
// the vertical text "Votre texte").
Imported importRecord(JewelCaseDocument& document, int face, const CatalogueRecord& record);

// Moves spread texts to an alignment bar whose right edge is at `barRight` when it stands in
// their face; otherwise they keep their place. Either way they are fitted to the face.
void alignOnBar(JewelCaseDocument& document, int face, const std::vector<TextElement*>& texts,
                double barRight);

} // namespace RecordLayout
