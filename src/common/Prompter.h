// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OleColor.h"
#include "TextFont.h"

#include <QString>
#include <QStringList>
#include <optional>

// Every question, message and common dialog of the program goes through a Prompter, so that
// the windows stay thin and the tests can answer and check the program's exact words.
class Prompter {
public:
    enum class Icon { None, Information, Question, Exclamation, Critical };
    enum Button { NoButton = 0, Ok = 1, Yes = 2, No = 4, Cancel = 8, Retry = 16 };

    struct Message {
        QString title;
        QString text; // exactly as the program words it, CR and LF included
        Icon icon = Icon::None;
        int buttons = Ok;
        Button defaultButton = Ok;
    };

    struct FileDialog {
        QString title;
        QString initialPath;
        QStringList filters;   // "Description (*.ext)", the first one preselected
        QString defaultSuffix; // added to a name typed without one, before asking to overwrite
    };

    virtual ~Prompter() = default;

    virtual Button ask(const Message& message) = 0;
    virtual std::optional<QString> getText(const QString& title, const QString& prompt,
                                           const QString& defaultText) = 0;
    virtual std::optional<OleColor> getColor(OleColor initial) = 0;
    virtual std::optional<TextFont> getFont(const TextFont& initial) = 0;
    virtual std::optional<QString> getOpenFileName(const FileDialog& dialog) = 0;
    virtual std::optional<QString> getSaveFileName(const FileDialog& dialog) = 0;
    // A folder that exists, chosen starting from `initialPath`.
    virtual std::optional<QString> getExistingDirectory(const QString& title,
                                                        const QString& initialPath) = 0;

    // A message with an OK button; no title of its own shows the program's name.
    void inform(const QString& text, const QString& title = QString(),
                Icon icon = Icon::Information);

    // A question: `text`, then CR and "   Confirmez  ?", Yes and No with No as the default;
    // true when the answer is Yes.
    bool confirmed(const QString& title, const QString& text);

    static QString programTitle();
};
