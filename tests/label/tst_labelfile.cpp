// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdLabelDocument.h"
#include "FileContents.h"
#include "FileSizeLimit.h"
#include "LabelFile.h"
#include "PictureFile.h"
#include "ScriptedPrompter.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A label file written by hand: no picture, one text of index 5.
const QByteArray header = " 255 \r\nAucun\r\n 3000 \r\n 3000 \r\n 1000 \r\n 1000 \r\n 1 \r\n";
const QByteArray record = "\"Un, deux\r\ntrois \xE9t\xE9\"\r\n 1 \r\n 16711680 \r\n 1 \r\n 1 \r\n"
                          "\"Arial\"\r\nFalse\r\nTrue\r\n\"Arial\"\r\n 12 \r\nFalse\r\nTrue\r\n"
                          "-2147483643 \r\n 100 \r\n 200 \r\n 3000 \r\n 400 \r\nTrue\r\n 5 \r\n"
                          "False\r\n";
const QByteArray handWritten = header + record;
// The same header announcing two texts.
const QByteArray headerOfTwo = QByteArray(header).replace(" 1 \r\n", " 2 \r\n");

} // namespace

class TestLabelFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString file(const char* name) const { return dir_.filePath(QLatin1String(name)); }

private Q_SLOTS:
    void handWrittenFileOpensWithEveryValueAndSavesTheSame()
    {
        QVERIFY(writeAll(file("main.jket"), handWritten));
        CdLabelDocument label;
        label.insertText();
        label.insertText(); // gone once the file is read
        ScriptedPrompter prompter;
        QVERIFY(LabelFile::open(label, file("main.jket"), prompter));
        QVERIFY(prompter.asked.isEmpty()); // "Aucun" says nothing
        QVERIFY(!label.hasPictureFile() && !label.picture.visible);
        QCOMPARE(label.backColor, OleColor(255));
        QCOMPARE(label.texts.size(), std::size_t(2)); // the template and text 5
        const TextElement& text = *label.text(5);
        QCOMPARE(text.caption(), QStringLiteral("Un, deux\r\ntrois été"));
        QCOMPARE(text.font(), (TextFont{QStringLiteral("Arial"), 12, false, true, true, false}));
        QCOMPARE(text.rect(), QRectF(100, 200, 3000, 400));
        QVERIFY(text.alignment == Alignment::Right && text.backColor == 16711680 &&
                text.backStyle == BackStyle::Opaque && text.borderStyle == BorderStyle::Single &&
                text.foreColor == 0x80000005 && text.visible && !text.autoSize());
        QVERIFY(LabelFile::save(label, file("copy.jket"), prompter));
        QCOMPARE(readAll(file("copy.jket")), handWritten);

        // A picture that is no longer there is said; the texts still come, and the label still
        // names the picture: saved, it is the file it was.
        const QByteArray lost = QByteArray(handWritten).replace("Aucun", "perdue.bmp");
        QVERIFY(writeAll(file("lost.jket"), lost));
        QVERIFY(LabelFile::open(label, file("lost.jket"), prompter));
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.last().text,
                 QStringLiteral("Le fichier image perdue.bmp est introuvable !"));
        QVERIFY(label.picture.isEmpty() && label.text(5));
        QVERIFY(LabelFile::save(label, file("lost-copy.jket"), prompter));
        QCOMPARE(readAll(file("lost-copy.jket")), lost);
    }

    // The picture's coordinates keep their decimal point under a French locale.
    void roundTripUnderAFrenchLocale()
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
        QImage red(40, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(file("photo, rouge.png")));
        CdLabelDocument label;
        label.setPicture(file("photo, rouge.png"), *PictureFile::load(file("photo, rouge.png")),
                         QRectF(1234.5, 2000.25, 1500.75, -0.5));
        TextElement& title = label.insertText();
        title.setFont({QStringLiteral("Comic Sans MS"), 10.5f, true, false, true, false});
        title.setCaption(QStringLiteral("Été\r\nà Paris"));
        label.insertText().visible = false; // deleted between two texts
        label.insertText().borderStyle = BorderStyle::Single;

        ScriptedPrompter prompter;
        QVERIFY(LabelFile::save(label, file("a.jket"), prompter));
        const QByteArray bytes = readAll(file("a.jket"));
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.mid(2, 5), (QList<QByteArray>{" 1234.5 \r", " 2000.25 \r", " 1500.75 \r",
                                                     "-0.5 \r", " 2 \r"}));
        QCOMPARE(lines[7 + 10], QByteArray(" 11 \r"));     // 10.5 pt, whole
        QCOMPARE(lines[7 + 21 + 18], QByteArray(" 3 \r")); // its own index, after the gap
        CdLabelDocument opened;
        QVERIFY(LabelFile::open(opened, file("a.jket"), prompter));
        QVERIFY(LabelFile::save(opened, file("b.jket"), prompter));
        QCOMPARE(readAll(file("b.jket")), bytes);
    }

    void brokenFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray two = headerOfTwo + record;
        QTest::newRow("index twice") << two + record;
        QTest::newRow("a record short") << two;
        QTest::newRow("word for a flag") << two + QByteArray(record).replace("True", "Vrai");
        QTest::newRow("index 0") << two + QByteArray(record).replace(" 5 \r\n", " 0 \r\n");
        QTest::newRow("word for a number") << QByteArray(handWritten).replace(" 1000 ", " mille ");
        QTest::newRow("beyond a float") << QByteArray(handWritten).replace(" 1000 ", " 1e99 ");
        QTest::newRow("no font's size") << QByteArray(handWritten).replace(" 12 ", " 2147483647 ");
        for (qsizetype end = 0; end < handWritten.size(); end = handWritten.indexOf('\n', end) + 1)
            QTest::addRow("cut at %d", int(end)) << handWritten.left(end);
    }

    // Refused, never a crash; the texts read before the fault stay.
    void brokenFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(writeAll(file("bad.jket"), bytes));
        CdLabelDocument label;
        ScriptedPrompter prompter;
        QVERIFY(!LabelFile::open(label, file("bad.jket"), prompter));
        QCOMPARE(prompter.last().text, QStringLiteral("Erreur lors de l'ouverture du fichier !"));
        QCOMPARE(label.text(5) && label.text(5)->visible, bytes.startsWith(headerOfTwo + record));
    }

    void quotesAndFailedSaves()
    {
        CdLabelDocument label;
        label.insertText().setCaption(QStringLiteral("Le \"Best of\""));
        ScriptedPrompter prompter;
        QVERIFY(LabelFile::save(label, file("q.jket"), prompter));
        QCOMPARE(prompter.asked.size(), 1); // the replacement is told
        QVERIFY(LabelFile::open(label, file("q.jket"), prompter));
        QCOMPARE(label.text(1)->caption(), QStringLiteral("Le ”Best of”"));

        // A save that cannot be completed keeps the old file byte for byte and the label
        // modified: no folder, or a file larger than the process may write.
        const QByteArray before = readAll(file("q.jket"));
        QVERIFY(!LabelFile::save(label, file("absent/q.jket"), prompter));
        QCOMPARE(prompter.last().text, QStringLiteral("Erreur lors de la sauvegarde du fichier !"));
        const bool written = withFileSizeLimit(
            100, [&] { return LabelFile::save(label, file("q.jket"), prompter); });
        QVERIFY(!written);
        QCOMPARE(readAll(file("q.jket")), before);
    }
};

QTEST_MAIN(TestLabelFile)
#include "tst_labelfile.moc"
