// SPDX-License-Identifier: GPL-3.0-or-later
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
        for (const auto& [name, face] : {std::pair("Times New Roman", "Liberation Serif"),
                                         std::pair("Comic Sans MS", "Comic Neue"),
                                         std::pair("MS Sans Serif", "Liberation Sans")})
            QCOMPARE(QFontInfo(QFont(QLatin1String(name))).family(), QLatin1String(face));

        // "Texte" in Times New Roman 11 pt was designed at 510 × 255 twips (at 11.25 pt, as the
        // screen then showed 11 pt).
        TextFont font;
        const QSizeF word = TextMetrics::captionSize(font, QStringLiteral("Texte"));
        QVERIFY2(qAbs(word.width() - 510) < 90, qPrintable(QString::number(word.width())));
        QVERIFY2(qAbs(word.height() - 255) < 30, qPrintable(QString::number(word.height())));
        QVERIFY(qAbs(TextMetrics::captionSize(font, QStringLiteral("Texte\r\nTexte plus long"))
                         .height() -
                     2 * word.height()) <= 1);
        font.size = 22;
        QVERIFY(qAbs(TextMetrics::captionSize(font, QStringLiteral("Texte")).width() -
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
        QCOMPARE(OleColors::toQColor(0x00C000FF), QColor(0xFF, 0, 0xC0));
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
        const QString french = QStringLiteral("Été – Noël");
        QCOMPARE(TextEncoding::decode(french.toUtf8()), french);
        QCOMPARE(TextEncoding::decode("\xC9t\xE9 \x96 No\xEBl"), french);
        QCOMPARE(TextEncoding::decode("\xEF\xBB\xBFok"), QStringLiteral("ok"));

        // Writing: 1252 when the whole text fits and reads back the same, UTF-8 otherwise ("Â©"
        // in 1252 would read back as the UTF-8 "©").
        QCOMPARE(TextEncoding::encode(french + QStringLiteral(" €")),
                 QByteArray("\xC9t\xE9 \x96 No\xEBl \x80"));
        for (const QString& text : {QStringLiteral("Été – Ωδή 日本"), QStringLiteral("Â©")}) {
            QCOMPARE(TextEncoding::encode(text), text.toUtf8());
            QCOMPARE(TextEncoding::decode(TextEncoding::encode(text)), text);
        }

        // Other systems' files are in their language's code page; a locale that names no
        // language, or a Western one, keeps Windows-1252.
        const QList<std::pair<const char*, int>> locales = {
            {"C", 1252},           {"POSIX", 1252},       {"fr_FR.UTF-8", 1252},
            {"en_US", 1252},       {"pl_PL.UTF-8", 1250}, {"cs_CZ.ISO-8859-2", 1250},
            {"ru_RU.UTF-8", 1251}, {"sr_RS", 1251},       {"sr_RS@latin", 1250},
            {"el_GR.UTF-8", 1253}, {"tr_TR", 1254},       {"he_IL", 1255},
            {"ar_EG", 1256},       {"lt_LT", 1257},       {"vi_VN", 1258},
            {"th_TH", 874},        {"ja_JP.UTF-8", 932},  {"zh_CN", 936},
            {"zh_TW.UTF-8", 950},  {"zh_HK", 950},        {"ko_KR", 949}};
        for (const auto& [locale, codePage] : locales)
            QCOMPARE(TextEncoding::codePageForLocale(QLatin1String(locale)), codePage);
        QCOMPARE(TextEncoding::systemCodePage(), 1252); // the tests run in C.UTF-8
        const QString polish = QStringLiteral("Zażółć gęślą jaźń");
        const QByteArray cp1250 = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
        QCOMPARE(TextEncoding::fromCodePage(cp1250, 1250), polish);
        QCOMPARE(TextEncoding::toCodePage(polish, 1250), std::optional(cp1250));
        QCOMPARE(TextEncoding::toCodePage(polish, 1252), std::nullopt);
        QCOMPARE(TextEncoding::toCodePage(QStringLiteral("Ωδή"), 1253),
                 std::optional(QByteArray("\xD9\xE4\xDE")));
        const QString japanese = QStringLiteral("日本語のテキスト");
        QCOMPARE(TextEncoding::fromCodePage(*TextEncoding::toCodePage(japanese, 932), 932),
                 japanese);
        // A byte sequence the code page does not have is a replacement character, not the end.
        QCOMPARE(TextEncoding::fromCodePage("a\x81", 932), QStringLiteral("a\uFFFD"));

        QCOMPARE(TextEncoding::withCrLf(QStringLiteral("a\nb\r\nc\rd")),
                 QStringLiteral("a\r\nb\r\nc\r\nd"));
        QCOMPARE(TextEncoding::withLf(QStringLiteral("a\r\nb\rc")), QStringLiteral("a\nb\nc"));
    }

    void sharedProcedures()
    {
        QTemporaryDir dir;
        QFile hidden(dir.filePath(QStringLiteral(".pochette.jkcd")));
        QVERIFY(hidden.open(QIODevice::WriteOnly));
        // A hidden file counts, and so does a pattern; a folder is no file.
        for (const char* found : {".pochette.jkcd", "*.jkcd", ".poch?tte.*"})
            QVERIFY2(FileExists(dir.filePath(QLatin1String(found))), found);
        for (const QString& absent : {dir.filePath(QStringLiteral("*.bmp")), dir.path(), {}})
            QVERIFY2(!FileExists(absent), qPrintable(absent));

        for (const char* folder : {"/usr/share", "/usr/share/"})
            QCOMPARE(WithTrailingBackslash(QLatin1String(folder)), QStringLiteral("/usr/share/"));
    }

    void theSaveDialogAddsTheSuffixBeforeAskingToReplace()
    {
        // "dos" typed where "dos.bmp" exists: replacing it is asked in French.
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("dos.bmp"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QString question;
        std::unique_ptr<ExpectModal> replace;
        ExpectModal dialog([&](QWidget* modal) {
            replace = std::make_unique<ExpectModal>([&question](QWidget* widget) {
                auto* box = static_cast<QMessageBox*>(widget);
                question = box->text();
                QCOMPARE(box->button(QMessageBox::No)->text().remove(QLatin1Char('&')),
                         QStringLiteral("Non"));
                box->button(QMessageBox::Yes)->click();
            });
            modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("dos"));
            static_cast<QDialog*>(modal)->accept();
        });
        QCOMPARE(QtPrompter().getSaveFileName({QStringLiteral("Enregistrer"),
                                               dir.path(),
                                               {QStringLiteral("Fichier image BMP (*.bmp)")},
                                               QStringLiteral("bmp")}),
                 existing);
        QVERIFY2(question.contains(QStringLiteral("existe")), qPrintable(question));
    }
};

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
