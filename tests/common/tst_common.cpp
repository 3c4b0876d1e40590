#include "Application.h"
#include "ImageOptions.h"
#include "ModalDriver.h"
#include "OleColor.h"
#include "PictureSources.h"
#include "QtPrompter.h"
#include "SaneTestScanner.h"
#include "ScannerWindows.h"
#include "ScriptedPrompter.h"
#include "SharedProcedures.h"
#include "TextEncoding.h"
#include "TextMetrics.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFontInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestCommon : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void coverFontsResolveToMetricCompatibleFaces()
    {
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Times New Roman"))).family(),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Comic Sans MS"))).family(),
                 QStringLiteral("Comic Neue"));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("MS Sans Serif"))).family(),
                 QStringLiteral("Liberation Sans"));

        // "Texte" in Times New Roman 11.25 pt was designed at 510 × 255 twips.
        TextFont font;
        const QSizeF word = TextMetrics::captionSize(font, QStringLiteral("Texte"));
        QVERIFY2(qAbs(word.width() - 510) < 90, qPrintable(QString::number(word.width())));
        QVERIFY2(qAbs(word.height() - 255) < 30, qPrintable(QString::number(word.height())));
        const QSizeF twoLines =
            TextMetrics::captionSize(font, QStringLiteral("Texte\r\nTexte plus long"));
        QVERIFY(qAbs(twoLines.height() - 2 * word.height()) <= 1);
        TextFont twice = font;
        twice.size = 22.5f;
        QVERIFY(qAbs(TextMetrics::captionSize(twice, QStringLiteral("Texte")).width() -
                     2 * word.width()) < 4);
    }

    void theFontDialogKeepsTheChosenName()
    {
        // The dialog shows the face that stands in for "Times New Roman"; keeping it keeps the
        // name the user chose, never the substitute's.
        QtPrompter prompter;
        TextFont initial;
        initial.size = 14;
        initial.bold = true;
        ExpectModal dialog([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
        const std::optional<TextFont> chosen = prompter.getFont(initial);
        QVERIFY(dialog.seen());
        QVERIFY(chosen);
        QCOMPARE(chosen->name, QStringLiteral("Times New Roman"));
        QCOMPARE(chosen->size, 14.0f);
        QVERIFY(chosen->bold);
    }

    void coloursKeepTheirStoredValue()
    {
        QCOMPARE(OleColors::toQColor(0x000000FF), QColor(255, 0, 0));
        QCOMPARE(OleColors::toQColor(0x00C00000), QColor(0, 0, 0xC0));
        QCOMPARE(OleColors::fromQColor(QColor(0x12, 0x34, 0x56)), OleColor(0x00563412));
        QCOMPARE(OleColors::toQColor(OleColors::systemWindowText),
                 QApplication::palette().color(QPalette::Text));
    }

    void filesKeepEveryCharacter()
    {
        QByteArray all;
        for (int byte = 0; byte < 256; ++byte)
            all.append(char(byte));
        // Every byte of the code page comes back as it went.
        QCOMPARE(TextEncoding::toWindows1252(TextEncoding::fromWindows1252(all)), all);
        QCOMPARE(TextEncoding::fromWindows1252("\x80\x9c"), QStringLiteral("€œ"));

        // Reading: valid UTF-8 is UTF-8 (without its byte-order mark), anything else 1252.
        QCOMPARE(TextEncoding::decode(QStringLiteral("Été – Noël").toUtf8()),
                 QStringLiteral("Été – Noël"));
        QCOMPARE(TextEncoding::decode("\xC9t\xE9 \x96 No\xEBl"), QStringLiteral("Été – Noël"));
        QCOMPARE(TextEncoding::decode("\xEF\xBB\xBFok"), QStringLiteral("ok"));

        // Writing: 1252 when the whole text fits, UTF-8 when one character does not.
        QCOMPARE(TextEncoding::encode(QStringLiteral("Été – Noël €")),
                 QByteArray("\xC9t\xE9 \x96 No\xEBl \x80"));
        const QString greek = QStringLiteral("Été – Ωδή 日本");
        QCOMPARE(TextEncoding::encode(greek), greek.toUtf8());
        QCOMPARE(TextEncoding::decode(TextEncoding::encode(greek)), greek);

        QCOMPARE(TextEncoding::withCrLf(QStringLiteral("a\nb\r\nc\rd")),
                 QStringLiteral("a\r\nb\r\nc\r\nd"));
        QCOMPARE(TextEncoding::withLf(QStringLiteral("a\r\nb\rc")), QStringLiteral("a\nb\nc"));
    }

    void sharedProcedures()
    {
        QTemporaryDir dir;
        for (const char* name : {"pochette.jkcd", ".cache.txt"}) {
            QFile file(dir.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(FileExists(dir.filePath(QStringLiteral("pochette.jkcd"))));
        QVERIFY(FileExists(dir.filePath(QStringLiteral(".cache.txt")))); // no hidden files here
        QVERIFY(FileExists(dir.filePath(QStringLiteral("*.jkcd"))));
        QVERIFY(FileExists(dir.filePath(QStringLiteral("poch?tte.*"))));
        QVERIFY(!FileExists(dir.filePath(QStringLiteral("*.bmp"))));
        QVERIFY(!FileExists(dir.filePath(QStringLiteral("absent.jkcd"))));
        QVERIFY(!FileExists(dir.path()));
        QVERIFY(!FileExists(QString()));

        QCOMPARE(WithTrailingBackslash(QStringLiteral("/usr/share")),
                 QStringLiteral("/usr/share/"));
        QCOMPARE(WithTrailingBackslash(QStringLiteral("/usr/share/")),
                 QStringLiteral("/usr/share/"));
        QCOMPARE(WithTrailingBackslash(QStringLiteral("/")), QStringLiteral("/"));
    }

    void scanningFromTheWindows()
    {
        // SANE's test scanner only (its backends are read once a process).
        QTemporaryDir config;
        QVERIFY(useSaneTestScanner(config, "number_of_devices 2\nmode Gray\ndepth 8\n"
                                           "resolution 50.0\nbr_x 40.0\nbr_y 20.0\n"));

        // The list of sources: the second one is kept for the run.
        ExpectModal list([](QWidget* dialog) {
            auto* sources = dialog->findChild<QListWidget*>(QStringLiteral("lstSources"));
            QCOMPARE(sources->count(), 2);
            sources->setCurrentRow(1);
            static_cast<QDialog*>(dialog)->accept();
        });
        ScannerWindows::SelectScannerSource(nullptr);
        QVERIFY(list.seen());
        QCOMPARE(ScannerWindows::chosenSource(), QStringLiteral("test:1"));

        // The page comes through the clipboard, where it stays.
        QGuiApplication::clipboard()->setText(QStringLiteral("perdu"));
        const std::optional<Picture> scanned = ScannerWindows::AcquireScannedPicture(nullptr);
        QVERIFY(scanned);
        QCOMPARE(scanned->image().size(), QSize(78, 39)); // 40 × 20 mm at 50 dpi
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(78, 39));
    }

    void picturesFromFilesAndTheClipboard()
    {
        QTemporaryDir dir;
        const QString photo = dir.filePath(QStringLiteral("photo.png"));
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(photo));
        ScriptedPrompter prompter;
        QString last = QStringLiteral("/avant.bmp");

        // A cancelled dialog, or a file that is no picture, change nothing.
        QVERIFY(!PictureSources::AcquirePicture(false, prompter, last));
        QCOMPARE(prompter.last().title, QStringLiteral("Sélectionnez une image"));
        QCOMPARE(
            prompter.lastAsked().filters,
            (QStringList{QStringLiteral("Fichiers images (*.jpg *.jpeg *.gif *.wmf *.bmp *.ico)"),
                         QStringLiteral("Tous les fichiers (*)")}));
        prompter.paths.push_back(dir.filePath(QStringLiteral("absent.jpg")));
        QVERIFY(!PictureSources::AcquirePicture(false, prompter, last));
        QCOMPARE(last, QStringLiteral("/avant.bmp"));
        QCOMPARE(prompter.asked.size(), 2); // no message for a file that cannot be read
        prompter.paths.push_back(photo);
        const std::optional<Picture> chosen = PictureSources::AcquirePicture(false, prompter, last);
        QVERIFY(chosen && chosen->image().size() == QSize(20, 10));
        QCOMPARE(last, photo);

        QGuiApplication::clipboard()->setText(QStringLiteral("pas une image"));
        QVERIFY(!PictureSources::AcquirePicture(true, prompter, last));
        QCOMPARE(prompter.last().text,
                 QStringLiteral("Pas d'image valide dans le presse papier ! "));
        QCOMPARE(prompter.last().title, QStringLiteral("Recommencez !"));
        QCOMPARE(prompter.last().icon, Prompter::Icon::Exclamation);
        QGuiApplication::clipboard()->setImage(image);
        QVERIFY(PictureSources::AcquirePicture(true, prompter, last));
    }

    void imageOptionsWithoutTheDialog()
    {
        using namespace PicturePlacement;
        JewelCaseDocument document;
        QImage image(60, 30, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const Picture picture = Picture::fromImage(image);
        PlaceLogo(document, Face::Verso, LogoDisplayMode::FittedToFace, true, picture);
        PlaceBackground(document, Face::Recto, 0x00C0C0C0, BackgroundFitMode::CentredProportional,
                        picture);

        // The dialog starts from the cover.
        ImageOptions options(document);
        const auto& verso = options.faces[Face::Verso];
        const auto& recto = options.faces[Face::Recto];
        QVERIFY(verso.logoMode == 1 && verso.logoBorder == 1 && !verso.logo.isNull());
        QVERIFY(recto.backgroundMode == 1 && recto.backgroundTrueSize);
        QCOMPARE(recto.colour, OleColor(0x00C0C0C0));
        QCOMPARE(options.faces[Face::Dos].logoMode, 0);

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

        // "&Valider && Fermer" places everything; both buttons remember the lists.
        options.faces[Face::Dos].logo = picture;
        options.faces[Face::Dos].logoMode = 7;
        options.faces[Face::Dos].colour = 0x0000FF00;
        options.verticalAlignment = VerticalAlignment::Centre;
        options.apply(document);
        const ImageSlot& dosLogo = document.faces[Face::Dos].logo;
        QVERIFY(dosLogo.visible);
        QVERIFY(qAbs(dosLogo.rect.center().x() - document.dos().frame.center().x()) < 0.01);
        QCOMPARE(document.dos().color, OleColor(0x0000FF00));
        QCOMPARE(document.verticalTextAlignment, VerticalAlignment::Centre);
        ImageOptionsChoices choices;
        options.remember(choices, document);
        QCOMPARE(choices.logoDisplayMode, (std::array<int, 3>{1, 0, 7}));
        QVERIFY(document.documentModified);
        ImageOptions again(document);
        again.restore(choices);
        QCOMPARE(again.faces[Face::Dos].logoMode, 7);
    }

    void standardButtonsSpeakFrench()
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        auto plain = [&](QMessageBox::StandardButton which) {
            return box.button(which)->text().remove(QLatin1Char('&'));
        };
        QCOMPARE(plain(QMessageBox::Yes), QStringLiteral("Oui"));
        QCOMPARE(plain(QMessageBox::No), QStringLiteral("Non"));
        QCOMPARE(plain(QMessageBox::Cancel), QStringLiteral("Annuler"));
    }
};

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
