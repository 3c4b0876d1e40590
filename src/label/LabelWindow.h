// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LabelContext.h"
#include "LabelFileCommands.h"
#include "LabelMenus.h"
#include "LabelPictureCommands.h"
#include "QtPrompter.h"
#include "TextElementCommands.h"
#include "TextFormattingCommands.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class PrintOutput;
class QPrinter;
class QPushButton;
class QToolBar;
class RecentFiles;
class SheetWidget;

// "Etiquette CD": the window that designs the label printed on the disc. The cover window
// creates it on first use and shows it modal; closing it only hides it, so the label stays as
// it was until the program ends.
class LabelWindow : public QMainWindow {
    Q_OBJECT
public:
    // What the window borrows from the program: its printer (without one the window makes its
    // own), the about box and the help.
    struct Services {
        std::function<QPrinter&()> printer;
        std::function<void()> showAbout;
        std::function<void(QWidget* owner)> showHelp;
    };

    // A null prompter means Qt's own dialogs, over this window.
    explicit LabelWindow(Prompter* prompter = nullptr, Services services = {},
                         QWidget* parent = nullptr);
    ~LabelWindow() override;

    // "&Etiquette CD": shows the window, modal, with the label as it was left.
    void showWindow();
    // Reads a .jket file into the window, after the unsaved-changes question.
    bool openFile(const QString& path);
    // "Créer l'étiquette" of the lookup window: the label filled from `album`, after the
    // unsaved-changes question; false when the user stopped there.
    bool createLabel(const Album& album);
    // The program is ending: the unsaved-changes question; false when the user asked to save
    // and the label was not saved.
    bool mayEndProgram();

    // "Insérer un nouveau texte".
    void insertText();
    // "&Imprimer l'étiquette du CD", "Copier dans le presse papier" and "Enregistrer Etiquette
    // CD au format BMP".
    void Print();
    // "Feuille d'étiquettes…": the label alone on its page, or on a sheet of label stock at
    // one place or all; remembered.
    void chooseLabelSheet();
    void copy();
    void exportBmp();

    LabelContext& context() { return context_; }
    CdLabelDocument& label() { return context_.label; }
    SelectionController& selection() { return context_.selection; }
    const LabelMenus& menus() const { return menus_; }
    SheetWidget* drawing() const { return drawing_; }
    QToolBar* toolBar() const { return toolBar_; }
    QPushButton* cancelPrintButton() const { return cancelPrintButton_; }
    PrintOutput& output() { return *output_; }
    QPrinter& printer();
    RecentFiles& recentFiles() { return *recentFiles_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildDrawingArea();
    void wireHistory();
    void wireFileCommands();
    void wireTextCommands();
    void wirePictureCommands();
    void wireOutputCommands();
    // The labels last opened or saved, and the files dropped on the window.
    void wireRecentFilesAndDrops();
    // Runs `command` on the entry's trigger, then shows its effect.
    void wire(QAction* action, std::function<void()> command);
    // The drawing, the title and the entries that follow the label.
    void refresh();
    void placeOnScreen();

    QtPrompter qtPrompter_;
    Prompter& prompter_;
    Services services_;
    LabelContext context_;
    LabelMenus menus_;
    LabelFileCommands files_;
    TextElementCommands texts_;
    TextFormattingCommands formatting_;
    LabelPictureCommands pictures_;
    std::unique_ptr<PrintOutput> output_;
    SheetWidget* drawing_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QPushButton* cancelPrintButton_ = nullptr; // "Annuler l'impression", shown while output runs
    RecentFiles* recentFiles_ = nullptr;
};
