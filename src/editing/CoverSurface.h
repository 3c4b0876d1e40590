// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SelectionSurface.h"

struct CoverScreen;
class JewelCaseDocument;
class TextElement;

// The cover as the selection sees it: the texts of the three faces, the spines of the Dos,
// the alignment bars, and the logos.
class CoverSurface : public SelectionSurface {
public:
    CoverSurface(JewelCaseDocument& document, CoverScreen& screen, DocumentHistory& history)
        : document_(document), screen_(screen), history_(history)
    {
    }

    // The text an element names, or null when it names none.
    TextElement* text(const ElementRef& element);
    const TextElement* text(const ElementRef& element) const;

    bool exists(const ElementRef& element) const override;
    QRectF rectOf(const ElementRef& element) const override;
    void setRectOf(const ElementRef& element, const QRectF& rect) override;
    const void* paintedObjectOf(const ElementRef& element) const override;
    Behaviour behaviourOf(const ElementRef& element) const override;
    int areaOf(const ElementRef& element) const override;
    DragBounds bounds(const ElementRef& element, int area, bool forMove) const override;
    int activeSheet() const override;
    SelectionMarks& marks(int sheet) override;
    const SelectionMarks& marks(int sheet) const override;
    ElementRef elementAt(int sheet, const QPointF& point) const override;
    int areaAt(int sheet, const QPointF& point) const override;
    TextElement* textOf(const ElementRef& element) override { return text(element); }
    void forEachText(int area, const std::function<void(TextElement&)>& change) override;
    void fitText(TextElement& element, int area) override;
    void elementClicked(const ElementRef& element) override;
    DocumentHistory& history() override { return history_; }

    // The face an alignment bar stands in: the one its alignment edge lies over, or the
    // nearest one.
    int faceUnderBar(int sheet) const;

private:
    JewelCaseDocument& document_;
    CoverScreen& screen_;
    DocumentHistory& history_;
};
