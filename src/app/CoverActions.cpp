// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverActions.h"

#include "EditingActions.h"

#include <QAction>
#include <QActionGroup>

namespace {

// An entry or a button whose command is not built yet.
QAction* pending(QAction* action)
{
    action->setEnabled(false);
    return action;
}

QAction* pending(QObject* owner, const QString& text, const QString& shortcut = QString())
{
    return pending(makeAction(owner, text, shortcut));
}

QAction* pendingButton(QObject* owner, const QString& tooltip)
{
    return pending(makeButton(owner, tooltip));
}

} // namespace

FileActions::FileActions(QObject* owner)
    : open(pending(owner, QStringLiteral("&Ouvrir"), QStringLiteral("Ctrl+O"))),
      newCover(pending(owner, QStringLiteral("&Nouveau"), QStringLiteral("Ctrl+N"))),
      saveJkcd(pending(owner, QStringLiteral("Fichier CD Jaquette (Format JKCD)"),
                       QStringLiteral("Ctrl+S"))),
      quit(pending(owner, QStringLiteral("&Quitter"), QStringLiteral("Ctrl+F4"))),
      importAudio(pending(owner, QStringLiteral("&Importer depuis des fichiers audio"))),
      createCover(pending(owner, QStringLiteral("Créer la &jaquette"))),
      createLabel(pending(owner, QStringLiteral("Créer l'é&tiquette"))),
      newButton(pendingButton(owner, QStringLiteral("Nouveau fichier jaquette"))),
      openButton(pendingButton(owner, QStringLiteral("Ouvrir une jaquette au format JKCD"))),
      saveButton(pendingButton(owner, QStringLiteral("Enregistrer la jaquette au format JKCD"))),
      quitButton(pendingButton(owner, QStringLiteral("Quitter Jaskel")))
{
}

OutputActions::OutputActions(QObject* owner)
    : printAll(pending(owner, QStringLiteral("&Imprimer Recto - Verso - Dos"),
                       QStringLiteral("Ctrl+I"))),
      printRectoVerso(pending(owner, QStringLiteral("Imprimer Recto - Verso"))),
      printDos(pending(owner, QStringLiteral("Imprimer Dos (Face arrière)"))),
      printerSetup(pending(owner, QStringLiteral("Configurer l'imprimante"))),
      calibratePrinter(pending(owner, QStringLiteral("Ca&librer l'imprimante…"),
                               QStringLiteral("Ctrl+Shift+L"))),
      calibrationPage(pending(owner, QStringLiteral("Imprimer une page de &calibrage"),
                              QStringLiteral("Ctrl+Shift+I"))),
      quality{pending(owner, QStringLiteral("Qualité &Brouillon")),
              pending(owner, QStringLiteral("&Basse Qualité")),
              pending(owner, QStringLiteral("&Moyenne Qualité ")),
              pending(owner, QStringLiteral("&Haute Qualité"))},
      copyRectoVerso(pending(owner, QStringLiteral("Copier Recto && Verso"))),
      copyDos(pending(owner, QStringLiteral("Copier Dos"))),
      saveBmpRectoVerso(pending(owner, QStringLiteral("CD Jaquette Recto Verso  (Format BMP)"),
                                QStringLiteral("F4"))),
      saveBmpDos(pending(owner, QStringLiteral("CD Jaquette Dos               (Format BMP)"),
                         QStringLiteral("F5"))),
      savePicture{pending(owner, QStringLiteral("Enregistrer l'image du Verso au format BMP")),
                  pending(owner, QStringLiteral("Enregistrer l'image du Recto au format BMP")),
                  pending(owner, QStringLiteral("Enregistrer l'image du Dos au format BMP")),
                  pending(owner, QStringLiteral("Enregistrer l'image du Logo au format BMP"))},
      printRectoVersoButton(
          pendingButton(owner, QStringLiteral("Imprimer le Recto-Verso de la jaquette"))),
      printDosButton(pendingButton(owner, QStringLiteral("Imprimer le Dos de la jaquette")))
{
    auto* qualities = new QActionGroup(owner);
    for (QAction* level : quality) {
        level->setCheckable(true);
        qualities->addAction(level);
    }
}

WindowActions::WindowActions(QObject* owner)
    : imageOptions(pending(owner, QStringLiteral("Options &Images"))),
      cddb(pending(owner, QStringLiteral("Accès base CDDB..."))),
      label(pending(owner, QStringLiteral("&Etiquette CD"))),
      help(pending(owner, QStringLiteral("Aide"), QStringLiteral("F1"))),
      about(makeAction(owner, QStringLiteral("A Propos"), QStringLiteral("F2")))
{
}
