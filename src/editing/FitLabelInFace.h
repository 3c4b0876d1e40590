#pragma once

class CoverSelection;
class JewelCaseDocument;
class TextElement;

// Keeps a text inside its face: one that passes the face's right or bottom edge is cut back to
// end 60 twips inside it, keeping its Left and Top, and never made smaller than 60 twips.
// Nothing is fitted while a spine is selected.
TextElement& FitLabelInFace(const JewelCaseDocument& document, const CoverSelection& selection,
                            TextElement& element, int face);
