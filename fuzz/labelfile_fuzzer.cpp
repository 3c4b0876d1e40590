// SPDX-License-Identifier: GPL-3.0-or-later
// The .jket reader on any bytes: it either rebuilds a label that saves and opens again to the
// same file and paints, or says "Erreur lors de l'ouverture du fichier !".
#include "CdLabelDocument.h"
#include "FuzzSupport.h"
#include "LabelFile.h"
#include "LabelRenderer.h"

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkDocumentReader<CdLabelDocument>(
        data, size, QStringLiteral("jket"), &LabelFile::open, &LabelFile::save,
        [](const CdLabelDocument& label) { LabelRenderer::image(label, 12); });
    return 0;
}
