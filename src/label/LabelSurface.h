// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SelectionSurface.h"

class CdLabelDocument;

// The CD label as the selection sees it: its texts and its one picture, all in one area, the
// disc area, which bounds every drag by the cover's rules.
class LabelSurface : public SelectionSurface {
public:
    LabelSurface(CdLabelDocument& label, SelectionMarks& marks, DocumentHistory& history)
        : label_(label), marks_(marks), history_(history)
    {
    }

    // The label's picture, as a selection names it.
    static ElementRef picture() { return ElementRef::logo(0); }
    static ElementRef text(int index) { return ElementRef::text(0, index); }

    bool exists(const ElementRef& element) const override;
    QRectF rectOf(const ElementRef& element) const override;
    void setRectOf(const ElementRef& element, const QRectF& rect) override;
    const void* paintedObjectOf(const ElementRef& element) const override;
    Behaviour behaviourOf(const ElementRef& element) const override;
    int areaOf(const ElementRef& element) const override;
    DragBounds bounds(const ElementRef& element, int area, bool forMove) const override;
    int activeSheet() const override { return 0; }
    SelectionMarks& marks(int sheet) override;
    const SelectionMarks& marks(int sheet) const override;
    ElementRef elementAt(int sheet, const QPointF& point) const override;
    int areaAt(int sheet, const QPointF& point) const override;
    TextElement* textOf(const ElementRef& element) override;
    void forEachText(int area, const std::function<void(TextElement&)>& change) override;
    void fitText(TextElement& element, int area) override;
    void elementClicked(const ElementRef& element) override;
    DocumentHistory& history() override { return history_; }

private:
    const TextElement* shownText(const ElementRef& element) const;

    CdLabelDocument& label_;
    SelectionMarks& marks_;
    DocumentHistory& history_;
};
