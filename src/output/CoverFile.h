// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class JewelCaseDocument;
class Prompter;

// The cover's own file (.jkcd): plain text lines, pictures named by their paths. The reader
// opens every file in this form, whatever wrote it; the writer writes what the cover holds,
// never what a window shows of it.
namespace CoverFile {

// "Fichier jaquette JKCD |*.jkcd", as the file dialogs offer it.
QString dialogFilter();

// Writes the cover to `path`, replacing the file only once the new one is complete: the
// pictures by the paths the cover names (also of a picture that could not be found), the lists
// as the user chose them. A failure says "Erreur lors de la sauvegarde du fichier !" and
// leaves the old file whole.
bool save(const JewelCaseDocument& document, const QString& path, Prompter& prompter);

// Empties the cover and rebuilds it from `path`, the pictures' lists included. A picture file
// that is missing is said and not shown, and the cover still names it. A file that cannot be
// read to its end says "Erreur lors de l'ouverture du fichier !" and keeps what was restored
// before the fault.
bool open(JewelCaseDocument& document, const QString& path, Prompter& prompter);
// The picture files the cover file at `path` names (each once), read from its first lines
// alone; none when it cannot be read.
QStringList picturePaths(const QString& path);

} // namespace CoverFile
