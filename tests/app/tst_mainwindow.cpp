#include "AboutBox.h"
#include "Application.h"
#include "CommandLine.h"
#include "CoverView.h"
#include "ModalDriver.h"
#include "PrintedSheet.h"
#include "ScriptedPrompter.h"
#include "SheetRenderer.h"
#include "SheetWidget.h"
#include "frmJCimgOpts.h"
#include "frmJewelCase.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

namespace {

int pixels(const frmJewelCase& window, double twips)
{
    return int(std::lround(twips * window.pixelsPerTwip()));
}

// Presses, drags and releases the left button on a sheet, between two points in twips.
void drag(SheetWidget* sheet, const QPointF& from, const QPointF& to)
{
    const QPoint grab = sheet->toPixels(from).toPoint();
    const QPoint drop = sheet->toPixels(to).toPoint();
    QTest::mousePress(sheet, Qt::LeftButton, {}, grab);
    QTest::mouseMove(sheet, drop);
    QTest::mouseRelease(sheet, Qt::LeftButton, {}, drop);
}

void click(SheetWidget* sheet, const QPointF& at)
{
    QTest::mouseClick(sheet, Qt::LeftButton, {}, sheet->toPixels(at).toPoint());
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    // A shown window, started as the program starts it.
    struct Window {
        ScriptedPrompter prompter;
        frmJewelCase window{&prompter};
        const MainMenus& menus = window.menus();

        Window()
        {
            window.startUp();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        SheetWidget* sheet(int index) { return window.coverView()->sheet(index); }
        void tool(int position)
        {
            QWidget* button = window.toolBar()->widgetForAction(menus.toolbarAt(position));
            QVERIFY(button && button->isEnabled());
            QTest::mouseClick(button, Qt::LeftButton);
        }
        TextElement& selectedText()
        {
            return *window.context().surface.text(window.selection().currentSelection());
        }
    };

private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void startsOnTheRectoVersoViewAndSwitches()
    {
        Window w;
        frmJewelCase& window = w.window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Jaskel CD : Nouveau"));
        QVERIFY(w.sheet(RectoSheet)->isVisible() && !w.sheet(DosSheet)->isVisible());
        QVERIFY(!window.coverView()->caption(Face::Dos)->isVisible());
        // The sheet is 13741.3 twips wide at the screen's resolution, under its toolbar.
        QCOMPARE(window.width(), pixels(window, 120 + 13741.3 + 90));
        QCOMPARE(w.sheet(RectoSheet)->width(), pixels(window, 13741.3) + 1);
        QVERIFY(w.menus.output.quality[3]->isChecked() && w.menus.text.showBar->isChecked());
        QCOMPARE(w.menus.text.alignOn[0]->text(), QStringLiteral("&Aligner sur Recto   "));

        QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(window.context().screen.currentView, View::Dos);
        QVERIFY(w.sheet(DosSheet)->isVisible() && !w.sheet(RectoSheet)->isVisible());
        QCOMPARE(window.width(), pixels(window, 8621.97 + 90));
        QVERIFY(window.coverView()->caption(Face::Dos)->isVisible());
        QCOMPARE(w.menus.text.insertOn[0]->text(), QStringLiteral("Insérer sur le Dos"));
        QVERIFY(!w.menus.text.insertOn[1]->isVisible());
        QVERIFY(w.menus.view.dosButton->isChecked() && !w.menus.view.rectoVersoButton->isChecked());
        QVERIFY(w.menus.text.insertDosButton->isEnabled() &&
                !w.menus.text.insertRectoButton->isEnabled());

        w.tool(MainMenus::ViewRectoVersoPosition);
        QCOMPARE(window.context().screen.currentView, View::RectoVerso);
        QCOMPARE(window.width(), pixels(window, 120 + 13741.3 + 90));
        QVERIFY(w.menus.text.insertOn[1]->isVisible());
    }

    void toolbarHasItsSeventeenPositions()
    {
        frmJewelCase window;
        // An empty tooltip stands for a separator.
        const QStringList tooltips =
            QStringLiteral("Nouveau fichier jaquette|Ouvrir une jaquette au format JKCD|"
                           "Enregistrer la jaquette au format JKCD|"
                           "Imprimer le Recto-Verso de la jaquette|Imprimer le Dos de la jaquette|"
                           "Quitter Jaskel||Afficher le Recto-Verso de la jaquette|"
                           "Afficher le Dos de la jaquette||Insérer un nouveau texte sur le Recto|"
                           "Insérer un nouveau texte sur le Verso|"
                           "Insérer un nouveau texte sur le Dos||"
                           "Modifier/Editer le texte sélectionné|Modifier la Police du texte|"
                           "Modifier la Couleur du texte")
                .split(u'|');
        QCOMPARE(window.toolBar()->actions().size(), 17);
        for (int position = 1; position <= 17; ++position) {
            QAction* action = window.menus().toolbarAt(position);
            QCOMPARE(action, window.toolBar()->actions().at(position - 1));
            if (tooltips[position - 1].isEmpty())
                QVERIFY(action->isSeparator());
            else
                QCOMPARE(action->toolTip(), tooltips[position - 1]);
        }
        QVERIFY(!window.menus().toolbarAt(0) && !window.menus().toolbarAt(18));
    }

    void selectingMovingAndResizingWithTheMouse()
    {
        Window w;
        JewelCaseDocument& document = w.window.document();
        TextElement& text = document.faces[Face::Recto].loadText(1);
        text.setAutoSize(false);
        text.setRect(QRectF(1500, 1500, 1500, 450));
        text.visible = true;
        w.window.refreshCover();
        SheetWidget* sheet = w.sheet(RectoSheet);

        // A click selects it: frame and handles around its own rectangle.
        click(sheet, QPointF(2000, 1700));
        const SelectionMarks& marks = w.window.context().screen.overlays[RectoSheet].marks;
        QVERIFY(marks.frameVisible && marks.handlesVisible);
        QCOMPARE(marks.frame, QRectF(1500, 1500, 1500, 450));

        // The bottom-right handle, dragged 40 and 20 pixels: the step is measured from the
        // handle's corner.
        const QRectF handle = marks.handles[4];
        const QPoint grab = sheet->toPixels(handle.center()).toPoint();
        QTest::mousePress(sheet, Qt::LeftButton, {}, grab);
        QTest::mouseMove(sheet, grab + QPoint(40, 20));
        QCOMPARE(sheet->cursor().shape(), Qt::SizeFDiagCursor);
        QTest::mouseRelease(sheet, Qt::LeftButton, {}, grab + QPoint(40, 20));
        const QPointF pointer = sheet->toTwips(QPointF(grab + QPoint(40, 20))) - handle.topLeft();
        QCOMPARE(text.rect(), QRectF(1500, 1500, 1500 + pointer.x(), 450 + pointer.y()));
        QVERIFY(w.window.selection().currentSelection().isEmpty());
        QVERIFY(document.documentModified);

        // A click on the sheet's empty margin deselects; closing unloads the texts.
        click(sheet, QPointF(2000, 1700));
        click(sheet, QPointF(13700, 6840));
        QVERIFY(!marks.handlesVisible);
        w.window.close();
        QCOMPARE(document.faces[Face::Recto].texts.size(), std::size_t(1));
    }

    void editingTextsWithMouseKeyboardAndMenus()
    {
        Window w;
        frmJewelCase& window = w.window;
        SheetWidget* sheet = w.sheet(RectoSheet);
        const TextActions& text = w.menus.text;

        // Insert on the Recto from the toolbar, then Ctrl+E types a title in the editor.
        w.tool(MainMenus::InsertRectoPosition);
        TextElement& title = w.selectedText();
        ExpectModal editor([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Editeur de texte"));
            auto* box = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtNew"));
            QTest::keyClicks(box, QStringLiteral("Mon album"));
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClicks(box, QStringLiteral("Artiste"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOk")),
                              Qt::LeftButton);
        });
        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(editor.seen());
        QCOMPARE(title.caption(), QStringLiteral("Mon album\r\nArtiste"));

        // Font and colour from the toolbar, alignment and stacking from the menu.
        w.prompter.fonts = {
            TextFont{QStringLiteral("Comic Sans MS"), 20, true, false, false, false}};
        w.prompter.colours = {0x000000C0};
        w.prompter.buttons = {Prompter::No, Prompter::No};
        w.tool(MainMenus::FontPosition);
        QCOMPARE(title.font().name, QStringLiteral("Comic Sans MS"));
        w.tool(MainMenus::ColourPosition);
        QCOMPARE(title.foreColor, OleColor(0xC0));
        text.textAlign[2]->trigger();
        QCOMPARE(title.alignment, Alignment::Centre);
        const int front = title.zOrder;
        text.sendToBack->trigger();
        QVERIFY(title.zOrder < front);
        text.bringToFront->trigger();
        QVERIFY(title.zOrder > front);

        // Pressing and dragging the Recto sheet's bar leaves the Recto the face of Ctrl+A,
        // which aligns the selection on the bar (a press on it used to make the Verso current).
        const QRectF& bar = window.context().screen.overlays[RectoSheet].bar;
        click(sheet, bar.center());
        drag(sheet, bar.center(), bar.center() + QPointF(1500, 0));
        window.activateWindow(); // the offscreen platform activates no window after a dialog
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w.prompter.asked.size(), 4); // two dialogs, two questions: no "Désolé."
        QCOMPARE(double(title.left), bar.right());

        click(sheet, title.rect().center());
        QTest::keyClick(&window, Qt::Key_Delete);
        QVERIFY(!title.visible);

        // A right-button press on a text opens the selection menu at the pointer.
        w.tool(MainMenus::InsertRectoPosition);
        const QPoint onText = sheet->toPixels(w.selectedText().rect().center()).toPoint();
        QTest::mousePress(sheet, Qt::RightButton, {}, onText);
        QTRY_VERIFY(w.menus.textMenu->isVisible());
        w.menus.textMenu->close();
        QTest::mouseRelease(sheet, Qt::RightButton, {}, onText);

        // A double-click on a text opens the editor on it.
        ExpectModal cancelled([](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                              Qt::LeftButton);
        });
        QTest::mouseDClick(sheet, Qt::LeftButton, {}, onText);
        QVERIFY(cancelled.seen());
        QCOMPARE(window.selection().currentFace(), int(Face::Recto));
    }

    void workingOnTheDosSheetAndTheTextEntries()
    {
        Window w;
        const TextActions& text = w.menus.text;
        const auto textEntriesShown = [&] {
            return text.border->isVisible() && text.textAlignment->isVisible() &&
                   text.align->isVisible() && text.space->isVisible() &&
                   text.backTransparent->isVisible();
        };
        QTest::keyClick(&w.window, Qt::Key_D, Qt::ControlModifier);
        SheetWidget* sheet = w.sheet(DosSheet);
        w.tool(MainMenus::InsertDosPosition);
        TextElement& inserted = w.selectedText();
        QCOMPARE(inserted.index, 1);
        QVERIFY(textEntriesShown());

        // Dragged by its frame, 20 pixels left and 10 down; the move starts from the edges
        // recorded in whole twips.
        const QRectF before = inserted.rect();
        const QPointF by = sheet->toTwips(QPointF(-20, 10));
        drag(sheet, before.center(), before.center() + by);
        QCOMPARE(inserted.rect().topLeft(),
                 QPointF(std::lround(before.left()) + std::lround(by.x()),
                         std::lround(before.top()) + std::lround(by.y())));

        // A spine shows its handles only, hides the text-only entries, and a drag of one of
        // its handles changes nothing.
        const QRectF spine = w.window.document().spines[0].rect;
        click(sheet, spine.center());
        const SelectionMarks& marks = w.window.context().screen.overlays[DosSheet].marks;
        QVERIFY(marks.handlesVisible && !marks.frameVisible);
        QVERIFY(!text.border->isVisible() && !text.textAlignment->isVisible() &&
                !text.align->isVisible() && !text.space->isVisible());
        drag(sheet, marks.handles[4].center(), marks.handles[4].center() + QPointF(450, -600));
        QCOMPARE(w.window.document().spines[0].rect, spine);

        // A text inserted next shows them again; hiding the bar hides the entry that uses it.
        QTest::keyClick(&w.window, Qt::Key_R, Qt::ControlModifier);
        w.tool(MainMenus::InsertRectoPosition);
        QVERIFY(textEntriesShown());
        text.showBar->trigger();
        QVERIFY(!text.showBar->isChecked() && !text.align->isVisible());
        QVERIFY(!w.window.context().screen.overlays[RectoSheet].barVisible);
    }

    void barTooltipAboutBoxAndTheEditorsPicture()
    {
        Window w;
        SheetWidget* sheet = w.sheet(RectoSheet);
        const QPoint onBar =
            sheet->toPixels(w.window.context().screen.overlays[RectoSheet].bar.center()).toPoint();
        QHelpEvent help(QEvent::ToolTip, onBar, sheet->mapToGlobal(onBar));
        QApplication::sendEvent(sheet, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Barre d'Alignement"));
        QToolTip::hideText();

        QString name;
        ExpectModal about([&](QWidget* box) {
            QCOMPARE(box->windowTitle(), QStringLiteral("A Propos"));
            name = box->findChild<QLabel*>(QStringLiteral("programName"))->text();
            QCOMPARE(box->findChild<QLabel*>(QStringLiteral("programVersion"))->text(),
                     QStringLiteral("Version ") + AboutBox::version());
            QTest::keyClick(box, Qt::Key_Return);
        });
        QTest::keyClick(&w.window, Qt::Key_F2);
        QVERIFY(about.seen());
        QCOMPARE(name, QStringLiteral("Jaskel CD"));

        // The picture of the text editor opens the about box over it.
        w.tool(MainMenus::InsertRectoPosition);
        bool aboutOverEditor = false;
        std::unique_ptr<ExpectModal> aboutBox;
        ExpectModal editor([&](QWidget* dialog) {
            aboutBox = std::make_unique<ExpectModal>([&aboutOverEditor, dialog](QWidget* box) {
                aboutOverEditor = box->windowTitle() == QStringLiteral("A Propos");
                QTest::keyClick(box, Qt::Key_Return);
                QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                                  Qt::LeftButton);
            });
            QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("imgAbout")),
                              Qt::LeftButton);
        });
        w.menus.text.edit->trigger();
        QVERIFY(editor.seen());
        QVERIFY(aboutOverEditor);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void imageOptionsPlacePicturesOnTheFaces()
    {
        Window w;
        QTemporaryDir dir;
        const QString logoFile = dir.filePath(QStringLiteral("logo.png"));
        QImage logo(60, 60, QImage::Format_RGB32);
        logo.fill(Qt::darkRed);
        QVERIFY(logo.save(logoFile));
        QImage scan(90, 45, QImage::Format_RGB32);
        scan.fill(Qt::darkGreen);
        QGuiApplication::clipboard()->setImage(scan);
        w.prompter.paths.push_back(logoFile);
        w.prompter.colours.push_back(0x00FFCC99);

        ExpectModal options([](QWidget* modal) {
            auto* dialog = qobject_cast<frmJCimgOpts*>(modal);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Options d'affichage des images"));
            dialog->logoSourceList()->setCurrentIndex(1); // from a file, for the three faces
            QCOMPARE(dialog->logoModeList(Face::Recto)->currentIndex(), 1);
            dialog->logoModeList(Face::Verso)->setCurrentIndex(3);
            dialog->logoBorderList(Face::Verso)->setCurrentIndex(1);
            dialog->backgroundSourceList(Face::Dos)->setCurrentIndex(2); // the clipboard
            QTest::mouseClick(dialog->colourButton(Face::Verso), Qt::LeftButton);
            dialog->alignmentList()->setCurrentIndex(2);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdValidate")),
                              Qt::LeftButton);
        });
        w.menus.windows.imageOptions->trigger();
        QVERIFY(options.seen());
        const JewelCaseDocument& document = w.window.document();
        const Face& verso = document.faces[Face::Verso];
        QVERIFY(document.faces[Face::Recto].logo.visible &&
                document.faces[Face::Recto].logo.fittedToFace);
        QVERIFY(verso.logo.visible && verso.logo.borderStyle == BorderStyle::Single);
        QCOMPARE(verso.logo.rect.topLeft(), QPointF(verso.frame.left() + 15, 15));
        QVERIFY(!document.faces[Face::Dos].logo.visible); // its list stayed on "Cacher"
        QVERIFY(document.dos().background.visible && document.dos().background.fittedToFace);
        QCOMPARE(verso.color, OleColor(0x00FFCC99));
        QCOMPARE(document.logoImagePath, logoFile);
        QCOMPARE(document.verticalTextAlignment, VerticalAlignment::Centre);
        QCOMPARE(w.window.imageChoices().logoDisplayMode, (std::array<int, 3>{3, 1, 0}));

        // The File menu offers to save the pictures the cover holds, and the cover then names
        // the saved file.
        const std::array<QAction*, 4>& savePicture = w.menus.output.savePicture;
        Q_EMIT w.menus.fileMenu->aboutToShow();
        QVERIFY(!savePicture[Face::Verso]->isEnabled() && !savePicture[Face::Recto]->isEnabled());
        QVERIFY(savePicture[Face::Dos]->isEnabled() && savePicture[3]->isEnabled());
        savePicture[Face::Dos]->trigger(); // cancelled
        QCOMPARE(document.dosImagePath, JewelCaseDocument::noPicture);
        w.prompter.paths.push_back(dir.filePath(QStringLiteral("dos.bmp")));
        savePicture[Face::Dos]->trigger();
        QCOMPARE(QImage(document.dosImagePath).size(), scan.size());

        // "&Annuler && Fermer" applies nothing but keeps the lists and marks the cover.
        const QRectF placed = verso.logo.rect;
        w.window.document().documentModified = false;
        ExpectModal cancelled([](QWidget* modal) {
            auto* dialog = qobject_cast<frmJCimgOpts*>(modal);
            QCOMPARE(dialog->logoModeList(Face::Verso)->currentIndex(), 3);
            dialog->logoModeList(Face::Verso)->setCurrentIndex(7);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                              Qt::LeftButton);
        });
        w.menus.windows.imageOptions->trigger();
        QVERIFY(cancelled.seen());
        QVERIFY(document.documentModified);
        QCOMPARE(w.window.imageChoices().logoDisplayMode[Face::Verso], 7);
        QCOMPARE(verso.logo.rect, placed);
    }

    void fileCommandsAskBeforeLosingWork()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("été.jkcd"));
        auto w = std::make_unique<Window>();
        ScriptedPrompter& prompter = w->prompter;
        frmJewelCase& window = w->window;
        JewelCaseDocument& document = window.document();
        const auto titles = [&](qsizetype from) {
            QStringList seen;
            for (qsizetype i = from; i < prompter.asked.size(); ++i)
                seen << prompter.asked[i].message.title;
            return seen;
        };
        w->tool(MainMenus::InsertRectoPosition);
        QVERIFY(document.documentModified);

        // "&Nouveau" declined at its second question changes nothing.
        qsizetype before = prompter.asked.size();
        w->menus.file.newCover->trigger();
        QCOMPARE(titles(before), (QStringList{"Fichier modifié", "Nouveau fichier"}));
        QCOMPARE(prompter.asked[before].message.text,
                 QStringLiteral("Enregistrer les modifications\r   Confirmez  ?"));
        QCOMPARE(prompter.asked[before].message.defaultButton, Prompter::No);
        QVERIFY(document.documentModified && document.faces[Face::Recto].text(1));

        // Asked to save first, a cancelled save stops "&Ouvrir" and the close button.
        before = prompter.asked.size();
        prompter.buttons = {Prompter::Yes};
        w->menus.file.open->trigger();
        QCOMPARE(titles(before),
                 (QStringList{"Fichier modifié", "Enregistrer Jaquette au format JKCD"}));
        prompter.buttons = {Prompter::Yes};
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());

        // Saved: the title names the file, which opens again (tst_coverfile checks it is the same).
        prompter.paths = {path};
        w->tool(MainMenus::SavePosition);
        QCOMPARE(window.windowTitle(), QStringLiteral("Jaskel CD : ") + path);
        QVERIFY(!document.documentModified);
        prompter.buttons = {Prompter::Yes};
        w->tool(MainMenus::NewPosition);
        QVERIFY(!document.faces[Face::Recto].text(1));
        QCOMPARE(window.windowTitle(), QStringLiteral("Jaskel CD : Nouveau"));
        QCOMPARE(document.verticalText.caption(), QStringLiteral("Votre texte"));
        prompter.paths = {path};
        w->tool(MainMenus::OpenPosition);
        QCOMPARE(window.windowTitle(), QStringLiteral("Jaskel CD : ") + path);
        QVERIFY(document.faces[Face::Recto].text(1) && !document.documentModified);

        // "&Quitter" asks once more, and then closes without another question.
        document.documentModified = true;
        prompter.buttons = {Prompter::No, Prompter::No};
        w->menus.file.quit->trigger();
        QVERIFY(window.isVisible());
        before = prompter.asked.size();
        prompter.buttons = {Prompter::No, Prompter::Yes};
        w->tool(MainMenus::QuitPosition);
        QCOMPARE(titles(before), (QStringList{"Fichier modifié", "Quitter le programme"}));
        QVERIFY(!window.isVisible());
    }

    void printingCopyingAndExporting()
    {
        QTemporaryDir dir;
        Window w;
        OutputCommands& output = w.window.output();
        QPrinter& printer = w.window.printer();
        // The pages of a PDF file, in grey at 50 dpi.
        const auto pages = [](const QString& pdf) {
            QProcess process;
            process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"),
                                                       QStringLiteral("-gray"), pdf, pdf});
            process.waitForFinished();
            QList<QImage> images;
            for (int page = 1; QFile::exists(pdf + QStringLiteral("-%1.pgm").arg(page)); ++page)
                images << QImage(pdf + QStringLiteral("-%1.pgm").arg(page));
            return images;
        };
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setResolution(300);

        // Declined, nothing is printed; accepted, the pages are the export's (the Dos sheet first,
        // landscape), and the printer's own settings are back afterwards.
        const QString declined = dir.filePath(QStringLiteral("non.pdf"));
        printer.setOutputFileName(declined);
        w.menus.output.printAll->trigger();
        QCOMPARE(w.prompter.last().title, QStringLiteral("Impression"));
        QCOMPARE(w.prompter.last().text,
                 QStringLiteral("Impression du Recto-Verso-Dos\r   Confirmez  ?"));
        QVERIFY(!QFile::exists(declined));
        const QString both = dir.filePath(QStringLiteral("tout.pdf"));
        printer.setOutputFileName(both);
        w.prompter.buttons = {Prompter::Yes};
        w.menus.output.printAll->trigger();
        const QString exported = dir.filePath(QStringLiteral("export.pdf"));
        QVERIFY(
            PrintedSheet::writePdf(w.window.document(), {DosSheet, RectoSheet}, exported, 1200));
        const QList<QImage> printed = pages(both);
        QVERIFY(printed.size() == 2 && printed == pages(exported));
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(printer.resolution(), 300);
        QVERIFY(!w.window.cancelPrintButton()->isVisible());

        // "Annuler l'impression" pressed after the first sheet: the second is not printed.
        const QString one = dir.filePath(QStringLiteral("un.pdf"));
        printer.setOutputFileName(one);
        const QMetaObject::Connection cancelling =
            connect(&output, &OutputCommands::sheetOutput, this,
                    [&] { QTest::mouseClick(w.window.cancelPrintButton(), Qt::LeftButton); });
        w.prompter.buttons = {Prompter::Yes};
        w.menus.output.printAll->trigger();
        disconnect(cancelling);
        QCOMPARE(pages(one), printed.mid(0, 1));

        // The chosen quality sets the resolution; choosing it again changes nothing.
        w.menus.output.quality[0]->trigger();
        QCOMPARE(output.printQualityCode(), -1);
        QCOMPARE(output.qualityResolution(), 150);
        QVERIFY(!output.setQuality(0));

        // A copy puts the sheet as the screen shows it on the clipboard; an export writes it.
        w.menus.output.copyDos->trigger();
        QCOMPARE(w.prompter.last().text, QStringLiteral("Image copiée vers le presse papier"));
        const QImage dos = SheetRenderer::image(w.window.document(), DosSheet, 96);
        QCOMPARE(QGuiApplication::clipboard()->image().size(), dos.size());
        const qsizetype asked = w.prompter.asked.size();
        w.menus.output.saveBmpRectoVerso->trigger(); // cancelled: no file
        QCOMPARE(w.prompter.asked.size(), asked + 1);
        QCOMPARE(w.prompter.lastAsked().defaultText, QStringLiteral("Recto Verso"));
        const QString bmp = dir.filePath(QStringLiteral("dos.bmp"));
        w.prompter.paths = {bmp};
        w.menus.output.saveBmpDos->trigger();
        QCOMPARE(w.prompter.last().title, QStringLiteral("Enregistrer Dos au format image BMP"));
        QCOMPARE(QImage(bmp).size(), dos.size());
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.bmp")}).size(), 1);
        QVERIFY(!w.window.document().documentModified);
    }

    void commandLinePaths()
    {
        const QList<std::pair<QString, QString>> paths = {
            {"\"/home/marie/Mes jaquettes/Été.jkcd\"", "/home/marie/Mes jaquettes/Été.jkcd"},
            {"/tmp/a.jkcd", "/tmp/a.jkcd"},
            {"a.jkcd", "/home/marie/Musique/a.jkcd"},
            {"\"sous dossier/b.jkcd\"", "/home/marie/Musique/sous dossier/b.jkcd"},
            {"\"\"", ""}};
        for (const auto& [commandLine, path] : paths)
            QCOMPARE(CommandLine::coverPath(commandLine, QStringLiteral("/home/marie/Musique")),
                     path);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
