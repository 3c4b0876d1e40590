// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "CoverWindow.h"
#include "FitTextInFace.h"
#include "LabelRenderer.h"
#include "LabelSheet.h"
#include "LabelWindow.h"
#include "MainMenus.h"
#include "ModalDriver.h"
#include "PaperMeasure.h"
#include "PrintOutput.h"
#include "ScriptedPrompter.h"
#include "SheetWidget.h"
#include "TextEditorDialog.h"
#include "TextMetrics.h"

#include <QClipboard>
#include <QComboBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A label window on its own, shown, answering from a script.
struct Window {
    ScriptedPrompter prompter;
    LabelWindow window{&prompter};
    const LabelMenus& menus = window.menus();
    CdLabelDocument& label = window.label();
    SheetWidget* drawing = window.drawing();

    Window()
    {
        window.showWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QPoint at(const QPointF& twips) const { return drawing->toPixels(twips).toPoint(); }
    void click(const QPointF& twips) { QTest::mouseClick(drawing, Qt::LeftButton, {}, at(twips)); }
    // Selects at `from`, then drags from there through `path`.
    void drag(const QPointF& from, const QList<QPointF>& path)
    {
        click(from);
        QTest::mousePress(drawing, Qt::LeftButton, {}, at(from));
        for (const QPointF& to : path)
            QTest::mouseMove(drawing, at(to));
        QTest::mouseRelease(drawing, Qt::LeftButton, {}, at(path.last()));
    }
    TextElement& addText(const QRectF& rect, const QString& caption = QStringLiteral("Texte"))
    {
        TextElement& text = label.insertText();
        text.setCaption(caption);
        text.setAutoSize(false);
        text.setRect(rect);
        return text;
    }
};

// The page of a PDF file of one page, in grey at 50 dpi; null if it has more.
QImage onlyPage(const QString& pdf)
{
    QProcess::execute(QStringLiteral("pdftoppm"), {"-r", "50", "-gray", pdf, pdf});
    return QFile::exists(pdf + "-2.pgm") ? QImage() : QImage(pdf + "-1.pgm");
}

const QString noText = QStringLiteral("Pas de texte sélectionné.");

} // namespace

class TestLabelWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // The recent files of the labels opened here go to a folder of the tests.
        QStandardPaths::setTestModeEnabled(true);
        Application::configure(*qApp);
    }

    void textsStayOnTheDisc()
    {
        Window w;
        // A new text: "Texte" at the disc's centre, selected.
        w.menus.insertButton->trigger();
        const TextElement* inserted = w.label.text(1);
        QVERIFY(inserted && inserted->caption() == QStringLiteral("Texte"));
        QCOMPARE(inserted->rect().topLeft(), QPointF(3350, 3350));
        QCOMPARE(w.window.selection().currentSelection(), LabelSurface::text(1));
        QVERIFY(w.window.context().marks.frameVisible && w.window.context().history.isModified());

        // Dragged by its frame into the disc's corners, a pixel (15 twips) at a time: it may
        // touch the left edge and stays 30 twips from the others (its selection counts 30 twips
        // wider); a step beyond is refused as a whole.
        TextElement& text = w.addText(QRectF(600, 600, 910, 310));
        w.drag(QPointF(750, 750), {{150, 180}, {135, 180}, {150, 165}});
        QCOMPARE(text.rect(), QRectF(0, 30, 910, 310));
        w.drag(QPointF(150, 180), {{5880, 6510}, {5895, 6510}, {5880, 6525}});
        QCOMPARE(text.rect(), QRectF(6670 - 940, 6670 - 310, 910, 310));

        // "Ajusté à la taille": cut 60 twips inside the disc's right edge, its lines wrapped.
        const QString caption = QStringLiteral("Un texte bien trop long pour le disque");
        TextElement& wide = w.addText(QRectF(5000, 1200, 400, 300), caption);
        w.click(QPointF(5100, 1300));
        w.menus.align[3]->trigger();
        QCOMPARE(wide.left + wide.width, fittedRight(CdLabelDocument::discArea));
        QVERIFY(wide.height >= 2 * TextMetrics::captionSize(TextFont(), caption).height() - 1);
        QVERIFY(!wide.autoSize());

        // The font and the colour go to the selection without a question; the background
        // colour, on Yes, to every text, the deleted and the template included.
        w.label.text(1)->visible = false;
        const qsizetype before = w.prompter.asked.size();
        w.prompter.fonts = {TextFont{QStringLiteral("Liberation Sans"), 14}};
        w.prompter.colours = {0x0000FF, 0x00FF00};
        w.prompter.buttons = {Prompter::Yes};
        w.menus.font->trigger();
        w.menus.colour->trigger();
        QTest::keyClick(&w.window, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(w.prompter.asked.size(), before + 4); // the question last
        QCOMPARE(w.prompter.lastAsked().kind, QStringLiteral("message"));
        QCOMPARE(wide.font().size, 14.0f);
        QCOMPARE(w.label.text(2)->font().size, 11.0f);
        QCOMPARE(wide.foreColor, OleColor(0x0000FF));
        for (const auto& [index, each] : w.label.texts)
            QVERIFY2(each.backStyle == BackStyle::Opaque && each.backColor == 0x00FF00,
                     qPrintable(QString::number(index)));

        // A double click edits in the cover's editor.
        ExpectModal editor([](QWidget* dialog) {
            auto* edit = qobject_cast<TextEditorDialog*>(dialog);
            if (!edit)
                return dialog->close();
            edit->textBox()->setPlainText(QStringLiteral("Face A"));
            QTest::mouseClick(edit->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
            return true;
        });
        QTest::mouseDClick(w.drawing, Qt::LeftButton, {}, w.at(QPointF(5800, 6400)));
        QVERIFY(editor.seen());
        QCOMPARE(text.caption(), QStringLiteral("Face A"));

        // Deleted, it is gone from the selection; the commands then say so, as for a picture.
        w.menus.deleteText->trigger();
        QVERIFY(!text.visible && !w.window.context().marks.frameVisible);
        w.menus.colour->trigger();
        QCOMPARE(w.prompter.last().text, noText);
    }

    void picturesAreNamedByTheirFiles()
    {
        QTemporaryDir dir;
        Window w;
        QImage red(20, 10, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString png = dir.filePath(QStringLiteral("rouge.png"));
        QVERIFY(red.save(png));
        w.prompter.paths = {png};
        w.menus.pictureFromFile->trigger();
        QCOMPARE(w.label.picture.rect, CdLabelDocument::insertedPictureRect);
        QVERIFY(w.label.pictureFileName == png && w.menus.deletePicture->isEnabled());
        // The picture is selected as a text is, but takes no text command.
        w.click(QPointF(3500, 3500));
        QCOMPARE(w.window.selection().currentSelection(), LabelSurface::picture());
        w.menus.font->trigger();
        QCOMPARE(w.prompter.last().text, noText);

        // From the clipboard, its BMP file's name first, the current picture's proposed; nothing
        // changes when none is given.
        QImage blue(30, 30, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QGuiApplication::clipboard()->setImage(blue);
        const QUndoStack& steps = w.window.context().history.stack();
        const int stepsBefore = steps.count();
        w.menus.pictureFromClipboard->trigger();
        QCOMPARE(w.prompter.lastAsked().defaultText, png);
        QVERIFY(w.label.pictureFileName == png && steps.count() == stepsBefore);
        QCOMPARE(w.label.picture.picture.image().pixel(0, 0), qRgb(255, 0, 0));
        const QString bmp = dir.filePath(QStringLiteral("colle.bmp"));
        w.prompter.paths = {bmp};
        w.menus.pictureFromClipboard->trigger();
        QVERIFY(w.label.pictureFileName == bmp && steps.count() == stepsBefore + 1);
        QCOMPARE(QImage(bmp).size(), blue.size());

        w.menus.deletePicture->trigger();
        QVERIFY(!w.label.hasPictureFile() && !w.menus.deletePicture->isEnabled());
        const QString saved = dir.filePath(QStringLiteral("etiquette.jket"));
        w.prompter.paths = {saved};
        w.menus.saveJket->trigger();
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Jaskel CD : ") + saved);

        // A save that fails keeps the label modified under its name; a file read halfway says
        // so and keeps its name.
        w.window.insertText();
        w.prompter.paths = {dir.filePath(QStringLiteral("absent/etiquette.jket"))};
        w.menus.saveJket->trigger();
        QVERIFY(w.window.context().history.isModified() && w.window.context().fileName == saved);
        const QString cut = dir.filePath(QStringLiteral("coupee.jket"));
        QVERIFY(QFile::copy(saved, cut) && QFile::resize(cut, 40));
        w.prompter.buttons = {Prompter::No};
        QVERIFY(!w.window.openFile(cut));
        QCOMPARE(w.prompter.last().text, QStringLiteral("Erreur lors de l'ouverture du fichier !"));
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Jaskel CD : ") + cut);
    }

    void closingHidesAndTheLabelStays()
    {
        ScriptedPrompter prompter;
        CoverWindow cover(&prompter);
        cover.startUp();
        cover.show();
        cover.menus().windows.label->trigger();
        LabelWindow* window = cover.labelWindow();
        QVERIFY(window && window->isVisible() && window->isModal());
        window->insertText();

        // Through the frame as through "&Fermer": the question, then the window is hidden.
        const qsizetype before = prompter.asked.size();
        prompter.buttons = {Prompter::No};
        window->close();
        QCOMPARE(prompter.asked.size(), before + 1);
        QVERIFY(!window->isVisible());
        cover.menus().windows.label->trigger();
        QVERIFY(cover.labelWindow() == window && window->isVisible());
        QVERIFY(window->label().text(1) && window->label().text(1)->visible);

        // Asked to save and not saved, neither the window nor the program closes.
        prompter.buttons = {Prompter::Yes};
        window->menus().close->trigger();
        QVERIFY(window->isVisible());
        prompter.buttons = {Prompter::No};
        window->menus().close->trigger();
        prompter.buttons = {Prompter::Yes};
        cover.close();
        QVERIFY(cover.isVisible());
        prompter.buttons = {Prompter::No};
        cover.close();
        QVERIFY(!cover.isVisible());
    }

    void printsTheExportedPageAndGivesTheOrientationBack()
    {
        QTemporaryDir dir;
        Window w;
        w.addText(QRectF(1500, 2000, 2000, 400), QStringLiteral("Mon album"));
        // On the label's own portrait page; the printer's orientation is given back.
        QPrinter& printer = w.window.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageOrientation(QPageLayout::Landscape);
        const QString printed = dir.filePath(QStringLiteral("etiquette.pdf"));
        printer.setOutputFileName(printed);
        w.prompter.buttons = {Prompter::Yes};
        QTest::keyClick(&w.window, Qt::Key_I, Qt::ControlModifier);
        const QString exported = dir.filePath(QStringLiteral("export.pdf"));
        QVERIFY(LabelRenderer::writePdf(w.label, exported, 1200));
        const QImage page = onlyPage(printed);
        QVERIFY(!page.isNull() && page == onlyPage(exported));
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);

        // The copy and the BMP export: the drawing as the screen shows it.
        const QSize shown = LabelRenderer::image(w.label, 96).size();
        w.menus.copy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), shown);
        const QString bmp = dir.filePath(QStringLiteral("etiquette.bmp"));
        w.prompter.paths = {bmp};
        w.menus.saveBmp->trigger();
        QCOMPARE(QImage(bmp).size(), shown);
        w.menus.quality[0]->trigger();
        QCOMPARE(w.window.output().qualityResolution(), 150);
    }

    // "Feuille d'étiquettes…" puts the label on the A4 sheet of two labels, at place 2: the
    // choice is remembered, the confirmation names it, and on the printed PDF the hub's centre
    // is the second label's (105 mm, 217 mm from the paper's corner). The calibration page has
    // its 120 mm square 40 mm from the paper's edges; a PDF file has no correction to choose,
    // and says it is to be printed at its actual size.
    void printsOnLabelStockAndCalibrates()
    {
        QTemporaryDir dir;
        Window w;
        LabelSheetChoice().remember(); // a former run's
        const QString sheetName = QStringLiteral("A4, 2 étiquettes Ø 117 mm, trou Ø 41 mm");
        {
            ExpectModal choosing([&](QWidget* dialog) {
                auto* sheets = dialog->findChild<QComboBox*>("cboSheet");
                sheets->setCurrentIndex(sheets->findText(sheetName));
                auto* places = dialog->findChild<QComboBox*>("cboPlace");
                places->setCurrentIndex(places->findText(QStringLiteral("Place 2")));
                qobject_cast<QDialog*>(dialog)->accept();
            });
            w.menus.labelSheet->trigger();
            QVERIFY(choosing.seen());
        }
        QCOMPARE(LabelSheetChoice::remembered(), (LabelSheetChoice{sheetName, 1}));
        QPrinter& printer = w.window.printer();
        const QString printed = dir.filePath(QStringLiteral("feuille.pdf"));
        printer.setOutputFileName(printed);
        w.prompter.buttons = {Prompter::Yes};
        w.menus.print->trigger();
        QCOMPARE(w.prompter.last().text,
                 QStringLiteral("Impression de l'étiquette du CD\r\nsur la feuille « %1 », "
                                "place 2\r   Confirmez  ?")
                     .arg(sheetName));
        const QImage sheet = PaperMeasure::firstPage(printed);
        const double hub = CdLabelDocument::hubSide / 1440 * 25.4;
        const QList<double> across = PaperMeasure::linesAlong(sheet, 217, Qt::Horizontal);
        const QList<double> down = PaperMeasure::linesAlong(sheet, 105, Qt::Vertical);
        const double left = PaperMeasure::nearest(across, 105 - hub / 2);
        const double top = PaperMeasure::nearest(down, 217 - hub / 2);
        QVERIFY2(qAbs(left + hub / 2 - 105) <= 0.3, qPrintable(QString::number(left)));
        QVERIFY2(qAbs(top + hub / 2 - 217) <= 0.3, qPrintable(QString::number(top)));
        QVERIFY(qAbs(PaperMeasure::nearest(across, 105 + hub / 2) - left - hub) <= 0.3);
        // Nothing on the first label.
        QVERIFY(PaperMeasure::linesAlong(sheet, 80, Qt::Horizontal).isEmpty());
        LabelSheetChoice().remember();

        const QString calibration = dir.filePath(QStringLiteral("calibrage.pdf"));
        printer.setOutputFileName(calibration);
        w.prompter.buttons = {Prompter::Yes};
        w.menus.calibrationPage->trigger();
        const QList<double> square =
            PaperMeasure::linesAlong(PaperMeasure::firstPage(calibration), 100.5, Qt::Horizontal);
        const double squareLeft = PaperMeasure::nearest(square, 40);
        QVERIFY2(qAbs(squareLeft - 40) <= 0.3, qPrintable(QString::number(squareLeft)));
        QVERIFY(qAbs(PaperMeasure::nearest(square, 160) - squareLeft - 120) <= 0.3);
        const QList<double> ruler =
            PaperMeasure::linesAlong(PaperMeasure::firstPage(calibration), 21.5, Qt::Horizontal);
        QVERIFY(qAbs(PaperMeasure::nearest(ruler, 120) - PaperMeasure::nearest(ruler, 20) - 100) <=
                0.3);
        w.menus.calibratePrinter->trigger();
        QCOMPARE(w.prompter.last().title, QStringLiteral("Calibrer l'imprimante"));

        if (!PaperMeasure::haveQpdf())
            QSKIP("qpdf is not installed (tools/check.sh installs it)");
        for (const QString& pdf : {printed, calibration}) {
            QCOMPARE(PaperMeasure::qpdfProblems(pdf), QString());
            QVERIFY(PaperMeasure::catalog(pdf).contains("/PrintScaling /None"));
        }
    }

    // No key reaches two entries of a window, and the print menus (where the calibration's
    // entries were added) give no mnemonic to two of their entries.
    void everyKeyReachesOneEntry()
    {
        ScriptedPrompter prompter;
        CoverWindow cover(&prompter);
        cover.startUp();
        Window label;
        for (QWidget* window :
             {static_cast<QWidget*>(&cover), static_cast<QWidget*>(&label.window)}) {
            QSet<QString> keys;
            for (QAction* action : window->findChildren<QAction*>()) {
                for (const QKeySequence& key : action->shortcuts()) {
                    QVERIFY2(!keys.contains(key.toString()), qPrintable(key.toString()));
                    keys.insert(key.toString());
                }
            }
            for (QMenu* menu : window->findChildren<QMenu*>()) {
                const QList<QAction*> entries = menu->actions();
                if (std::none_of(entries.begin(), entries.end(), [](QAction* entry) {
                        return entry->text().contains(QStringLiteral("page de &calibrage"));
                    }))
                    continue;
                QSet<QChar> mnemonics;
                for (QAction* action : entries) {
                    const QString text = QString(action->text()).remove(QStringLiteral("&&"));
                    const qsizetype at = text.indexOf(QLatin1Char('&'));
                    if (at < 0 || at + 1 >= text.size())
                        continue;
                    const QChar mnemonic = text.at(at + 1).toLower();
                    QVERIFY2(!mnemonics.contains(mnemonic), qPrintable(action->text()));
                    mnemonics.insert(mnemonic);
                }
            }
        }
    }
};

QTEST_MAIN(TestLabelWindow)
#include "tst_labelwindow.moc"
