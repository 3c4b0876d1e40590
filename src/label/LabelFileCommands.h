// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"

#include <QString>
#include <functional>

struct LabelContext;

// "&Nouveau", "&Ouvrir", "Fichier Etiquette CD (Format JKET)" and the question before the label
// window closes: the label's file commands, their questions and dialogs. The window's title
// follows the label's file name.
class LabelFileCommands {
public:
    explicit LabelFileCommands(LabelContext& context) : context_(context) {}

    // "&Nouveau": after the unsaved-changes question, "Créer une nouvelle étiquette CD". The
    // label is named "Nouveau" whatever the answer, and emptied only on Yes.
    void New();
    // "&Ouvrir": after the unsaved-changes question, the open dialog and the file.
    void Open();
    // "Fichier Etiquette CD (Format JKET)": true when the label was written.
    bool SaveAs();
    // "Créer l'étiquette": after the unsaved-changes question, the label emptied and filled
    // from `album` (AlbumLayout::fillLabel), one step of its history; it is then a new label,
    // "Nouveau". False when the user stopped at the question.
    bool createLabel(const Album& album);
    // Reads a .jket file into the label; false when it could not be read to its end (what was
    // read stays, and the user was told).
    bool openFile(const QString& path);
    // Asks about unsaved changes when there are some: false when the user asked to save and the
    // label was not saved, so that whatever asked (closing, a command) stops.
    bool settleUnsavedChanges();

    // Told of a file read whole, or written: the recent files.
    std::function<void(const QString& path)> fileUsed;

private:
    LabelContext& context_;
};
