// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class QRectF;
struct CoverContext;

// The alignment bars and the vertical spacing of the texts of a face.
class AlignmentCommands {
public:
    explicit AlignmentCommands(CoverContext& context) : context_(context) {}

    // Shows or hides both bars; returns whether they are now shown.
    bool ToggleAlignmentBar();
    // Entry 0 the Recto, 1 the Verso; the Dos in its view. Returns false when refused.
    bool AlignToBar(int entry);
    void SpaceVertically(int entry);
    // Ctrl+A: aligns on the face last pressed (after a press on a bar, on the face the bar
    // stands in), if the bar is shown.
    void alignKey();

private:
    bool alignOnFace(int face);

    CoverContext& context_;
};

// Where vertical spacing puts the tops of texts of the given heights, in their order, on a face
// of height `faceHeight` whose topmost text is at `firstTop`: the topmost keeps its place and
// equal gaps part the others, leaving three gaps below the last. When they do not fit below
// the topmost one even without gaps, they are spread from the face's top margin so that the
// last one ends as far inside the face, overlapping evenly if they must.
std::vector<double> spacedTops(const std::vector<double>& heights, double firstTop,
                               double faceHeight);
