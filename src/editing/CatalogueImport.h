// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FaceViews.h"

#include <QString>
#include <optional>

class CatalogueRecord;
struct CoverContext;

// A record that a catalogue program hands over in an INI file (an album, a film, a
// collection) brought into the cover: its picture as the logo, its artist and title as the
// spines' text, and a column of texts (tracks, synopsis, rating, remarks) on the Verso or the
// Dos. The program only reads the record file.
namespace CatalogueImport {

// The record read at start-up: "Passed.cfg" in the program's folder.
QString startUpRecordFile();
// The record read by "&Nouveau": "x~x.cfg" in the current folder.
QString newCoverRecordFile();

// Adds the record to face 0 (Verso) or 2 (Dos) of an emptied cover as RecordLayout lays it,
// then aligns its spread texts on the bar the window shows for the face. Returns the view the
// import switched to, for the window to show; nothing when the view was left alone.
std::optional<ViewState> ImportCatalogueRecord(CoverContext& context, int face,
                                               const CatalogueRecord& record);
// The same with the record of `recordFile`; a missing file reads as an empty record.
std::optional<ViewState> ImportCatalogueRecord(CoverContext& context, int face,
                                               const QString& recordFile);

} // namespace CatalogueImport
