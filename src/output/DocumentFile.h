// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ElementRecord.h"
#include "OleColor.h"
#include "Picture.h"

#include <QString>
#include <optional>
#include <set>

class FieldReader;
class FieldWriter;
class Prompter;
class QByteArray;
class TextElement;

// What the cover's and the label's files share above the line form: a text's fields, colours
// as signed numbers, pictures named by their paths, and a save that replaces the old file
// only with a complete new one, with the messages that go with them.
namespace DocumentFile {

// How a file writes a text's flags: the cover as numbers (1, 0), the label as words.
enum class Flags { Numbers, Words };

// A colour as the files have always held it: a signed 32-bit number.
qint64 colourNumber(OleColor colour);

// The fields of a text from its caption to its Visible flag, sizes and font size in whole
// numbers. The alignment and colours are given: the cover's vertical text stores others.
void writeCommonFields(FieldWriter& out, const TextElement& element, Flags flags, int alignment,
                       OleColor backColor, OleColor foreColor);
// Those fields from the element itself, then its index and AutoSize.
void writeText(FieldWriter& out, const TextElement& element, Flags flags);

// Reads the common fields, and with `withIndex` the index and AutoSize; nothing at the first
// field that is missing or wrong (a font size beyond ±32767 points, a place or size beyond
// ±2^24 twips is wrong: it could not be written back as it was read).
std::optional<ElementRecord> readText(FieldReader& in, Flags flags, bool withIndex);
// Whether a text read with its index may join the others: the template (0) is never stored,
// and a second record of an index would replace the first, so that neither could be saved
// again. `taken` holds the indices read so far, this one added.
bool newTextIndex(int index, std::set<int>& taken);

// The picture a file names, if it names one ("Aucun" names none). A missing file says
// "Le fichier image … est introuvable !", an unreadable one "… ne peut pas être lu !".
std::optional<Picture> restoredPicture(const QString& path, Prompter& prompter);

// Writes `bytes` to `path`, replacing the old file only once the new one is complete; a
// failure says "Erreur lors de la sauvegarde du fichier !".
bool writeWhole(const QString& path, const QByteArray& bytes, Prompter& prompter);

// The user is told that the double quotes of some text were saved as ”; `fileKind` names the
// file ("jaquette", "étiquette").
void tellQuotesReplaced(Prompter& prompter, const QString& fileKind);
// "Erreur lors de l'ouverture du fichier !"
void tellOpenFailed(Prompter& prompter);

} // namespace DocumentFile
