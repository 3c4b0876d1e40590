// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Writes the lines of the program's text files (.jkcd, .jket): numbers with a place for the
// sign and a space after them (" 16777215 ", "-1 "), texts raw or between double quotes, every
// line ended by CR LF. The numbers never depend on the user's locale.
class FieldWriter {
public:
    void numberLine(qint64 value);
    // Several numbers on one line, each written as on a number line.
    void numbersLine(std::initializer_list<qint64> values);
    // A single-precision number with its decimals, after a point whatever the locale: the
    // fewest digits that read back as the same float (" 1234.5 ", " 3000 ").
    void decimalLine(float value);
    // A flag as a word: True or False.
    void booleanLine(bool value);
    // A path, exactly as it is.
    void rawLine(const QString& text);
    // A caption or a font name between double quotes, line breaks included. The format has no
    // escaping: a double quote inside becomes ” (and `quotesReplaced()` says so).
    void quotedLine(const QString& text);

    bool quotesReplaced() const { return quotesReplaced_; }
    const QString& text() const { return text_; }

private:
    static QString number(qint64 value);
    static QString signSpaced(const QString& digits, bool negative);

    QString text_;
    bool quotesReplaced_ = false;
};
