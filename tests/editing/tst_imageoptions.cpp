#include "Application.h"
#include "CoverContext.h"
#include "CoverFile.h"
#include "ImageOptions.h"
#include "ModalDriver.h"
#include "PicturePlacement.h"
#include "PictureSources.h"
#include "SaneTestScanner.h"
#include "ScannerWindows.h"
#include "ScriptedPrompter.h"
#include "frmJCimgOpts.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestImageOptions : public QObject {
    Q_OBJECT

    // SANE's test scanner only; SANE reads its backends once a process.
    QTemporaryDir saneConfig_;

private Q_SLOTS:
    void initTestCase()
    {
        Application::configure(*qApp);
        QVERIFY(useSaneTestScanner(saneConfig_, "number_of_devices 2\nmode Gray\ndepth 8\n"
                                                "resolution 50.0\nbr_x 40.0\nbr_y 20.0\n"));
    }

    void picturesFromFilesAndTheClipboard()
    {
        QTemporaryDir dir;
        const QString photo = dir.filePath(QStringLiteral("photo.png"));
        QVERIFY(QImage(20, 10, QImage::Format_RGB32).save(photo));
        ScriptedPrompter prompter;
        QString last = QStringLiteral("/avant.bmp");

        // A cancelled dialog changes nothing; a file that is no picture says so.
        QVERIFY(!PictureSources::AcquirePicture(false, prompter, last));
        // Every format the program reads is offered, in either case.
        const QString filter = prompter.lastAsked().filters.first();
        QVERIFY2(filter.startsWith(QStringLiteral("Fichiers images (*.jpg *.JPG")),
                 qPrintable(filter));
        for (const char* pattern :
             {"*.png", "*.PNG", "*.gif", "*.bmp", "*.ico", "*.wmf", "*.svg", "*.tif", "*.webp"})
            QVERIFY2(filter.contains(QLatin1String(pattern)), pattern);
        const QString absent = dir.filePath(QStringLiteral("absent.jpg"));
        prompter.paths.push_back(absent);
        QVERIFY(!PictureSources::AcquirePicture(false, prompter, last));
        QCOMPARE(last, QStringLiteral("/avant.bmp"));
        QCOMPARE(prompter.last().text, QStringLiteral("Le fichier image ") + absent +
                                           QStringLiteral(" ne peut pas être lu !"));
        prompter.paths.push_back(photo);
        const std::optional<Picture> chosen = PictureSources::AcquirePicture(false, prompter, last);
        QVERIFY(chosen && chosen->image().size() == QSize(20, 10));
        QCOMPARE(last, photo);

        QGuiApplication::clipboard()->setText(QStringLiteral("pas une image"));
        QVERIFY(!PictureSources::AcquirePicture(true, prompter, last));
        QCOMPARE(prompter.last().text,
                 QStringLiteral("Pas d'image valide dans le presse papier ! "));
    }

    void aChoiceThatBringsNoPicturePutsTheListBack()
    {
        QTemporaryDir dir;
        const QString empty = dir.filePath(QStringLiteral("vide.png"));
        QFile file(empty);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        JewelCaseDocument document;
        QImage photo(60, 30, QImage::Format_RGB32);
        photo.fill(Qt::blue);
        PicturePlacement::PlaceBackground(document, Face::Recto, 0x00FFFFFF,
                                          PicturePlacement::BackgroundFitMode::WholeFace,
                                          Picture::fromImage(photo));
        ScriptedPrompter prompter;
        CoverContext context(document, prompter);
        QString lastPicturePath;
        frmJCimgOpts dialog(context, lastPicturePath);
        dialog.show();

        // A file that cannot be read: said as a cover says it, the list back on "Pas d' Image".
        prompter.paths.push_back(empty);
        dialog.backgroundSourceList(Face::Dos)->setCurrentIndex(1);
        QCOMPARE(prompter.last().text, QStringLiteral("Le fichier image ") + empty +
                                           QStringLiteral(" ne peut pas être lu !"));
        QCOMPARE(prompter.last().title, QStringLiteral("Erreur"));
        QCOMPARE(prompter.last().icon, Prompter::Icon::Exclamation);
        QCOMPARE(dialog.backgroundSourceList(Face::Dos)->currentIndex(), 0);
        QVERIFY(dialog.options().faces[Face::Dos].background.isNull());
        prompter.paths.push_back(empty);
        dialog.logoSourceList()->setCurrentIndex(1);
        QCOMPARE(dialog.logoSourceList()->currentIndex(), 0);
        QVERIFY(!dialog.logoModeList(Face::Recto)->isEnabled());

        // An empty clipboard: the Recto keeps its picture, and the list says where it came from.
        QGuiApplication::clipboard()->setText(QStringLiteral("pas une image"));
        dialog.backgroundSourceList(Face::Recto)->setCurrentIndex(2);
        QCOMPARE(prompter.last().text,
                 QStringLiteral("Pas d'image valide dans le presse papier ! "));
        QCOMPARE(dialog.backgroundSourceList(Face::Recto)->currentIndex(), 1);
        QCOMPARE(dialog.options().faces[Face::Recto].background.image().size(), QSize(60, 30));
        QVERIFY(dialog.backgroundModeList(Face::Recto)->isEnabled());
    }

    void imageOptionsWithoutTheDialog()
    {
        using namespace PicturePlacement;
        JewelCaseDocument document;
        const Picture picture = Picture::fromImage(QImage(60, 30, QImage::Format_RGB32));
        PlaceLogo(document, Face::Verso, LogoDisplayMode::FittedToFace, true, picture);
        PlaceBackground(document, Face::Recto, 0x00C0C0C0, BackgroundFitMode::CentredProportional,
                        picture);
        // The lists as the user left them; a file may hold entries the lists do not have.
        document.imageChoices.logoDisplayMode = {1, 0, 0};
        document.imageChoices.logoBorderStyle = {1, 0, 5};
        document.imageChoices.backgroundFitMode = {0, 1, -1};

        ImageOptions options(document);
        const auto& verso = options.faces[Face::Verso];
        const auto& recto = options.faces[Face::Recto];
        QVERIFY(verso.logoMode == 1 && verso.logoBorder == 1 && !verso.logo.isNull());
        QVERIFY(recto.backgroundMode == 1 && recto.backgroundTrueSize);
        QCOMPARE(recto.colour, OleColor(0x00C0C0C0));
        QCOMPARE(options.faces[Face::Dos].logoMode, 0);
        QVERIFY(options.faces[Face::Dos].logoBorder == 1 && options.faces[Face::Dos].backgroundMode == 0);

        // Previews at a third of the faces: fitted 20 in, a new logo 855 square.
        const QSizeF area = options.previewSize(Face::Verso);
        QVERIFY(qAbs(area.width() - 6803.15 * 0.3329414) < 0.01);
        QCOMPARE(options.logoPreview(Face::Verso),
                 QRectF(20, 20, area.width() - 20, area.height() - 20));
        options.faces[Face::Dos].logoMode = 4;
        const QSizeF dos = options.previewSize(Face::Dos);
        QCOMPARE(options.logoPreview(Face::Dos), QRectF(dos.width() - 855 - 10, 10, 855, 855));
        // The background at its size on the face, centred: 900 × 450 twips at a third.
        const QRectF background = options.backgroundPreview(Face::Recto);
        QVERIFY(qAbs(background.width() - 900 * 0.3329414) < 0.01);
        QVERIFY(qAbs(background.center().x() - area.width() / 2) < 0.01);
    }

    void scannedAndPastedPicturesInTheDialog()
    {
        // The list of sources: the second one is kept for the run. Two test scanners alike are
        // told apart by their names.
        QStringList shown;
        ExpectModal list([&shown](QWidget* dialog) {
            auto* sources = dialog->findChild<QListWidget*>(QStringLiteral("lstSources"));
            for (int row = 0; row < sources->count(); ++row)
                shown.append(sources->item(row)->text());
            sources->setCurrentRow(1);
            static_cast<QDialog*>(dialog)->accept();
        });
        ScannerWindows::SelectScannerSource(nullptr);
        QVERIFY(list.seen());
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0].endsWith(QStringLiteral(" — test:0")) &&
                shown[1].endsWith(QStringLiteral(" — test:1")));
        QCOMPARE(shown[0].chopped(6), shown[1].chopped(6));
        QCOMPARE(ScannerWindows::chosenSource(), QStringLiteral("test:1"));

        QTemporaryDir dir;
        JewelCaseDocument document;
        ScriptedPrompter prompter;
        CoverContext context(document, prompter);
        QString lastPicturePath = QStringLiteral("/images/ancien.jpg");
        frmJCimgOpts dialog(context, lastPicturePath);
        dialog.show();

        // A scanned background (40 × 20 mm at 50 dpi) goes onto its face at once, through the
        // clipboard, and is kept as a BMP file, which the cover names from then on.
        const QString recto = dir.filePath(QStringLiteral("recto.bmp"));
        prompter.paths.push_back(recto);
        dialog.backgroundSourceList(Face::Recto)->setCurrentIndex(3);
        QCOMPARE(prompter.lastAsked().message.title,
                 QStringLiteral("Enregistrer image Recto au format image BMP"));
        QCOMPARE(QImage(recto).size(), QSize(78, 39));
        QVERIFY(document.rectoImagePath == recto && lastPicturePath == recto);
        QCOMPARE(document.faces[Face::Recto].background.picture.image().size(), QSize(78, 39));
        QVERIFY(dialog.backgroundModeList(Face::Recto)->isEnabled());

        // A scanned logo whose file is refused, and a pasted background, have no file: the
        // cover must not name the picture opened last.
        dialog.logoSourceList()->setCurrentIndex(3);
        QCOMPARE(dialog.options().logoPath, JewelCaseDocument::noPicture);
        for (int face = 0; face < Face::count; ++face)
            QCOMPARE(dialog.logoModeList(face)->currentIndex(), 1);
        dialog.backgroundSourceList(Face::Dos)->setCurrentIndex(2);
        QCOMPARE(dialog.options().faces[Face::Dos].backgroundPath, JewelCaseDocument::noPicture);
        QCOMPARE(lastPicturePath, recto);

        // Cancelled, the dialog leaves the scanned background where it went.
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                          Qt::LeftButton);
        QVERIFY(!document.faces[Face::Recto].background.isEmpty());
        QVERIFY(document.dos().background.isEmpty());

        // A logo pasted from the clipboard (the scan is still there) is saved as such, and the
        // dialog shows it so next time.
        frmJCimgOpts again(context, lastPicturePath);
        again.logoSourceList()->setCurrentIndex(2);
        QTest::mouseClick(again.findChild<QPushButton*>(QStringLiteral("cmdValidate")),
                          Qt::LeftButton);
        const QString saved = dir.filePath(QStringLiteral("collé.jkcd"));
        QVERIFY(CoverFile::SauveFichier(document, saved, prompter));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().split('\n')[10], QByteArray(" 2 \r"));
        QCOMPARE(frmJCimgOpts(context, lastPicturePath).logoSourceList()->currentIndex(), 2);
    }
};

QTEST_MAIN(TestImageOptions)
#include "tst_imageoptions.moc"
