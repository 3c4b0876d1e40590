// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Prompter.h"

// The Prompter of the commands that run without a window: every message the window would
// show goes to standard error, and the command goes on as after its default button. Nobody
// is there to choose a file, a colour or a font.
class StderrPrompter : public Prompter {
public:
    Button ask(const Message& message) override;
    std::optional<QString> getText(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<OleColor> getColor(OleColor) override { return std::nullopt; }
    std::optional<TextFont> getFont(const TextFont&) override { return std::nullopt; }
    std::optional<QString> getOpenFileName(const FileDialog&) override { return std::nullopt; }
    std::optional<QString> getSaveFileName(const FileDialog&) override { return std::nullopt; }
    std::optional<QString> getExistingDirectory(const QString&, const QString&) override
    {
        return std::nullopt;
    }
};
