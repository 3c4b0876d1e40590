#include "AboutBox.h"
#include "Application.h"
#include "CommandLine.h"
#include "CoverView.h"
#include "ModalDriver.h"
#include "ScriptedPrompter.h"
#include "SheetWidget.h"
#include "frmJewelCase.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

namespace {

int pixels(const frmJewelCase& window, double twips)
{
    return int(std::lround(twips * window.pixelsPerTwip()));
}

QPoint toWidget(const SheetWidget* sheet, const QPointF& twips)
{
    return sheet->toPixels(twips).toPoint();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void startsOnTheRectoVersoView()
    {
        ScriptedPrompter prompter;
        frmJewelCase window(&prompter);
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.windowTitle(), QStringLiteral("Jaskel CD : Nouveau"));
        const JewelCaseDocument& document = window.document();
        QCOMPARE(document.currentView, 0);
        QCOMPARE(document.documentModified, 0);
        QVERIFY(window.coverView()->sheet(0)->isVisible());
        QVERIFY(!window.coverView()->sheet(1)->isVisible());
        QVERIFY(window.coverView()->caption(Face::Recto)->isVisible());
        QVERIFY(window.coverView()->caption(Face::Verso)->isVisible());
        QVERIFY(!window.coverView()->caption(Face::Dos)->isVisible());
        QCOMPARE(window.coverView()->caption(Face::Verso)->text(),
                 QStringLiteral("VERSO (Face intérieure)"));
        QCOMPARE(window.width(), pixels(window, 120 + 13741.3 + 90));
        QCOMPARE(window.coverView()->sheet(0)->width(), pixels(window, 13741.3) + 1);
        QCOMPARE(document.verticalText.caption(), QStringLiteral("Votre texte"));
        QVERIFY(window.action(QStringLiteral("mnuQualityHigh"))->isChecked());
        QVERIFY(window.action(QStringLiteral("mnuShowBar"))->isChecked());
        QVERIFY(document.sheets[0].barVisible);
        QCOMPARE(window.action(QStringLiteral("mnuInsert0"))->text(),
                 QStringLiteral("Insérer sur le Recto"));
        QCOMPARE(window.action(QStringLiteral("mnuAlign0"))->text(),
                 QStringLiteral("&Aligner sur Recto   "));
        QVERIFY(window.toolbarPosition(8)->isChecked());
        QVERIFY(prompter.asked.isEmpty());
    }

    void keyboardAndToolbarSwitchViews()
    {
        frmJewelCase window;
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const int rectoWidth = window.width();

        QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(window.document().currentView, 1);
        QVERIFY(window.coverView()->sheet(1)->isVisible());
        QVERIFY(!window.coverView()->sheet(0)->isVisible());
        QCOMPARE(window.width(), pixels(window, 8621.97 + 90));
        QVERIFY(window.coverView()->caption(Face::Dos)->isVisible());
        QVERIFY(!window.coverView()->caption(Face::Recto)->isVisible());
        QCOMPARE(window.action(QStringLiteral("mnuInsert0"))->text(),
                 QStringLiteral("Insérer sur le Dos"));
        QVERIFY(!window.action(QStringLiteral("mnuInsert1"))->isVisible());
        QVERIFY(!window.action(QStringLiteral("mnuSpace1"))->isVisible());
        QVERIFY(window.toolbarPosition(9)->isChecked());
        QVERIFY(!window.toolbarPosition(8)->isChecked());

        QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(window.document().currentView, 0);
        QCOMPARE(window.width(), rectoWidth);
        QVERIFY(window.action(QStringLiteral("mnuInsert1"))->isVisible());

        window.toolbarPosition(9)->trigger();
        QCOMPARE(window.document().currentView, 1);
        window.toolbarPosition(8)->trigger();
        QCOMPARE(window.document().currentView, 0);
    }

    void toolbarHasItsSeventeenPositions()
    {
        frmJewelCase window;
        const QStringList tooltips = {
            QStringLiteral("Nouveau fichier jaquette"),
            QStringLiteral("Ouvrir une jaquette au format JKCD"),
            QStringLiteral("Enregistrer la jaquette au format JKCD"),
            QStringLiteral("Imprimer le Recto-Verso de la jaquette"),
            QStringLiteral("Imprimer le Dos de la jaquette"),
            QStringLiteral("Quitter Jaskel"),
            QString(),
            QStringLiteral("Afficher le Recto-Verso de la jaquette"),
            QStringLiteral("Afficher le Dos de la jaquette"),
            QString(),
            QStringLiteral("Insérer un nouveau texte sur le Recto"),
            QStringLiteral("Insérer un nouveau texte sur le Verso"),
            QStringLiteral("Insérer un nouveau texte sur le Dos"),
            QString(),
            QStringLiteral("Modifier/Editer le texte sélectionné"),
            QStringLiteral("Modifier la Police du texte"),
            QStringLiteral("Modifier la Couleur du texte"),
        };
        QCOMPARE(window.toolBar()->actions().size(), 17);
        for (int position = 1; position <= 17; ++position) {
            QAction* action = window.toolbarPosition(position);
            QCOMPARE(action, window.toolBar()->actions().at(position - 1));
            if (tooltips[position - 1].isEmpty())
                QVERIFY(action->isSeparator());
            else
                QCOMPARE(action->toolTip(), tooltips[position - 1]);
        }
        QVERIFY(!window.toolbarPosition(0));
        QVERIFY(!window.toolbarPosition(18));
    }

    void draggingAHandleResizesTheText()
    {
        frmJewelCase window;
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        JewelCaseDocument& document = window.document();
        TextElement& text = document.faces[Face::Recto].loadText(1);
        text.setAutoSize(false);
        text.setRect(QRectF(1500, 1500, 1500, 450));
        text.visible = true;
        window.refreshCover();
        SheetWidget* sheet = window.coverView()->sheet(0);

        // Press and release on the text: it is selected, with its frame and handles.
        QTest::mouseClick(sheet, Qt::LeftButton, {}, toWidget(sheet, QPointF(2000, 1700)));
        const SelectionMarks& marks = document.sheets[0].marks;
        QVERIFY(marks.frameVisible && marks.handlesVisible);
        QCOMPARE(window.selection().currentSelection, ElementRef::text(Face::Recto, 1));
        QCOMPARE(text.rect(), QRectF(1500, 1500, 1530, 450));

        // Drag the bottom-right handle 600 twips right and 300 down (40 and 20 pixels).
        const QRectF handle = marks.handles[4];
        const QPoint grab = toWidget(sheet, handle.center());
        QTest::mousePress(sheet, Qt::LeftButton, {}, grab);
        QVERIFY(!marks.handlesVisible);
        const QPoint to = grab + QPoint(40, 20);
        QTest::mouseMove(sheet, to);
        QCOMPARE(sheet->cursor().shape(), Qt::SizeFDiagCursor);
        QTest::mouseRelease(sheet, Qt::LeftButton, {}, to);

        // The step is measured from the handle's corner, and the widening is given back.
        const QPointF pointer = sheet->toTwips(QPointF(to)) - handle.topLeft();
        QCOMPARE(text.rect(), QRectF(1500, 1500, 1530 + pointer.x() - 30, 450 + pointer.y()));
        QVERIFY(window.selection().currentSelection.isEmpty());
        QCOMPARE(document.documentModified, 1);

        // Move it by its frame.
        const QRectF before = text.rect();
        QTest::mouseClick(sheet, Qt::LeftButton, {}, toWidget(sheet, QPointF(2000, 1700)));
        const QPoint inside = toWidget(sheet, QPointF(2000, 1700));
        QTest::mousePress(sheet, Qt::LeftButton, {}, inside);
        QTest::mouseMove(sheet, inside + QPoint(30, 10));
        QTest::mouseRelease(sheet, Qt::LeftButton, {}, inside + QPoint(30, 10));
        const QPointF moved = sheet->toTwips(QPointF(30, 10));
        QCOMPARE(text.rect(), before.translated(std::lround(moved.x()), std::lround(moved.y())));

        // A click on the sheet's empty margin deselects.
        QTest::mouseClick(sheet, Qt::LeftButton, {}, toWidget(sheet, QPointF(13700, 6840)));
        QVERIFY(!marks.handlesVisible);

        window.close();
        QCOMPARE(document.faces[Face::Recto].texts.size(), std::size_t(1));
    }

    void editingTextsWithMouseAndKeyboard()
    {
        ScriptedPrompter prompter;
        frmJewelCase window(&prompter);
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        JewelCaseDocument& document = window.document();
        SheetWidget* sheet = window.coverView()->sheet(0);
        auto clickTool = [&](int position) {
            QWidget* button = window.toolBar()->widgetForAction(window.toolbarPosition(position));
            QVERIFY(button && button->isEnabled());
            QTest::mouseClick(button, Qt::LeftButton);
        };

        // Insert on the Recto from the toolbar: a selected "Texte" at the insertion point.
        clickTool(11);
        const ElementRef first = ElementRef::text(Face::Recto, 1);
        QCOMPARE(window.selection().currentSelection, first);
        QVERIFY(document.sheets[0].marks.frameVisible);
        QCOMPARE(document.documentModified, 1);

        // Ctrl+E opens the editor; type a title over the selected text and press Ok.
        whenModalShown([](QWidget* editor) {
            QCOMPARE(editor->windowTitle(), QStringLiteral("Editeur de texte"));
            auto* box = editor->findChild<QPlainTextEdit*>(QStringLiteral("txtNew"));
            QTest::keyClicks(box, QStringLiteral("Mon album"));
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClicks(box, QStringLiteral("Artiste"));
            QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cmdOk")),
                              Qt::LeftButton);
        });
        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
        TextElement& title = *document.text(first);
        QCOMPARE(title.caption(), QStringLiteral("Mon album\r\nArtiste"));

        // Font and colour from the toolbar, for this text only.
        prompter.fonts.push_back(
            TextFont{QStringLiteral("Comic Sans MS"), 20, true, false, false, false});
        prompter.buttons.push_back(Prompter::No);
        clickTool(16);
        QCOMPARE(title.font().name, QStringLiteral("Comic Sans MS"));
        prompter.colours.push_back(0x000000C0);
        prompter.buttons.push_back(Prompter::No);
        clickTool(17);
        QCOMPARE(title.foreColor, OleColor(0xC0));

        // Ctrl+A aligns it on the bar.
        // (The offscreen platform gives the activation back to no window after a dialog.)
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(double(title.left), document.sheets[0].bar.right());

        // Two more texts, moved apart with the mouse, then spaced from the menu.
        for (int top : {5300, 6100}) {
            clickTool(11);
            TextElement& added = *document.text(window.selection().currentSelection);
            const QPoint grab = sheet->toPixels(added.rect().center()).toPoint();
            const QPoint to = sheet->toPixels(QPointF(added.rect().center().x(), top)).toPoint();
            QTest::mousePress(sheet, Qt::LeftButton, {}, grab);
            QTest::mouseMove(sheet, to);
            QTest::mouseRelease(sheet, Qt::LeftButton, {}, to);
        }
        window.action(QStringLiteral("mnuSpace0"))->trigger();
        const Face& recto = document.faces[Face::Recto];
        const double gap =
            (recto.frame.height() - title.top -
             std::lround(recto.text(1)->height + recto.text(2)->height + recto.text(3)->height)) /
            5;
        QVERIFY(qAbs(recto.text(2)->top - (title.top + title.height + gap)) < 0.01);
        QVERIFY(recto.text(3)->top > recto.text(2)->top);

        // Select the last one with a click and delete it with the Del key.
        const QPoint last = sheet->toPixels(recto.text(3)->rect().center()).toPoint();
        QTest::mouseClick(sheet, Qt::LeftButton, {}, last);
        QCOMPARE(window.selection().currentSelection, ElementRef::text(Face::Recto, 3));
        QTest::keyClick(&window, Qt::Key_Delete);
        QVERIFY(!recto.text(3)->visible);
        QVERIFY(!document.sheets[0].marks.frameVisible);

        // A right-button press on a text opens the selection menu at the pointer, and so does
        // one on the frame of the selected text, which stays selected.
        const QPoint onTitle = sheet->toPixels(title.rect().center()).toPoint();
        auto* menu = window.findChild<QMenu*>(QStringLiteral("mnuText"));
        QTest::mousePress(sheet, Qt::RightButton, {}, onTitle);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
        QTest::mouseRelease(sheet, Qt::RightButton, {}, onTitle);
        QTest::mouseClick(sheet, Qt::LeftButton, {}, onTitle);
        QVERIFY(document.sheets[0].marks.frameVisible);
        QTest::mousePress(sheet, Qt::RightButton, {}, onTitle);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
        QTest::mouseRelease(sheet, Qt::RightButton, {}, onTitle);
        QVERIFY(document.sheets[0].marks.frameVisible);
        QCOMPARE(window.selection().currentSelection, first);

        // A double-click on a text opens the editor on it.
        whenModalShown([](QWidget* editor) {
            QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                              Qt::LeftButton);
        });
        QTest::mouseDClick(sheet, Qt::LeftButton, {},
                           sheet->toPixels(recto.text(2)->rect().center()).toPoint());
        QCOMPARE(window.selection().currentSelection, ElementRef::text(Face::Recto, 2));
        QCOMPARE(window.selection().currentFace, int(Face::Recto));
    }

    void workingOnTheDosSheet()
    {
        frmJewelCase window;
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
        JewelCaseDocument& document = window.document();
        SheetWidget* sheet = window.coverView()->sheet(1);

        // A new Dos text, dragged by its frame.
        QTest::mouseClick(window.toolBar()->widgetForAction(window.toolbarPosition(13)),
                          Qt::LeftButton);
        TextElement& text = *document.faces[Face::Dos].text(1);
        QVERIFY(document.sheets[1].marks.frameVisible);
        const QRectF before = text.rect();
        const QPoint grab = sheet->toPixels(before.center()).toPoint();
        QTest::mousePress(sheet, Qt::LeftButton, {}, grab);
        QTest::mouseMove(sheet, grab + QPoint(-20, 10));
        QTest::mouseRelease(sheet, Qt::LeftButton, {}, grab + QPoint(-20, 10));
        const QPointF by = sheet->toTwips(QPointF(-20, 10));
        // The move starts from the rectangle recorded in whole twips.
        QCOMPARE(text.rect().topLeft(), QPointF(std::lround(before.left()) + std::lround(by.x()),
                                                std::lround(before.top()) + std::lround(by.y())));
        QCOMPARE(text.width, before.width() - 30);

        // A spine shows its handles; dragging one changes nothing.
        const QRectF spine = document.spines[0].rect;
        QTest::mouseClick(sheet, Qt::LeftButton, {}, sheet->toPixels(spine.center()).toPoint());
        const SelectionMarks& marks = document.sheets[1].marks;
        QVERIFY(marks.handlesVisible && !marks.frameVisible);
        const QPoint handle = sheet->toPixels(marks.handles[4].center()).toPoint();
        QTest::mousePress(sheet, Qt::LeftButton, {}, handle);
        QTest::mouseMove(sheet, handle + QPoint(30, -40));
        QTest::mouseRelease(sheet, Qt::LeftButton, {}, handle + QPoint(30, -40));
        QCOMPARE(document.spines[0].rect, spine);
        QVERIFY(window.selection().currentSelection.isEmpty());
    }

    void barTooltipAndTheEditorsAboutPicture()
    {
        frmJewelCase window;
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        SheetWidget* sheet = window.coverView()->sheet(0);
        const QPoint onBar = sheet->toPixels(window.document().sheets[0].bar.center()).toPoint();
        QHelpEvent help(QEvent::ToolTip, onBar, sheet->mapToGlobal(onBar));
        QApplication::sendEvent(sheet, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Barre d'Alignement"));
        QToolTip::hideText();

        // The picture of the text editor opens the about box over it.
        window.toolbarPosition(11)->trigger();
        QString aboutTitle;
        whenModalShown([&](QWidget* editor) {
            whenModalShown([&](QWidget* about) {
                aboutTitle = about->windowTitle();
                QTest::keyClick(about, Qt::Key_Return);
                QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                                  Qt::LeftButton);
            });
            QTest::mouseClick(editor->findChild<QToolButton*>(QStringLiteral("imgAbout")),
                              Qt::LeftButton);
        });
        window.action(QStringLiteral("mnuEdit"))->trigger();
        QCOMPARE(aboutTitle, QStringLiteral("A Propos"));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void aboutBoxOpensFromTheMenu()
    {
        frmJewelCase window;
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QString title;
        QString name;
        QString version;
        QTimer::singleShot(0, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            title = modal->windowTitle();
            name = modal->findChild<QLabel*>(QStringLiteral("programName"))->text();
            version = modal->findChild<QLabel*>(QStringLiteral("programVersion"))->text();
            QTest::keyClick(modal, Qt::Key_Return);
        });
        QTest::keyClick(&window, Qt::Key_F2);
        QCOMPARE(title, QStringLiteral("A Propos"));
        QCOMPARE(name, QStringLiteral("Jaskel CD"));
        QCOMPARE(version, QStringLiteral("Version ") + AboutBox::version());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void commandLinePaths()
    {
        const QString cwd = QStringLiteral("/home/marie/Musique");
        QCOMPARE(
            CommandLine::coverPath(QStringLiteral("\"/home/marie/Mes jaquettes/Été.jkcd\""), cwd),
            QStringLiteral("/home/marie/Mes jaquettes/Été.jkcd"));
        QCOMPARE(CommandLine::coverPath(QStringLiteral("/tmp/a.jkcd"), cwd),
                 QStringLiteral("/tmp/a.jkcd"));
        QCOMPARE(CommandLine::coverPath(QStringLiteral("a.jkcd"), cwd),
                 QStringLiteral("/home/marie/Musique/a.jkcd"));
        QCOMPARE(CommandLine::coverPath(QStringLiteral("\"sous dossier/b.jkcd\""), cwd),
                 QStringLiteral("/home/marie/Musique/sous dossier/b.jkcd"));
        QCOMPARE(CommandLine::coverPath(QString(), cwd), QString());
        QCOMPARE(CommandLine::coverPath(QStringLiteral("\"\""), cwd), QString());

        frmJewelCase window;
        window.startUp(QStringLiteral("/nulle/part/absent.jkcd"));
        QCOMPARE(window.commandLinePath(), QStringLiteral("/nulle/part/absent.jkcd"));
        QCOMPARE(window.document().loadingDocument, 0);
        QCOMPARE(window.windowTitle(), QStringLiteral("Jaskel CD : Nouveau"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
