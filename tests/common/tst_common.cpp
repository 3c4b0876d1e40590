#include "Application.h"
#include "ModalDriver.h"
#include "OleColor.h"
#include "QtPrompter.h"
#include "SharedProcedures.h"
#include "TextEncoding.h"
#include "TextMetrics.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontInfo>
#include <QLineEdit>
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

        // "Texte" in Times New Roman 11 pt was designed at 510 × 255 twips (at 11.25 pt, as the
        // screen then showed 11 pt).
        TextFont font;
        const QSizeF word = TextMetrics::captionSize(font, QStringLiteral("Texte"));
        QVERIFY2(qAbs(word.width() - 510) < 90, qPrintable(QString::number(word.width())));
        QVERIFY2(qAbs(word.height() - 255) < 30, qPrintable(QString::number(word.height())));
        const QSizeF twoLines =
            TextMetrics::captionSize(font, QStringLiteral("Texte\r\nTexte plus long"));
        QVERIFY(qAbs(twoLines.height() - 2 * word.height()) <= 1);
        TextFont twice = font;
        twice.size = 22;
        QVERIFY(qAbs(TextMetrics::captionSize(twice, QStringLiteral("Texte")).width() -
                     2 * word.width()) < 4);
    }

    void theFontDialogKeepsTheChosenName()
    {
        // The dialog shows the face that stands in for "Times New Roman"; keeping it keeps the
        // name the user chose, never the substitute's, and its style (the dialog names styles in
        // French, the fonts in English).
        const TextFont initial{QStringLiteral("Times New Roman"), 14, true, false, false, false};
        ExpectModal dialog([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
        const std::optional<TextFont> chosen = QtPrompter().getFont(initial);
        QVERIFY(dialog.seen() && chosen);
        QCOMPARE(chosen->name, QStringLiteral("Times New Roman"));
        QVERIFY(chosen->size == 14 && chosen->bold && !chosen->italic);
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
        // 1252 bytes that would read back as UTF-8 ("Â©" would be "©") are written as UTF-8.
        QCOMPARE(TextEncoding::decode(TextEncoding::encode(QStringLiteral("Â©"))), "Â©");

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
        // A hidden file counts, and so does a pattern; a folder is no file.
        for (const char* found : {"pochette.jkcd", ".cache.txt", "*.jkcd", "poch?tte.*"})
            QVERIFY2(FileExists(dir.filePath(QLatin1String(found))), found);
        for (const QString& absent : {dir.filePath(QStringLiteral("*.bmp")),
                                      dir.filePath(QStringLiteral("absent.jkcd")),
                                      dir.path(),
                                      {}})
            QVERIFY2(!FileExists(absent), qPrintable(absent));

        for (const char* folder : {"/usr/share", "/usr/share/"})
            QCOMPARE(WithTrailingBackslash(QLatin1String(folder)), QStringLiteral("/usr/share/"));
        QCOMPARE(WithTrailingBackslash(QStringLiteral("/")), QStringLiteral("/"));
    }

    void theSaveDialogAddsTheSuffixAndAsksBeforeReplacing()
    {
        QTemporaryDir dir;
        QtPrompter prompter;
        const Prompter::FileDialog save{QStringLiteral("Enregistrer"),
                                        dir.path(),
                                        {QStringLiteral("Fichier image BMP (*.bmp)")},
                                        QStringLiteral("bmp")};
        const auto typeName = [](QWidget* modal) {
            auto* dialog = static_cast<QFileDialog*>(modal);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("dos"));
            static_cast<QDialog*>(dialog)->accept();
        };
        const QString expected = dir.filePath(QStringLiteral("dos.bmp"));
        ExpectModal named(typeName);
        QCOMPARE(prompter.getSaveFileName(save), expected);
        QVERIFY(named.seen());

        // The name with its suffix exists: replacing it is asked in French, and refused.
        QFile existing(expected);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        QString question;
        std::unique_ptr<ExpectModal> refuse;
        ExpectModal dialog([&](QWidget* modal) {
            refuse = std::make_unique<ExpectModal>([&question, modal](QWidget* box) {
                question = static_cast<QMessageBox*>(box)->text();
                static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
                QTimer::singleShot(0, modal, [modal] { static_cast<QDialog*>(modal)->reject(); });
            });
            typeName(modal);
        });
        QVERIFY(!prompter.getSaveFileName(save));
        QVERIFY2(question.contains(QStringLiteral("existe")), qPrintable(question));
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
