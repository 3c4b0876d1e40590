#include "ScriptedPrompter.h"

namespace {

Prompter::Button next(std::deque<Prompter::Button>& answers, Prompter::Button fallback)
{
    if (answers.empty())
        return fallback;
    const Prompter::Button answer = answers.front();
    answers.pop_front();
    return answer;
}

// An empty script cancels the dialog.
template <typename T> std::optional<T> next(std::deque<std::optional<T>>& answers)
{
    std::optional<T> answer;
    if (!answers.empty()) {
        answer.swap(answers.front());
        answers.pop_front();
    }
    return answer;
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
    asked.append({QStringLiteral("text"),
                  {title, prompt, Icon::None, Ok | Cancel, Ok},
                  defaultText,
                  {},
                  0,
                  {}});
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
    asked.append({QStringLiteral("open"), {dialog.title, {}, Icon::None, Ok, Ok},
                  dialog.initialPath, {}, 0, dialog.filters});
    return next(paths);
}

std::optional<QString> ScriptedPrompter::getSaveFileName(const FileDialog& dialog)
{
    asked.append({QStringLiteral("save"), {dialog.title, {}, Icon::None, Ok, Ok},
                  dialog.initialPath, {}, 0, dialog.filters});
    return next(paths);
}
