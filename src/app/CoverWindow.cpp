// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverWindow.h"

#include "AboutBox.h"
#include "AudioFileTags.h"
#include "AudioFilesImport.h"
#include "CatalogueImport.h"
#include "CenterWindow.h"
#include "CoverView.h"
#include "FileDrop.h"
#include "HelpWindow.h"
#include "ImageOptionsDialog.h"
#include "LabelWindow.h"
#include "PictureDrop.h"
#include "PictureExport.h"
#include "RecentFiles.h"
#include "SheetWidget.h"
#include "Twips.h"
#include "VerticalTextDrawing.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <cmath>

namespace {
// The window is this much higher than its menu bar and toolbar.
constexpr double workingAreaHeight = 8100;
} // namespace

CoverWindow::CoverWindow(Prompter* prompter, QWidget* parent)
    : QMainWindow(parent), qtPrompter_(this), prompter_(prompter ? prompter : &qtPrompter_),
      context_(std::make_unique<CoverContext>(document_, *prompter_)),
      menus_(std::make_unique<MainMenus>(this))
{
    setObjectName(QStringLiteral("frmJewelCase"));
    setWindowTitle(QStringLiteral("Jaskel CD : Nouveau"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/jaskelcd.svg")));
    view_ = new CoverView(*context_, this);
    setCentralWidget(view_);

    toolBar_ = addToolBar(QStringLiteral("Barre d'outils"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(20, 20));
    menus_->layOut(menuBar(), toolBar_);
    // Ctrl+A belongs to no menu entry; the window takes it.
    addAction(menus_->text.alignKey);

    editing_ = new EditingCommands(this, *context_, menus_->text, [this] { showAbout(); });
    connect(editing_, &EditingCommands::coverChanged, this, &CoverWindow::refreshCover);
    for (int sheet = 0; sheet < JewelCaseDocument::sheetCount; ++sheet) {
        SheetWidget* widget = view_->sheet(sheet);
        connect(widget, &SheetWidget::elementDoubleClicked, this,
                [this](const ElementRef& element) {
                    editing_->texts().doubleClick(element);
                    refreshCover();
                });
        connect(widget, &SheetWidget::contextMenuRequested, this,
                [this](const QPoint& at) { menus_->textMenu->popup(at); });
    }
    wireViews();
    wireHistory();
    connect(menus_->windows.about, &QAction::triggered, this, &CoverWindow::showAbout);
    menus_->windows.imageOptions->setEnabled(true);
    connect(menus_->windows.imageOptions, &QAction::triggered, this,
            &CoverWindow::showImageOptions);
    wirePictureExports();
    wireFileCommands();
    wireOutputCommands();
    wireRecentFilesAndDrops();
}

CoverWindow::~CoverWindow() = default;

double CoverWindow::pixelsPerTwip() const
{
    return Twips::toDevice(*view_).m11();
}

void CoverWindow::wireHistory()
{
    CoverHistory& history = context_->history;
    menus_->history.follow(history);
    // The sheets show every change of the cover, whichever command made it.
    connect(&history, &DocumentHistory::changed, this, &CoverWindow::refreshCover);
    // What was selected may be gone or elsewhere in the cover put back.
    connect(&history, &DocumentHistory::restored, this, [this] { context_->selection.EndDrag(); });
}

void CoverWindow::wireViews()
{
    const ViewActions& view = menus_->view;
    for (int entry = 0; entry < int(view.show.size()); ++entry)
        connect(view.show[std::size_t(entry)], &QAction::triggered, this,
                [this, entry] { ShowView(entry); });
    connect(view.rectoVersoButton, &QAction::triggered, this,
            [this] { ShowView(FaceViews::RectoVerso); });
    connect(view.dosButton, &QAction::triggered, this, [this] { ShowView(FaceViews::Dos); });
}

void CoverWindow::wirePictureExports()
{
    const std::array<QAction*, 4>& entries = menus_->output.savePicture;
    for (int entry = 0; entry < int(entries.size()); ++entry) {
        connect(entries[std::size_t(entry)], &QAction::triggered, this, [this, entry] {
            // The cover names the picture's new file.
            DocumentHistory::Edit edit(context_->history,
                                       QStringLiteral("l'enregistrement de l'image"));
            PictureExport::SavePictureAsBmp(document_, entry,
                                            PictureExport::pictureOf(document_, entry), *prompter_,
                                            lastPicturePath_);
        });
    }
    // An entry is offered only for a picture the cover holds.
    connect(menus_->fileMenu, &QMenu::aboutToShow, this, [this] {
        const std::array<QAction*, 4>& entries = menus_->output.savePicture;
        for (int entry = 0; entry < int(entries.size()); ++entry)
            entries[std::size_t(entry)]->setEnabled(
                !PictureExport::pictureOf(document_, entry).isNull());
    });
}

void CoverWindow::wireCommand(QAction* action, const std::function<void()>& command)
{
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [this, command] {
        command();
        refreshCover();
    });
}

void CoverWindow::wireFileCommands()
{
    CoverFileCommands::Hooks hooks;
    hooks.setTitle = [this](const QString& title) { setWindowTitle(title); };
    hooks.showView = [this](int entry) { ShowView(entry); };
    hooks.applyView = [this](const ViewState& state) { applyView(state); };
    hooks.fileUsed = [this](const QString& path) { recentFiles_->add(path); };
    hooks.albumImported = [this](const Album& album) { albumKnown(album); };
    files_ = std::make_unique<CoverFileCommands>(*context_, lastPicturePath_, std::move(hooks));
    const FileActions& file = menus_->file;
    for (QAction* open : {file.open, file.openButton})
        wireCommand(open, [this] { files_->Open(); });
    for (QAction* newCover : {file.newCover, file.newButton})
        wireCommand(newCover, [this] { files_->New(); });
    for (QAction* save : {file.saveJkcd, file.saveButton})
        wireCommand(save, [this] { files_->SaveAs(); });
    for (QAction* quitAction : {file.quit, file.quitButton})
        wireCommand(quitAction, [this] { quit(); });
    menus_->windows.help->setEnabled(true);
    connect(menus_->windows.help, &QAction::triggered, this,
            [this] { HelpWindow::showHelp(this); });
    menus_->windows.label->setEnabled(true);
    connect(menus_->windows.label, &QAction::triggered, this, &CoverWindow::showLabelWindow);
    audioImport_ = new AudioFilesImport(
        *prompter_, *menus_->file.importAudio, [this](const Album& album) { albumRead(album); },
        this);
    connect(menus_->file.createCover, &QAction::triggered, this, [this] {
        if (album_)
            createCover(*album_);
    });
    connect(menus_->file.createLabel, &QAction::triggered, this, [this] {
        if (album_)
            createLabel(*album_);
    });
    menus_->windows.cddb->setEnabled(true);
    connect(menus_->windows.cddb, &QAction::triggered, this, [this] {
        LookupWindow::Services services =
            lookupServices_ ? *lookupServices_ : LookupWindow::Services::system();
        services.createCover = [this](const Album& album) { return createCover(album); };
        services.createLabel = [this](const Album& album) { return createLabel(album); };
        LookupWindow::open(this, *prompter_, std::move(services));
    });
}

void CoverWindow::wireRecentFilesAndDrops()
{
    recentFiles_ =
        new RecentFiles(QStringLiteral("CoverWindow"), menus_->fileMenu, *prompter_, this);
    connect(recentFiles_, &RecentFiles::fileChosen, this, [this](const QString& path) {
        files_->Open(path);
        refreshCover();
    });

    // A cover file opens wherever it is dropped; a picture goes to the face under the pointer,
    // as its background, or with Ctrl as the logo shown there.
    const auto isCover = [](const QString& path) {
        return FileDrop::hasSuffix(path, QStringLiteral("jkcd"));
    };
    auto* drop = new FileDrop(
        this,
        [isCover](const QString& path) {
            return isCover(path) || PictureDrop::isPictureFile(path);
        },
        [this, isCover](const QString& path, const QPoint& position,
                        Qt::KeyboardModifiers modifiers) -> FileDrop::Action {
            if (isCover(path))
                return [this, path] {
                    files_->Open(path);
                    refreshCover();
                };
            const int face = view_->faceAt(view_->mapFrom(this, position));
            if (!PictureDrop::isPictureFile(path) || !Face::isValid(face))
                return {};
            const bool asLogo = modifiers & Qt::ControlModifier;
            return [this, path, face, asLogo] {
                if (PictureDrop::dropPictureOnFace(*context_, face, path, asLogo))
                    lastPicturePath_ = path;
                // As after the image options: a logo placed under the selection keeps its frame.
                if (context_->selection.frameShown())
                    context_->selection.Select();
                refreshCover();
            };
        });
    // Folders and audio files, one or several, are read as "Importer depuis des fichiers audio"
    // reads a folder.
    drop->takeGroups([this](const QStringList& paths) -> FileDrop::Action {
        for (const QString& path : paths)
            if (!QFileInfo(path).isDir() && !AudioFileTags::isAudioFileName(path))
                return {};
        return [this, paths] { audioImport_->read(paths); };
    });
}

LabelWindow* CoverWindow::showLabelWindow()
{
    if (!labelWindow_) {
        LabelWindow::Services services;
        // One printer for the program: "Configurer l'imprimante" of either window sets it.
        services.printer = [this]() -> QPrinter& { return output_->printer(); };
        services.showAbout = [this] { showAbout(); };
        services.showHelp = [](QWidget* owner) { HelpWindow::showHelp(owner); };
        // The program's own dialogs are the label window's, over it; a test's answers are
        // the same for both windows.
        labelWindow_ = new LabelWindow(prompter_ == &qtPrompter_ ? nullptr : prompter_,
                                       std::move(services), this);
    }
    labelWindow_->showWindow();
    return labelWindow_;
}

bool CoverWindow::createCover(const Album& album)
{
    const bool created = files_->createCover(album);
    refreshCover();
    return created;
}

bool CoverWindow::createLabel(const Album& album)
{
    return showLabelWindow()->createLabel(album);
}

bool CoverWindow::openLabel(const QString& path)
{
    return showLabelWindow()->openFile(path);
}

void CoverWindow::albumRead(const Album& album)
{
    albumKnown(album);
    createCover(album);
}

void CoverWindow::albumKnown(const Album& album)
{
    album_ = album;
    // The entries name the album they fill from.
    const QString named = album.name(QStringLiteral(" - "));
    for (QAction* entry : {menus_->file.createCover, menus_->file.createLabel}) {
        entry->setEnabled(true);
        entry->setStatusTip(named);
        entry->setToolTip(named);
    }
}

void CoverWindow::wireOutputCommands()
{
    cancelPrintButton_ = new QPushButton(QStringLiteral("Annuler l'impression"), this);
    cancelPrintButton_->setObjectName(QStringLiteral("cmdNoPrint"));
    cancelPrintButton_->adjustSize();
    output_ = new OutputCommands(*context_, *cancelPrintButton_, this,
                                 [this](int entry) { ShowView(entry); });
    // The window's, so that it goes with the window (after the button its printing shows).
    output_->setParent(this);
    connect(output_, &OutputCommands::sheetOutput, this, [this] { refreshCover(); });
    const OutputActions& output = menus_->output;
    wireCommand(output.printAll, [this] { output_->Print(OutputCommands::AllSheets); });
    for (QAction* action : {output.printRectoVerso, output.printRectoVersoButton})
        wireCommand(action, [this] { output_->Print(OutputCommands::RectoVerso); });
    for (QAction* action : {output.printDos, output.printDosButton})
        wireCommand(action, [this] { output_->Print(OutputCommands::Dos); });
    wireCommand(output.printerSetup, [this] { output_->printerSetup(); });
    wireCommand(output.calibratePrinter, [this] { output_->calibratePrinter(); });
    wireCommand(output.calibrationPage, [this] { output_->printCalibrationPage(); });
    for (int entry = 0; entry < int(output.quality.size()); ++entry)
        wireCommand(output.quality[std::size_t(entry)],
                    [this, entry] { output_->setQuality(entry); });
    wireCommand(output.copyRectoVerso, [this] { output_->copy(0); });
    wireCommand(output.copyDos, [this] { output_->copy(1); });
    wireCommand(output.saveBmpRectoVerso, [this] { output_->exportSheet(RectoSheet); });
    wireCommand(output.saveBmpDos, [this] { output_->exportSheet(DosSheet); });
}

void CoverWindow::quit()
{
    if (!files_->Quit())
        return;
    quitting_ = true;
    close();
}

void CoverWindow::startUp(const QString& commandLinePath)
{
    context_->screen.setBarsVisible(menus_->text.showBar->isChecked());
    ShowView(FaceViews::RectoVerso);
    files_->importRecord(CatalogueImport::startUpRecordFile());
    // The cover as the program starts is no change of the user's.
    context_->history.restart();
    menus_->output.quality[3]->setChecked(true);
    output_->setQuality(3);

    const double toolbarTwips =
        (menuBar()->sizeHint().height() + toolBar_->sizeHint().height()) / pixelsPerTwip();
    resize(width(), int(std::lround((toolbarTwips + workingAreaHeight) * pixelsPerTwip())));
    started_ = true;
    centreOnScreen();
    refreshCover();

    if (!commandLinePath.isEmpty())
        files_->openFile(commandLinePath);
}

void CoverWindow::ShowView(int entry)
{
    if (const std::optional<ViewState> state = FaceViews::ShowView(*context_, entry))
        applyView(*state);
}

void CoverWindow::applyView(const ViewState& state)
{
    const ViewActions& view = menus_->view;
    const TextActions& text = menus_->text;
    view.rectoVersoButton->setChecked(state.rectoVersoPressed);
    view.dosButton->setChecked(state.dosPressed);
    text.insertRectoButton->setEnabled(state.insertRectoEnabled);
    text.insertVersoButton->setEnabled(state.insertVersoEnabled);
    text.insertDosButton->setEnabled(state.insertDosEnabled);

    text.insertOn[0]->setText(state.insertEntry0);
    text.alignOn[0]->setText(state.alignEntry0);
    text.spaceOn[0]->setText(state.spaceEntry0);
    for (QAction* entry : {text.insertOn[1], text.alignOn[1], text.spaceOn[1]})
        entry->setVisible(state.entry1Visible);

    if (state.sheetSwitched)
        resize(int(std::lround(state.windowWidth * pixelsPerTwip())), height());
    refreshCover();
}

void CoverWindow::refreshCover()
{
    view_->refresh();
}

void CoverWindow::centreOnScreen()
{
    if (started_)
        CenterWindow(this);
}

void CoverWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // The cancel button stands under the faces, where the captions leave room.
    if (cancelPrintButton_)
        cancelPrintButton_->move(8, height() - cancelPrintButton_->height() - 8);
    centreOnScreen();
}

void CoverWindow::closeEvent(QCloseEvent* event)
{
    // The window's own close button asks about unsaved work, as "&Quitter" does.
    if (!quitting_ && !files_->mayClose()) {
        event->ignore();
        return;
    }
    // The label lives as long as the program: its unsaved changes are asked about too.
    if (labelWindow_ && !labelWindow_->mayEndProgram()) {
        quitting_ = false;
        event->ignore();
        return;
    }
    context_->selection.EndDrag();
    for (Face& face : document_.faces)
        face.unloadTexts();
    event->accept();
    // Closing the cover window ends the program, with every other window.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this)
            window->close();
    }
}

void CoverWindow::showImageOptions()
{
    DocumentHistory::Edit edit(context_->history, QStringLiteral("les options d'images"));
    ImageOptionsDialog dialog(*context_, lastPicturePath_, this, [this] { showAbout(); });
    dialog.exec();
    // A logo placed under the selection keeps its frame around it.
    if (context_->selection.frameShown())
        context_->selection.Select();
    refreshCover();
}

void CoverWindow::showAbout()
{
    AboutBox about(this);
    about.exec();
}
