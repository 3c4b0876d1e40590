// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdLabelDocument.h"

namespace {

// Black on transparent, no border, hidden, in a new element's font: Times New Roman 11 pt, plain.
TextElement templateElement()
{
    TextElement element;
    element.index = 0;
    element.visible = false;
    element.foreColor = OleColors::black;
    element.backStyle = BackStyle::Transparent;
    element.borderStyle = BorderStyle::None;
    return element;
}

} // namespace

CdLabelDocument::CdLabelDocument()
{
    picture.rect = insertedPictureRect;
    reset();
}

void CdLabelDocument::reset()
{
    removePicture();
    texts.clear();
    texts.emplace(0, templateElement());
    backColor = OleColors::white;
}

void CdLabelDocument::setPicture(const QString& file, const Picture& image, const QRectF& rect)
{
    pictureFileName = file;
    picture.picture = image;
    picture.rect = rect;
    picture.visible = true;
}

void CdLabelDocument::removePicture()
{
    pictureFileName = noPicture;
    picture.picture = Picture();
    picture.visible = false;
}

TextElement* CdLabelDocument::text(int index)
{
    const auto found = texts.find(index);
    return found == texts.end() ? nullptr : &found->second;
}

const TextElement* CdLabelDocument::text(int index) const
{
    return const_cast<CdLabelDocument*>(this)->text(index);
}

TextElement& CdLabelDocument::loadText(int index)
{
    if (TextElement* existing = text(index))
        return *existing;
    TextElement element = templateText();
    element.index = index;
    element.visible = false;
    return texts.emplace(index, element).first->second;
}

TextElement& CdLabelDocument::insertText()
{
    TextElement& element = loadText(highestIndex() + 1);
    element.left = float(newTextPlace.x());
    element.top = float(newTextPlace.y());
    element.setAutoSize(true);
    element.setCaption(QStringLiteral("Texte"));
    element.visible = true;
    return element;
}

std::vector<const TextElement*> CdLabelDocument::shownTexts() const
{
    return ::shownTexts(texts);
}
