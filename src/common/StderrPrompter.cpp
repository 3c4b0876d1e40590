// SPDX-License-Identifier: GPL-3.0-or-later
#include "StderrPrompter.h"

#include "TextEncoding.h"

#include <cstdio>

Prompter::Button StderrPrompter::ask(const Message& message)
{
    const QString text =
        TextEncoding::withLf(message.text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s\n", qPrintable(message.title + QStringLiteral(" : ") + text));
    return message.defaultButton;
}
