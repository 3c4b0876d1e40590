// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrompter.h"

#include "TextEncoding.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton standardButton(Prompter::Button button)
{
    switch (button) {
    case Prompter::Ok:
        return QMessageBox::Ok;
    case Prompter::Yes:
        return QMessageBox::Yes;
    case Prompter::No:
        return QMessageBox::No;
    case Prompter::Cancel:
        return QMessageBox::Cancel;
    case Prompter::Retry:
        return QMessageBox::Retry;
    case Prompter::NoButton:
        break;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon messageIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompter::Icon::Critical:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Prompter::Button QtPrompter::ask(const Message& message)
{
    QMessageBox box(messageIcon(message.icon), message.title, TextEncoding::withLf(message.text),
                    QMessageBox::NoButton, parent_);
    for (Button button : {Yes, No, Ok, Retry, Cancel}) {
        if (message.buttons & button)
            box.addButton(standardButton(button));
    }
    box.setDefaultButton(standardButton(message.defaultButton));
    if (message.buttons & Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    else if (message.buttons & No)
        box.setEscapeButton(QMessageBox::No);
    const int result = box.exec();
    for (Button button : {Yes, No, Ok, Retry, Cancel}) {
        if (result == standardButton(button))
            return button;
    }
    return (message.buttons & Cancel) ? Cancel : (message.buttons & No) ? No : Ok;
}

std::optional<QString> QtPrompter::getText(const QString& title, const QString& prompt,
                                           const QString& defaultText)
{
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    // Room for the title and for a spine's worth of text.
    dialog.setStyleSheet(QStringLiteral("QLineEdit { min-width: 26em; }"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<OleColor> QtPrompter::getColor(OleColor initial)
{
    const QColor chosen = QColorDialog::getColor(OleColors::toQColor(initial), parent_);
    if (!chosen.isValid())
        return std::nullopt;
    return OleColors::fromQColor(chosen);
}

std::optional<TextFont> QtPrompter::getFont(const TextFont& initial)
{
    // The dialog lists the installed families: it starts on the face that stands in for the
    // name, and the name stays when the user keeps that face.
    const QString shownFamily = QFontInfo(QFont(initial.name)).family();
    QFont font(shownFamily);
    font.setPointSizeF(initial.size);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setUnderline(initial.underline);
    font.setStrikeOut(initial.strikethru);
    // The dialog looks its style up by name, and names it in the interface's language ("Gras")
    // while fonts name their styles in English: give it the font's own name for the style, or
    // it falls back to the first one listed (often "Bold Italic").
    for (const QString& style : QFontDatabase::styles(shownFamily)) {
        if (QFontDatabase::bold(shownFamily, style) == initial.bold &&
            QFontDatabase::italic(shownFamily, style) == initial.italic) {
            font.setStyleName(style);
            break;
        }
    }
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, font, parent_);
    if (!accepted)
        return std::nullopt;
    TextFont result;
    result.name = chosen.family() == shownFamily ? initial.name : chosen.family();
    result.size = float(chosen.pointSizeF());
    result.bold = chosen.bold();
    result.italic = chosen.italic();
    result.underline = chosen.underline();
    result.strikethru = chosen.strikeOut();
    return result;
}

std::optional<QString> QtPrompter::getOpenFileName(const FileDialog& dialog)
{
    return askForPath(dialog, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompter::getSaveFileName(const FileDialog& dialog)
{
    return askForPath(dialog, QFileDialog::AcceptSave);
}

std::optional<QString> QtPrompter::getExistingDirectory(const QString& title,
                                                        const QString& initialPath)
{
    const QString folder = QFileDialog::getExistingDirectory(parent_, title, initialPath);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

std::optional<QString> QtPrompter::askForPath(const FileDialog& dialog,
                                              QFileDialog::AcceptMode mode)
{
    QFileDialog box(parent_, dialog.title, dialog.initialPath,
                    dialog.filters.join(QStringLiteral(";;")));
    box.setAcceptMode(mode);
    box.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                    : QFileDialog::AnyFile);
    // Saving, the dialog adds the suffix before it asks whether to replace the file.
    box.setDefaultSuffix(dialog.defaultSuffix);
    if (!dialog.filters.isEmpty())
        box.selectNameFilter(dialog.filters.first());
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = box.selectedFiles().first();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
