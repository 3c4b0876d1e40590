// SPDX-License-Identifier: GPL-3.0-or-later
// A catalogue record on any bytes, imported on the Verso and the Dos as "--import-record"
// does it: the imported texts stay inside their face, and the cover saves and opens again.
#include "CatalogueImport.h"
#include "CoverContext.h"
#include "CoverFile.h"
#include "FuzzSupport.h"
#include "JewelCaseDocument.h"

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString input = inputPath(QStringLiteral("x~x.cfg"));
    static const QString saved = inputPath(QStringLiteral("fiche.jkcd"));
    writeInput(input, data, size);

    JewelCaseDocument document;
    SilentPrompter prompter;
    CoverContext context(document, prompter);
    for (const int face : {int(Face::Verso), int(Face::Dos)}) {
        CatalogueImport::ImportCatalogueRecord(context, face, input);
        for (const auto& [index, text] : document.faces[std::size_t(face)].texts) {
            if (index > 0)
                require(document.faces[std::size_t(face)].frame.contains(text.rect()),
                        "an imported text stays inside its face");
        }
    }

    require(CoverFile::save(document, saved, prompter), "an imported cover saves");
    JewelCaseDocument reopened;
    require(CoverFile::open(reopened, saved, prompter), "an imported cover opens");
    return 0;
}
