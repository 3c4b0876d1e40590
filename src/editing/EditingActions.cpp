// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditingActions.h"

#include <QAction>
#include <QActionGroup>

QAction* makeAction(QObject* owner, const QString& text, const QString& shortcut)
{
    auto* action = new QAction(text, owner);
    if (!shortcut.isEmpty())
        action->setShortcut(QKeySequence(shortcut));
    return action;
}

QAction* makeButton(QObject* owner, const QString& tooltip)
{
    QAction* action = makeAction(owner, tooltip);
    action->setToolTip(tooltip);
    return action;
}

TextActions::TextActions(QObject* owner)
    : font(makeAction(owner, QStringLiteral("Police"))),
      colour(makeAction(owner, QStringLiteral("&Couleur"))),
      backColour(makeAction(owner, QStringLiteral("&Couleur de fond"))),
      backTransparent(makeAction(owner, QStringLiteral("&Transparente"))),
      backChange(makeAction(owner, QStringLiteral("Changer &la Couleur"))),
      border(makeAction(owner, QStringLiteral("Bordure du texte"))),
      borderNone(makeAction(owner, QStringLiteral("&Transparente"))),
      borderSingle(makeAction(owner, QStringLiteral("Contour &visible"))),
      insert(makeAction(owner, QStringLiteral("&Insérer Nouveau texte"))),
      insertOn{makeAction(owner, QStringLiteral("Insérer sur le Recto")),
               makeAction(owner, QStringLiteral("Insérer sur le Verso"))},
      edit(makeAction(owner, QStringLiteral("&Edition/Modification du texte"),
                      QStringLiteral("Ctrl+E"))),
      deleteText(makeAction(owner, QStringLiteral("&Supprimer"), QStringLiteral("Del"))),
      showBar(makeAction(owner, QStringLiteral("&Afficher la barre d'alignement"))),
      align(makeAction(owner, QStringLiteral("Aligner la sélection à &Gauche de la barre"))),
      alignOn{makeAction(owner, QStringLiteral("&Aligner sur Recto")),
              makeAction(owner, QStringLiteral("&Aligner sur Verso"))},
      space(makeAction(owner, QStringLiteral("Alignement &Vertical automatique des textes"))),
      spaceOn{makeAction(owner, QStringLiteral("Aligner sur &Recto")),
              makeAction(owner, QStringLiteral("Aligner sur &Verso"))},
      textAlignment(makeAction(owner, QStringLiteral("Alignement du texte"))),
      textAlign{makeAction(owner, QStringLiteral("Aligné à &Gauche")),
                makeAction(owner, QStringLiteral("Aligné à &Droite")),
                makeAction(owner, QStringLiteral("&Centré")),
                makeAction(owner, QStringLiteral("&Ajusté à la taille du texte"))},
      bringToFront(makeAction(owner, QStringLiteral("Mettre au premier plan"))),
      sendToBack(makeAction(owner, QStringLiteral("Mettre à l'arrière plan"))),
      alignKey(makeAction(owner, QString(), QStringLiteral("Ctrl+A"))),
      insertRectoButton(makeButton(owner, QStringLiteral("Insérer un nouveau texte sur le Recto"))),
      insertVersoButton(makeButton(owner, QStringLiteral("Insérer un nouveau texte sur le Verso"))),
      insertDosButton(makeButton(owner, QStringLiteral("Insérer un nouveau texte sur le Dos"))),
      editButton(makeButton(owner, QStringLiteral("Modifier/Editer le texte sélectionné"))),
      fontButton(makeButton(owner, QStringLiteral("Modifier la Police du texte"))),
      colourButton(makeButton(owner, QStringLiteral("Modifier la Couleur du texte")))
{
    showBar->setCheckable(true);
    showBar->setChecked(true);
    // Present for the commands, not offered in the menu.
    bringToFront->setVisible(false);
    sendToBack->setVisible(false);
    // The insert buttons follow the view; the Dos's starts disabled.
    insertDosButton->setEnabled(false);
}

ViewActions::ViewActions(QObject* owner)
    : show{makeAction(owner, QStringLiteral("&Recto Verso"), QStringLiteral("Ctrl+R")),
           makeAction(owner, QStringLiteral("&Verso")),
           makeAction(owner, QStringLiteral("&Dos"), QStringLiteral("Ctrl+D"))},
      rectoVersoButton(makeButton(owner, QStringLiteral("Afficher le Recto-Verso de la jaquette"))),
      dosButton(makeButton(owner, QStringLiteral("Afficher le Dos de la jaquette")))
{
    // The Verso view exists for the New command; it is not offered in the menu.
    show[1]->setVisible(false);
    auto* buttons = new QActionGroup(owner);
    for (QAction* view : {rectoVersoButton, dosButton}) {
        view->setCheckable(true);
        buttons->addAction(view);
    }
}
