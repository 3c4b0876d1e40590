// SPDX-License-Identifier: GPL-3.0-or-later
#include "CatalogueImport.h"

#include "CatalogueRecord.h"
#include "CoverContext.h"
#include "RecordLayout.h"
#include "SharedProcedures.h"

#include <QCoreApplication>

namespace CatalogueImport {

QString startUpRecordFile()
{
    return WithTrailingBackslash(QCoreApplication::applicationDirPath()) +
           QStringLiteral("Passed.cfg");
}

QString newCoverRecordFile()
{
    return QStringLiteral("x~x.cfg");
}

std::optional<ViewState> ImportCatalogueRecord(CoverContext& context, int face,
                                               const CatalogueRecord& record)
{
    const RecordLayout::Imported imported =
        RecordLayout::importRecord(context.document, face, record);
    switch (imported.placement) {
    case RecordLayout::Placement::Nothing:
    case RecordLayout::Placement::Corner:
        return std::nullopt;
    case RecordLayout::Placement::Columns:
        return FaceViews::ShowView(context, face);
    case RecordLayout::Placement::Spread:
        break;
    }
    // The bar the texts move to is the one the window shows for their face (the Recto sheet's
    // stands on the Recto at start-up, out of the Verso: the texts then keep their place).
    std::optional<ViewState> view = FaceViews::ShowView(context, face);
    RecordLayout::alignOnBar(context.document, face, imported.texts,
                             context.screen.overlays[Face::sheetOf(face)].bar.right());
    return view;
}

std::optional<ViewState> ImportCatalogueRecord(CoverContext& context, int face,
                                               const QString& recordFile)
{
    return ImportCatalogueRecord(context, face, CatalogueRecord::read(recordFile));
}

} // namespace CatalogueImport
