// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CdLabelDocument.h"
#include "DocumentHistory.h"
#include "LabelSurface.h"
#include "SelectionController.h"
#include "SheetOverlay.h"

class Prompter;

// The label's history: every change of the label is one of its steps.
using LabelHistory = ModelHistory<CdLabelDocument>;

// What the CD label's commands work on: the label, its history, the file it was opened from or
// saved to, the marks its window draws over it, its selection, and the way to ask the user.
// The window owns one; tests build their own.
struct LabelContext {
    explicit LabelContext(Prompter& prompter) : prompter(prompter) {}
    LabelContext(const LabelContext&) = delete;
    LabelContext& operator=(const LabelContext&) = delete;

    Prompter& prompter;
    CdLabelDocument label;
    LabelHistory history{label};
    QString fileName = CdLabelDocument::newFileName;
    SelectionMarks marks;
    LabelSurface surface{label, marks, history};
    SelectionController selection{surface};
};
