// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Face.h"
#include "ImageOptionsChoices.h"
#include "Sheet.h"
#include "TextElement.h"

#include <QString>
#include <array>

// Where the spines' text stands along them: at the start of its reading direction, at its
// end, or centred.
enum class VerticalAlignment { Start = 0, End = 1, Centre = 2 };

// The cover, as its file holds it: three faces on two sheets, the Dos's vertical text and
// spines, the picture paths and the document-wide flags. It lays itself out from its own
// measures (CoverLayout); all geometry is in twips, in the coordinates of each sheet.
// Nothing here is about a window: the selection, the alignment bars, where the sheets are
// shown and which one is, belong to the window that edits the cover.
class JewelCaseDocument {
public:
    static constexpr int sheetCount = 2;
    static inline const QString noPicture = QStringLiteral("Aucun");

    // A cover as the program starts with it.
    JewelCaseDocument();
    // Puts the cover back to the state of start-up: texts unloaded, templates, colours,
    // pictures, the vertical text and its alignment, paths, file name and flags.
    void reset();

    std::array<Face, Face::count> faces;
    std::array<Sheet, sheetCount> sheets;
    std::array<Spine, 2> spines;

    // Painted rotated on both spines; its colours are the Dos sheet's fore and back colours.
    TextElement verticalText;
    VerticalAlignment verticalTextAlignment = VerticalAlignment::Start;

    QString rectoImagePath = noPicture;
    QString versoImagePath = noPicture;
    QString dosImagePath = noPicture;
    QString logoImagePath = noPicture;
    // The pictures' lists as the user last left them in the image options.
    ImageOptionsChoices imageChoices;

    // The path of a face's background picture; the logo's for anything that is no face.
    QString& picturePath(int face);
    const QString& picturePath(int face) const;

    // The cover's logo: one picture for the whole cover, copied to every face that shows it
    // (the Recto's first); null without one.
    Picture logo() const;

    Face& dos() { return faces[Face::Dos]; }
    const Face& dos() const { return faces[Face::Dos]; }
    Sheet& dosSheet() { return sheets[DosSheet]; }
    const Sheet& dosSheet() const { return sheets[DosSheet]; }
    // The text `index` of face `face`, or null when either does not exist.
    TextElement* text(int face, int index);
    const TextElement* text(int face, int index) const;

    // A new visible text of a face, in front of the others: "Texte", as large as its caption,
    // right of the face's middle, at mid-height (the Recto and Verso take half the Dos's width
    // for it, as they always have).
    TextElement& insertText(int face);

    // Stacking among the texts of a sheet.
    void bringToFront(TextElement& element) { element.zOrder = ++topZ_; }
    void sendToBack(TextElement& element) { element.zOrder = --bottomZ_; }

    bool operator==(const JewelCaseDocument&) const = default;

private:
    void layOut();

    int topZ_ = 0;
    int bottomZ_ = 0;
};
