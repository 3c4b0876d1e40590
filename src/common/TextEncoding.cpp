// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextEncoding.h"

#include <QStringDecoder>
#include <array>
#include <cerrno>
#include <iconv.h>

namespace {

// Lower-case ISO 639 languages by the Windows code page of their script; anything else is
// Western (1252).
struct LanguageCodePage {
    const char* language;
    int codePage;
};
constexpr LanguageCodePage languageCodePages[] = {
    {"cs", 1250}, {"hu", 1250}, {"pl", 1250}, {"sk", 1250}, {"sl", 1250}, {"hr", 1250},
    {"bs", 1250}, {"ro", 1250}, {"sq", 1250}, {"ru", 1251}, {"uk", 1251}, {"be", 1251},
    {"bg", 1251}, {"mk", 1251}, {"sr", 1251}, {"kk", 1251}, {"ky", 1251}, {"tg", 1251},
    {"tt", 1251}, {"mn", 1251}, {"ba", 1251}, {"el", 1253}, {"tr", 1254}, {"az", 1254},
    {"he", 1255}, {"iw", 1255}, {"yi", 1255}, {"ar", 1256}, {"fa", 1256}, {"ur", 1256},
    {"et", 1257}, {"lv", 1257}, {"lt", 1257}, {"vi", 1258}, {"th", 874},  {"ja", 932},
    {"zh", 936},  {"ko", 949},
};

// The name iconv knows a code page by.
QByteArray iconvName(int codePage)
{
    return "CP" + QByteArray::number(codePage);
}

// Converts `input` with iconv from one encoding to another. Nothing when the conversion is
// unknown, or when a sequence cannot be converted and `replacement` is empty; otherwise the
// sequence is skipped a byte at a time and `replacement` put in its place.
std::optional<QByteArray> convert(const QByteArray& input, const QByteArray& to,
                                  const QByteArray& from, const QByteArray& replacement)
{
    iconv_t converter = iconv_open(to.constData(), from.constData());
    if (converter == iconv_t(-1))
        return std::nullopt;
    QByteArray output;
    // Every code page here takes at most four bytes of UTF-8 for one of its bytes.
    QByteArray buffer(4 * input.size() + 16, Qt::Uninitialized);
    char* in = const_cast<char*>(input.constData());
    std::size_t inLeft = std::size_t(input.size());
    bool failed = false;
    while (!failed) {
        char* out = buffer.data();
        std::size_t outLeft = std::size_t(buffer.size());
        const std::size_t done = iconv(converter, inLeft ? &in : nullptr, &inLeft, &out, &outLeft);
        output.append(buffer.constData(), buffer.size() - qsizetype(outLeft));
        if (done != std::size_t(-1)) {
            if (inLeft == 0)
                break;
            continue;
        }
        if (errno == E2BIG)
            continue;
        // An invalid or cut-off sequence.
        if (replacement.isEmpty() || inLeft == 0) {
            failed = replacement.isEmpty();
            break;
        }
        output.append(replacement);
        ++in;
        --inLeft;
    }
    iconv_close(converter);
    if (failed)
        return std::nullopt;
    return output;
}

} // namespace

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

int codePageForLocale(const QString& locale)
{
    // language[_territory][.codeset][@modifier]
    const QString name = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    const QString language = name.section(QLatin1Char('_'), 0, 0).toLower();
    const QString territory = name.section(QLatin1Char('_'), 1, 1).toUpper();
    if (language == QLatin1String("zh") &&
        (territory == QLatin1String("TW") || territory == QLatin1String("HK") ||
         territory == QLatin1String("MO")))
        return 950;
    // Serbian, Uzbek and Azeri are written in Latin or Cyrillic letters.
    const bool latin = locale.contains(QLatin1String("@latin"));
    if (language == QLatin1String("sr") && latin)
        return 1250;
    if (language == QLatin1String("uz"))
        return locale.contains(QLatin1String("@cyrillic")) ? 1251 : 1254;
    for (const LanguageCodePage& entry : languageCodePages) {
        if (language == QLatin1String(entry.language))
            return entry.codePage;
    }
    return 1252;
}

int systemCodePage()
{
    static const int codePage = [] {
        for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const QString locale = qEnvironmentVariable(variable);
            if (!locale.isEmpty())
                return codePageForLocale(locale);
        }
        return 1252;
    }();
    return codePage;
}

QString fromCodePage(const QByteArray& bytes, int codePage)
{
    if (codePage == 1252)
        return fromWindows1252(bytes);
    const std::optional<QByteArray> utf8 =
        convert(bytes, "UTF-8", iconvName(codePage), QString(QChar::ReplacementCharacter).toUtf8());
    return utf8 ? QString::fromUtf8(*utf8) : fromWindows1252(bytes);
}

std::optional<QByteArray> toCodePage(const QString& text, int codePage)
{
    if (codePage == 1252)
        return fitsWindows1252(text) ? std::optional(toWindows1252(text)) : std::nullopt;
    return convert(text.toUtf8(), iconvName(codePage), "UTF-8", {});
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
    return fromCodePage(bytes, systemCodePage());
}

QByteArray encode(const QString& text)
{
    // Bytes that happen to be valid UTF-8 ("Â©" in 1252 is C2 A9, "©" in UTF-8) would be read
    // back as UTF-8, another text: those are written in UTF-8 too.
    if (const std::optional<QByteArray> bytes = toCodePage(text, systemCodePage());
        bytes && decode(*bytes) == text)
        return *bytes;
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
