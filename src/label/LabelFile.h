// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class CdLabelDocument;
class Prompter;

// The label's own file (.jket): one value a line, the picture named by its path, the texts'
// flags as True or False.
namespace LabelFile {

// "Fichier étiquette JKET (*.jket)", as the open dialog offers it.
QString openDialogFilter();
// "Fichier Etiquette JKET (*.jket)", as the save dialog offers it.
QString saveDialogFilter();

// Writes the label to `path`, deleted (hidden) texts left out, replacing the file only once
// the new one is complete. A double quote in a text is saved as ” and the user told. A
// failure says "Erreur lors de la sauvegarde du fichier !" and leaves the old file whole.
bool save(const CdLabelDocument& label, const QString& path, Prompter& prompter);

// Empties the label and rebuilds it from `path`. A missing picture file is said and skipped.
// A file that cannot be read to its end, holds a text's index twice or a value that is no value
// says "Erreur lors de l'ouverture du fichier !" and keeps what was read before it.
bool open(CdLabelDocument& label, const QString& path, Prompter& prompter);

} // namespace LabelFile
