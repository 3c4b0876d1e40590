#include "Application.h"
#include "FitLabelInFace.h"
#include "FrmETICD.h"
#include "LabelRenderer.h"
#include "ModalDriver.h"
#include "PrintOutput.h"
#include "ScriptedPrompter.h"
#include "SheetWidget.h"
#include "TextMetrics.h"
#include "frmJewelCase.h"
#include "frmTextEdit.h"

#include <QClipboard>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

// A label window on its own, shown, answering from a script.
struct Window {
    ScriptedPrompter prompter;
    FrmETICD window{&prompter};
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
    // Presses at `from` and moves through `path` before letting go at its last point.
    void drag(const QPointF& from, const QList<QPointF>& path)
    {
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
    QStringList kinds(qsizetype from) const
    {
        QStringList result;
        for (qsizetype i = from; i < prompter.asked.size(); ++i)
            result << prompter.asked[i].kind;
        return result;
    }
};

QByteArray fileLine(const QString& path, int line)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().split('\n').value(line).trimmed()
                                          : QByteArray();
}

// The pages of a PDF file, in grey at 50 dpi.
QList<QImage> pages(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-gray"), pdf, pdf});
    process.waitForFinished();
    QList<QImage> images;
    for (int page = 1; QFile::exists(pdf + QStringLiteral("-%1.pgm").arg(page)); ++page)
        images << QImage(pdf + QStringLiteral("-%1.pgm").arg(page));
    return images;
}

const QString noText = QStringLiteral("Pas de texte sélectionné.");

} // namespace

class TestLabelWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void textsStayOnTheDisc()
    {
        Window w;
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Jaskel CD : Nouveau"));
        QCOMPARE(w.window.toolBar()->actions().size(), 12);
        for (int position : {6, 11})
            QVERIFY(w.menus.toolbarAt(position)->isSeparator());
        QVERIFY(w.menus.quality[3]->isChecked() && !w.menus.deletePicture->isEnabled());

        // A new text: "Texte" at the disc's centre, selected.
        QTest::mouseClick(w.window.toolBar()->widgetForAction(w.menus.toolbarAt(7)),
                          Qt::LeftButton);
        const TextElement* inserted = w.label.text(1);
        QVERIFY(inserted && inserted->caption() == QStringLiteral("Texte"));
        QCOMPARE(inserted->rect().topLeft(), QPointF(3350, 3350));
        QCOMPARE(w.window.selection().currentSelection(), LabelSurface::text(1));
        QVERIFY(w.window.context().marks.frameVisible && w.label.modified);

        // Dragged by its frame into the disc's corners, a pixel (15 twips) at a time: it may
        // touch the left edge and stays 30 twips from the others (its selection counts 30 twips
        // wider); a step beyond is refused as a whole.
        TextElement& text = w.addText(QRectF(600, 600, 910, 310));
        w.click(QPointF(750, 750));
        w.drag(QPointF(750, 750), {{150, 180}, {135, 180}, {150, 165}});
        QCOMPARE(text.rect(), QRectF(0, 30, 910, 310));
        w.click(QPointF(150, 180));
        w.drag(QPointF(150, 180), {{5880, 6510}, {5895, 6510}, {5880, 6525}});
        QCOMPARE(text.rect(), QRectF(6670 - 940, 6670 - 310, 910, 310));

        // "Ajusté à la taille": cut 60 twips inside the right edge, its lines wrapped; then cut
        // 60 twips inside the bottom edge.
        const QString caption = QStringLiteral("Un texte bien trop long pour le disque");
        const double lineHeight = TextMetrics::captionSize(TextFont(), caption).height();
        for (double top : {1200.0, 6450.0}) {
            TextElement& wide = w.addText(QRectF(5000, top, 400, 300), caption);
            w.click(QPointF(5100, top + 100));
            w.menus.align[3]->trigger();
            const double edge = fittedRight(CdLabelDocument::discArea);
            QCOMPARE(wide.left + wide.width, edge);
            if (top < 6000)
                QVERIFY(wide.height >= 2 * lineHeight - 1);
            else
                QCOMPARE(wide.top + wide.height, fittedBottom(CdLabelDocument::discArea));
            QVERIFY(!wide.autoSize() && w.window.context().marks.frameVisible);
        }

        // The font and the colour go to the selection without a question; the background
        // colour, on Yes, to every text, the deleted and the template included.
        w.label.text(3)->visible = false;
        const qsizetype before = w.prompter.asked.size();
        w.prompter.fonts = {TextFont{QStringLiteral("Liberation Sans"), 14}};
        w.prompter.colours = {0x0000FF, 0x00FF00};
        w.prompter.buttons = {Prompter::Yes};
        w.menus.font->trigger();
        w.menus.colour->trigger();
        QTest::keyClick(&w.window, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(w.kinds(before), (QStringList{"font", "colour", "colour", "message"}));
        QVERIFY(w.prompter.last().text.startsWith(
            QStringLiteral("Voulez vous appliquer la couleur à tous les éléments ou uniquement "
                           "au texte sélectionné ?\r\n\r\nCliquez sur Oui")));
        QCOMPARE(w.label.text(4)->font().size, 14.0f);
        QCOMPARE(w.label.text(2)->font().size, 11.0f);
        QCOMPARE(w.label.text(4)->foreColor, OleColor(0x0000FF));
        for (const auto& [index, each] : w.label.texts)
            QVERIFY2(each.backStyle == BackStyle::Opaque && each.backColor == 0x00FF00,
                     qPrintable(QString::number(index)));

        // A double click edits in the cover's editor, told it works for the label.
        bool forTheLabel = false;
        ExpectModal editor([&forTheLabel](QWidget* dialog) {
            auto* edit = qobject_cast<frmTextEdit*>(dialog);
            if (!edit)
                return dialog->close();
            forTheLabel = edit->labelTextEditing();
            edit->textBox()->setPlainText(QStringLiteral("Face A"));
            QTest::mouseClick(edit->findChild<QPushButton*>(QStringLiteral("cmdOk")),
                              Qt::LeftButton);
            return true;
        });
        QTest::mouseDClick(w.drawing, Qt::LeftButton, {}, w.at(QPointF(5800, 6400)));
        QVERIFY(editor.seen() && forTheLabel);
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
        QCOMPARE(w.prompter.lastAsked().message.title, QStringLiteral("Choisir une image"));
        QCOMPARE(w.label.picture.rect, CdLabelDocument::insertedPictureRect);
        QVERIFY(w.label.pictureFileName == png && w.menus.deletePicture->isEnabled());
        // The picture is selected and dragged as a text is, but takes no text command.
        w.click(QPointF(3500, 3500));
        QCOMPARE(w.window.selection().currentSelection(), LabelSurface::picture());
        w.menus.font->trigger();
        QCOMPARE(w.prompter.last().text, noText);

        // From the clipboard: none there, the message; a bitmap, its BMP file's name first.
        QGuiApplication::clipboard()->clear();
        w.menus.pictureFromClipboard->trigger();
        QCOMPARE(w.prompter.last().title, QStringLiteral("Recommencez !"));
        QImage blue(30, 30, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QGuiApplication::clipboard()->setImage(blue);
        w.label.modified = false;
        w.menus.pictureFromClipboard->trigger(); // cancelled
        QCOMPARE(w.prompter.lastAsked().kind, QStringLiteral("save"));
        QCOMPARE(w.prompter.lastAsked().message.title,
                 QStringLiteral("Enregistrer image numérisée au format image BMP"));
        QCOMPARE(w.prompter.lastAsked().defaultText, png);
        QVERIFY(w.label.pictureFileName == png && !w.label.modified);
        QCOMPARE(w.label.picture.picture.image().pixel(0, 0), qRgb(255, 0, 0));
        const QString bmp = dir.filePath(QStringLiteral("colle.bmp"));
        w.prompter.paths = {bmp};
        w.menus.pictureFromClipboard->trigger();
        QVERIFY(w.label.pictureFileName == bmp && w.label.modified);
        QCOMPARE(QImage(bmp).size(), blue.size());

        // Removed, and saved: "Aucun".
        w.menus.deletePicture->trigger();
        QVERIFY(!w.label.picture.visible && !w.menus.deletePicture->isEnabled());
        const QString saved = dir.filePath(QStringLiteral("etiquette.jket"));
        w.prompter.paths = {saved};
        w.menus.saveJket->trigger();
        QCOMPARE(fileLine(saved, 1), QByteArray("Aucun"));
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Jaskel CD : ") + saved);

        // A save that fails says so and keeps the label modified under its name; a file read
        // halfway says so and keeps what it read.
        w.window.insertText();
        w.prompter.paths = {dir.filePath(QStringLiteral("absent/etiquette.jket"))};
        w.menus.saveJket->trigger();
        QCOMPARE(w.prompter.last().text,
                 QStringLiteral("Erreur lors de la sauvegarde du fichier !"));
        QVERIFY(w.label.modified && w.label.fileName == saved);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QList<QByteArray> lines = file.readAll().split('\n');
        lines[6] = " 1 \r"; // one text said, none there
        file.resize(0);
        file.seek(0);
        file.write(lines.join('\n'));
        file.close();
        w.prompter.buttons = {Prompter::No};
        QVERIFY(!w.window.openFile(saved));
        QCOMPARE(w.prompter.last().text, QStringLiteral("Erreur lors de l'ouverture du fichier !"));
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Jaskel CD : ") + saved);
    }

    void closingHidesAndTheLabelStays()
    {
        ScriptedPrompter prompter;
        frmJewelCase cover(&prompter);
        cover.startUp();
        cover.show();
        cover.menus().windows.label->trigger();
        FrmETICD* window = cover.labelWindow();
        QVERIFY(window && window->isVisible() && window->isModal());
        window->insertText();

        // Through the frame as through "&Fermer": the question, then the window is hidden.
        const qsizetype before = prompter.asked.size();
        prompter.buttons = {Prompter::No};
        window->close();
        QCOMPARE(prompter.asked.size(), before + 1);
        QCOMPARE(prompter.last().title, QStringLiteral("Fichier modifié"));
        QCOMPARE(prompter.last().text,
                 QStringLiteral("Enregistrer les modifications\r   Confirmez  ?"));
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

    void printsInPortraitAndGivesThePrinterBack()
    {
        QTemporaryDir dir;
        Window w;
        w.addText(QRectF(1500, 2000, 2000, 400), QStringLiteral("Mon album"));
        QPrinter& printer = w.window.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setResolution(300);

        const QString declined = dir.filePath(QStringLiteral("non.pdf"));
        printer.setOutputFileName(declined);
        w.menus.print->trigger();
        QCOMPARE(w.prompter.last().text,
                 QStringLiteral("Impression de l'étiquette du CD\r   Confirmez  ?"));
        QVERIFY(!QFile::exists(declined));

        // The page is the PDF export's, whose outline measures 117.3 mm on A4 portrait.
        const QString printed = dir.filePath(QStringLiteral("etiquette.pdf"));
        printer.setOutputFileName(printed);
        w.prompter.buttons = {Prompter::Yes};
        QTest::keyClick(&w.window, Qt::Key_I, Qt::ControlModifier);
        const QString exported = dir.filePath(QStringLiteral("export.pdf"));
        QVERIFY(LabelRenderer::writePdf(w.label, exported, 1200));
        const QList<QImage> page = pages(printed);
        QVERIFY(page.size() == 1 && page == pages(exported));
        QVERIFY(page[0].height() > page[0].width());
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(printer.resolution(), 300);
        QVERIFY(!w.window.cancelPrintButton()->isVisible());

        // The copy and the BMP export: the drawing as the screen shows it.
        const QImage shown = LabelRenderer::image(w.label, 96);
        w.menus.copy->trigger();
        QCOMPARE(w.prompter.last().text, QStringLiteral("Image copiée vers le presse papier"));
        QCOMPARE(QGuiApplication::clipboard()->image().size(), shown.size());
        const QString bmp = dir.filePath(QStringLiteral("etiquette.bmp"));
        w.prompter.paths = {bmp};
        w.menus.saveBmp->trigger();
        QCOMPARE(w.prompter.lastAsked().message.title,
                 QStringLiteral("Enregistrer étiquette CD au format image BMP"));
        QCOMPARE(w.prompter.lastAsked().defaultText, QStringLiteral("Image Etiquette CD"));
        QCOMPARE(QImage(bmp).size(), shown.size());
        w.menus.quality[0]->trigger();
        QCOMPARE(w.window.output().qualityResolution(), 150);
    }
};

QTEST_MAIN(TestLabelWindow)
#include "tst_labelwindow.moc"
