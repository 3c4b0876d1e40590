// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "FileContents.h"
#include "ScriptedPrompter.h"
#include "TextEditorDialog.h"
#include "TextFileLoader.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void press(TextEditorDialog& editor, const char* button)
{
    auto* found = editor.findChild<QPushButton*>(QString::fromLatin1(button));
    QVERIFY(found);
    QTest::mouseClick(found, Qt::LeftButton);
}

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QLatin1String(name));
    return writeAll(path, bytes) ? path : QString();
}

} // namespace

class TestTextEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void editingAndInsertingFiles()
    {
        QTemporaryDir dir;
        ScriptedPrompter prompter;
        TextEditorDialog editor(QStringLiteral("Face A\r\nFace B"), false, prompter);
        editor.show();
        QCOMPARE(editor.textBox()->textCursor().selectedText().size(), 13); // all of it
        press(editor, "cmdLineAtStart");
        QCOMPARE(editor.textBox()->textCursor().position(), 0);
        QTest::keyClicks(editor.textBox(), QStringLiteral("Titre"));
        press(editor, "cmdLineAtEnd");
        QCOMPARE(editor.textBox()->textCursor().position(), editor.textBox()->toPlainText().size());
        QTest::keyClicks(editor.textBox(), QStringLiteral("Fin"));
        press(editor, "cmdOk");
        QCOMPARE(editor.result(),
                 std::optional<QString>(QStringLiteral("Titre\r\nFace A\r\nFace B\r\nFin")));

        // A cancelled file dialog or an unreadable file leaves the text; "&Annuler" keeps it.
        TextEditorDialog cancelled(QStringLiteral("Texte"), false, prompter);
        cancelled.show();
        press(cancelled, "cmdFromFile");
        prompter.paths.push_back(dir.filePath(QStringLiteral("absent.txt")));
        press(cancelled, "cmdFromFile");
        QCOMPARE(prompter.last().icon, Prompter::Icon::Exclamation);
        QCOMPARE(cancelled.textBox()->toPlainText(), QStringLiteral("Texte"));
        QTest::keyClicks(cancelled.textBox(), QStringLiteral("autre chose"));
        press(cancelled, "cmdCancel");
        QVERIFY(!cancelled.result());

        // UTF-8 with accents and LF line breaks, then a file from Windows in its code page.
        const QString utf8 = writeFile(
            dir, "pistes.txt", QStringLiteral("1. Été indien\n2. Noël – à Paris\n").toUtf8());
        prompter.paths.push_back(utf8);
        TextEditorDialog loaded(QStringLiteral("Texte"), false, prompter);
        loaded.show();
        press(loaded, "cmdFromFile");
        QCOMPARE(loaded.windowTitle(), utf8);
        press(loaded, "cmdOk");
        QCOMPARE(*loaded.result(), QStringLiteral("1. Été indien\r\n2. Noël – à Paris\r\n"));
        const QString windows = writeFile(dir, "WINDOWS.TXT", "\xC9t\xE9 \x96 No\xEBl\r\n");
        QCOMPARE(TextFileLoader::load(windows).text, QStringLiteral("Été – Noël\r\n"));

        // 59999 bytes load; 60000 are refused and the editor closes with nothing changed.
        const QString largest = writeFile(dir, "max.txt", QByteArray(59999, 'a'));
        QCOMPARE(TextFileLoader::load(largest).text, QString(59999, QLatin1Char('a')));
        const QString tooLarge = writeFile(dir, "trop.txt", QByteArray(60000, 'a'));
        prompter.paths.push_back(tooLarge);
        TextEditorDialog refused(QStringLiteral("Texte"), false, prompter);
        refused.show();
        press(refused, "cmdFromFile");
        QVERIFY(!refused.isVisible() && !refused.result());
        QCOMPARE(prompter.last().text, QStringLiteral("Le fichier ") + tooLarge +
                                           QStringLiteral(" est supérieur à 60000 octets et ne "
                                                          "peut être édité par ce programme ! "));
    }
};

QTEST_MAIN(TestTextEditor)
#include "tst_texteditor.moc"
