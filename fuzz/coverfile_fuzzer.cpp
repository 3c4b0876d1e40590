// SPDX-License-Identifier: GPL-3.0-or-later
// The .jkcd reader on any bytes: it either rebuilds a cover that saves and opens again to the
// same file and paints, or says "Erreur lors de l'ouverture du fichier !".
#include "CoverFile.h"
#include "FuzzSupport.h"
#include "JewelCaseDocument.h"
#include "SheetRenderer.h"

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkDocumentReader<JewelCaseDocument>(data, size, QStringLiteral("jkcd"), &CoverFile::open,
                                           &CoverFile::save, [](const JewelCaseDocument& cover) {
                                               for (int sheet = 0;
                                                    sheet < JewelCaseDocument::sheetCount; ++sheet)
                                                   SheetRenderer::image(cover, sheet, 12);
                                           });
    return 0;
}
