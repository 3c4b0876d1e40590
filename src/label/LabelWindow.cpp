// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabelWindow.h"

#include "AboutPicture.h"
#include "CenterWindow.h"
#include "FileDrop.h"
#include "LabelRenderer.h"
#include "LabelSheet.h"
#include "LabelSheetDialog.h"
#include "PictureDrop.h"
#include "PrintOutput.h"
#include "RecentFiles.h"
#include "SheetWidget.h"
#include "TextEditorDialog.h"
#include "Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

namespace {

// The window as it was drawn, in twips: the drawing area's width and a little more, and the
// toolbar's height plus this much for the menus, the drawing and the row under it.
constexpr double windowWidth = 6795;
constexpr double heightBelowToolbar = 8000;
// The window stands this much up and left of the screen's centre.
constexpr double offCentre = 120;
// Between the drawing and the row of the cancel button and the about picture, in pixels.
constexpr int rowGap = 8;

} // namespace

LabelWindow::LabelWindow(Prompter* prompter, Services services, QWidget* parent)
    : QMainWindow(parent), qtPrompter_(this), prompter_(prompter ? *prompter : qtPrompter_),
      services_(std::move(services)), context_(prompter_), menus_(this), files_(context_),
      texts_(context_.selection, prompter_,
             [this](const QString& caption) {
                 // The editor works on this window's selection.
                 return TextEditorDialog::edit(caption, true, prompter_, this, services_.showAbout);
             }),
      formatting_(context_.selection, prompter_), pictures_(context_, this)
{
    setObjectName(QStringLiteral("FrmETICD"));
    setWindowFlag(Qt::Window);
    setWindowModality(Qt::ApplicationModal);
    setWindowIcon(QIcon(QStringLiteral(":/icons/jaskelcd.svg")));

    toolBar_ = addToolBar(QStringLiteral("Barre d'outils"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(20, 20));
    menus_.layOut(menuBar(), toolBar_);
    buildDrawingArea();
    output_ =
        std::make_unique<PrintOutput>(prompter_, *cancelPrintButton_, this, services_.printer);

    wireHistory();
    wireFileCommands();
    wireTextCommands();
    wirePictureCommands();
    wireOutputCommands();
    wireRecentFilesAndDrops();

    menus_.quality[3]->setChecked(true);
    output_->setQuality(3);
    placeOnScreen();
    refresh();
}

LabelWindow::~LabelWindow() = default;

QPrinter& LabelWindow::printer()
{
    return output_->printer();
}

void LabelWindow::buildDrawingArea()
{
    auto* area = new QWidget(this);
    setCentralWidget(area);
    SheetWidget::Drawing drawing{[] { return CdLabelDocument::discArea.size(); },
                                 [this](QPaintDevice& device) {
                                     LabelRenderer::render(device, context_.label, &context_.marks);
                                 }};
    drawing_ = new SheetWidget(context_.selection, 0, std::move(drawing), area);
    drawing_->placeAt(QPointF(0, 0));
    connect(drawing_, &SheetWidget::elementDoubleClicked, this, [this](const ElementRef& element) {
        texts_.doubleClick(element);
        refresh();
    });
    connect(drawing_, &SheetWidget::contextMenuRequested, this,
            [this](const QPoint& at) { menus_.textMenu->popup(at); });

    // Under the drawing: the cancel button while output runs, and the program's picture.
    const int rowTop = drawing_->geometry().bottom() + rowGap;
    cancelPrintButton_ = new QPushButton(QStringLiteral("Annuler l'impression"), area);
    cancelPrintButton_->setObjectName(QStringLiteral("cmdNoPrint"));
    cancelPrintButton_->adjustSize();
    cancelPrintButton_->move(rowGap, rowTop);
    QToolButton* about = makeAboutPicture(area, services_.showAbout);
    about->setObjectName(QStringLiteral("imgAbout"));
    about->adjustSize();
    about->move(drawing_->geometry().right() - about->width(), rowTop);
}

void LabelWindow::placeOnScreen()
{
    const double pixelsPerTwip = Twips::toDevice(*drawing_).m11();
    const int toolbarHeight = toolBar_->sizeHint().height();
    resize(int(std::lround(windowWidth * pixelsPerTwip)),
           toolbarHeight + int(std::lround(heightBelowToolbar * pixelsPerTwip)));
    CenterWindow(this);
    const int shift = int(std::lround(offCentre * pixelsPerTwip));
    move(pos() - QPoint(shift, shift));
}

void LabelWindow::wire(QAction* action, std::function<void()> command)
{
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
        command();
        refresh();
    });
}

void LabelWindow::wireHistory()
{
    menus_.history.follow(context_.history);
    connect(&context_.history, &DocumentHistory::changed, this, &LabelWindow::refresh);
    connect(&context_.history, &DocumentHistory::restored, this,
            [this] { context_.selection.EndDrag(); });
}

void LabelWindow::wireFileCommands()
{
    for (QAction* action : {menus_.open, menus_.openButton})
        wire(action, [this] { files_.Open(); });
    for (QAction* action : {menus_.newLabel, menus_.newButton})
        wire(action, [this] { files_.New(); });
    for (QAction* action : {menus_.saveJket, menus_.saveButton})
        wire(action, [this] { files_.SaveAs(); });
    for (QAction* action : {menus_.close, menus_.closeButton})
        wire(action, [this] { close(); });

    for (QAction* action : {menus_.help, menus_.helpButton}) {
        action->setEnabled(bool(services_.showHelp));
        wire(action, [this] { services_.showHelp(this); });
    }
    menus_.about->setEnabled(bool(services_.showAbout));
    wire(menus_.about, [this] { services_.showAbout(); });
}

void LabelWindow::wireTextCommands()
{
    for (QAction* action : {menus_.insertText, menus_.insertButton})
        wire(action, [this] { insertText(); });
    for (QAction* action : {menus_.edit, menus_.editButton})
        wire(action, [this] { texts_.edit(); });
    wire(menus_.deleteText, [this] { texts_.deleteSelection(); });
    for (QAction* action : {menus_.font, menus_.fontButton})
        wire(action, [this] { formatting_.font(); });
    for (QAction* action : {menus_.colour, menus_.colourButton})
        wire(action, [this] { formatting_.colour(); });
    wire(menus_.backTransparent, [this] { formatting_.backColour(0); });
    wire(menus_.backChange, [this] { formatting_.backColour(1); });
    wire(menus_.borderNone, [this] { formatting_.border(0); });
    wire(menus_.borderSingle, [this] { formatting_.border(1); });
    for (int entry = 0; entry < int(menus_.align.size()); ++entry)
        wire(menus_.align[std::size_t(entry)], [this, entry] { formatting_.textAlignment(entry); });
}

void LabelWindow::wirePictureCommands()
{
    wire(menus_.pictureFromFile, [this] { pictures_.fromFile(); });
    wire(menus_.pictureFromScanner, [this] { pictures_.fromScanner(); });
    wire(menus_.pictureFromClipboard, [this] { pictures_.fromClipboard(); });
    wire(menus_.deletePicture, [this] { pictures_.deletePicture(); });
    wire(menus_.labelColour, [this] { pictures_.labelColour(); });
    for (QMenu* menu : {menus_.pictureMenu, menus_.insertPictureMenu})
        connect(menu, &QMenu::aboutToShow, this, &LabelWindow::refresh);
}

void LabelWindow::wireOutputCommands()
{
    for (QAction* action : {menus_.print, menus_.printButton})
        wire(action, [this] { Print(); });
    for (int entry = 0; entry < int(menus_.quality.size()); ++entry)
        wire(menus_.quality[std::size_t(entry)], [this, entry] { output_->setQuality(entry); });
    wire(menus_.printerSetup, [this] { output_->printerSetup(); });
    wire(menus_.calibratePrinter, [this] { output_->calibratePrinter(); });
    wire(menus_.calibrationPage, [this] {
        context_.selection.EndDrag();
        output_->printCalibrationPage();
    });
    wire(menus_.labelSheet, [this] { chooseLabelSheet(); });
    wire(menus_.copy, [this] { copy(); });
    wire(menus_.saveBmp, [this] { exportBmp(); });
}

void LabelWindow::wireRecentFilesAndDrops()
{
    recentFiles_ = new RecentFiles(QStringLiteral("LabelWindow"), menus_.fileMenu, prompter_, this);
    files_.fileUsed = [this](const QString& path) { recentFiles_->add(path); };
    connect(recentFiles_, &RecentFiles::fileChosen, this, &LabelWindow::openFile);

    // A label file opens wherever it is dropped; a picture becomes the label's over its drawing.
    const auto isLabel = [](const QString& path) {
        return FileDrop::hasSuffix(path, QStringLiteral("jket"));
    };
    new FileDrop(
        this,
        [isLabel](const QString& path) {
            return isLabel(path) || PictureDrop::isPictureFile(path);
        },
        [this, isLabel](const QString& path, const QPoint& position,
                        Qt::KeyboardModifiers) -> FileDrop::Action {
            if (isLabel(path))
                return [this, path] { openFile(path); };
            if (PictureDrop::isPictureFile(path) &&
                drawing_->rect().contains(drawing_->mapFrom(this, position)))
                return [this, path] {
                    pictures_.dropPicture(path);
                    refresh();
                };
            return {};
        });
}

void LabelWindow::refresh()
{
    setWindowTitle(QStringLiteral("Jaskel CD : ") + context_.fileName);
    menus_.deletePicture->setEnabled(context_.label.hasPictureFile());
    drawing_->update();
}

void LabelWindow::showWindow()
{
    refresh();
    show();
    raise();
    activateWindow();
}

bool LabelWindow::openFile(const QString& path)
{
    if (!files_.settleUnsavedChanges())
        return false;
    const bool read = files_.openFile(path);
    refresh();
    return read;
}

bool LabelWindow::createLabel(const Album& album)
{
    const bool created = files_.createLabel(album);
    refresh();
    return created;
}

bool LabelWindow::mayEndProgram()
{
    return files_.settleUnsavedChanges();
}

void LabelWindow::insertText()
{
    DocumentHistory::Edit edit(context_.history, QStringLiteral("l'insertion du texte"));
    TextElement& text = context_.label.insertText();
    context_.selection.pressElement(LabelSurface::text(text.index));
    context_.selection.Select();
}

void LabelWindow::Print()
{
    // On label stock, the confirmation names the sheet and the places.
    const LabelSheetChoice choice = LabelSheetChoice::remembered();
    const LabelSheet* sheet = choice.labelSheet();
    QString what = QStringLiteral("Impression de l'étiquette du CD");
    if (sheet)
        what += QStringLiteral("\r\n") + choice.description();
    if (!output_->confirmed(what))
        return;
    context_.selection.EndDrag();
    PrintOutput::Page page;
    page.jobName = QStringLiteral("Jaskel CD : Etiquette CD");
    page.paint = [this, choice, sheet](QPainter& painter) {
        if (sheet)
            LabelRenderer::paintOnSheet(painter, context_.label, *sheet, choice.places(),
                                        output_->printableArea().topLeft());
        else
            LabelRenderer::paintPrinted(painter, context_.label);
    };
    page.picture = [this] { return LabelRenderer::image(context_.label, int(Twips::screenDpi)); };
    output_->output({page}, output_->copyOrExportInProgress(), QPageLayout::Portrait,
                    sheet ? sheet->pageSize() : QPageSize());
}

void LabelWindow::chooseLabelSheet()
{
    LabelSheetDialog dialog(LabelSheetChoice::remembered(), this);
    if (dialog.exec() == QDialog::Accepted)
        dialog.choice().remember();
}

void LabelWindow::copy()
{
    output_->copy([this] { Print(); });
}

void LabelWindow::exportBmp()
{
    output_->exportBmp([this] { Print(); },
                       QStringLiteral("Enregistrer étiquette CD au format image BMP"),
                       QStringLiteral("Image Etiquette CD"));
}

void LabelWindow::closeEvent(QCloseEvent* event)
{
    // Hidden, the window is being closed because the program ends, which asked already.
    if (isVisible() && !files_.settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    context_.selection.EndDrag();
    // Accepted, the window is hidden, not destroyed: the label stays for the next opening.
    event->accept();
}
