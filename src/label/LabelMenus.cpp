// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabelMenus.h"

#include "EditingActions.h"
#include "ThemeIcon.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

LabelMenus::LabelMenus(QObject* owner)
    : open(makeAction(owner, QStringLiteral("&Ouvrir"), QStringLiteral("Ctrl+O"))),
      newLabel(makeAction(owner, QStringLiteral("&Nouveau"), QStringLiteral("Ctrl+N"))),
      saveJket(makeAction(owner, QStringLiteral("Fichier Etiquette CD (Format JKET)"),
                          QStringLiteral("Ctrl+S"))),
      saveBmp(makeAction(owner, QStringLiteral("Enregistrer Etiquette CD au format BMP"))),
      print(makeAction(owner, QStringLiteral("&Imprimer l'étiquette du CD"),
                       QStringLiteral("Ctrl+I"))),
      quality{makeAction(owner, QStringLiteral("Qualité bouillon")),
              makeAction(owner, QStringLiteral("Basse qualité")),
              makeAction(owner, QStringLiteral("Moyenne qualité")),
              makeAction(owner, QStringLiteral("Haute qualité"))},
      printerSetup(makeAction(owner, QStringLiteral("Configurer l'imprimante"))),
      calibratePrinter(makeAction(owner, QStringLiteral("Ca&librer l'imprimante…"),
                                  QStringLiteral("Ctrl+Shift+L"))),
      calibrationPage(makeAction(owner, QStringLiteral("Imprimer une page de &calibrage"),
                                 QStringLiteral("Ctrl+Shift+I"))),
      labelSheet(makeAction(owner, QStringLiteral("Feuille d'&étiquettes…"),
                            QStringLiteral("Ctrl+Shift+E"))),
      copy(makeAction(owner, QStringLiteral("Copier dans le presse papier"))),
      close(makeAction(owner, QStringLiteral("&Fermer"), QStringLiteral("Ctrl+F4"))),
      insertText(
          makeAction(owner, QStringLiteral("Insérer un nouveau texte"), QStringLiteral("Ctrl+T"))),
      font(makeAction(owner, QStringLiteral("Police"), QStringLiteral("Ctrl+P"))),
      colour(makeAction(owner, QStringLiteral("Couleur"), QStringLiteral("Ctrl+L"))),
      backTransparent(makeAction(owner, QStringLiteral("Transparente"))),
      backChange(makeAction(owner, QStringLiteral("Changer la couleur"), QStringLiteral("Ctrl+F"))),
      borderNone(makeAction(owner, QStringLiteral("Transparente"))),
      borderSingle(makeAction(owner, QStringLiteral("Contour visible"))),
      edit(makeAction(owner, QStringLiteral("Modifier le texte"), QStringLiteral("Ctrl+M"))),
      deleteText(makeAction(owner, QStringLiteral("Supprimer"), QStringLiteral("Del"))),
      align{makeAction(owner, QStringLiteral("Gauche"), QStringLiteral("Ctrl+G")),
            makeAction(owner, QStringLiteral("Droite"), QStringLiteral("Ctrl+D")),
            makeAction(owner, QStringLiteral("Centré"), QStringLiteral("Ctrl+C")),
            makeAction(owner, QStringLiteral("Ajusté à la taille"), QStringLiteral("Ctrl+A"))},
      pictureFromFile(makeAction(owner, QStringLiteral("Insérer à partir d'un fichier"))),
      pictureFromScanner(makeAction(owner, QStringLiteral("Insérer à partir d'un scanner"))),
      pictureFromClipboard(makeAction(owner, QStringLiteral("Insérer à partir du presse papier"))),
      deletePicture(
          makeAction(owner, QStringLiteral("Supprimer l'image"), QStringLiteral("Shift+Del"))),
      labelColour(makeAction(owner, QStringLiteral("Couleur de fond de l'étiquette"))),
      help(makeAction(owner, QStringLiteral("Aide"), QStringLiteral("F1"))),
      about(makeAction(owner, QStringLiteral("A propos"), QStringLiteral("F2"))),
      newButton(makeButton(owner, QStringLiteral("Nouvelle étiquette CD"))),
      openButton(makeButton(owner, QStringLiteral("Ouvrir une étiquette CD au format JKET"))),
      saveButton(makeButton(owner, QStringLiteral("Enregistrer l'étiquette CD au format JKET"))),
      printButton(makeButton(owner, QStringLiteral("Imprimer l'étiquette du CD"))),
      closeButton(makeButton(owner, QStringLiteral("Fermer"))),
      insertButton(makeButton(owner, QStringLiteral("Insérer un nouveau texte"))),
      editButton(makeButton(owner, QStringLiteral("Modifier le texte"))),
      fontButton(makeButton(owner, QStringLiteral("Police"))),
      colourButton(makeButton(owner, QStringLiteral("Couleur"))),
      helpButton(makeButton(owner, QStringLiteral("Aide"))), history(owner)
{
    auto* qualities = new QActionGroup(owner);
    for (QAction* level : quality) {
        level->setCheckable(true);
        qualities->addAction(level);
    }
}

QAction* LabelMenus::toolbarAt(int position) const
{
    if (position < 1 || position > LastPosition)
        return nullptr;
    return toolbar_[std::size_t(position - 1)];
}

void LabelMenus::layOut(QMenuBar* bar, QToolBar* toolBar)
{
    fileMenu = bar->addMenu(QStringLiteral("&Fichier"));
    fileMenu->addActions({open, newLabel});
    fileMenu->addSeparator();
    QMenu* saveAs = fileMenu->addMenu(QStringLiteral("&Enregister Sous"));
    saveAs->addAction(saveJket);
    saveAs->addSeparator();
    saveAs->addAction(saveBmp);
    fileMenu->addSeparator();
    fileMenu->addAction(print);
    QMenu* qualityMenu = fileMenu->addMenu(QStringLiteral("Qualité d'impression"));
    for (QAction* level : quality)
        qualityMenu->addAction(level);
    qualityMenu->addSeparator();
    qualityMenu->addActions({printerSetup, calibratePrinter, calibrationPage, labelSheet});
    fileMenu->addSeparator();
    fileMenu->addAction(copy);
    fileMenu->addSeparator();
    fileMenu->addAction(close);

    textMenu = bar->addMenu(QStringLiteral("&Texte sélectionné"));
    textMenu->addAction(insertText);
    textMenu->addSeparator();
    textMenu->addActions({font, colour});
    textMenu->addMenu(QStringLiteral("Couleur de fond"))->addActions({backTransparent, backChange});
    textMenu->addMenu(QStringLiteral("Bordure du texte"))->addActions({borderNone, borderSingle});
    textMenu->addSeparator();
    textMenu->addActions({edit, deleteText});
    textMenu->addSeparator();
    QMenu* alignment = textMenu->addMenu(QStringLiteral("Alignement"));
    for (QAction* entry : align)
        alignment->addAction(entry);

    pictureMenu = bar->addMenu(QStringLiteral("&Image"));
    insertPictureMenu = pictureMenu->addMenu(QStringLiteral("Insérer une image"));
    insertPictureMenu->addActions({pictureFromFile, pictureFromScanner, pictureFromClipboard});
    pictureMenu->addAction(deletePicture);
    pictureMenu->addSeparator();
    pictureMenu->addAction(labelColour);

    QMenu* helpMenu = bar->addMenu(QStringLiteral("&?"));
    helpMenu->addAction(help);
    helpMenu->addSeparator();
    helpMenu->addAction(about);
    history.addMenu(bar, helpMenu->menuAction());

    newButton->setIcon(themeIcon(QStringLiteral("document-new"), QStyle::SP_FileIcon));
    openButton->setIcon(themeIcon(QStringLiteral("document-open"), QStyle::SP_DialogOpenButton));
    saveButton->setIcon(themeIcon(QStringLiteral("document-save"), QStyle::SP_DialogSaveButton));
    printButton->setIcon(themeIcon(QStringLiteral("document-print"), QStyle::SP_ComputerIcon));
    closeButton->setIcon(themeIcon(QStringLiteral("window-close"), QStyle::SP_DialogCloseButton));
    insertButton->setIcon(themeIcon(QStringLiteral("insert-text"), QStyle::SP_FileDialogNewFolder));
    editButton->setIcon(
        themeIcon(QStringLiteral("document-edit"), QStyle::SP_FileDialogDetailedView));
    fontButton->setIcon(
        themeIcon(QStringLiteral("preferences-desktop-font"), QStyle::SP_FileDialogListView));
    colourButton->setIcon(themeIcon(QStringLiteral("format-text-color"), QStyle::SP_DesktopIcon));
    helpButton->setIcon(themeIcon(QStringLiteral("help-contents"), QStyle::SP_DialogHelpButton));

    const std::array<QAction*, LastPosition> buttons = {
        newButton,    openButton, saveButton, printButton,  closeButton, nullptr,
        insertButton, editButton, fontButton, colourButton, nullptr,     helpButton,
    };
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i])
            toolBar->addAction(buttons[i]);
        toolbar_[i] = buttons[i] ? buttons[i] : toolBar->addSeparator();
    }
}
