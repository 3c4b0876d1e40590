#include "TextEncoding.h"

#include <QStringDecoder>
#include <array>
#include <optional>

namespace TextEncoding {

namespace {

// 0x80 to 0x9F; the five unassigned positions keep their C1 control value.
constexpr std::array<char16_t, 32> high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> windows1252Byte(QChar character)
{
    const char16_t code = character.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return char(code);
    for (std::size_t i = 0; i < high.size(); ++i) {
        if (high[i] == code)
            return char(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QString fromWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text.append(value >= 0x80 && value < 0xA0 ? QChar(high[value - 0x80]) : QChar(value));
    }
    return text;
}

QByteArray toWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar character : text)
        bytes.append(windows1252Byte(character).value_or('?'));
    return bytes;
}

bool fitsWindows1252(const QString& text)
{
    for (const QChar character : text) {
        if (!windows1252Byte(character))
            return false;
    }
    return true;
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    return fromWindows1252(bytes);
}

QByteArray encode(const QString& text)
{
    if (fitsWindows1252(text)) {
        // Bytes that happen to be valid UTF-8 ("Â©" is C2 A9, "©" in UTF-8) would be read
        // back as UTF-8, another text: those are written in UTF-8 too.
        QByteArray bytes = toWindows1252(text);
        if (decode(bytes) == text)
            return bytes;
    }
    return text.toUtf8();
}

QString withLf(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return plain;
}

QString withCrLf(const QString& text)
{
    QString crLf = withLf(text);
    crLf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return crLf;
}

} // namespace TextEncoding
