// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Reads back, one field at a time, what FieldWriter wrote, and the same form written by any
// other program: the caller knows whether a number or a text comes next. Spaces and tabs
// before a field are skipped; a field is followed by a comma or a line end, which is consumed
// with it. Nothing is returned for a missing field, a number that is no number, or a quoted
// text that never ends.
class FieldReader {
public:
    explicit FieldReader(QString text) : text_(std::move(text)) {}

    // A number: up to the next space, comma or line end.
    std::optional<double> number();
    // A number that must be a whole number within [minimum, maximum].
    std::optional<qint64> integer(qint64 minimum, qint64 maximum);
    // A flag: the word True or False in any letter case, or a number (any but 0 is true).
    std::optional<bool> boolean();
    // A text: between double quotes (line breaks and commas inside belong to it), else up to
    // the next comma or line end.
    std::optional<QString> text();
    // A text that fills the rest of its line, commas included (a path).
    std::optional<QString> line();

    bool atEnd() const { return position_ >= text_.size(); }

private:
    void skipBlanks();
    void skipLineBreaks();
    void endField();
    // The characters up to the next space, comma or line end, blank lines before them skipped.
    QStringView token();
    bool at(QChar c) const { return position_ < text_.size() && text_[position_] == c; }

    QString text_;
    qsizetype position_ = 0;
};
