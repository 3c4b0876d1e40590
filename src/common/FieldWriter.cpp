// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldWriter.h"

#include <charconv>

namespace {
const QString lineEnd = QStringLiteral("\r\n");
} // namespace

QString FieldWriter::signSpaced(const QString& digits, bool negative)
{
    return (negative ? QString() : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}

QString FieldWriter::number(qint64 value)
{
    // QString::number ignores the locale: no French decimal comma or digit grouping here.
    return signSpaced(QString::number(value), value < 0);
}

void FieldWriter::numberLine(qint64 value)
{
    text_ += number(value) + lineEnd;
}

void FieldWriter::numbersLine(std::initializer_list<qint64> values)
{
    for (qint64 value : values)
        text_ += number(value);
    text_ += lineEnd;
}

void FieldWriter::decimalLine(float value)
{
    if (value == 0)
        value = 0; // no "-0"
    // std::to_chars ignores the locale too, and gives the fewest digits that read back as
    // this very float (3000.1, not 3000.10009765625).
    char digits[64];
    const std::to_chars_result written =
        std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::fixed);
    text_ += signSpaced(QString::fromLatin1(digits, written.ptr - digits), value < 0) + lineEnd;
}

void FieldWriter::booleanLine(bool value)
{
    text_ += (value ? QStringLiteral("True") : QStringLiteral("False")) + lineEnd;
}

void FieldWriter::rawLine(const QString& text)
{
    text_ += text + lineEnd;
}

void FieldWriter::quotedLine(const QString& text)
{
    QString quoted = text;
    if (quoted.contains(QLatin1Char('"'))) {
        quoted.replace(QLatin1Char('"'), QChar(0x201D));
        quotesReplaced_ = true;
    }
    text_ += QLatin1Char('"') + quoted + QLatin1Char('"') + lineEnd;
}
