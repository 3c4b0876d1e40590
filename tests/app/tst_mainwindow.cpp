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

void press(QWidget* dialog, const char* button)
{
    QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
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

    void viewsAndTheTextEntries()
    {
        Window w;
        frmJewelCase& window = w.window;
        const TextActions& text = w.menus.text;
        const auto entriesShown = [&] {
            return text.border->isVisible() && text.textAlignment->isVisible() &&
                   text.align->isVisible() && text.space->isVisible() &&
                   text.backTransparent->isVisible();
        };
        QVERIFY(w.sheet(RectoSheet)->isVisible() && !w.sheet(DosSheet)->isVisible());
        // The sheet is 13741.3 twips wide at the screen's resolution, under its toolbar.
        QCOMPARE(window.width(), pixels(window, 120 + 13741.3 + 90));
        QCOMPARE(w.sheet(RectoSheet)->width(), pixels(window, 13741.3) + 1);
        QVERIFY(w.menus.output.quality[3]->isChecked() && text.showBar->isChecked());

        QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(w.sheet(DosSheet)->isVisible() && !w.sheet(RectoSheet)->isVisible());
        QCOMPARE(window.width(), pixels(window, 8621.97 + 90));
        QVERIFY(window.coverView()->caption(Face::Dos)->isVisible());
        QCOMPARE(text.insertOn[0]->text(), QStringLiteral("Insérer sur le Dos"));
        QVERIFY(!text.insertOn[1]->isVisible());
        QVERIFY(w.menus.view.dosButton->isChecked() && !text.insertRectoButton->isEnabled());
        w.tool(MainMenus::InsertDosPosition);
        QCOMPARE(window.selection().currentSelection(), ElementRef::text(Face::Dos, 1));
        QVERIFY(entriesShown());
        click(w.sheet(DosSheet), window.document().spines[0].rect.center());
        QVERIFY(!text.border->isVisible() && !text.textAlignment->isVisible() &&
                !text.align->isVisible() && !text.space->isVisible());

        w.tool(MainMenus::ViewRectoVersoPosition);
        QCOMPARE(window.width(), pixels(window, 120 + 13741.3 + 90));
        QVERIFY(text.insertOn[1]->isVisible());
        w.tool(MainMenus::InsertRectoPosition);
        QVERIFY(entriesShown());
        // Hiding the bar hides the entry that uses it.
        text.showBar->trigger();
        QVERIFY(!text.align->isVisible());
        QVERIFY(!window.context().screen.overlays[RectoSheet].barVisible);
    }

    void resizingWithTheMouse()
    {
        Window w;
        JewelCaseDocument& document = w.window.document();
        TextElement& text = document.faces[Face::Recto].loadText(1);
        text.setAutoSize(false);
        text.setRect(QRectF(1500, 1500, 1500, 450));
        text.visible = true;
        w.window.refreshCover();
        SheetWidget* sheet = w.sheet(RectoSheet);
        click(sheet, QPointF(2000, 1700));
        const SelectionMarks& marks = w.window.context().screen.overlays[RectoSheet].marks;
        QCOMPARE(marks.frame, QRectF(1500, 1500, 1500, 450));

        // The step is measured from the handle's corner.
        const QRectF handle = marks.handles[4];
        const QPoint grab = sheet->toPixels(handle.center()).toPoint();
        const QPoint drop = grab + QPoint(40, 20);
        QTest::mousePress(sheet, Qt::LeftButton, {}, grab);
        QTest::mouseMove(sheet, drop);
        QCOMPARE(sheet->cursor().shape(), Qt::SizeFDiagCursor);
        QTest::mouseRelease(sheet, Qt::LeftButton, {}, drop);
        const QPointF pointer = sheet->toTwips(QPointF(drop)) - handle.topLeft();
        QCOMPARE(text.rect(), QRectF(1500, 1500, 1500 + pointer.x(), 450 + pointer.y()));
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

        // Ctrl+E opens the editor, whose picture opens the about box over it.
        w.tool(MainMenus::InsertRectoPosition);
        TextElement& title = w.selectedText();
        bool aboutOverEditor = false;
        ExpectModal editor([&aboutOverEditor](QWidget* dialog) {
            ExpectModal about([&aboutOverEditor](QWidget* box) {
                aboutOverEditor = box->windowTitle() == QStringLiteral("A Propos");
                QTest::keyClick(box, Qt::Key_Return);
            });
            QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("imgAbout")),
                              Qt::LeftButton);
            auto* box = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtNew"));
            QTest::keyClicks(box, QStringLiteral("Mon album"));
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClicks(box, QStringLiteral("Artiste"));
            press(dialog, "cmdOk");
        });
        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(editor.seen() && aboutOverEditor);
        QCOMPARE(title.caption(), QStringLiteral("Mon album\r\nArtiste"));

        w.prompter.fonts = {
            TextFont{QStringLiteral("Comic Sans MS"), 20, true, false, false, false}};
        w.prompter.colours = {0x000000C0};
        w.prompter.buttons = {Prompter::No, Prompter::No};
        w.tool(MainMenus::FontPosition);
        w.tool(MainMenus::ColourPosition);
        text.textAlign[2]->trigger();
        QVERIFY(title.font().name == QStringLiteral("Comic Sans MS") &&
                title.foreColor == OleColor(0xC0) && title.alignment == Alignment::Centre);
        const int front = title.zOrder;
        text.sendToBack->trigger();
        const int back = title.zOrder;
        text.bringToFront->trigger();
        QVERIFY(back < front && title.zOrder > front);

        // A press on the Recto sheet's bar used to make the Verso the face of Ctrl+A.
        const QRectF& bar = window.context().screen.overlays[RectoSheet].bar;
        const QPoint onBar = sheet->toPixels(bar.center()).toPoint();
        const QPoint dropped = sheet->toPixels(bar.center() + QPointF(1500, 0)).toPoint();
        QHelpEvent help(QEvent::ToolTip, onBar, sheet->mapToGlobal(onBar));
        QApplication::sendEvent(sheet, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Barre d'Alignement"));
        QToolTip::hideText();
        click(sheet, bar.center());
        QTest::mousePress(sheet, Qt::LeftButton, {}, onBar);
        QTest::mouseMove(sheet, dropped);
        QTest::mouseRelease(sheet, Qt::LeftButton, {}, dropped);
        window.activateWindow(); // the offscreen platform activates no window after a dialog
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w.prompter.asked.size(), 4); // two dialogs, two questions: no "Désolé."
        QCOMPARE(double(title.left), bar.right());

        click(sheet, title.rect().center());
        QTest::keyClick(&window, Qt::Key_Delete);
        QVERIFY(!title.visible);
        ExpectModal about([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        QTest::keyClick(&window, Qt::Key_F2);
        QVERIFY(about.seen());

        // A right-button press on a text opens its menu; a double-click, the editor.
        w.tool(MainMenus::InsertRectoPosition);
        const QPoint onText = sheet->toPixels(w.selectedText().rect().center()).toPoint();
        QTest::mousePress(sheet, Qt::RightButton, {}, onText);
        QTRY_VERIFY(w.menus.textMenu->isVisible());
        w.menus.textMenu->close();
        QTest::mouseRelease(sheet, Qt::RightButton, {}, onText);
        ExpectModal cancelled([](QWidget* dialog) { press(dialog, "cmdCancel"); });
        QTest::mouseDClick(sheet, Qt::LeftButton, {}, onText);
        QVERIFY(cancelled.seen());
    }

    void imageOptionsPlacePicturesOnTheFaces()
    {
        Window w;
        QTemporaryDir dir;
        const QString logoFile = dir.filePath(QStringLiteral("logo.png"));
        QVERIFY(QImage(60, 60, QImage::Format_RGB32).save(logoFile));
        QImage scan(90, 45, QImage::Format_RGB32);
        scan.fill(Qt::darkGreen);
        QGuiApplication::clipboard()->setImage(scan);
        w.prompter.paths.push_back(logoFile);
        w.prompter.colours.push_back(0x00FFCC99);

        ExpectModal options([](QWidget* modal) {
            auto* dialog = qobject_cast<frmJCimgOpts*>(modal);
            dialog->logoSourceList()->setCurrentIndex(1); // from a file, for the three faces
            dialog->logoModeList(Face::Verso)->setCurrentIndex(3);
            dialog->logoBorderList(Face::Verso)->setCurrentIndex(1);
            dialog->backgroundSourceList(Face::Dos)->setCurrentIndex(2); // the clipboard
            QTest::mouseClick(dialog->colourButton(Face::Verso), Qt::LeftButton);
            dialog->alignmentList()->setCurrentIndex(2);
            press(dialog, "cmdValidate");
        });
        w.menus.windows.imageOptions->trigger();
        QVERIFY(options.seen());
        const JewelCaseDocument& document = w.window.document();
        const Face& verso = document.faces[Face::Verso];
        const ImageSlot& rectoLogo = document.faces[Face::Recto].logo;
        QVERIFY(rectoLogo.visible && rectoLogo.fittedToFace);
        QVERIFY(verso.logo.visible && verso.logo.borderStyle == BorderStyle::Single);
        QCOMPARE(verso.logo.rect.topLeft(), QPointF(verso.frame.left() + 15, 15));
        QVERIFY(!document.faces[Face::Dos].logo.visible); // its list stayed on "Cacher"
        QVERIFY(document.dos().background.visible && document.dos().background.fittedToFace);
        QVERIFY(verso.color == OleColor(0x00FFCC99) && document.logoImagePath == logoFile);
        QCOMPARE(document.verticalTextAlignment, VerticalAlignment::Centre);

        // The File menu offers to save the pictures the cover holds; the cover names the file.
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
        int shownMode = -1; // checked once the dialog is gone
        ExpectModal cancelled([&shownMode](QWidget* modal) {
            auto* dialog = qobject_cast<frmJCimgOpts*>(modal);
            shownMode = dialog->logoModeList(Face::Verso)->currentIndex();
            dialog->logoModeList(Face::Verso)->setCurrentIndex(7);
            press(dialog, "cmdCancel");
        });
        w.menus.windows.imageOptions->trigger();
        QVERIFY(cancelled.seen() && document.documentModified);
        QCOMPARE(shownMode, 3);
        QCOMPARE(w.window.imageChoices().logoDisplayMode, (std::array<int, 3>{7, 1, 0}));
        QCOMPARE(verso.logo.rect, placed);
    }

    void fileCommandsAskBeforeLosingWork()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("été.jkcd"));
        Window w;
        ScriptedPrompter& prompter = w.prompter;
        frmJewelCase& window = w.window;
        JewelCaseDocument& document = window.document();
        const auto titles = [&](qsizetype from) {
            QStringList seen;
            for (qsizetype i = from; i < prompter.asked.size(); ++i)
                seen << prompter.asked[i].message.title;
            return seen;
        };
        w.tool(MainMenus::InsertRectoPosition);

        // "&Nouveau" declined at its second question changes nothing.
        qsizetype before = prompter.asked.size();
        w.menus.file.newCover->trigger();
        QCOMPARE(titles(before), (QStringList{"Fichier modifié", "Nouveau fichier"}));
        QCOMPARE(prompter.asked[before].message.defaultButton, Prompter::No);
        QVERIFY(document.documentModified && document.faces[Face::Recto].text(1));

        // Asked to save first, a cancelled save stops "&Ouvrir" and the close button.
        before = prompter.asked.size();
        prompter.buttons = {Prompter::Yes};
        w.menus.file.open->trigger();
        QCOMPARE(titles(before),
                 (QStringList{"Fichier modifié", "Enregistrer Jaquette au format JKCD"}));
        prompter.buttons = {Prompter::Yes};
        QVERIFY(!window.close() && window.isVisible());

        // Saved, the title names the file, which opens again (tst_coverfile checks it is the same).
        prompter.paths = {path};
        w.tool(MainMenus::SavePosition);
        QCOMPARE(window.windowTitle(), QStringLiteral("Jaskel CD : ") + path);
        QVERIFY(!document.documentModified);
        prompter.buttons = {Prompter::Yes};
        w.tool(MainMenus::NewPosition);
        QCOMPARE(window.windowTitle(), QStringLiteral("Jaskel CD : Nouveau"));
        QVERIFY(!document.faces[Face::Recto].text(1) &&
                document.verticalText.caption() == QStringLiteral("Votre texte"));
        prompter.paths = {path};
        w.tool(MainMenus::OpenPosition);
        QCOMPARE(window.windowTitle(), QStringLiteral("Jaskel CD : ") + path);
        QVERIFY(document.faces[Face::Recto].text(1) && !document.documentModified);

        // "&Quitter" asks once more, and then closes without another question.
        document.documentModified = true;
        prompter.buttons = {Prompter::No, Prompter::No};
        w.menus.file.quit->trigger();
        QVERIFY(window.isVisible());
        before = prompter.asked.size();
        prompter.buttons = {Prompter::No, Prompter::Yes};
        w.tool(MainMenus::QuitPosition);
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
        QVERIFY(printer.pageLayout().orientation() == QPageLayout::Portrait &&
                printer.resolution() == 300 && !w.window.cancelPrintButton()->isVisible());

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
        QVERIFY(output.printQualityCode() == -1 && output.qualityResolution() == 150);
        QVERIFY(!output.setQuality(0));

        // A copy puts the sheet as the screen shows it on the clipboard; an export writes it.
        w.menus.output.copyDos->trigger();
        const QImage dos = SheetRenderer::image(w.window.document(), DosSheet, 96);
        QCOMPARE(QGuiApplication::clipboard()->image().size(), dos.size());
        w.menus.output.saveBmpRectoVerso->trigger(); // cancelled: no file
        QCOMPARE(w.prompter.lastAsked().defaultText, QStringLiteral("Recto Verso"));
        const QString bmp = dir.filePath(QStringLiteral("dos.bmp"));
        w.prompter.paths = {bmp};
        w.menus.output.saveBmpDos->trigger();
        QCOMPARE(QImage(bmp).size(), dos.size());
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.bmp")}).size(), 1);
        QVERIFY(!w.window.document().documentModified);
    }

    // A quoted path relative to the current folder; the other forms: tst_desktop.
    void quotedRelativeCommandLinePath()
    {
        QCOMPARE(CommandLine::coverPath(QStringLiteral("\"sous dossier/b.jkcd\""),
                                        QStringLiteral("/home/marie/Musique")),
                 QStringLiteral("/home/marie/Musique/sous dossier/b.jkcd"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
