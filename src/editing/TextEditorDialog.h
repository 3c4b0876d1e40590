// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

class Prompter;
class QPlainTextEdit;
class QPushButton;

// "Editeur de texte": edits the caption of the calling window's selection.
class TextEditorDialog : public QDialog {
    Q_OBJECT
public:
    // `labelTextEditing` tells whose selection the caption is: the CD label window's, or the
    // cover window's. `showAbout` opens the about box; the editor's picture calls it.
    TextEditorDialog(const QString& caption, bool labelTextEditing, Prompter& prompter,
                     QWidget* parent = nullptr, std::function<void()> showAbout = {});

    bool labelTextEditing() const { return labelTextEditing_; }

    // The caption after "&Ok", with CR LF line breaks; nothing after "&Annuler" or a refused
    // file.
    std::optional<QString> result() const { return result_; }

    // Shows the editor modally and returns the edited caption, if any.
    static std::optional<QString> edit(const QString& caption, bool labelTextEditing,
                                       Prompter& prompter, QWidget* parent,
                                       std::function<void()> showAbout = {});

    QPlainTextEdit* textBox() const { return textBox_; }

private:
    void insertLineAtStart();
    void insertLineAtEnd();
    void insertFromFile();
    void accept() override;

    Prompter& prompter_;
    bool labelTextEditing_;
    QPlainTextEdit* textBox_ = nullptr;
    std::optional<QString> result_;
};
