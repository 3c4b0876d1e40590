// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputCommands.h"

#include "CoverContext.h"
#include "FaceViews.h"
#include "JewelCaseDocument.h"
#include "PrintOutput.h"
#include "PrintedSheet.h"
#include "SheetRenderer.h"
#include "Twips.h"

namespace {

// The confirmation of each printing entry.
QString confirmation(int entry)
{
    switch (entry) {
    case OutputCommands::AllSheets:
        return QStringLiteral("Impression du Recto-Verso-Dos");
    case OutputCommands::RectoVerso:
        return QStringLiteral("Impression du Recto-Verso");
    default:
        return QStringLiteral("Impression du Dos");
    }
}

} // namespace

OutputCommands::OutputCommands(CoverContext& context, QPushButton& cancelButton, QWidget* window,
                               std::function<void(int view)> showView)
    : context_(context), showView_(std::move(showView)),
      output_(std::make_unique<PrintOutput>(context.prompter, cancelButton, window))
{
    connect(output_.get(), &PrintOutput::pagePainting, this, &OutputCommands::sheetPainting);
    connect(output_.get(), &PrintOutput::pageOutput, this, &OutputCommands::sheetOutput);
}

OutputCommands::~OutputCommands() = default;

QPrinter& OutputCommands::printer() const
{
    return output_->printer();
}

bool OutputCommands::setQuality(int entry)
{
    return output_->setQuality(entry);
}

void OutputCommands::printerSetup()
{
    output_->printerSetup();
}

void OutputCommands::calibratePrinter()
{
    output_->calibratePrinter();
}

void OutputCommands::printCalibrationPage()
{
    context_.selection.EndDrag();
    output_->printCalibrationPage();
}

void OutputCommands::Print(int entry)
{
    if (entry < DosToClipboard || entry > Dos)
        return;
    const bool toClipboard = entry < 0;
    if (!toClipboard && !output_->confirmed(confirmation(entry)))
        return;
    context_.selection.EndDrag();
    const auto sheetPage = [this](int sheet, int view) {
        PrintOutput::Page page;
        page.number = sheet;
        page.jobName = QStringLiteral("Jaskel CD : ") +
                       (sheet == DosSheet ? QStringLiteral("Dos") : QStringLiteral("Recto Verso"));
        page.show = [this, view] {
            if (showView_)
                showView_(view);
        };
        page.paint = [this, sheet](QPainter& painter) {
            PrintedSheet::paint(painter, context_.document, sheet);
        };
        page.picture = [this, sheet] {
            return SheetRenderer::image(context_.document, sheet, int(Twips::screenDpi));
        };
        return page;
    };
    std::vector<PrintOutput::Page> pages;
    if (entry == AllSheets || entry == Dos || entry == DosToClipboard)
        pages.push_back(sheetPage(DosSheet, FaceViews::Dos));
    if (entry == AllSheets || entry == RectoVerso || entry == RectoToClipboard)
        pages.push_back(sheetPage(RectoSheet, FaceViews::RectoVerso));
    output_->output(pages, toClipboard, QPageLayout::Landscape);
}

void OutputCommands::copy(int entry)
{
    if (entry != 0 && entry != 1)
        return;
    output_->copy([this, entry] { Print(-(entry + 1)); });
}

void OutputCommands::exportSheet(int sheet)
{
    if (sheet != RectoSheet && sheet != DosSheet)
        return;
    const bool recto = sheet == RectoSheet;
    output_->exportBmp([this, recto] { Print(recto ? RectoToClipboard : DosToClipboard); },
                       recto ? QStringLiteral("Enregistrer Recto/Verso au format image BMP")
                             : QStringLiteral("Enregistrer Dos au format image BMP"),
                       recto ? QStringLiteral("Recto Verso") : QStringLiteral("Dos"));
}
