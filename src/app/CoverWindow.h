// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"
#include "CoverContext.h"
#include "CoverFileCommands.h"
#include "EditingCommands.h"
#include "FaceViews.h"
#include "ImageOptions.h"
#include "JewelCaseDocument.h"
#include "LookupWindow.h"
#include "MainMenus.h"
#include "OutputCommands.h"
#include "QtPrompter.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class AudioFilesImport;
class CoverView;
class LabelWindow;
class QPrinter;
class QPushButton;
class QToolBar;
class RecentFiles;

// The cover window: it holds the cover, lays out its menus and toolbar, and wires the commands
// of each subsystem to them.
class CoverWindow : public QMainWindow {
    Q_OBJECT
public:
    // A null prompter means Qt's own dialogs.
    explicit CoverWindow(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~CoverWindow() override;

    JewelCaseDocument& document() { return document_; }
    CoverContext& context() { return *context_; }
    SelectionController& selection() { return context_->selection; }
    CoverView* coverView() const { return view_; }
    QToolBar* toolBar() const { return toolBar_; }
    const MainMenus& menus() const { return *menus_; }
    Prompter& prompter() { return *prompter_; }
    EditingCommands& editing() { return *editing_; }
    CoverFileCommands& files() { return *files_; }
    OutputCommands& output() { return *output_; }
    QPrinter& printer() { return output_->printer(); }
    QPushButton* cancelPrintButton() const { return cancelPrintButton_; }
    RecentFiles& recentFiles() { return *recentFiles_; }

    // Shows the first view, imports the start-up record, sizes the window and opens the cover
    // file named on the command line, if any.
    void startUp(const QString& commandLinePath = QString());

    void ShowView(int entry);
    // "Options &Images": the modal image options; the cover is painted again after it.
    void showImageOptions();
    // What "Accès base CDDB..." opens the lookup window with: the machine's drives and the
    // public server, unless a test gives others.
    void setLookupServices(LookupWindow::Services services)
    {
        lookupServices_ = std::move(services);
    }
    void refreshCover();
    double pixelsPerTwip() const;

    // "Créer la jaquette" and "Créer l'étiquette" of the lookup window: the cover, or the label
    // in its window (shown), filled from `album` after the unsaved-changes question; false
    // when the user stopped there.
    bool createCover(const Album& album);
    bool createLabel(const Album& album);

    // "&Etiquette CD": the label window, made on first use and kept, hidden, after it closes,
    // so that the label lasts until the program ends.
    LabelWindow* showLabelWindow();
    // The label window on a .jket file (after its unsaved-changes question); false when the
    // file was not read.
    bool openLabel(const QString& path);
    // Null until the label window was first opened.
    LabelWindow* labelWindow() const { return labelWindow_; }

public Q_SLOTS:
    // An album read from a source ("Importer depuis des fichiers audio"): the cover is made
    // from it, and it is the album "Créer la jaquette" and "Créer l'étiquette" use.
    void albumRead(const Album& album);
    // The album of a catalogue record the cover was filled from, for the same entries.
    void albumKnown(const Album& album);
    const std::optional<Album>& album() const { return album_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void wireViews();
    void wireHistory();
    void wirePictureExports();
    // Enables an entry of a subsystem still shown disabled, and paints the cover after it.
    void wireCommand(QAction* action, const std::function<void()>& command);
    void wireFileCommands();
    void wireOutputCommands();
    // The covers last opened or saved, and the files dropped on the window.
    void wireRecentFilesAndDrops();
    void quit();
    void applyView(const ViewState& state);
    void centreOnScreen();
    void showAbout();

    JewelCaseDocument document_;
    QtPrompter qtPrompter_;
    Prompter* prompter_;
    std::unique_ptr<CoverContext> context_;
    std::unique_ptr<MainMenus> menus_;
    CoverView* view_ = nullptr;
    EditingCommands* editing_ = nullptr;
    std::unique_ptr<CoverFileCommands> files_;
    QPushButton* cancelPrintButton_ = nullptr; // "Annuler l'impression", shown while output runs
    OutputCommands* output_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QString lastPicturePath_; // the picture last opened or exported
    std::optional<LookupWindow::Services> lookupServices_;
    std::optional<Album> album_; // the album last read, for "Créer la jaquette" and the label
    LabelWindow* labelWindow_ = nullptr;
    RecentFiles* recentFiles_ = nullptr;
    AudioFilesImport* audioImport_ = nullptr;
    bool started_ = false;
    bool quitting_ = false; // "&Quitter" was confirmed: closing asks nothing more
};
