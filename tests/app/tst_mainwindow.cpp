// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "CommandLine.h"
#include "CoverView.h"
#include "CoverWindow.h"
#include "ImageOptionsDialog.h"
#include "ModalDriver.h"
#include "PostedClick.h"
#include "PrintedSheet.h"
#include "ScriptedPrompter.h"
#include "SheetWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT

    // A shown window, started as the program starts it.
    struct Window {
        ScriptedPrompter prompter;
        CoverWindow window{&prompter};
        const MainMenus& menus = window.menus();

        Window()
        {
            window.startUp();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        void tool(int position)
        {
            QWidget* button = window.toolBar()->widgetForAction(menus.toolbarAt(position));
            QVERIFY(button && button->isEnabled());
            QTest::mouseClick(button, Qt::LeftButton);
        }
    };

private Q_SLOTS:
    void initTestCase()
    {
        // The recent files of the covers opened here go to a folder of the tests.
        QStandardPaths::setTestModeEnabled(true);
        Application::configure(*qApp);
        // No printer anywhere: the CUPS scheduler is asked on a port where none listens.
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        qputenv("CUPS_SERVER", QStringLiteral("127.0.0.1:%1").arg(probe.serverPort()).toLatin1());
    }

    void viewsAndEditingTexts()
    {
        Window w;
        CoverWindow& window = w.window;
        SheetWidget* sheet = window.coverView()->sheet(RectoSheet);
        const auto pixels = [&window](double twips) {
            return int(std::lround(twips * window.pixelsPerTwip()));
        };
        // The sheet is 13741.3 twips wide at the screen's resolution, under its toolbar.
        QCOMPARE(window.width(), pixels(120 + 13741.3 + 90));

        QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(window.coverView()->sheet(DosSheet)->isVisible() && !sheet->isVisible());
        QCOMPARE(window.width(), pixels(8621.97 + 90));

        w.tool(MainMenus::ViewRectoVersoPosition);
        QCOMPARE(window.width(), pixels(120 + 13741.3 + 90));
        w.tool(MainMenus::InsertRectoPosition);
        TextElement& title = *window.context().surface.text(window.selection().currentSelection());

        // A handle dragged with the mouse resizes the text by the pointer's step from its corner.
        const QRectF before = title.rect();
        const QRectF handle = window.context().screen.overlays[RectoSheet].marks.handles[4];
        const QPoint grab = sheet->toPixels(handle.center()).toPoint();
        const QPoint drop = grab + QPoint(40, 20);
        QTest::mousePress(sheet, Qt::LeftButton, {}, grab);
        QTest::mouseMove(sheet, drop);
        QCOMPARE(sheet->cursor().shape(), Qt::SizeFDiagCursor);
        QTest::mouseRelease(sheet, Qt::LeftButton, {}, drop);
        const QPointF step = sheet->toTwips(QPointF(drop)) - handle.topLeft();
        QCOMPARE(title.rect(), QRectF(before.topLeft(), before.bottomRight() + step));

        // A press on the Recto sheet's bar used to make the Verso the face of Ctrl+A.
        const QRectF& bar = window.context().screen.overlays[RectoSheet].bar;
        const QPoint onBar = sheet->toPixels(bar.center()).toPoint();
        const QPoint dropped = sheet->toPixels(bar.center() + QPointF(1500, 0)).toPoint();
        QTest::mouseClick(sheet, Qt::LeftButton, {}, onBar);
        QTest::mousePress(sheet, Qt::LeftButton, {}, onBar);
        QTest::mouseMove(sheet, dropped);
        QTest::mouseRelease(sheet, Qt::LeftButton, {}, dropped);
        QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(w.prompter.asked.isEmpty()); // no "Désolé."
        QCOMPARE(double(title.left), bar.right());
    }

    // What the user chose is what the file keeps, whatever is selected when it is saved.
    void imageOptionsAndBordersGoToTheFileAsChosen()
    {
        Window w;
        QTemporaryDir dir;
        const QString logoFile = dir.filePath(QStringLiteral("logo.png"));
        QVERIFY(QImage(60, 60, QImage::Format_RGB32).save(logoFile));
        w.prompter.paths = {logoFile, logoFile}; // the logo, then the Recto's background
        w.prompter.colours.push_back(0x00FFCC99);
        ExpectModal options([](QWidget* modal) {
            auto* dialog = qobject_cast<ImageOptionsDialog*>(modal);
            dialog->logoSourceList()->setCurrentIndex(1); // from a file, for the three faces
            dialog->logoModeList(Face::Verso)->setCurrentIndex(4);
            dialog->logoModeList(Face::Dos)->setCurrentIndex(7);
            dialog->logoBorderList(Face::Verso)->setCurrentIndex(1);
            dialog->backgroundSourceList(Face::Recto)->setCurrentIndex(1);
            dialog->backgroundModeList(Face::Recto)->setCurrentIndex(1);
            QTest::mouseClick(dialog->colourButton(Face::Verso), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdValidate")),
                              Qt::LeftButton);
        });
        w.menus.windows.imageOptions->trigger();
        QVERIFY(options.seen());
        JewelCaseDocument& document = w.window.document();
        const Face& verso = document.faces[Face::Verso];
        QVERIFY(document.faces[Face::Recto].logo.fittedToFace);
        QVERIFY(verso.logo.visible && verso.logo.borderStyle == BorderStyle::Single);
        QCOMPARE(verso.logo.rect.topLeft(),
                 QPointF(verso.frame.right() - verso.logo.rect.width() - 15, 15));
        QVERIFY(verso.color == OleColor(0x00FFCC99) && document.logoImagePath == logoFile);

        // A bordered text selected with the mouse; the name typed without its suffix gets it.
        w.tool(MainMenus::InsertRectoPosition);
        w.menus.text.borderSingle->trigger();
        SheetWidget* sheet = w.window.coverView()->sheet(RectoSheet);
        const QRectF text = document.faces[Face::Recto].text(1)->rect();
        QTest::mouseClick(sheet, Qt::LeftButton, {}, sheet->toPixels(QPointF(9000, 200)).toPoint());
        QTest::mouseClick(sheet, Qt::LeftButton, {}, sheet->toPixels(text.center()).toPoint());
        QVERIFY(w.window.selection().frameShown());
        w.prompter.paths = {dir.filePath(QStringLiteral("t1"))};
        w.menus.file.saveJkcd->trigger();
        const QString saved = dir.filePath(QStringLiteral("t1.jkcd"));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        // The Recto's background centred, a logo from a file, the logos fitted on the Recto, top
        // right on the Verso, centred on the Dos, the Verso's bordered; the text's border.
        QCOMPARE(lines.mid(7, 10).join(""), " 1 \r 0 \r 0 \r 1 \r 1 \r 4 \r 7 \r 0 \r 1 \r 0 \r");
        QCOMPARE(lines[42 + 4], QByteArray(" 1 \r"));

        // Opened again, the dialog shows the lists as they were chosen, and the text its border.
        w.prompter.paths = {saved};
        w.menus.file.open->trigger();
        QCOMPARE(document.faces[Face::Recto].text(1)->borderStyle, BorderStyle::Single);
        ExpectModal shown([](QWidget* modal) {
            auto* dialog = qobject_cast<ImageOptionsDialog*>(modal);
            QCOMPARE(dialog->logoSourceList()->currentIndex(), 1);
            QCOMPARE(dialog->logoModeList(Face::Verso)->currentIndex(), 4);
            QCOMPARE(dialog->logoModeList(Face::Dos)->currentIndex(), 7);
            QCOMPARE(dialog->backgroundModeList(Face::Recto)->currentIndex(), 1);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                              Qt::LeftButton);
        });
        w.menus.windows.imageOptions->trigger();
        QVERIFY(shown.seen());
    }

    void fileCommandsAskBeforeLosingWork()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("été.jkcd"));
        Window w;
        ScriptedPrompter& prompter = w.prompter;
        CoverWindow& window = w.window;
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
        QVERIFY(window.context().history.isModified() && document.faces[Face::Recto].text(1));

        // Asked to save first, a cancelled save stops "&Ouvrir" and the close button.
        before = prompter.asked.size();
        prompter.buttons = {Prompter::Yes};
        w.menus.file.open->trigger();
        QCOMPARE(titles(before),
                 (QStringList{"Fichier modifié", "Enregistrer Jaquette au format JKCD"}));
        prompter.buttons = {Prompter::Yes};
        QVERIFY(!window.close() && window.isVisible());

        // A save done, "&Ouvrir" goes on (tst_coverfile checks the file opened is the same).
        prompter.buttons = {Prompter::Yes};
        prompter.paths = {path, path};
        w.tool(MainMenus::OpenPosition);
        QVERIFY(prompter.paths.empty() && prompter.lastAsked().kind == QStringLiteral("open"));
        QVERIFY(document.faces[Face::Recto].text(1) && !window.context().history.isModified());

        // "&Quitter" asks once more, and then closes without another question, unloading the texts.
        window.context().history.markModified();
        prompter.buttons = {Prompter::No, Prompter::No};
        w.menus.file.quit->trigger();
        QVERIFY(window.isVisible());
        before = prompter.asked.size();
        prompter.buttons = {Prompter::No, Prompter::Yes};
        w.tool(MainMenus::QuitPosition);
        QCOMPARE(titles(before), (QStringList{"Fichier modifié", "Quitter le programme"}));
        QVERIFY(!window.isVisible());
        QCOMPARE(document.faces[Face::Recto].texts.size(), std::size_t(1));
    }

    void printingAtTrueSizeAndCancelling()
    {
        QTemporaryDir dir;
        Window w;
        QPrinter& printer = w.window.printer();
        // The pages of a PDF file, in grey at 50 dpi.
        const auto pages = [](const QString& pdf) {
            QProcess::execute(
                QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-gray"), pdf, pdf});
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
        const QString both = dir.filePath(QStringLiteral("tout.pdf"));
        printer.setOutputFileName(both);
        w.menus.output.printAll->trigger();
        QVERIFY(!QFile::exists(both));
        w.prompter.buttons = {Prompter::Yes};
        w.menus.output.printAll->trigger();
        const QString exported = dir.filePath(QStringLiteral("export.pdf"));
        QVERIFY(
            PrintedSheet::writePdf(w.window.document(), {DosSheet, RectoSheet}, exported, 1200));
        const QList<QImage> printed = pages(both);
        QVERIFY(printed.size() == 2 && printed == pages(exported));
        QVERIFY(printer.pageLayout().orientation() == QPageLayout::Portrait &&
                printer.resolution() == 300 && !w.window.cancelPrintButton()->isVisible());

        // "Annuler l'impression" clicked while the second sheet is painted: the file holds the
        // first alone.
        const QString one = dir.filePath(QStringLiteral("un.pdf"));
        printer.setOutputFileName(one);
        connect(&w.window.output(), &OutputCommands::sheetPainting, this, [&](int sheet) {
            if (sheet == RectoSheet)
                postClick(w.window.cancelPrintButton());
        });
        w.prompter.buttons = {Prompter::Yes};
        w.menus.output.printAll->trigger();
        QCOMPARE(pages(one), printed.mid(0, 1));
    }

    // Without a printer the program says so and offers to choose one; a job that cannot start
    // is reported, and the printer takes the next command.
    void printingWithoutPrinterOrWithAFailingOne()
    {
        QTemporaryDir dir;
        Window w;
        QPrinter& printer = w.window.printer();
        const auto print = [&w] {
            w.prompter.asked.clear();
            QTest::keyClick(&w.window, Qt::Key_I, Qt::ControlModifier);
        };
        const QStringList offer = {QStringLiteral("Impression"),
                                   QStringLiteral("Aucune imprimante n'est installée.\r\n"
                                                  "Choisir une imprimante ou un fichier PDF avec "
                                                  "« Configurer l'imprimante » ?")};
        const auto titleAndText = [](const Prompter::Message& message) {
            return QStringList{message.title, message.text};
        };
        w.prompter.buttons = {Prompter::Yes, Prompter::No};
        print();
        QCOMPARE(w.prompter.asked.size(), 2);
        QCOMPARE(titleAndText(w.prompter.last()), offer);

        // A file in a folder that does not exist: the job cannot start.
        const QString absent = dir.filePath(QStringLiteral("absent/jaquette.pdf"));
        printer.setOutputFileName(absent);
        w.prompter.buttons = {Prompter::Yes};
        print();
        QCOMPARE(titleAndText(w.prompter.last()),
                 (QStringList{QStringLiteral("Printing Error"),
                              QStringLiteral("Erreur rencontrée lors de l'impression :\r\n"
                                             "impossible d'écrire le fichier « %1 ».")
                                  .arg(absent)}));
        QCOMPARE(w.prompter.last().icon, Prompter::Icon::Exclamation);

        // Without a printer again, and left active by a job that could not start (as a start
        // without a file name leaves it): the offer taken, the set-up dialog (whose button says
        // "OK") chooses a PDF file, and the command goes on into it.
        printer.setOutputFileName(QString());
        QPainter unstarted;
        QVERIFY(!unstarted.begin(&printer) && printer.printerState() == QPrinter::Active);
        const QString chosen = dir.filePath(QStringLiteral("jaquette.pdf"));
        QString button;
        ExpectModal setup([&](QWidget* dialog) {
            QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            button = ok->text();
            auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
            printers->setCurrentIndex(printers->count() - 1); // the PDF file
            dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(chosen);
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        w.prompter.buttons = {Prompter::Yes, Prompter::Yes};
        print();
        QVERIFY(setup.seen());
        QCOMPARE(button, QStringLiteral("OK"));
        QCOMPARE(titleAndText(w.prompter.last()), offer);
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {chosen});
        QVERIFY(info.waitForFinished() &&
                info.readAllStandardOutput().contains(QByteArrayLiteral("Pages:           2")));
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
