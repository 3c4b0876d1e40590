#pragma once

class CoverSelection;
class JewelCaseDocument;
class Prompter;

// What the cover's commands work on: the cover, its selection, and the way to ask the user.
struct CoverContext {
    JewelCaseDocument& document;
    CoverSelection& selection;
    Prompter& prompter;
};
