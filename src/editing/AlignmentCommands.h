#pragma once

#include "CoverContext.h"

// The alignment bars and the vertical spacing of the texts of a face.
class AlignmentCommands {
public:
    explicit AlignmentCommands(CoverContext context) : context_(context) {}

    // Shows or hides both bars; returns whether they are now shown.
    bool ToggleAlignmentBar();
    // Entry 0 the Recto, 1 the Verso; the Dos in its view. Returns false when refused.
    bool AlignToBar(int entry);
    void SpaceVertically(int entry);
    // Ctrl+A: aligns on the face last pressed, if the bar is shown.
    void alignKey();

    int targetFace(int entry) const;

private:
    CoverContext context_;
};
