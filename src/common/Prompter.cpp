#include "Prompter.h"

QString Prompter::programTitle()
{
    return QStringLiteral("Jaskel CD");
}

void Prompter::inform(const QString& text, const QString& title, Icon icon)
{
    ask({title.isEmpty() ? programTitle() : title, text, icon, Ok, Ok});
}
