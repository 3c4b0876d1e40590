// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "ClipboardPicture.h"
#include "CoverContext.h"
#include "CoverFile.h"
#include "ImageOptions.h"
#include "ImageOptionsDialog.h"
#include "ModalDriver.h"
#include "PicturePlacement.h"
#include "PictureSources.h"
#include "SaneScanner.h"
#include "SaneTestScanner.h"
#include "ScanAreaView.h"
#include "ScannerWindows.h"
#include "ScriptedPrompter.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What the scan dialog showed, and the choices made in it.
struct ScanChoices {
    QStringList resolutions, modes;
    QString resolution, mode;
    QRectF area, drawn;
    QSize preview;

    static QRectF edges(QWidget* window)
    {
        const auto edge = [window](const char* name) {
            return window->findChild<QDoubleSpinBox*>(QLatin1String(name))->value();
        };
        return QRectF(QPointF(edge("spnLeft"), edge("spnTop")),
                      QPointF(edge("spnRight"), edge("spnBottom")));
    }

    void read(QWidget* window)
    {
        auto* resolutionList = window->findChild<QComboBox*>(QStringLiteral("cboResolution"));
        auto* modeList = window->findChild<QComboBox*>(QStringLiteral("cboMode"));
        for (int i = 0; i < resolutionList->count(); ++i)
            resolutions.append(resolutionList->itemText(i));
        for (int i = 0; i < modeList->count(); ++i)
            modes.append(modeList->itemText(i));
        resolution = resolutionList->currentText();
        mode = modeList->currentText();
        area = edges(window);
    }

    // Chooses a resolution and a mode, and scans the area the edges show.
    void chosen(QWidget* window, const QString& dpi, const QString& colours)
    {
        auto* resolutionList = window->findChild<QComboBox*>(QStringLiteral("cboResolution"));
        auto* modeList = window->findChild<QComboBox*>(QStringLiteral("cboMode"));
        resolutionList->setCurrentIndex(resolutionList->findText(dpi));
        modeList->setCurrentIndex(modeList->findText(colours));
        drawn = edges(window);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdScan")),
                          Qt::LeftButton);
    }
};

// Whether `pixels` is `area` (mm) scanned at `dpi`, give or take the scanner's rounding.
bool sizeAt(const QSize& pixels, const QRectF& area, int dpi)
{
    return qAbs(pixels.width() - area.width() * dpi / 25.4) <= 1 &&
           qAbs(pixels.height() - area.height() * dpi / 25.4) <= 1;
}

} // namespace

class TestImageOptions : public QObject {
    Q_OBJECT

    // SANE's test scanner only; SANE reads its backends once a process.
    QTemporaryDir saneConfig_;

private Q_SLOTS:
    void initTestCase()
    {
        // The scanners' remembered choices go to a folder of the tests, and start afresh.
        QStandardPaths::setTestModeEnabled(true);
        Application::configure(*qApp);
        QSettings().remove(QStringLiteral("scanner"));
        QVERIFY(useSaneTestScanner(saneConfig_, "number_of_devices 2\nmode Gray\ndepth 8\n"
                                                "resolution 50.0\nbr_x 40.0\nbr_y 20.0\n"
                                                "test-picture \"Color pattern\"\n"));
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
        ImageOptionsDialog dialog(context, lastPicturePath);
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
        QVERIFY(options.faces[Face::Dos].logoBorder == 1 &&
                options.faces[Face::Dos].backgroundMode == 0);

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
        ImageOptionsDialog dialog(context, lastPicturePath);
        dialog.show();

        // The scan dialog offers what the scanner lists, its own choices first and the whole
        // glass. A preview at its lowest resolution, a rectangle dragged on it, 100 dpi in
        // colour: the page is that area at that resolution.
        const QRectF glass = SaneScanner::capabilities(QStringLiteral("test:1")).value().glass;
        QVERIFY(glass.width() > 100 && glass.height() > 100);
        ScanChoices first;
        ExpectModal choose([&first](QWidget* window) {
            first.read(window);
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdPreview")),
                              Qt::LeftButton);
            auto* view = window->findChild<ScanAreaView*>(QStringLiteral("picArea"));
            first.preview = view->preview().size();
            const QRectF drawn = view->glassOnScreen();
            const auto at = [&drawn](double x, double y) {
                return QPointF(drawn.left() + x * drawn.width(), drawn.top() + y * drawn.height())
                    .toPoint();
            };
            QTest::mousePress(view, Qt::LeftButton, {}, at(0.75, 0.6));
            QTest::mouseMove(view, at(0.5, 0.4));
            QTest::mouseRelease(view, Qt::LeftButton, {}, at(0.25, 0.2));
            first.chosen(window, QStringLiteral("100 ppp"), QStringLiteral("Couleur"));
        });
        const QString recto = dir.filePath(QStringLiteral("recto.bmp"));
        prompter.paths.push_back(recto);
        dialog.backgroundSourceList(Face::Recto)->setCurrentIndex(3);
        QVERIFY(choose.seen());
        QCOMPARE(first.resolutions.first(), QStringLiteral("50 ppp"));
        QVERIFY(first.resolutions.contains(QStringLiteral("100 ppp")));
        QCOMPARE(first.modes,
                 QStringList({QStringLiteral("Niveaux de gris"), QStringLiteral("Couleur")}));
        QCOMPARE(first.resolution, QStringLiteral("50 ppp"));
        QCOMPARE(first.mode, QStringLiteral("Niveaux de gris"));
        QCOMPARE(first.area, glass);
        QVERIFY(sizeAt(first.preview, glass, 50));
        const QRectF dragged(glass.left() + glass.width() / 4, glass.top() + glass.height() / 5,
                             glass.width() / 2, glass.height() * 2 / 5);
        QVERIFY2(qAbs(first.drawn.left() - dragged.left()) < 2 &&
                     qAbs(first.drawn.bottom() - dragged.bottom()) < 2 &&
                     qAbs(first.drawn.width() - dragged.width()) < 2,
                 qPrintable(QStringLiteral("%1 %2 %3 %4")
                                .arg(first.drawn.left())
                                .arg(first.drawn.top())
                                .arg(first.drawn.width())
                                .arg(first.drawn.height())));
        QCOMPARE(prompter.lastAsked().message.title,
                 QStringLiteral("Enregistrer image Recto au format image BMP"));
        const QImage rectoPage(recto);
        QVERIFY2(
            sizeAt(rectoPage.size(), first.drawn, 100),
            qPrintable(QStringLiteral("%1 × %2").arg(rectoPage.width()).arg(rectoPage.height())));
        QVERIFY(!rectoPage.allGray());
        QVERIFY(document.rectoImagePath == recto && lastPicturePath == recto);
        QCOMPARE(document.faces[Face::Recto].background.picture.image().size(), rectoPage.size());
        QVERIFY(dialog.backgroundModeList(Face::Recto)->isEnabled());

        // The scanner's last choices come back, the area does not: 75 dpi in grey of the whole
        // glass. A scanned logo whose file is refused, and a pasted background, have no file:
        // the cover must not name the picture opened last.
        ScanChoices second;
        ExpectModal again([&second](QWidget* window) {
            second.read(window);
            second.chosen(window, QStringLiteral("75 ppp"), QStringLiteral("Niveaux de gris"));
        });
        dialog.logoSourceList()->setCurrentIndex(3);
        QVERIFY(again.seen());
        QVERIFY(second.resolution == QStringLiteral("100 ppp") &&
                second.mode == QStringLiteral("Couleur"));
        QCOMPARE(second.area, glass);
        const QImage logo = dialog.options().faces[Face::Recto].logo.image();
        QVERIFY(sizeAt(logo.size(), glass, 75));
        QVERIFY(logo.allGray());
        QCOMPARE(dialog.options().logoPath, JewelCaseDocument::noPicture);
        for (int face = 0; face < Face::count; ++face)
            QCOMPARE(dialog.logoModeList(face)->currentIndex(), 1);
        dialog.backgroundSourceList(Face::Dos)->setCurrentIndex(2);
        QCOMPARE(dialog.options().faces[Face::Dos].backgroundPath, JewelCaseDocument::noPicture);
        QCOMPARE(lastPicturePath, recto);

        // Another scanner has choices of its own. "Annuler" scans nothing: the clipboard is
        // empty and said so, the Verso keeps nothing and its list goes back.
        ExpectModal other([](QWidget* dialog) {
            dialog->findChild<QListWidget*>(QStringLiteral("lstSources"))->setCurrentRow(0);
            static_cast<QDialog*>(dialog)->accept();
        });
        ScannerWindows::SelectScannerSource(nullptr);
        ScanChoices third;
        ExpectModal cancel([&third](QWidget* window) {
            third.read(window);
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                              Qt::LeftButton);
        });
        dialog.backgroundSourceList(Face::Verso)->setCurrentIndex(3);
        QVERIFY(cancel.seen());
        QCOMPARE(third.resolution, QStringLiteral("50 ppp"));
        QCOMPARE(prompter.last().text,
                 QStringLiteral("Pas d'image valide dans le presse papier ! "));
        QCOMPARE(dialog.backgroundSourceList(Face::Verso)->currentIndex(), 0);
        QVERIFY(dialog.options().faces[Face::Verso].background.isNull());
        QVERIFY(QGuiApplication::clipboard()->image().isNull());

        // Cancelled, the dialog leaves the scanned background where it went.
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                          Qt::LeftButton);
        QVERIFY(!document.faces[Face::Recto].background.isEmpty());
        QVERIFY(document.dos().background.isEmpty());

        // A logo pasted from the clipboard is saved as such, and the dialog shows it so next
        // time.
        ClipboardPicture::write(logo);
        ImageOptionsDialog pasted(context, lastPicturePath);
        pasted.logoSourceList()->setCurrentIndex(2);
        QTest::mouseClick(pasted.findChild<QPushButton*>(QStringLiteral("cmdValidate")),
                          Qt::LeftButton);
        const QString saved = dir.filePath(QStringLiteral("collé.jkcd"));
        QVERIFY(CoverFile::save(document, saved, prompter));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().split('\n')[10], QByteArray(" 2 \r"));
        QCOMPARE(ImageOptionsDialog(context, lastPicturePath).logoSourceList()->currentIndex(), 2);
    }
};

QTEST_MAIN(TestImageOptions)
#include "tst_imageoptions.moc"
