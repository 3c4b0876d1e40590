// SPDX-License-Identifier: GPL-3.0-or-later
#include "Face.h"

QString Face::caption(int face)
{
    switch (face) {
    case Verso:
        return QStringLiteral("VERSO (Face intérieure)");
    case Recto:
        return QStringLiteral("RECTO (Face avant)");
    case Dos:
        return QStringLiteral("DOS (Face arrière)");
    default:
        return {};
    }
}

TextElement* Face::text(int index)
{
    const auto found = texts.find(index);
    return found == texts.end() ? nullptr : &found->second;
}

const TextElement* Face::text(int index) const
{
    const auto found = texts.find(index);
    return found == texts.end() ? nullptr : &found->second;
}

int Face::highestIndex() const
{
    return texts.empty() ? 0 : texts.rbegin()->first;
}

TextElement& Face::loadText(int index)
{
    if (TextElement* existing = text(index))
        return *existing;
    TextElement element = texts.at(0);
    element.index = index;
    element.visible = false;
    return texts.emplace(index, element).first->second;
}

void Face::unloadTexts()
{
    while (texts.size() > 1)
        texts.erase(std::prev(texts.end()));
}
