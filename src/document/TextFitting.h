// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QRectF;
class TextElement;

// Keeps a text inside an area (a face frame, or the CD label's disc): one whose right or bottom
// edge lies beyond 60 twips inside the area is cut back to end there (on the whole twip at or
// before that line, where the drag rules measure it), keeping its Left and Top, and never made
// smaller than 60 twips. With `wrapLines`, a text sized to its text whose width is cut first
// takes the height of its lines wrapped at the new width (the CD label's texts wrap; the
// cover's are cut).
TextElement& FitTextInArea(TextElement& element, const QRectF& area, bool wrapLines = false);
