// SPDX-License-Identifier: GPL-3.0-or-later
#include "Prompter.h"

QString Prompter::programTitle()
{
    return QStringLiteral("Jaskel CD");
}

void Prompter::inform(const QString& text, const QString& title, Icon icon)
{
    ask({title.isEmpty() ? programTitle() : title, text, icon, Ok, Ok});
}

bool Prompter::confirmed(const QString& title, const QString& text)
{
    return ask({title, text + QStringLiteral("\r   Confirmez  ?"), Icon::Question, Yes | No, No}) ==
           Yes;
}
