#pragma once

class JewelCaseDocument;
class QPainter;
class TextElement;

// Paints one sheet of the cover, in twips from the sheet's top-left corner, onto any painter:
// the screen, a capture image, a printer or a PDF. The caller scales the painter from its
// device's own resolution.
class SheetRenderer {
public:
    struct Options {
        bool showMarks = true;  // selection frame and handles
        bool showGuides = true; // alignment bar
    };

    static void paint(QPainter& painter, const JewelCaseDocument& document, int sheet,
                      const Options& options);
    static void paintText(QPainter& painter, const TextElement& element);
};
