#include "FieldWriter.h"

namespace {
const QString lineEnd = QStringLiteral("\r\n");
} // namespace

QString FieldWriter::number(qint64 value)
{
    // QString::number ignores the locale: no French decimal comma or digit grouping here.
    return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value) +
           QLatin1Char(' ');
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
