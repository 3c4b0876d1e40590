#include "LabelFileCommands.h"

#include "LabelContext.h"
#include "LabelFile.h"
#include "Prompter.h"

bool LabelFileCommands::settleUnsavedChanges()
{
    if (!context_.label.modified)
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
    CdLabelDocument& label = context_.label;
    label.fileName = CdLabelDocument::newFileName;
    if (!create)
        return;
    context_.selection.EndDrag();
    label.reset();
    label.modified = false;
}

void LabelFileCommands::Open()
{
    if (!settleUnsavedChanges())
        return;
    const std::optional<QString> path = context_.prompter.getOpenFileName(
        {QStringLiteral("Ouvrir un fichier etiquette CD au format JKET"),
         context_.label.fileName,
         {LabelFile::openDialogFilter()},
         QString()});
    if (path && !path->isEmpty())
        openFile(*path);
}

bool LabelFileCommands::openFile(const QString& path)
{
    context_.selection.EndDrag();
    const bool read = LabelFile::OuvrirFichier(context_.label, path, context_.prompter);
    if (read && fileUsed)
        fileUsed(path);
    return read;
}

bool LabelFileCommands::SaveAs()
{
    // A name typed without ".jket" gets it, or the open dialog's filter would hide the file.
    const std::optional<QString> path = context_.prompter.getSaveFileName(
        {QStringLiteral("Enregistrer Etiquette CD au format JKET"),
         context_.label.fileName,
         {LabelFile::saveDialogFilter()},
         QStringLiteral("jket")});
    if (!path || path->isEmpty())
        return false;
    if (!LabelFile::SauveFichier(context_.label, *path, context_.prompter))
        return false;
    context_.label.fileName = *path;
    if (fileUsed)
        fileUsed(*path);
    return true;
}
