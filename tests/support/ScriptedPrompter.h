// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Prompter.h"

#include <QList>
#include <deque>
#include <optional>

// A Prompter that answers from a script and records every question it was asked, with its
// exact title, text, icon, buttons and default, and what a dialog was opened with.
class ScriptedPrompter : public Prompter {
public:
    struct Asked {
        QString kind; // "message", "text", "colour", "font", "open", "save", "folder"
        Message message;
        QString defaultText;          // an input box's starting text, a folder dialog's folder
        std::optional<TextFont> font; // the font a font dialog starts from
        OleColor colour = 0;          // the colour a colour dialog starts from
        QStringList filters;          // a file dialog's filters
    };

    // Answers are taken in order; with none left, a message gets its default button and
    // a dialog is cancelled.
    std::deque<Button> buttons;
    std::deque<std::optional<QString>> texts;
    std::deque<std::optional<OleColor>> colours;
    std::deque<std::optional<TextFont>> fonts;
    std::deque<std::optional<QString>> paths;
    QList<Asked> asked;

    Button ask(const Message& message) override;
    std::optional<QString> getText(const QString& title, const QString& prompt,
                                   const QString& defaultText) override;
    std::optional<OleColor> getColor(OleColor initial) override;
    std::optional<TextFont> getFont(const TextFont& initial) override;
    std::optional<QString> getOpenFileName(const FileDialog& dialog) override;
    std::optional<QString> getSaveFileName(const FileDialog& dialog) override;
    std::optional<QString> getExistingDirectory(const QString& title,
                                                const QString& initialPath) override;

    const Asked& lastAsked() const { return asked.last(); }
    const Message& last() const { return asked.last().message; }
};
