// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"
#include "FaceViews.h"
#include "ImageOptionsChoices.h"

#include <QString>
#include <functional>

struct CoverContext;

// "&Ouvrir", "&Nouveau", "Fichier CD Jaquette (Format JKCD)" and "&Quitter": the cover's
// file commands, their questions and dialogs, and the name the window title shows. What
// happens on screen (the title, a view switch) is left to the window through `Hooks`.
class CoverFileCommands {
public:
    struct Hooks {
        std::function<void(const QString& title)> setTitle;
        std::function<void(int entry)> showView;
        std::function<void(const ViewState& state)> applyView;
        // A file read whole, or written: the recent files.
        std::function<void(const QString& path)> fileUsed;
        // The album of an album's record an import brought in.
        std::function<void(const Album& album)> albumImported;
    };

    CoverFileCommands(CoverContext& context, QString& lastPicturePath, Hooks hooks);

    // "&Ouvrir": after the unsaved-changes question, the open dialog and the file.
    void Open();
    // "&Ouvrir" with `path` chosen already (a recent file, a file dropped on the window).
    void Open(const QString& path);
    // "&Nouveau": the questions, then the cover emptied and the record of "x~x.cfg" imported.
    void New();
    // "Fichier CD Jaquette (Format JKCD)": true when the cover was written.
    bool SaveAs();
    // "Créer la jaquette": after the unsaved-changes question, the cover emptied as "&Nouveau"
    // empties it and filled from `album` (AlbumLayout::fillCover), one step of its history
    // that "Annuler" takes back whole. The cover is then a new one, "Nouveau". False when the
    // user stopped at the question.
    bool createCover(const Album& album);
    // "&Quitter": true when the program is to end.
    bool Quit();
    // The window's own close button: true when it may close.
    bool mayClose();

    // Reads a cover file into the window (the command line, "&Ouvrir"); false on failure.
    bool openFile(const QString& path);
    // Imports the record of `recordFile` for the Verso, then for the Dos.
    void importRecord(const QString& recordFile);

    // The cover as "&Nouveau" leaves it before its import, for the window and the headless
    // commands alike.
    static void emptyCover(JewelCaseDocument& document);

private:
    // Asks about unsaved changes when there are some: false when the user asked to save and
    // the cover was not saved, so that the command stops.
    bool settleUnsavedChanges();
    void setFileName(const QString& name);

    CoverContext& context_;
    QString& lastPicturePath_;
    Hooks hooks_;
};
