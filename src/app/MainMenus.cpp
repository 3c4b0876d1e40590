#include "MainMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QToolBar>

namespace MainMenus {

namespace {

struct Entry {
    const char* name;
    QString text;
    QKeySequence shortcut = {};
    bool enabled = false;
};

QAction* add(QMenu* menu, const Entry& entry)
{
    QAction* action = menu->addAction(entry.text);
    action->setObjectName(QString::fromLatin1(entry.name));
    if (!entry.shortcut.isEmpty())
        action->setShortcut(entry.shortcut);
    action->setEnabled(entry.enabled);
    return action;
}

QAction* addTopLevel(QMenuBar* bar, const char* name, const QString& text)
{
    QAction* action = bar->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(false);
    return action;
}

void buildFileMenu(QMenuBar* bar)
{
    QMenu* file = bar->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("mnuFile"));
    add(file, {"mnuOpen", QStringLiteral("&Ouvrir"), QKeySequence(QStringLiteral("Ctrl+O"))});
    file->addSeparator();
    add(file, {"mnuNew", QStringLiteral("&Nouveau"), QKeySequence(QStringLiteral("Ctrl+N"))});

    QMenu* print = file->addMenu(QStringLiteral("Imprimer"));
    add(print, {"mnuPrintAll", QStringLiteral("&Imprimer Recto - Verso - Dos"),
                QKeySequence(QStringLiteral("Ctrl+I"))});
    add(print, {"mnuPrintRectoVerso", QStringLiteral("Imprimer Recto - Verso")});
    add(print, {"mnuPrintDos", QStringLiteral("Imprimer Dos (Face arrière)")});
    print->addSeparator();
    add(print, {"mnuPrinterSetup", QStringLiteral("Configurer l'imprimante")});

    QMenu* quality = file->addMenu(QStringLiteral("&Qualité d'impression"));
    auto* qualities = new QActionGroup(quality);
    const std::array<Entry, 4> levels = {{
        {"mnuQualityDraft", QStringLiteral("Qualité &Brouillon")},
        {"mnuQualityLow", QStringLiteral("&Basse Qualité")},
        {"mnuQualityMedium", QStringLiteral("&Moyenne Qualité ")},
        {"mnuQualityHigh", QStringLiteral("&Haute Qualité")},
    }};
    for (const Entry& level : levels) {
        QAction* action = add(quality, level);
        action->setCheckable(true);
        qualities->addAction(action);
    }
    file->addSeparator();

    QMenu* copy = file->addMenu(QStringLiteral("Copier vers le Presse Papier"));
    add(copy, {"mnuCopyRectoVerso", QStringLiteral("Copier Recto && Verso")});
    add(copy, {"mnuCopyDos", QStringLiteral("Copier Dos")});
    file->addSeparator();

    QMenu* saveAs = file->addMenu(QStringLiteral("Enregistrer Sous"));
    add(saveAs, {"mnuSaveJkcd", QStringLiteral("Fichier CD Jaquette (Format JKCD)"),
                 QKeySequence(QStringLiteral("Ctrl+S"))});
    saveAs->addSeparator();
    add(saveAs, {"mnuSaveBmpRectoVerso", QStringLiteral("CD Jaquette Recto Verso  (Format BMP)"),
                 QKeySequence(Qt::Key_F4)});
    add(saveAs, {"mnuSaveBmpDos", QStringLiteral("CD Jaquette Dos               (Format BMP)"),
                 QKeySequence(Qt::Key_F5)});
    saveAs->addSeparator();
    add(saveAs, {"mnuSavePicture0", QStringLiteral("Enregistrer l'image du Verso au format BMP")});
    add(saveAs, {"mnuSavePicture1", QStringLiteral("Enregistrer l'image du Recto au format BMP")});
    add(saveAs, {"mnuSavePicture2", QStringLiteral("Enregistrer l'image du Dos au format BMP")});
    add(saveAs, {"mnuSavePicture3", QStringLiteral("Enregistrer l'image du Logo au format BMP")});
    file->addSeparator();
    add(file, {"mnuQuit", QStringLiteral("&Quitter"), QKeySequence(QStringLiteral("Ctrl+F4"))});
}

void buildTextMenu(QMenuBar* bar)
{
    QMenu* text = bar->addMenu(QStringLiteral("&Texte sélectionné"));
    text->setObjectName(QStringLiteral("mnuText"));
    add(text, {"mnuFont", QStringLiteral("Police")});
    add(text, {"mnuColour", QStringLiteral("&Couleur")});
    QMenu* back = text->addMenu(QStringLiteral("&Couleur de fond"));
    back->menuAction()->setObjectName(QStringLiteral("mnuBackColour"));
    add(back, {"mnuBackTransparent", QStringLiteral("&Transparente")});
    add(back, {"mnuBackChange", QStringLiteral("Changer &la Couleur")});
    QMenu* border = text->addMenu(QStringLiteral("Bordure du texte"));
    border->menuAction()->setObjectName(QStringLiteral("mnuBorder"));
    add(border, {"mnuBorderNone", QStringLiteral("&Transparente")});
    add(border, {"mnuBorderSingle", QStringLiteral("Contour &visible")});
    text->addSeparator();

    QMenu* insert = text->addMenu(QStringLiteral("&Insérer Nouveau texte"));
    insert->menuAction()->setObjectName(QStringLiteral("mnuInsert"));
    add(insert, {"mnuInsert0", QStringLiteral("Insérer sur le Recto")});
    add(insert, {"mnuInsert1", QStringLiteral("Insérer sur le Verso")});
    add(text, {"mnuEdit", QStringLiteral("&Edition/Modification du texte"),
               QKeySequence(QStringLiteral("Ctrl+E"))});
    add(text, {"mnuDelete", QStringLiteral("&Supprimer"), QKeySequence(Qt::Key_Delete)});
    text->addSeparator();

    QAction* showBar = add(text, {"mnuShowBar", QStringLiteral("&Afficher la barre d'alignement")});
    showBar->setCheckable(true);
    showBar->setChecked(true);
    QMenu* align = text->addMenu(QStringLiteral("Aligner la sélection à &Gauche de la barre"));
    align->menuAction()->setObjectName(QStringLiteral("mnuAlign"));
    add(align, {"mnuAlign0", QStringLiteral("&Aligner sur Recto")});
    add(align, {"mnuAlign1", QStringLiteral("&Aligner sur Verso")});
    QMenu* space = text->addMenu(QStringLiteral("Alignement &Vertical automatique des textes"));
    space->menuAction()->setObjectName(QStringLiteral("mnuSpace"));
    add(space, {"mnuSpace0", QStringLiteral("Aligner sur &Recto")});
    add(space, {"mnuSpace1", QStringLiteral("Aligner sur &Verso")});
    text->addSeparator();

    QMenu* alignment = text->addMenu(QStringLiteral("Alignement du texte"));
    alignment->menuAction()->setObjectName(QStringLiteral("mnuTextAlignment"));
    add(alignment, {"mnuTextAlign0", QStringLiteral("Aligné à &Gauche")});
    add(alignment, {"mnuTextAlign1", QStringLiteral("Aligné à &Droite")});
    add(alignment, {"mnuTextAlign2", QStringLiteral("&Centré")});
    add(alignment, {"mnuTextAlign3", QStringLiteral("&Ajusté à la taille du texte")});
    // Present for the commands, not offered in the menu.
    add(text, {"mnuBringToFront", QStringLiteral("Mettre au premier plan")})->setVisible(false);
    add(text, {"mnuSendToBack", QStringLiteral("Mettre à l'arrière plan")})->setVisible(false);
}

void buildViewMenu(QMenuBar* bar)
{
    QMenu* view = bar->addMenu(QStringLiteral("&Affichage"));
    view->setObjectName(QStringLiteral("mnuView"));
    add(view, {"mnuViewRectoVerso", QStringLiteral("&Recto Verso"),
               QKeySequence(QStringLiteral("Ctrl+R")), true});
    // The Verso view exists for the New command; it is not offered in the menu.
    add(view, {"mnuViewVerso", QStringLiteral("&Verso"), {}, true})->setVisible(false);
    add(view, {"mnuViewDos", QStringLiteral("&Dos"), QKeySequence(QStringLiteral("Ctrl+D")), true});
}

// A toolbar picture: a small card with a glyph, in the program's blue.
QIcon glyphIcon(const QString& glyph, const QColor& colour = QColor(0x1f, 0x3a, 0x93))
{
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 3));
    painter.setBrush(QColor(0xf4, 0xf1, 0xe8));
    painter.drawRoundedRect(QRectF(3, 3, 34, 34), 5, 5);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(glyph.size() > 1 ? 15 : 22);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRectF(3, 3, 34, 34), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

// A printer with the first letter of what it prints on its paper.
QIcon printerIcon(const QString& letter)
{
    const QColor blue(0x1f, 0x3a, 0x93);
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(blue, 2.5));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(11, 3, 18, 16));
    painter.setBrush(QColor(0xc9, 0xd6, 0xf2));
    painter.drawRoundedRect(QRectF(3, 17, 34, 14), 3, 3);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(10, 27, 20, 10));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(11, 3, 18, 14), Qt::AlignCenter, letter);
    return QIcon(pixmap);
}

} // namespace

void build(QMenuBar* bar)
{
    buildFileMenu(bar);
    buildTextMenu(bar);
    buildViewMenu(bar);
    addTopLevel(bar, "mnuImageOptions", QStringLiteral("Options &Images"));
    addTopLevel(bar, "mnuCddb", QStringLiteral("Accès base CDDB..."));
    addTopLevel(bar, "mnuLabel", QStringLiteral("&Etiquette CD"));
    QMenu* help = bar->addMenu(QStringLiteral("?"));
    help->setObjectName(QStringLiteral("mnuHelpMenu"));
    add(help, {"mnuHelp", QStringLiteral("Aide"), QKeySequence(Qt::Key_F1)});
    add(help, {"mnuAbout", QStringLiteral("A Propos"), QKeySequence(Qt::Key_F2), true});
}

std::array<QAction*, 17> buildToolBar(QToolBar* toolBar)
{
    const QStyle* style = QApplication::style();
    struct Button {
        const char* name;
        QString tooltip;
        QIcon icon;
        bool enabled;
    };
    const std::array<Button, 17> buttons = {{
        {"tbNew", QStringLiteral("Nouveau fichier jaquette"),
         style->standardIcon(QStyle::SP_FileIcon), false},
        {"tbOpen", QStringLiteral("Ouvrir une jaquette au format JKCD"),
         style->standardIcon(QStyle::SP_DialogOpenButton), false},
        {"tbSave", QStringLiteral("Enregistrer la jaquette au format JKCD"),
         style->standardIcon(QStyle::SP_DialogSaveButton), false},
        {"tbPrintRectoVerso", QStringLiteral("Imprimer le Recto-Verso de la jaquette"),
         printerIcon(QStringLiteral("R")), false},
        {"tbPrintDos", QStringLiteral("Imprimer le Dos de la jaquette"),
         printerIcon(QStringLiteral("D")), false},
        {"tbQuit", QStringLiteral("Quitter Jaskel"),
         style->standardIcon(QStyle::SP_DialogCloseButton), false},
        {nullptr, {}, {}, false},
        {"tbViewRectoVerso", QStringLiteral("Afficher le Recto-Verso de la jaquette"),
         glyphIcon(QStringLiteral("RV")), true},
        {"tbViewDos", QStringLiteral("Afficher le Dos de la jaquette"),
         glyphIcon(QStringLiteral("D")), true},
        {nullptr, {}, {}, false},
        {"tbInsertRecto", QStringLiteral("Insérer un nouveau texte sur le Recto"),
         glyphIcon(QStringLiteral("+R")), false},
        {"tbInsertVerso", QStringLiteral("Insérer un nouveau texte sur le Verso"),
         glyphIcon(QStringLiteral("+V")), false},
        {"tbInsertDos", QStringLiteral("Insérer un nouveau texte sur le Dos"),
         glyphIcon(QStringLiteral("+D")), false},
        {nullptr, {}, {}, false},
        {"tbEdit", QStringLiteral("Modifier/Editer le texte sélectionné"),
         glyphIcon(QStringLiteral("✎")), false},
        {"tbFont", QStringLiteral("Modifier la Police du texte"), glyphIcon(QStringLiteral("A")),
         false},
        {"tbColour", QStringLiteral("Modifier la Couleur du texte"),
         glyphIcon(QStringLiteral("A"), QColor(0xc0, 0x20, 0x20)), false},
    }};
    std::array<QAction*, 17> positions{};
    auto* views = new QActionGroup(toolBar);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const Button& button = buttons[i];
        if (!button.name) {
            positions[i] = toolBar->addSeparator();
            continue;
        }
        QAction* action = toolBar->addAction(button.icon, button.tooltip);
        action->setObjectName(QString::fromLatin1(button.name));
        action->setToolTip(button.tooltip);
        action->setEnabled(button.enabled);
        positions[i] = action;
    }
    for (std::size_t view : {7u, 8u}) {
        positions[view]->setCheckable(true);
        views->addAction(positions[view]);
    }
    return positions;
}

} // namespace MainMenus
