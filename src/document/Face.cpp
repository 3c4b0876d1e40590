#include "Face.h"

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
