// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "CoverFile.h"
#include "CoverWindow.h"
#include "LabelWindow.h"
#include "ScriptedPrompter.h"

#include <QMenuBar>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// One user action of a random session: what it does, where, and the answers it is given.
struct Action {
    int kind = 0;
    ElementRef target;
    std::array<int, 3> values{};
};

// What a session's document must be after each action: the states its steps lead through,
// the actions that made them, where the history stands among them and which is the saved one.
template <class Model> struct ExpectedHistory {
    std::vector<Model> states;
    std::vector<Action> steps;
    int index = 0;
    int clean = 0; // -1 once the saved state has been left behind by a new step

    explicit ExpectedHistory(const Model& start) : states{start} {}

    // Checks the document after `action`, which moved the undo stack from `before` to `after`.
    void follow(const Model& model, const Action& action, int before, int after, bool undoOrRedo)
    {
        QVERIFY2(undoOrRedo || after == before || after == before + 1, "one step an action");
        if (!undoOrRedo && after == before + 1) {
            states.resize(std::size_t(after));
            steps.resize(std::size_t(before));
            states.push_back(model);
            steps.push_back(action);
            if (clean > before)
                clean = -1;
        }
        index = after;
        // Undone and redone, the document is exactly as the step found it or left it.
        QVERIFY2(model == states[std::size_t(index)], qPrintable(QString::number(action.kind)));
    }
};

QString fontName(int value)
{
    return value % 2 ? QStringLiteral("DejaVu Sans") : QStringLiteral("DejaVu Serif");
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    // A cover window as the program starts it, answering from a script.
    struct Session {
        ScriptedPrompter prompter;
        CoverWindow window{&prompter};
        const MainMenus& menus = window.menus();
        CoverContext& context = window.context();
        SelectionController& selection = window.selection();

        Session()
        {
            window.startUp();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }

        std::vector<ElementRef> shownTexts() const
        {
            std::vector<ElementRef> texts;
            for (int face : {int(Face::Recto), int(Face::Verso)})
                for (const auto& [index, text] : context.document.faces[std::size_t(face)].texts)
                    if (index > 0 && text.visible)
                        texts.push_back(ElementRef::text(face, index));
            return texts;
        }
        void select(const ElementRef& target)
        {
            selection.pressElement(target);
            selection.Select();
        }

        // Runs one action; false when it could not run (no text to act on).
        bool run(const Action& action, const QString& savePath)
        {
            prompter.buttons = {Prompter::Button(action.values[0] % 3 == 0   ? Prompter::Yes
                                                 : action.values[0] % 3 == 1 ? Prompter::No
                                                                             : Prompter::Cancel)};
            prompter.fonts = {TextFont{fontName(action.values[1]), float(8 + action.values[1] % 9),
                                       action.values[2] % 2 == 1, false, false, false}};
            prompter.colours = {OleColor(action.values[1] * 0x10203)};
            const TextActions& text = menus.text;
            if (action.kind >= 2 && action.kind <= 10) {
                if (action.target.isEmpty())
                    return false;
                select(action.target);
            }
            switch (action.kind) {
            case 0:
                text.insertOn[std::size_t(action.values[0] % 2)]->trigger();
                break;
            case 1:
                if (action.target.isEmpty())
                    return false;
                selection.pressElement(action.target);
                selection.clickElement(action.target);
                break;
            case 2:
                text.font->trigger();
                break;
            case 3:
                text.colour->trigger();
                break;
            case 4:
                (action.values[2] % 2 ? text.backChange : text.backTransparent)->trigger();
                break;
            case 5:
                (action.values[2] % 2 ? text.borderSingle : text.borderNone)->trigger();
                break;
            case 6:
                text.textAlign[std::size_t(action.values[2] % 4)]->trigger();
                break;
            case 7:
                (action.values[2] % 2 ? text.bringToFront : text.sendToBack)->trigger();
                break;
            case 8:
                text.deleteText->trigger();
                break;
            case 9: {
                const QPointF from = selection.selectedRect().center();
                selection.beginMove(from);
                selection.moveTo(from + QPointF(action.values[1] * 15 - 600, 60));
                selection.moveTo(from + QPointF(action.values[1] * 30 - 1200, 120));
                selection.EndDrag();
                break;
            }
            case 10: {
                const QRectF handle = context.screen.overlays[RectoSheet].marks.handles[4];
                selection.beginResize(4);
                selection.resizeTo(4, handle.topLeft() + QPointF(0, action.values[1] * 15));
                selection.EndDrag();
                break;
            }
            case 11:
                menus.history.undo->trigger();
                break;
            case 12:
                menus.history.redo->trigger();
                break;
            case 13:
                prompter.paths = {savePath};
                menus.file.saveJkcd->trigger();
                break;
            }
            prompter.buttons.clear();
            prompter.fonts.clear();
            prompter.colours.clear();
            return true;
        }
    };

private Q_SLOTS:
    void initTestCase()
    {
        Application::configure(*qApp);
        QVERIFY(dir.isValid());
    }

    void randomEditsUndoneAndRedone()
    {
        QRandomGenerator random(20261207);
        const QString path = dir.filePath(QStringLiteral("session.jkcd"));
        Session w;
        const CoverHistory& history = w.context.history;
        ExpectedHistory<JewelCaseDocument> expected(w.context.document);
        std::array<int, 14> ran{};
        for (int i = 0; i < 600; ++i) {
            Action action;
            // Inserting first, so that there is something to act on.
            action.kind = i < 8 ? 0 : random.bounded(14);
            const std::vector<ElementRef> texts = w.shownTexts();
            if (!texts.empty())
                action.target = texts[random.bounded(int(texts.size()))];
            for (int& value : action.values)
                value = random.bounded(40);
            const int before = history.stack().index();
            if (!w.run(action, path))
                continue;
            ++ran[std::size_t(action.kind)];
            // Nothing changes the cover but through a step.
            QVERIFY2(!history.hasUnrecordedChanges(), qPrintable(QString::number(action.kind)));
            if (action.kind == 13)
                expected.clean = history.stack().index();
            expected.follow(w.context.document, action, before, history.stack().index(),
                            action.kind == 11 || action.kind == 12);
            if (QTest::currentTestFailed())
                return;
            // Modified exactly when away from the saved state.
            QCOMPARE(history.isModified(), expected.index != expected.clean);
        }
        for (int count : ran)
            QVERIFY(count > 10);

        // The steps left, replayed on a new window without any undo, end in the same cover.
        Session replay;
        for (int step = 0; step < expected.index; ++step)
            QVERIFY(replay.run(expected.steps[std::size_t(step)], path));
        QVERIFY(replay.context.document == w.context.document);
    }

    void undoMenuAndCleanPoint()
    {
        Session w;
        const MainMenus& menus = w.menus;
        CoverHistory& history = w.context.history;
        QStringList titles;
        for (QAction* menu : w.window.menuBar()->actions())
            titles << menu->text();
        // Every menu keeps its place; the new one stands just before "?".
        QCOMPARE(titles.mid(titles.size() - 5),
                 (QStringList{"Options &Images", "Accès base CDDB...", "&Etiquette CD", "É&dition",
                              "?"}));
        QVERIFY(!menus.history.undo->isEnabled() && !menus.history.redo->isEnabled());
        QVERIFY(!history.isModified());

        // Each entry names its step; the keys reach them.
        menus.text.insertOn[0]->trigger();
        w.prompter.fonts = {TextFont{QStringLiteral("DejaVu Sans"), 20, true, false, false, false}};
        w.prompter.buttons = {Prompter::No};
        menus.text.font->trigger();
        QCOMPARE(menus.history.undo->text(), QStringLiteral("&Annuler la police"));
        const JewelCaseDocument withFont = w.context.document;
        QTest::keyClick(&w.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(menus.history.undo->text(), QStringLiteral("&Annuler l'insertion du texte"));
        QCOMPARE(menus.history.redo->text(), QStringLiteral("&Rétablir la police"));
        QTest::keyClick(&w.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(w.context.document == withFont);
        QTest::keyClick(&w.window, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&w.window, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(w.context.document == withFont);

        // Saved, the cover is unmodified and keeps its history; undone and redone back to the
        // saved state, it is unmodified again.
        const QString path = dir.filePath(QStringLiteral("propre.jkcd"));
        w.prompter.paths = {path};
        menus.file.saveJkcd->trigger();
        QVERIFY(!history.isModified() && menus.history.undo->isEnabled());
        menus.history.undo->trigger();
        QVERIFY(history.isModified());
        menus.history.redo->trigger();
        QVERIFY(!history.isModified());

        // "Annuler & Fermer" of the image options counts the cover as modified until it is
        // saved, though nothing changed.
        history.markModified();
        QVERIFY(history.isModified());
        QVERIFY(history.stack().canUndo());

        // Opening clears the history.
        w.prompter.buttons = {Prompter::No};
        w.prompter.paths = {path};
        menus.file.open->trigger();
        QVERIFY(!history.isModified() && !menus.history.undo->isEnabled());
        QCOMPARE(menus.history.undo->text(), QStringLiteral("&Annuler"));
    }

    void savedFileIgnoresTheSelection()
    {
        Session w;
        const TextActions& text = w.menus.text;
        text.insertOn[0]->trigger();
        text.insertOn[1]->trigger();
        text.borderSingle->trigger();
        w.selection.EndDrag();
        const auto saved = [&w, this](const QString& name) {
            const QString path = dir.filePath(name);
            w.prompter.paths = {path};
            w.menus.file.saveJkcd->trigger();
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray unselected = saved(QStringLiteral("rien.jkcd"));
        QVERIFY(!unselected.isEmpty());
        for (const ElementRef& element : w.shownTexts()) {
            w.select(element);
            QCOMPARE(saved(QStringLiteral("choisi.jkcd")), unselected);
            w.selection.beginMove(w.selection.selectedRect().center());
            QCOMPARE(saved(QStringLiteral("glisse.jkcd")), unselected);
            w.selection.EndDrag();
        }
    }

    void labelEditsUndoneAndRedone()
    {
        ScriptedPrompter prompter;
        LabelWindow window(&prompter);
        window.showWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const LabelMenus& menus = window.menus();
        LabelContext& context = window.context();
        QStringList titles;
        for (QAction* menu : window.menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles,
                 (QStringList{"&Fichier", "&Texte sélectionné", "&Image", "É&dition", "&?"}));

        QRandomGenerator random(7122026);
        ExpectedHistory<CdLabelDocument> expected(context.label);
        for (int i = 0; i < 300; ++i) {
            Action action;
            action.kind = i < 4 ? 0 : random.bounded(9);
            for (int& value : action.values)
                value = random.bounded(40);
            const int highest = context.label.highestIndex();
            if (highest > 0)
                window.selection().pressElement(LabelSurface::text(random.bounded(highest) + 1));
            window.selection().Select();
            prompter.fonts = {TextFont{fontName(action.values[1]), float(8 + action.values[1]),
                                       false, false, false, false}};
            prompter.colours = {OleColor(action.values[1] * 0x30201)};
            const int before = context.history.stack().index();
            switch (action.kind) {
            case 0:
                menus.insertText->trigger();
                break;
            case 1:
                menus.font->trigger();
                break;
            case 2:
                menus.colour->trigger();
                break;
            case 3:
                // Ctrl+D and Ctrl+C stay the label's alignments.
                QTest::keyClick(&window, action.values[2] % 2 ? Qt::Key_D : Qt::Key_C,
                                Qt::ControlModifier);
                break;
            case 4:
                menus.deleteText->trigger();
                break;
            case 5:
                menus.labelColour->trigger();
                break;
            case 6:
                (action.values[2] % 2 ? menus.borderSingle : menus.borderNone)->trigger();
                break;
            case 7:
                QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
                break;
            case 8:
                QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
                break;
            }
            prompter.fonts.clear();
            prompter.colours.clear();
            QVERIFY(!context.history.hasUnrecordedChanges());
            expected.follow(context.label, action, before, context.history.stack().index(),
                            action.kind >= 7);
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(context.history.isModified(), expected.index != expected.clean);
        }
        QVERIFY(expected.index > 5 && expected.states.size() > 20);
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
