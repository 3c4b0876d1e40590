#pragma once

class CoverSelection;
class JewelCaseDocument;
class TextElement;

// Keeps a text inside its face: one that passes the face's right or bottom edge is cut back to
// end 60 twips inside it, keeping its Left and Top, and never made smaller than 60 twips.
// Nothing is fitted while a spine is selected. A selected text fitted narrower keeps its new
// width as its own: the selection's widening is not taken off it again.
TextElement& FitLabelInFace(const JewelCaseDocument& document, CoverSelection& selection,
                            TextElement& element, int face);
