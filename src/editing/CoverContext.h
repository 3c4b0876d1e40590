#pragma once

#include "CoverScreen.h"
#include "CoverSurface.h"
#include "SelectionController.h"

class JewelCaseDocument;
class Prompter;

// What the cover's commands work on: the cover, what its window shows of it, its selection,
// and the way to ask the user. The window owns one; tests build their own without a window.
struct CoverContext {
    CoverContext(JewelCaseDocument& document, Prompter& prompter)
        : document(document), prompter(prompter)
    {
    }
    CoverContext(const CoverContext&) = delete;
    CoverContext& operator=(const CoverContext&) = delete;

    JewelCaseDocument& document;
    Prompter& prompter;
    CoverScreen screen;
    CoverSurface surface{document, screen};
    SelectionController selection{surface};
};
