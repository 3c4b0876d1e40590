// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldReader.h"

#include <QLocale>
#include <cmath>

namespace {

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

void FieldReader::skipBlanks()
{
    while (at(QLatin1Char(' ')) || at(QLatin1Char('\t')))
        ++position_;
}

void FieldReader::skipLineBreaks()
{
    while (position_ < text_.size() &&
           (isLineBreak(text_[position_]) || text_[position_] == QLatin1Char(' ') ||
            text_[position_] == QLatin1Char('\t')))
        ++position_;
}

void FieldReader::endField()
{
    skipBlanks();
    if (at(QLatin1Char(','))) {
        ++position_;
        return;
    }
    if (at(QLatin1Char('\r')))
        ++position_;
    if (at(QLatin1Char('\n')))
        ++position_;
}

QStringView FieldReader::token()
{
    // Numbers may follow a line that ended after spaces (" 2  1  1 " then CR LF): blank
    // lines and line ends before a number are no field of their own.
    skipLineBreaks();
    const qsizetype start = position_;
    while (position_ < text_.size() && text_[position_] != QLatin1Char(' ') &&
           text_[position_] != QLatin1Char('\t') && text_[position_] != QLatin1Char(',') &&
           !isLineBreak(text_[position_]))
        ++position_;
    return QStringView(text_).mid(start, position_ - start);
}

std::optional<double> FieldReader::number()
{
    bool ok = false;
    const double value = QLocale::c().toDouble(token(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    endField();
    return value;
}

std::optional<bool> FieldReader::boolean()
{
    const QStringView word = token();
    bool value = false;
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        value = true;
    } else if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) != 0) {
        bool ok = false;
        const double number = QLocale::c().toDouble(word, &ok);
        if (!ok || !std::isfinite(number))
            return std::nullopt;
        value = number != 0;
    }
    endField();
    return value;
}

std::optional<qint64> FieldReader::integer(qint64 minimum, qint64 maximum)
{
    const std::optional<double> value = number();
    if (!value)
        return std::nullopt;
    const double rounded = std::round(*value);
    if (rounded < double(minimum) || rounded > double(maximum))
        return std::nullopt;
    return qint64(rounded);
}

std::optional<QString> FieldReader::text()
{
    skipBlanks();
    if (atEnd())
        return std::nullopt;
    if (at(QLatin1Char('"'))) {
        const qsizetype close = text_.indexOf(QLatin1Char('"'), position_ + 1);
        if (close < 0)
            return std::nullopt;
        QString value = text_.mid(position_ + 1, close - position_ - 1);
        position_ = close + 1;
        endField();
        return value;
    }
    const qsizetype start = position_;
    while (position_ < text_.size() && text_[position_] != QLatin1Char(',') &&
           !isLineBreak(text_[position_]))
        ++position_;
    QString value = text_.mid(start, position_ - start);
    endField();
    return value;
}

std::optional<QString> FieldReader::line()
{
    skipBlanks();
    if (atEnd())
        return std::nullopt;
    const qsizetype start = position_;
    while (position_ < text_.size() && !isLineBreak(text_[position_]))
        ++position_;
    QString value = text_.mid(start, position_ - start);
    endField();
    return value;
}
