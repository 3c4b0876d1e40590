// SPDX-License-Identifier: GPL-3.0-or-later
// The text editor's file insertion on any bytes: a text with CR LF line breaks, or a refusal.
#include "FuzzSupport.h"
#include "TextFileLoader.h"

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString input = inputPath(QStringLiteral("pistes.txt"));
    writeInput(input, data, size);

    const TextFileLoader::Result result = TextFileLoader::load(input);
    if (qint64(size) >= TextFileLoader::sizeLimit) {
        require(result.status == TextFileLoader::Result::Status::TooLarge,
                "a file of the size limit or more is refused");
        return 0;
    }
    require(result.status == TextFileLoader::Result::Status::Loaded, "a small file is read");
    // Every line break is CR LF: no CR without its LF, no LF without its CR.
    const QString& text = result.text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r')
            require(i + 1 < text.size() && text[i + 1] == u'\n', "a CR is followed by LF");
        else if (text[i] == u'\n')
            require(i > 0 && text[i - 1] == u'\r', "an LF follows a CR");
    }
    return 0;
}
