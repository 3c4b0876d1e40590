// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabelFileCommands.h"

#include "AlbumLayout.h"
#include "LabelContext.h"
#include "LabelFile.h"
#include "Prompter.h"

bool LabelFileCommands::settleUnsavedChanges()
{
    if (!context_.history.isModified())
        return true;
    // Declined, the changes stay counted until the label is really emptied or replaced.
    return !context_.prompter.confirmed(QStringLiteral("Fichier modifié"),
                                        QStringLiteral("Enregistrer les modifications")) ||
           SaveAs();
}

void LabelFileCommands::New()
{
    if (!settleUnsavedChanges())
        return;
    const bool create = context_.prompter.confirmed(
        QStringLiteral("Nouveau fichier"), QStringLiteral("Créer une nouvelle étiquette CD"));
    context_.fileName = CdLabelDocument::newFileName;
    if (!create)
        return;
    context_.selection.EndDrag();
    context_.label.reset();
    context_.history.restart();
}

bool LabelFileCommands::createLabel(const Album& album)
{
    if (!settleUnsavedChanges())
        return false;
    context_.selection.EndDrag();
    {
        DocumentHistory::Edit edit(context_.history, QStringLiteral("la création de l'étiquette"));
        context_.label.reset();
        AlbumLayout::fillLabel(context_.label, album, context_.prompter);
    }
    context_.fileName = CdLabelDocument::newFileName;
    return true;
}

void LabelFileCommands::Open()
{
    if (!settleUnsavedChanges())
        return;
    const std::optional<QString> path = context_.prompter.getOpenFileName(
        {QStringLiteral("Ouvrir un fichier etiquette CD au format JKET"),
         context_.fileName,
         {LabelFile::openDialogFilter()},
         QString()});
    if (path && !path->isEmpty())
        openFile(*path);
}

bool LabelFileCommands::openFile(const QString& path)
{
    context_.selection.EndDrag();
    const bool read = LabelFile::open(context_.label, path, context_.prompter);
    context_.fileName = path;
    context_.history.restart();
    if (read && fileUsed)
        fileUsed(path);
    return read;
}

bool LabelFileCommands::SaveAs()
{
    // A name typed without ".jket" gets it, or the open dialog's filter would hide the file.
    const std::optional<QString> path = context_.prompter.getSaveFileName(
        {QStringLiteral("Enregistrer Etiquette CD au format JKET"),
         context_.fileName,
         {LabelFile::saveDialogFilter()},
         QStringLiteral("jket")});
    if (!path || path->isEmpty())
        return false;
    if (!LabelFile::save(context_.label, *path, context_.prompter))
        return false;
    context_.history.markSaved();
    context_.fileName = *path;
    if (fileUsed)
        fileUsed(*path);
    return true;
}
