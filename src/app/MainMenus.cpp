// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainMenus.h"

#include "ThemeIcon.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>
#include <algorithm>

namespace {

const QColor programBlue(0x1f, 0x3a, 0x93);

// A toolbar picture: a small card with a glyph, in the program's blue.
QIcon glyphIcon(const QString& glyph, const QColor& colour = programBlue)
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

// The printer of the icon theme with the first letter of what it prints in a corner, so that
// the two print buttons tell themselves apart. Pixmaps of each toolbar size: the disabled look
// is then generated from them as for any other button.
QIcon printerIcon(const QString& letter)
{
    const QIcon printer = themeIcon(QStringLiteral("document-print"));
    QIcon icon;
    for (int size : {16, 20, 22, 24, 32, 40, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        printer.paint(&painter, QRect(0, 0, size, size));
        const QRectF badge(size * 0.48, size * 0.48, size * 0.52, size * 0.52);
        painter.setPen(QPen(Qt::white, std::max(1.0, size / 20.0)));
        painter.setBrush(programBlue);
        painter.drawRoundedRect(badge, size / 8.0, size / 8.0);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(std::max(7, int(size * 0.42)));
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(badge, Qt::AlignCenter, letter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A submenu whose entry in its parent is `header`.
QMenu* submenu(QMenu* parent, QAction* header)
{
    auto* menu = new QMenu(header->text(), parent);
    header->setMenu(menu);
    parent->addAction(header);
    return menu;
}

} // namespace

MainMenus::MainMenus(QObject* owner)
    : file(owner), text(owner), view(owner), output(owner), windows(owner), history(owner)
{
}

QAction* MainMenus::toolbarAt(int position) const
{
    if (position < 1 || position > LastPosition)
        return nullptr;
    return toolbar_[std::size_t(position - 1)];
}

void MainMenus::layOut(QMenuBar* bar, QToolBar* toolBar)
{
    fileMenu = bar->addMenu(QStringLiteral("&Fichier"));
    fileMenu->addAction(file.open);
    fileMenu->addSeparator();
    fileMenu->addAction(file.newCover);
    QMenu* print = fileMenu->addMenu(QStringLiteral("Imprimer"));
    print->addActions({output.printAll, output.printRectoVerso, output.printDos});
    print->addSeparator();
    print->addActions({output.printerSetup, output.calibratePrinter, output.calibrationPage});
    QMenu* quality = fileMenu->addMenu(QStringLiteral("&Qualité d'impression"));
    for (QAction* level : output.quality)
        quality->addAction(level);
    fileMenu->addSeparator();
    QMenu* copy = fileMenu->addMenu(QStringLiteral("Copier vers le Presse Papier"));
    copy->addActions({output.copyRectoVerso, output.copyDos});
    fileMenu->addSeparator();
    QMenu* saveAs = fileMenu->addMenu(QStringLiteral("Enregistrer Sous"));
    saveAs->addAction(file.saveJkcd);
    saveAs->addSeparator();
    saveAs->addActions({output.saveBmpRectoVerso, output.saveBmpDos});
    saveAs->addSeparator();
    for (QAction* picture : output.savePicture)
        saveAs->addAction(picture);
    fileMenu->addSeparator();
    fileMenu->addAction(file.quit);
    fileMenu->addSeparator();
    fileMenu->addActions({file.importAudio, file.createCover, file.createLabel});

    textMenu = bar->addMenu(QStringLiteral("&Texte sélectionné"));
    textMenu->addActions({text.font, text.colour});
    submenu(textMenu, text.backColour)->addActions({text.backTransparent, text.backChange});
    submenu(textMenu, text.border)->addActions({text.borderNone, text.borderSingle});
    textMenu->addSeparator();
    submenu(textMenu, text.insert)->addActions({text.insertOn[0], text.insertOn[1]});
    textMenu->addActions({text.edit, text.deleteText});
    textMenu->addSeparator();
    textMenu->addAction(text.showBar);
    submenu(textMenu, text.align)->addActions({text.alignOn[0], text.alignOn[1]});
    submenu(textMenu, text.space)->addActions({text.spaceOn[0], text.spaceOn[1]});
    textMenu->addSeparator();
    QMenu* alignment = submenu(textMenu, text.textAlignment);
    for (QAction* entry : text.textAlign)
        alignment->addAction(entry);
    textMenu->addActions({text.bringToFront, text.sendToBack});

    QMenu* viewMenu = bar->addMenu(QStringLiteral("&Affichage"));
    for (QAction* entry : view.show)
        viewMenu->addAction(entry);
    bar->addActions({windows.imageOptions, windows.cddb, windows.label});
    QMenu* help = bar->addMenu(QStringLiteral("?"));
    help->addActions({windows.help, windows.about});
    history.addMenu(bar, help->menuAction());

    file.newButton->setIcon(themeIcon(QStringLiteral("document-new")));
    file.openButton->setIcon(themeIcon(QStringLiteral("document-open")));
    file.saveButton->setIcon(themeIcon(QStringLiteral("document-save")));
    output.printRectoVersoButton->setIcon(printerIcon(QStringLiteral("R")));
    output.printDosButton->setIcon(printerIcon(QStringLiteral("D")));
    file.quitButton->setIcon(themeIcon(QStringLiteral("application-exit")));
    view.rectoVersoButton->setIcon(glyphIcon(QStringLiteral("RV")));
    view.dosButton->setIcon(glyphIcon(QStringLiteral("D")));
    text.insertRectoButton->setIcon(glyphIcon(QStringLiteral("+R")));
    text.insertVersoButton->setIcon(glyphIcon(QStringLiteral("+V")));
    text.insertDosButton->setIcon(glyphIcon(QStringLiteral("+D")));
    text.editButton->setIcon(glyphIcon(QStringLiteral("✎")));
    text.fontButton->setIcon(glyphIcon(QStringLiteral("A")));
    text.colourButton->setIcon(glyphIcon(QStringLiteral("A"), QColor(0xc0, 0x20, 0x20)));

    const std::array<QAction*, LastPosition> buttons = {
        file.newButton,
        file.openButton,
        file.saveButton,
        output.printRectoVersoButton,
        output.printDosButton,
        file.quitButton,
        nullptr,
        view.rectoVersoButton,
        view.dosButton,
        nullptr,
        text.insertRectoButton,
        text.insertVersoButton,
        text.insertDosButton,
        nullptr,
        text.editButton,
        text.fontButton,
        text.colourButton,
    };
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i])
            toolBar->addAction(buttons[i]);
        toolbar_[i] = buttons[i] ? buttons[i] : toolBar->addSeparator();
    }
}
