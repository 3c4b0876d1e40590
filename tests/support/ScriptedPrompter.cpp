// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedPrompter.h"

#include <QFileInfo>

namespace {

// The next answer of a script; with none left, `fallback`, which cancels a dialog.
template <typename T> T next(std::deque<T>& answers, T fallback = {})
{
    if (!answers.empty()) {
        std::swap(fallback, answers.front());
        answers.pop_front();
    }
    return fallback;
}

ScriptedPrompter::Asked fileDialog(const QString& kind, const Prompter::FileDialog& dialog)
{
    return {kind,
            {dialog.title, {}, Prompter::Icon::None, Prompter::Ok, Prompter::Ok},
            dialog.initialPath,
            {},
            0,
            dialog.filters};
}

} // namespace

Prompter::Button ScriptedPrompter::ask(const Message& message)
{
    asked.append({QStringLiteral("message"), message, {}, {}, 0, {}});
    return next(buttons, message.defaultButton);
}

std::optional<QString> ScriptedPrompter::getText(const QString& title, const QString& prompt,
                                                 const QString& defaultText)
{
    const Message box{title, prompt, Icon::None, Ok | Cancel, Ok};
    asked.append({QStringLiteral("text"), box, defaultText, {}, 0, {}});
    return next(texts);
}

std::optional<OleColor> ScriptedPrompter::getColor(OleColor initial)
{
    asked.append({QStringLiteral("colour"), {}, {}, {}, initial, {}});
    return next(colours);
}

std::optional<TextFont> ScriptedPrompter::getFont(const TextFont& initial)
{
    asked.append({QStringLiteral("font"), {}, {}, initial, 0, {}});
    return next(fonts);
}

std::optional<QString> ScriptedPrompter::getOpenFileName(const FileDialog& dialog)
{
    asked.append(fileDialog(QStringLiteral("open"), dialog));
    return next(paths);
}

std::optional<QString> ScriptedPrompter::getSaveFileName(const FileDialog& dialog)
{
    asked.append(fileDialog(QStringLiteral("save"), dialog));
    // As the real dialog, a name typed without a suffix gets the dialog's.
    std::optional<QString> path = next(paths);
    if (path && !path->isEmpty() && !dialog.defaultSuffix.isEmpty() &&
        QFileInfo(*path).suffix().isEmpty())
        *path += QLatin1Char('.') + dialog.defaultSuffix;
    return path;
}

std::optional<QString> ScriptedPrompter::getExistingDirectory(const QString& title,
                                                              const QString& initialPath)
{
    asked.append(
        {QStringLiteral("folder"), {title, {}, Icon::None, Ok, Ok}, initialPath, {}, 0, {}});
    return next(paths);
}
