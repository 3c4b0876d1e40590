// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverFileCommands.h"

#include "AlbumLayout.h"
#include "CatalogueImport.h"
#include "CatalogueRecord.h"
#include "CoverContext.h"
#include "CoverFile.h"
#include "JewelCaseDocument.h"
#include "Prompter.h"

namespace {

const QString untitled = QStringLiteral("Nouveau");

// Saving, a name typed without ".jkcd" gets it, or the open dialog's filter would hide the file.
Prompter::FileDialog coverDialog(const QString& title, const QString& fileName,
                                 const QString& suffix = {})
{
    return {title, fileName, {CoverFile::dialogFilter()}, suffix};
}

} // namespace

CoverFileCommands::CoverFileCommands(CoverContext& context, QString& lastPicturePath, Hooks hooks)
    : context_(context), lastPicturePath_(lastPicturePath), hooks_(std::move(hooks))
{
}

void CoverFileCommands::setFileName(const QString& name)
{
    context_.fileName = name;
    if (hooks_.setTitle)
        hooks_.setTitle(QStringLiteral("Jaskel CD : ") + name);
}

bool CoverFileCommands::settleUnsavedChanges()
{
    if (!context_.history.isModified())
        return true;
    // Declined, the changes stay counted until the cover is really replaced or the program
    // really ends: a command cancelled later must not lose them.
    return !context_.prompter.confirmed(QStringLiteral("Fichier modifié"),
                                        QStringLiteral("Enregistrer les modifications")) ||
           SaveAs();
}

void CoverFileCommands::Open()
{
    if (!settleUnsavedChanges())
        return;
    const std::optional<QString> path = context_.prompter.getOpenFileName(coverDialog(
        QStringLiteral("Ouvrir un fichier Jaquette au format JKCD"), context_.fileName));
    if (!path || path->isEmpty())
        return;
    openFile(*path);
}

void CoverFileCommands::Open(const QString& path)
{
    if (settleUnsavedChanges())
        openFile(path);
}

bool CoverFileCommands::openFile(const QString& path)
{
    context_.selection.EndDrag();
    const bool read = CoverFile::open(context_.document, path, context_.prompter);
    context_.history.restart();
    // The title names the file even when it could not be read to its end: what was read is
    // on the cover.
    setFileName(path);
    lastPicturePath_.clear();
    context_.selection.pressEmpty(Face::Recto);
    if (hooks_.showView)
        hooks_.showView(FaceViews::RectoVerso);
    if (read && hooks_.fileUsed)
        hooks_.fileUsed(path);
    return read;
}

bool CoverFileCommands::SaveAs()
{
    const std::optional<QString> path = context_.prompter.getSaveFileName(
        coverDialog(QStringLiteral("Enregistrer Jaquette au format JKCD"), context_.fileName,
                    QStringLiteral("jkcd")));
    if (!path || path->isEmpty())
        return false;
    if (!CoverFile::save(context_.document, *path, context_.prompter))
        return false;
    context_.history.markSaved();
    setFileName(*path);
    if (hooks_.fileUsed)
        hooks_.fileUsed(*path);
    return true;
}

void CoverFileCommands::New()
{
    if (!settleUnsavedChanges())
        return;
    if (!context_.prompter.confirmed(QStringLiteral("Nouveau fichier"),
                                     QStringLiteral("Créer une nouvelle jacquette CD")))
        return;
    context_.selection.EndDrag();
    emptyCover(context_.document);
    lastPicturePath_.clear();
    setFileName(untitled);
    if (hooks_.showView)
        hooks_.showView(FaceViews::Verso);
    importRecord(CatalogueImport::newCoverRecordFile());
    context_.history.restart();
    if (hooks_.showView)
        hooks_.showView(FaceViews::RectoVerso);
}

bool CoverFileCommands::createCover(const Album& album)
{
    if (!settleUnsavedChanges())
        return false;
    context_.selection.EndDrag();
    {
        DocumentHistory::Edit edit(context_.history, QStringLiteral("la création de la jaquette"));
        emptyCover(context_.document);
        AlbumLayout::fillCover(context_.document, album, context_.prompter);
    }
    lastPicturePath_.clear();
    setFileName(untitled);
    context_.selection.pressEmpty(Face::Recto);
    if (hooks_.showView)
        hooks_.showView(FaceViews::RectoVerso);
    return true;
}

void CoverFileCommands::emptyCover(JewelCaseDocument& document)
{
    document.reset();
    // The templates of new texts: whole sizes, which the file keeps as they are.
    for (Face& face : document.faces) {
        TextElement& model = face.texts.at(0);
        TextFont font;
        font.size = 11;
        model.setFont(font);
        model.foreColor = OleColors::black;
        model.backStyle = BackStyle::Transparent;
        model.borderStyle = BorderStyle::None;
        model.visible = false;
    }
    // The spines' text as a new cover has it, until a record names the artist.
    TextElement& vertical = document.verticalText;
    TextFont font = vertical.font();
    font.size = 14;
    font.bold = true;
    vertical.setFont(font);
    vertical.borderStyle = BorderStyle::Single;
    vertical.backStyle = BackStyle::Transparent;
    vertical.setCaption(QStringLiteral("Texte vertical "));
    document.dosSheet().foreColor = OleColors::black;
    document.dosSheet().backColor = OleColors::white;
}

void CoverFileCommands::importRecord(const QString& recordFile)
{
    DocumentHistory::Edit edit(context_.history, QStringLiteral("l'import de la fiche"));
    const CatalogueRecord record = CatalogueRecord::read(recordFile);
    for (int face : {int(Face::Verso), int(Face::Dos)}) {
        const std::optional<ViewState> view =
            CatalogueImport::ImportCatalogueRecord(context_, face, record);
        if (view && hooks_.applyView)
            hooks_.applyView(*view);
    }
    if (const std::optional<Album> album = record.album(); album && hooks_.albumImported)
        hooks_.albumImported(*album);
}

bool CoverFileCommands::Quit()
{
    if (!settleUnsavedChanges())
        return false;
    return context_.prompter.confirmed(QStringLiteral("Quitter le programme"),
                                       QStringLiteral("Quitter Jaskel CD"));
}

bool CoverFileCommands::mayClose()
{
    return settleUnsavedChanges();
}
