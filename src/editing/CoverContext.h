// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverScreen.h"
#include "CoverSurface.h"
#include "DocumentHistory.h"
#include "JewelCaseDocument.h"
#include "SelectionController.h"

class Prompter;

// The cover's history: every change of the cover is one of its steps.
using CoverHistory = ModelHistory<JewelCaseDocument>;

// What the cover's commands work on: the cover, its history, the file it was opened from or
// saved to, what its window shows of it, its selection, and the way to ask the user. The
// window owns one; tests build their own without a window.
struct CoverContext {
    CoverContext(JewelCaseDocument& document, Prompter& prompter)
        : document(document), prompter(prompter)
    {
    }
    CoverContext(const CoverContext&) = delete;
    CoverContext& operator=(const CoverContext&) = delete;

    JewelCaseDocument& document;
    Prompter& prompter;
    CoverHistory history{document};
    QString fileName = QStringLiteral("Nouveau");
    CoverScreen screen;
    CoverSurface surface{document, screen, history};
    SelectionController selection{surface};
};
