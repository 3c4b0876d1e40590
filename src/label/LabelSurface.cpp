// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabelSurface.h"

#include "CdLabelDocument.h"
#include "FitTextInFace.h"

const TextElement* LabelSurface::shownText(const ElementRef& element) const
{
    // The template (index 0) is never on the label.
    if (!element.isText() || element.index < 1)
        return nullptr;
    return label_.text(element.index);
}

TextElement* LabelSurface::textOf(const ElementRef& element)
{
    return const_cast<TextElement*>(shownText(element));
}

bool LabelSurface::exists(const ElementRef& element) const
{
    if (element == picture())
        return !label_.picture.isEmpty();
    return shownText(element) != nullptr;
}

QRectF LabelSurface::rectOf(const ElementRef& element) const
{
    if (element == picture())
        return label_.picture.rect;
    const TextElement* text = shownText(element);
    return text ? text->rect() : QRectF();
}

void LabelSurface::setRectOf(const ElementRef& element, const QRectF& rect)
{
    if (element == picture())
        label_.picture.rect = rect;
    else if (TextElement* text = textOf(element))
        text->setRect(rect);
}

const void* LabelSurface::paintedObjectOf(const ElementRef& element) const
{
    if (element == picture())
        return exists(element) ? &label_.picture : nullptr;
    return shownText(element);
}

SelectionSurface::Behaviour LabelSurface::behaviourOf(const ElementRef& element) const
{
    // Texts and the picture are framed, moved and sized as the cover's texts and logos.
    Behaviour behaviour;
    behaviour.widens = element.isText() || element == picture();
    behaviour.textLike = element.isText();
    return behaviour;
}

int LabelSurface::areaOf(const ElementRef&) const
{
    return 0;
}

DragBounds LabelSurface::bounds(const ElementRef&, int, bool) const
{
    DragBounds bounds;
    bounds.area = CdLabelDocument::discArea;
    return bounds;
}

SelectionMarks& LabelSurface::marks(int)
{
    return marks_;
}

const SelectionMarks& LabelSurface::marks(int) const
{
    return marks_;
}

ElementRef LabelSurface::elementAt(int, const QPointF& point) const
{
    // The texts are drawn over the picture, a higher index over a lower one.
    const std::vector<const TextElement*> texts = label_.shownTexts();
    for (auto text = texts.rbegin(); text != texts.rend(); ++text) {
        if ((*text)->rect().contains(point))
            return LabelSurface::text((*text)->index);
    }
    const ImageSlot& slot = label_.picture;
    if (slot.visible && !slot.isEmpty() && slot.rect.contains(point))
        return picture();
    return {};
}

int LabelSurface::areaAt(int, const QPointF& point) const
{
    return CdLabelDocument::discArea.contains(point) ? 0 : -1;
}

void LabelSurface::forEachText(int, const std::function<void(TextElement&)>& change)
{
    for (auto& [index, element] : label_.texts)
        change(element);
}

void LabelSurface::fitText(TextElement& element, int)
{
    FitTextInArea(element, CdLabelDocument::discArea, true);
}

void LabelSurface::elementClicked(const ElementRef& element)
{
    // Its handles size it from now on.
    if (TextElement* clicked = textOf(element))
        clicked->setAutoSize(false);
}
