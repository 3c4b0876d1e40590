#pragma once

#include "CdLabelDocument.h"
#include "LabelSurface.h"
#include "SelectionController.h"
#include "SheetOverlay.h"

class Prompter;

// What the CD label's commands work on: the label, the marks its window draws over it, its
// selection, and the way to ask the user. The window owns one; tests build their own.
struct LabelContext {
    explicit LabelContext(Prompter& prompter) : prompter(prompter) {}
    LabelContext(const LabelContext&) = delete;
    LabelContext& operator=(const LabelContext&) = delete;

    Prompter& prompter;
    CdLabelDocument label;
    SelectionMarks marks;
    LabelSurface surface{label, marks};
    SelectionController selection{surface};
};
