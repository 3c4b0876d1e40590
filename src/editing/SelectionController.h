// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DragRules.h"
#include "ElementRef.h"
#include "SelectionSurface.h"

#include <QObject>
#include <QPointF>
#include <optional>

class Prompter;

// The current selection of a window: which element is selected, the frame and handles drawn
// around it, and the moves and resizes made with them. It works on a SelectionSurface, so the
// cover window and the CD label window share it; its state changes only through the
// operations below, so that a selection never ends without giving its widening back.
class SelectionController : public QObject {
    Q_OBJECT
public:
    // A selected text counts 30 twips wider for its drags; the cover never sees the widening,
    // so a text keeps its own width whenever it is saved or painted.
    static constexpr double widening = 30;

    explicit SelectionController(SelectionSurface& surface, QObject* parent = nullptr);

    // What a point of a sheet holds for the mouse: a handle of the selection (0 to 7), the
    // selection's frame, an element, a face, or nothing.
    struct Hit {
        enum class Kind { Nothing, Handle, Frame, Element, Area };
        Kind kind = Kind::Nothing;
        int handle = -1;
        ElementRef element;
        int area = -1;
    };
    Hit hitTest(int sheet, const QPointF& point) const;
    // The topmost element under a point, whatever marks lie over it.
    ElementRef elementAt(int sheet, const QPointF& point) const
    {
        return surface_.elementAt(sheet, point);
    }

    // What the selection works on: the window's elements.
    SelectionSurface& surface() { return surface_; }

    const ElementRef& currentSelection() const { return current_; }
    // The face of the last press: it decides the drag bounds and the face the commands address.
    int currentFace() const { return currentFace_; }
    // The selection's rectangle as recorded when the frame was shown (widening included), its
    // edges in whole twips.
    const QRectF& selectedRect() const { return selected_; }
    bool moveLocked() const { return moveLocked_; }
    bool resizeLocked() const { return resizeLocked_; }
    // The frame stands around the selection (and, on screen, replaces its border) on the sheet
    // in use.
    bool frameShown() const;

    // Hides the frame and handles, shows the selection's own border again, and remembers
    // `face` for the drag bounds. The selection reference stays.
    void Deselect(int face);
    // Shows the frame and handles around the selection, and records its rectangle (a text's
    // widened by 30 twips) for the drags that follow.
    void Select();
    void ShowHandles(bool show);
    // Ends a drag, a deletion or the selection, whichever way it stands: the marks are hidden
    // and nothing is selected afterwards. A drag's changes become one step of the history.
    void EndDrag();
    // The guard of the commands on the selected text: false (after saying so) when no text is
    // selected.
    bool SelectionCheck(Prompter& prompter);
    // As SelectionCheck, and an alignment bar, which is no text, is refused too.
    bool TextSelectionCheck(Prompter& prompter);

    // Mouse-down on an element, and the click that follows it (a step of the history when it
    // stops a text taking its text's size).
    void pressElement(const ElementRef& element);
    void clickElement(const ElementRef& element);
    // Mouse-down on a face frame or background, or a click on an empty sheet.
    void pressEmpty(int face) { Deselect(face); }

    // Dragging the frame; points are in the sheet, in twips. From the beginning of a drag to
    // its end, the changes are one step of the document's history.
    void beginMove(const QPointF& point);
    bool moveTo(const QPointF& point);
    // Dragging handle 0 to 7 of the sheet in use.
    void beginResize(int handle);
    bool resizeTo(int handle, const QPointF& point);

    DragBounds bounds(bool forMove) const;

Q_SIGNALS:
    void changed();
    // A text was pressed (the text-only entries of the selection menu apply), or a spine
    // (they do not).
    void textEntriesAvailable(bool available);
    void cursorRequested(Qt::CursorShape shape);

private:
    SelectionMarks& marks();
    const SelectionMarks& marks() const;
    // The selection's rectangle as its drags see it: widened while it is a text.
    double wideningOf(const ElementRef& element) const;
    QRectF dragRect() const;
    // The outline the screen shows for the selection: `style` in place of its own, or its own.
    void showBorder(std::optional<BorderStyle> style);
    void setDragRect(const QRectF& rect);
    void beginGesture(const QString& what);
    void endGesture();

    SelectionSurface& surface_;
    ElementRef current_;
    int currentFace_ = 0;
    QRectF selected_;
    QPointF dragStart_;
    bool moveLocked_ = false;
    bool resizeLocked_ = false;
    bool gestureOpen_ = false; // a drag's step is open in the history
};
