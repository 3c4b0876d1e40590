// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DragRules.h"
#include "ElementRef.h"
#include "TextElement.h"

#include <QPointF>
#include <QRectF>
#include <functional>

class DocumentHistory;
struct SelectionMarks;

// What a selection controller works on: the elements one window can select, where they are,
// how they behave under the frame and handles, and how far a drag may take them. The cover
// window and the CD label window each give the one controller their own surface; a new kind
// of selectable element (a logo) joins by being added to a surface.
class SelectionSurface {
public:
    // How an element of a given kind takes part in a selection.
    struct Behaviour {
        bool textLike = false;       // the text commands act on it (texts, spines, bars)
        bool widens = false;         // widened by 30 twips while selected
        bool framed = true;          // the frame stands around it (spines show handles only)
        bool moveLocked = false;     // the frame cannot drag it
        bool resizeLocked = false;   // the handles do nothing
        bool horizontalOnly = false; // dragged sideways only
    };

    virtual ~SelectionSurface() = default;

    virtual bool exists(const ElementRef& element) const = 0;
    virtual QRectF rectOf(const ElementRef& element) const = 0;
    virtual void setRectOf(const ElementRef& element, const QRectF& rect) = 0;
    // What the renderer paints for an element (its text, spine or picture slot), so that the
    // marks can show its outline in place of its own; null for what has no outline of its own.
    virtual const void* paintedObjectOf(const ElementRef& element) const = 0;
    virtual Behaviour behaviourOf(const ElementRef& element) const = 0;

    // The area (face) that a press on the element makes current: it decides the drag bounds.
    virtual int areaOf(const ElementRef& element) const = 0;
    // The bounds of a drag of `element` when `area` is current.
    virtual DragBounds bounds(const ElementRef& element, int area, bool forMove) const = 0;

    // The sheet whose selection marks are in use.
    virtual int activeSheet() const = 0;
    virtual SelectionMarks& marks(int sheet) = 0;
    virtual const SelectionMarks& marks(int sheet) const = 0;

    // The topmost selectable element under a point of a sheet (twips), marks excluded.
    virtual ElementRef elementAt(int sheet, const QPointF& point) const = 0;
    // The area whose frame holds a point of a sheet, or -1.
    virtual int areaAt(int sheet, const QPointF& point) const = 0;

    // The text an element names, or null: what the commands on the selected text change.
    virtual TextElement* textOf(const ElementRef& element) = 0;
    // Every text that a change "to all the elements" reaches from `area`, hidden ones and the
    // template included: a face's texts on the cover, all of them on the CD label.
    virtual void forEachText(int area, const std::function<void(TextElement&)>& change) = 0;
    // Keeps a text inside `area` (a face, the disc), the way the program fits every text.
    virtual void fitText(TextElement& element, int area) = 0;

    // A click (after the press) on an element: the cover stops auto-sizing a clicked text.
    virtual void elementClicked(const ElementRef& element) { (void)element; }
    // The history of the document the elements belong to: a drag is one of its steps.
    virtual DocumentHistory& history() = 0;
};
