#include "Prompter.h"

QString Prompter::programTitle()
{
    return QStringLiteral("Jaskel CD");
}

void Prompter::inform(const QString& text, const QString& title, Icon icon)
{
    ask({title.isEmpty() ? programTitle() : title, text, icon, Ok, Ok});
}

bool Prompter::confirm(const QString& title, const QString& text)
{
    return ask({title, text, Icon::Question, Yes | No, No}) == Yes;
}
