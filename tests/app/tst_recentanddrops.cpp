// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "CoverView.h"
#include "CoverWindow.h"
#include "DropFiles.h"
#include "ImageOptionsDialog.h"
#include "LabelWindow.h"
#include "ModalDriver.h"
#include "RecentFiles.h"
#include "ScriptedPrompter.h"
#include "SheetWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

// The program as it starts, with its label window made and hidden.
struct Program {
    ScriptedPrompter prompter;
    CoverWindow cover{&prompter};
    LabelWindow* label = nullptr;

    Program()
    {
        cover.startUp();
        cover.show();
        label = cover.showLabelWindow();
        label->hide();
    }
};

// What a test does in one of the two windows.
struct Side {
    QWidget* window;
    RecentFiles& recent;
    QAction* save;
    QAction* change; // a change to the document, which the unsaved-changes question follows
};

Side side(Program& program, bool label)
{
    if (label) {
        program.label->showWindow();
        const LabelMenus& menus = program.label->menus();
        return {program.label, program.label->recentFiles(), menus.saveJket, menus.insertText};
    }
    const MainMenus& menus = program.cover.menus();
    return {&program.cover, program.cover.recentFiles(), menus.file.saveJkcd,
            menus.text.insertRectoButton};
}

// Where a face's centre is in the cover window, once its view is shown.
QPoint faceCentre(CoverWindow& window, int face)
{
    window.ShowView(face == Face::Dos ? FaceViews::Dos : FaceViews::RectoVerso);
    SheetWidget* sheet = window.coverView()->sheet(Face::sheetOf(face));
    const QRectF frame = window.document().faces[std::size_t(face)].frame;
    return sheet->mapTo(&window, sheet->toPixels(frame.center()).toPoint());
}

// The cover, or the label, as saved in `path`.
QByteArray saved(Program& program, const QString& path, bool label = false)
{
    program.prompter.paths = {path};
    (label ? program.label->menus().saveJket : program.cover.menus().file.saveJkcd)->trigger();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRecentAndDrops : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString picture_;

    QString file(const QString& name) const { return dir_.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        // Settings of the tests' own, in a folder that goes with them.
        QStandardPaths::setTestModeEnabled(true);
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, file(QStringLiteral("config")));
        Application::configure(*qApp);
        picture_ = file(QStringLiteral("photo.png"));
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(picture_));
    }

    void init() { QSettings().clear(); }

    void recentFilesAndDroppedDocuments_data()
    {
        QTest::addColumn<bool>("label");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("covers") << false << QStringLiteral(".jkcd");
        QTest::newRow("labels") << true << QStringLiteral(".jket");
    }

    // Eight files, the last used first, each once, kept from one run to the next; one dropped
    // or chosen opens as "&Ouvrir" would, one gone is said and taken off.
    void recentFilesAndDroppedDocuments()
    {
        QFETCH(bool, label);
        QFETCH(QString, suffix);
        QStringList paths;
        for (int i = 0; i < 10; ++i)
            paths << file(QStringLiteral("f%1%2").arg(i).arg(suffix));
        paths[5] = file(QStringLiteral("Rock & Roll") + suffix.toUpper());
        auto program = std::make_unique<Program>();
        {
            Side s = side(*program, label);
            for (const QString& path : paths) {
                program->prompter.paths = {path};
                s.save->trigger();
            }
            // Dropped anywhere: the unsaved-changes question first, then the file, listed once.
            s.change->trigger();
            const QPoint corner(s.window->width() - 5, s.window->height() - 5);
            QCOMPARE(drop(s.window, {paths[5]}, corner), std::make_pair(true, true));
            QCOMPARE(program->prompter.last().title, QStringLiteral("Fichier modifié"));
            QCOMPARE(s.window->windowTitle(), QStringLiteral("Jaskel CD : ") + paths[5]);
        }

        program.reset();
        // On disk once the program has gone, as another run reads them.
        QFile settings(file(QStringLiteral("config/jaskelcd/Jaskel CD.conf")));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray stored = settings.readAll();
        const qsizetype first = stored.indexOf(paths[5].toUtf8());
        QVERIFY(first >= 0 && first < stored.indexOf(paths[2].toUtf8()) &&
                !stored.contains(paths[1].toUtf8()));

        program = std::make_unique<Program>();
        Side s = side(*program, label);
        const QStringList expected = {paths[5], paths[9], paths[8], paths[7],
                                      paths[6], paths[4], paths[3], paths[2]};
        QCOMPARE(s.recent.files(), expected);
        QCOMPARE(s.recent.entries()[0]->text(), "&1 Rock && Roll" + suffix.toUpper());
        QCOMPARE(s.recent.entries()[2]->text(), "&3 f8" + suffix);
        QCOMPARE(s.recent.entries()[0]->toolTip(), paths[5]);

        // A file gone: said, taken off, nothing opened and nothing asked.
        QVERIFY(QFile::remove(paths[9]));
        s.change->trigger();
        s.recent.entries()[1]->trigger();
        QCOMPARE(program->prompter.asked.size(), 1);
        const Prompter::Message& gone = program->prompter.last();
        QCOMPARE((QStringList{gone.title, gone.text}),
                 (QStringList{"Erreur", "Le fichier " + paths[9] + " est introuvable !"}));
        QCOMPARE(gone.icon, Prompter::Icon::Exclamation);
        QVERIFY(!s.recent.files().contains(paths[9]) && s.recent.files().size() == 7);
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Jaskel CD : Nouveau"));

        // One still there: the unsaved-changes question first, then the file.
        program->prompter.buttons = {Prompter::No};
        s.recent.entries()[3]->trigger();
        QCOMPARE(program->prompter.asked[1].message.title, QStringLiteral("Fichier modifié"));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Jaskel CD : ") + paths[6]);
        QCOMPARE(s.recent.files().first(), paths[6]);
    }

    void picturesDroppedOnFaces_data()
    {
        QTest::addColumn<int>("face");
        QTest::addColumn<bool>("logo");
        QTest::newRow("Recto, background") << int(Face::Recto) << false;
        QTest::newRow("Verso, logo") << int(Face::Verso) << true;
        QTest::newRow("Dos, background") << int(Face::Dos) << false;
        QTest::newRow("Dos, logo") << int(Face::Dos) << true;
    }

    // The cover as the image options leave it with that file chosen for that face.
    void picturesDroppedOnFaces()
    {
        QFETCH(int, face);
        QFETCH(bool, logo);
        Program dropped;
        const QPoint at = faceCentre(dropped.cover, face);
        const Qt::KeyboardModifiers keys = logo ? Qt::ControlModifier : Qt::NoModifier;
        const JewelCaseDocument before = dropped.cover.document();
        QCOMPARE(drop(&dropped.cover, {picture_}, at, keys), std::make_pair(true, true));
        QVERIFY(dropped.prompter.asked.isEmpty());
        // One step, which "Annuler" takes back whole.
        CoverHistory& history = dropped.cover.context().history;
        QCOMPARE(history.stack().count(), 1);
        const JewelCaseDocument after = dropped.cover.document();
        history.undo();
        QVERIFY(dropped.cover.document() == before);
        history.redo();
        QVERIFY(dropped.cover.document() == after);

        Program chosen;
        chosen.prompter.paths = {picture_};
        ExpectModal options([face, logo](QWidget* modal) {
            auto* dialog = qobject_cast<ImageOptionsDialog*>(modal);
            if (logo) {
                dialog->logoSourceList()->setCurrentIndex(1);
                dialog->logoModeList(Face::Recto)->setCurrentIndex(0);
                dialog->logoModeList(face)->setCurrentIndex(1);
            } else {
                dialog->backgroundSourceList(face)->setCurrentIndex(1);
            }
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdValidate")),
                              Qt::LeftButton);
        });
        chosen.cover.menus().windows.imageOptions->trigger();
        QVERIFY(options.seen());
        QCOMPARE(saved(dropped, file(QStringLiteral("dropped.jkcd"))),
                 saved(chosen, file(QStringLiteral("chosen.jkcd"))));
    }

    // The label as "Insérer à partir d'un fichier" leaves it with that file chosen.
    void pictureDroppedOnTheLabel()
    {
        Program dropped;
        LabelWindow& window = *dropped.label;
        window.showWindow();
        const QPoint at = window.drawing()->mapTo(&window, window.drawing()->rect().center());
        QCOMPARE(drop(&window, {picture_}, at), std::make_pair(true, true));
        QVERIFY(window.label().pictureFileName == picture_);
        QCOMPARE(window.context().history.stack().undoText(), QStringLiteral("l'image"));
        Program chosen;
        chosen.label->showWindow();
        chosen.prompter.paths = {picture_};
        chosen.label->menus().pictureFromFile->trigger();
        QCOMPARE(saved(dropped, file(QStringLiteral("lâchée.jket")), true),
                 saved(chosen, file(QStringLiteral("choisie.jket")), true));
    }

    void refusedDrops_data()
    {
        QTest::addColumn<bool>("label");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("onFace"); // else on the toolbar
        QTest::addColumn<bool>("pointerSays");
        QTest::addColumn<QString>("message");
        const QString unreadable = QStringLiteral("Le fichier image %1 ne peut pas être lu !");
        QTest::newRow("two pictures")
            << false << QStringList{"photo.png", "photo.png"} << true << false << QString();
        QTest::newRow("text file")
            << false << QStringList{"notes.txt"} << true << false << QString();
        QTest::newRow("label on the cover")
            << false << QStringList{"x.jket"} << true << false << QString();
        QTest::newRow("picture off the faces")
            << false << QStringList{"photo.png"} << false << false << QString();
        QTest::newRow("unreadable picture")
            << false << QStringList{"abîmée.png"} << true << true << unreadable;
        QTest::newRow("picture off the label")
            << true << QStringList{"photo.png"} << false << false << QString();
        QTest::newRow("unreadable on the label")
            << true << QStringList{"abîmée.png"} << true << true << unreadable;
    }

    // Refused, the pointer says so and nothing changes; an unreadable picture is said.
    void refusedDrops()
    {
        QFETCH(bool, label);
        QFETCH(QStringList, names);
        QFETCH(bool, onFace);
        QFETCH(bool, pointerSays);
        QFETCH(QString, message);
        for (const char* name : {"notes.txt", "x.jket", "abîmée.png"}) {
            QFile junk(file(QString::fromUtf8(name)));
            QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("pas une image") > 0);
        }
        QStringList paths;
        for (const QString& name : names)
            paths << file(name);
        Program program;
        Side s = side(program, label);
        QWidget* bar = label ? program.label->toolBar() : program.cover.toolBar();
        const QPoint at = !onFace ? bar->mapTo(s.window, QPoint(bar->width() - 3, 3))
                          : label ? program.label->drawing()->mapTo(
                                        s.window, program.label->drawing()->rect().center())
                                  : faceCentre(program.cover, Face::Recto);
        const QByteArray before = saved(program, file(QStringLiteral("avant.jkcd")));
        program.prompter.asked.clear();
        QCOMPARE(drop(s.window, paths, at, Qt::ControlModifier),
                 std::make_pair(pointerSays, pointerSays));
        QCOMPARE(program.prompter.asked.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(program.prompter.last().text, message.arg(paths.first()));
        QVERIFY(!program.label->context().history.isModified() &&
                !program.label->label().hasPictureFile());
        QCOMPARE(saved(program, file(QStringLiteral("après.jkcd"))), before);
    }
};

QTEST_MAIN(TestRecentAndDrops)
#include "tst_recentanddrops.moc"
