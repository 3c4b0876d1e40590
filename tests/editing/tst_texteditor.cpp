#include "Application.h"
#include "ScriptedPrompter.h"
#include "TextEncoding.h"
#include "TextFileLoader.h"
#include "frmTextEdit.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void press(frmTextEdit& editor, const char* button)
{
    auto* found = editor.findChild<QPushButton*>(QString::fromLatin1(button));
    QVERIFY(found);
    QTest::mouseClick(found, Qt::LeftButton);
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

} // namespace

class TestTextEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void okWritesCrLfAndAnnulerKeeps()
    {
        ScriptedPrompter prompter;
        frmTextEdit editor(QStringLiteral("Face A\r\nFace B"), false, prompter);
        editor.show();
        QCOMPARE(editor.windowTitle(), QStringLiteral("Editeur de texte"));
        QCOMPARE(editor.textBox()->toPlainText(), QStringLiteral("Face A\nFace B"));
        QCOMPARE(editor.textBox()->textCursor().selectedText().size(), 13); // all of it

        press(editor, "cmdLineAtStart");
        QCOMPARE(editor.textBox()->toPlainText(), QStringLiteral("\nFace A\nFace B"));
        QCOMPARE(editor.textBox()->textCursor().position(), 0);
        QTest::keyClicks(editor.textBox(), QStringLiteral("Titre"));
        press(editor, "cmdLineAtEnd");
        QCOMPARE(editor.textBox()->textCursor().position(), editor.textBox()->toPlainText().size());
        QTest::keyClicks(editor.textBox(), QStringLiteral("Fin"));
        press(editor, "cmdOk");
        QVERIFY(!editor.isVisible());
        QCOMPARE(editor.result(),
                 std::optional<QString>(QStringLiteral("Titre\r\nFace A\r\nFace B\r\nFin")));

        frmTextEdit cancelled(QStringLiteral("Texte"), false, prompter);
        cancelled.show();
        QTest::keyClicks(cancelled.textBox(), QStringLiteral("autre chose"));
        press(cancelled, "cmdCancel");
        QVERIFY(!cancelled.result());
        QVERIFY(prompter.asked.isEmpty());
    }

    void insertingATextFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ScriptedPrompter prompter;

        // UTF-8 with accents, LF line breaks: intact, with CR LF in the caption.
        const QString utf8 =
            writeFile(dir, QStringLiteral("pistes.txt"),
                      QStringLiteral("1. Été indien\n2. Noël – à Paris\n").toUtf8());
        prompter.paths.push_back(utf8);
        frmTextEdit editor(QStringLiteral("Texte"), false, prompter);
        editor.show();
        press(editor, "cmdFromFile");
        QCOMPARE(prompter.last().title, QStringLiteral("Ouvrir un fichier texte .HEX ou .TXT"));
        QVERIFY(prompter.lastAsked().filters.first().startsWith(
            QStringLiteral("Fichier texte  (*.TXT")));
        QCOMPARE(editor.windowTitle(), utf8);
        press(editor, "cmdOk");
        QCOMPARE(*editor.result(), QStringLiteral("1. Été indien\r\n2. Noël – à Paris\r\n"));

        // A file from Windows, in its code page.
        const QString windows =
            writeFile(dir, QStringLiteral("WINDOWS.TXT"), QByteArray("\xC9t\xE9 \x96 No\xEBl\r\n"));
        QCOMPARE(TextFileLoader::load(windows).text, QStringLiteral("Été – Noël\r\n"));

        // 59999 bytes load; 60000 are refused and the editor closes with nothing changed.
        const QString largest = writeFile(dir, QStringLiteral("max.txt"), QByteArray(59999, 'a'));
        QCOMPARE(TextFileLoader::load(largest).status, TextFileLoader::Result::Status::Loaded);
        QCOMPARE(TextFileLoader::load(largest).text.size(), 59999);
        const QString tooLarge = writeFile(dir, QStringLiteral("trop.txt"), QByteArray(60000, 'a'));
        prompter.paths.push_back(tooLarge);
        frmTextEdit refused(QStringLiteral("Texte"), false, prompter);
        refused.show();
        press(refused, "cmdFromFile");
        QVERIFY(!refused.isVisible());
        QVERIFY(!refused.result());
        QCOMPARE(prompter.last().title, QStringLiteral("Message"));
        QCOMPARE(prompter.last().text, QStringLiteral("Le fichier ") + tooLarge +
                                           QStringLiteral(" est supérieur à 60000 octets et ne "
                                                          "peut être édité par ce programme ! "));

        // Cancel in the file dialog, and a file that cannot be read, leave the text as it was.
        frmTextEdit kept(QStringLiteral("Texte"), false, prompter);
        kept.show();
        press(kept, "cmdFromFile");
        prompter.paths.push_back(dir.filePath(QStringLiteral("absent.txt")));
        press(kept, "cmdFromFile");
        QCOMPARE(prompter.last().icon, Prompter::Icon::Exclamation);
        QVERIFY(kept.isVisible());
        QCOMPARE(kept.textBox()->toPlainText(), QStringLiteral("Texte"));
    }
};

QTEST_MAIN(TestTextEditor)
#include "tst_texteditor.moc"
