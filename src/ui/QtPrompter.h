// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Prompter.h"

#include <QFileDialog>
#include <QPointer>
#include <QWidget>

// The Prompter of the running program: Qt's own dialogs, modal to the given window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    Button ask(const Message& message) override;
    std::optional<QString> getText(const QString& title, const QString& prompt,
                                   const QString& defaultText) override;
    std::optional<OleColor> getColor(OleColor initial) override;
    std::optional<TextFont> getFont(const TextFont& initial) override;
    std::optional<QString> getOpenFileName(const FileDialog& dialog) override;
    std::optional<QString> getSaveFileName(const FileDialog& dialog) override;
    std::optional<QString> getExistingDirectory(const QString& title,
                                                const QString& initialPath) override;

private:
    std::optional<QString> askForPath(const FileDialog& dialog, QFileDialog::AcceptMode mode);

    QPointer<QWidget> parent_;
};
