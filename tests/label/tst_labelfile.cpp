#include "CdLabelDocument.h"
#include "FileSizeLimit.h"
#include "LabelFile.h"
#include "PictureFile.h"
#include "ScriptedPrompter.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A label file in its form, written by hand: no picture, one text of index 5.
const QByteArray header = " 255 \r\nAucun\r\n 3000 \r\n 3000 \r\n 1000 \r\n 1000 \r\n 1 \r\n";
const QByteArray record = "\"Un, deux\r\ntrois \xE9t\xE9\"\r\n 1 \r\n 16711680 \r\n 1 \r\n 1 \r\n"
                          "\"Arial\"\r\nFalse\r\nTrue\r\n\"Arial\"\r\n 12 \r\nFalse\r\nTrue\r\n"
                          "-2147483643 \r\n 100 \r\n 200 \r\n 3000 \r\n 400 \r\nTrue\r\n 5 \r\n"
                          "False\r\n";
const QByteArray handWritten = header + record;

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
        label.modified = true;
        ScriptedPrompter prompter;
        QVERIFY(LabelFile::OuvrirFichier(label, file("main.jket"), prompter));
        QVERIFY(prompter.asked.isEmpty() && label.modified); // "Aucun" says nothing
        QCOMPARE(label.fileName, file("main.jket"));
        QVERIFY(!label.hasPictureFile() && !label.picture.visible);
        QCOMPARE(label.backColor, OleColor(255));
        QCOMPARE(label.texts.size(), std::size_t(2));
        const TextElement& text = *label.text(5);
        QCOMPARE(text.caption(), QStringLiteral("Un, deux\r\ntrois été"));
        QCOMPARE(text.alignment, Alignment::Right);
        QCOMPARE(text.backColor, OleColor(16711680));
        QVERIFY(text.backStyle == BackStyle::Opaque && text.borderStyle == BorderStyle::Single);
        QCOMPARE(text.font(), (TextFont{QStringLiteral("Arial"), 12, false, true, true, false}));
        QCOMPARE(text.foreColor, OleColor(0x80000005));
        QCOMPARE(text.rect(), QRectF(100, 200, 3000, 400));
        QVERIFY(text.visible && !text.autoSize());
        QVERIFY(LabelFile::SauveFichier(label, file("copy.jket"), prompter));
        QCOMPARE(readAll(file("copy.jket")), handWritten);
        QVERIFY(!label.modified);
    }

    void roundTripUnderAFrenchLocale()
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        QImage red(40, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(file("photo, rouge.png")));
        CdLabelDocument label;
        label.backColor = 0x00C0FFEE;
        label.setPicture(file("photo, rouge.png"), *PictureFile::load(file("photo, rouge.png")),
                         QRectF(1234.5, 2000.25, 1500.75, -0.5));
        TextElement& title = label.insertText();
        title.setFont({QStringLiteral("Comic Sans MS"), 10.5f, true, false, true, false});
        title.setCaption(QStringLiteral("Été\r\nà Paris"));
        title.alignment = Alignment::Centre;
        label.insertText().visible = false; // deleted between two texts
        label.insertText().borderStyle = BorderStyle::Single;

        ScriptedPrompter prompter;
        QVERIFY(LabelFile::SauveFichier(label, file("a.jket"), prompter));
        const QByteArray bytes = readAll(file("a.jket"));
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.mid(2, 5), (QList<QByteArray>{" 1234.5 \r", " 2000.25 \r", " 1500.75 \r",
                                                     "-0.5 \r", " 2 \r"}));
        QCOMPARE(lines[7 + 10], QByteArray(" 11 \r"));     // 10.5 pt, whole
        QCOMPARE(lines[7 + 21 + 18], QByteArray(" 3 \r")); // its own index, after the gap

        CdLabelDocument opened;
        QVERIFY(LabelFile::OuvrirFichier(opened, file("a.jket"), prompter));
        QVERIFY(prompter.asked.isEmpty() && opened.picture.visible && !opened.text(2));
        QCOMPARE(opened.picture.rect, label.picture.rect);
        QVERIFY(LabelFile::SauveFichier(opened, file("b.jket"), prompter));
        QCOMPARE(readAll(file("b.jket")), bytes);
        QLocale::setDefault(QLocale::c());
    }

    void brokenFilesStopTheReadingAndKeepWhatCameBefore()
    {
        const QByteArray two = QByteArray(header).replace(" 1 \r\n", " 2 \r\n") + record;
        QList<QByteArray> broken = {two + record, two,
                                    two + QByteArray(record).replace("True", "Vrai"),
                                    two + QByteArray(record).replace(" 5 \r\n", " 0 \r\n")};
        for (const QByteArray& bytes : broken) {
            QVERIFY(writeAll(file("bad.jket"), bytes));
            CdLabelDocument label;
            ScriptedPrompter prompter;
            QVERIFY(!LabelFile::OuvrirFichier(label, file("bad.jket"), prompter));
            QCOMPARE(prompter.last().text,
                     QStringLiteral("Erreur lors de l'ouverture du fichier !"));
            QCOMPARE(prompter.last().title, QStringLiteral("Erreur"));
            QCOMPARE(prompter.last().icon, Prompter::Icon::Exclamation);
            QVERIFY(label.text(5) && label.text(5)->visible);
        }
        // Cut after any line, a coordinate that is no float or a size no font has: refused,
        // never a crash.
        broken = {QByteArray(handWritten).replace(" 1000 ", " mille "),
                  QByteArray(handWritten).replace(" 1000 ", " 1e99 "),
                  QByteArray(handWritten).replace(" 12 ", " 2147483647 ")};
        for (qsizetype end = 0; end < handWritten.size(); end = handWritten.indexOf('\n', end) + 1)
            broken << handWritten.left(end);
        for (const QByteArray& bytes : broken) {
            QVERIFY(writeAll(file("bad.jket"), bytes));
            CdLabelDocument label;
            ScriptedPrompter prompter;
            QVERIFY2(!LabelFile::OuvrirFichier(label, file("bad.jket"), prompter), bytes);
        }

        // A picture that is no longer there is said; the texts still come.
        QVERIFY(
            writeAll(file("lost.jket"), QByteArray(handWritten).replace("Aucun", "perdue.bmp")));
        CdLabelDocument label;
        ScriptedPrompter prompter;
        QVERIFY(LabelFile::OuvrirFichier(label, file("lost.jket"), prompter));
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.last().text,
                 QStringLiteral("Le fichier image perdue.bmp est introuvable !"));
        QVERIFY(!label.hasPictureFile() && label.text(5));
    }

    void newLabelQuotesAndFailedSaves()
    {
        CdLabelDocument label;
        QVERIFY(!label.templateText().visible && label.templateText().font() == TextFont());
        QCOMPARE(label.templateText().foreColor, OleColors::black);
        TextElement& text = label.insertText();
        QCOMPARE(text.rect().topLeft(), QPointF(3350, 3350));
        text.setCaption(QStringLiteral("Le \"Best of\""));
        ScriptedPrompter prompter;
        QVERIFY(LabelFile::SauveFichier(label, file("q.jket"), prompter));
        QCOMPARE(prompter.asked.size(), 1); // told as for a cover
        QCOMPARE(prompter.last().title, QStringLiteral("Enregistrer"));
        QVERIFY(LabelFile::OuvrirFichier(label, file("q.jket"), prompter));
        QCOMPARE(label.text(1)->caption(), QStringLiteral("Le ”Best of”"));

        // A save that cannot be completed keeps the old file byte for byte and the label
        // modified: no folder, or a file larger than the process may write.
        const QByteArray before = readAll(file("q.jket"));
        label.modified = true;
        QVERIFY(!LabelFile::SauveFichier(label, file("absent/q.jket"), prompter));
        QCOMPARE(prompter.last().text, QStringLiteral("Erreur lors de la sauvegarde du fichier !"));
        const bool written = withFileSizeLimit(
            100, [&] { return LabelFile::SauveFichier(label, file("q.jket"), prompter); });
        QVERIFY(!written && label.modified);
        QCOMPARE(readAll(file("q.jket")), before);

        label.reset();
        QVERIFY(label.texts.size() == 1 && label.backColor == OleColors::white);
    }
};

QTEST_MAIN(TestLabelFile)
#include "tst_labelfile.moc"
