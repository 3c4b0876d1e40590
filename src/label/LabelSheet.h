// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QPageSize>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <vector>

// A sheet of label stock: its paper, the size of its disc labels and of their hole, and the
// places of the labels on it (each the top-left corner of the label's square, in mm from the
// paper's corner). The layouts are data, read from the program's resources
// (resources/sheets/labelsheets.json), so that a sheet is added without code; a sheet is named
// by its dimensions.
struct LabelSheet {
    QSizeF page;                 // mm
    double label = 0, hole = 0;  // diameters, mm
    std::vector<QPointF> places; // mm

    // "A4, 2 étiquettes Ø 117 mm, trou Ø 41 mm".
    QString name() const;
    QPageSize pageSize() const;
    // The centre of place `place` (from 0), in mm from the paper's corner.
    QPointF centre(std::size_t place) const;

    // The sheets of a table in JSON: an array of {"page": [w, h], "label": d, "hole": d,
    // "places": [[x, y], …]}; a row that is not such a sheet, or whose labels leave the page,
    // is left out.
    static std::vector<LabelSheet> read(const QByteArray& json);
    // The program's sheets.
    static const std::vector<LabelSheet>& all();
    // The program's sheet named `name`, or none.
    static const LabelSheet* named(const QString& name);
};

// Where the CD label is printed: alone on its page (no sheet), or on a sheet at one place (from
// 0) or at every place (-1). Remembered in the user's settings.
struct LabelSheetChoice {
    static constexpr int everyPlace = -1;

    QString sheet; // a LabelSheet's name; empty for the label alone on its page
    int place = everyPlace;

    bool operator==(const LabelSheetChoice&) const = default;

    // The chosen sheet, or none when the label is alone (or the sheet is no longer known).
    const LabelSheet* labelSheet() const { return LabelSheet::named(sheet); }
    // The places printed, from 0.
    std::vector<std::size_t> places() const;
    // The choice as the print confirmation names it: "sur la feuille « … », place 2"; empty
    // for the label alone.
    QString description() const;

    static LabelSheetChoice remembered();
    void remember() const;
};
