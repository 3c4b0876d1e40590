#pragma once

#include "DragRules.h"
#include "ElementRef.h"

#include <QObject>
#include <QPointF>

class JewelCaseDocument;
class Prompter;

// The current selection of the cover window: which element is selected, the frame and handles
// drawn around it, and the moves and resizes made with them.
class CoverSelection : public QObject {
    Q_OBJECT
public:
    explicit CoverSelection(JewelCaseDocument& document, QObject* parent = nullptr);

    ElementRef currentSelection;
    int savedBorderStyle = 0;
    int currentFace = 0;
    int handleBase = 0;
    int selectedLeft = 0;
    int selectedTop = 0;
    int selectedWidth = 0; // includes the 30 twips a selected text is widened by
    int selectedHeight = 0;
    int dragStartX = 0;
    int dragStartY = 0;
    bool moveLocked = false;
    bool resizeLocked = false;

    int sheetInUse() const;

    // Hides the frame and handles, gives the selection back its border and its width, and
    // remembers `face` for the drag bounds. The selection reference stays.
    void Deselect(int face);
    // Shows the frame and handles around the selection, widening a text by 30 twips.
    void Select();
    void ShowHandles(bool show);
    // Ends a drag or a deletion: nothing is selected afterwards.
    void EndDrag();
    // The guard of the commands on the selected text: false (after saying so) when no text is
    // selected; otherwise the cover counts as modified.
    bool SelectionCheck(Prompter& prompter);
    // The guard of the commands that edit or format a text: as SelectionCheck, and an
    // alignment bar, which is no text, is refused too.
    bool TextSelectionCheck(Prompter& prompter);

    // Mouse-down on an element, and the click that follows it.
    void pressElement(const ElementRef& element);
    void clickElement(const ElementRef& element);
    // Mouse-down on a face frame or background (face index), or a click on an empty sheet.
    void pressEmpty(int face) { Deselect(face); }

    // Dragging the frame: positions are measured from the frame's top-left corner.
    void beginMove(const QPointF& pointerInFrame);
    bool moveTo(const QPointF& pointerInFrame);
    // Dragging a handle (0 to 15): positions are measured from the handle's top-left corner.
    void beginResize(int handleIndex);
    bool resizeTo(int handleIndex, const QPointF& pointerInHandle);

    DragBounds bounds(bool forBarMove) const;
    // The frame stands around the selection (and replaces its border) on the sheet in use.
    bool frameShown() const;
    // The element took a new width of its own (fitted to its text): its widening is gone.
    void forgetWidening() { widened_ = ElementRef(); }

Q_SIGNALS:
    void changed();
    // Texts offer the text-only entries of the selection menu; spines hide them.
    void textEntriesAvailable(bool available);
    void cursorRequested(Qt::CursorShape shape);

private:
    bool isTextLike(const ElementRef& element) const;
    void narrow();

    JewelCaseDocument& document_;
    ElementRef widened_;
};
