#include "Application.h"
#include "HelpWindow.h"
#include "ModalDriver.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

class TestHelpWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void everyPageLoadsUnderItsTitleAndTheContentsLinkToThem()
    {
        QWidget owner;
        HelpWindow window(&owner);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* list = window.findChild<QListWidget*>(QStringLiteral("lstPages"));
        auto* page = window.findChild<QTextBrowser*>(QStringLiteral("txtPage"));
        QVERIFY(list && page);
        QCOMPARE(window.currentPage(), QStringLiteral("sommaire"));
        QStringList links;
        for (QTextBlock block = page->document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isAnchor())
                    links << it.fragment().charFormat().anchorHref();
        for (const QString& id : HelpWindow::pageIds().mid(1))
            QVERIFY2(links.contains(id + QStringLiteral(".html")), qPrintable(id));
        QTextCursor link = page->document()->find(HelpWindow::pageTitle(QStringLiteral("textes")));
        link.setPosition(link.selectionStart() + 2);
        QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, page->cursorRect(link).center());
        QCOMPARE(window.currentPage(), QStringLiteral("textes"));

        QCOMPARE(list->count(), HelpWindow::pageIds().size());
        for (const QString& id : HelpWindow::pageIds()) {
            QVERIFY(window.showPage(id));
            const QString title = HelpWindow::pageTitle(id);
            QCOMPARE(list->currentItem()->text(), title);
            // Accented headings prove the page came from the resources, read as UTF-8.
            QCOMPARE(page->document()->firstBlock().text().trimmed(), title);
            QVERIFY(page->toPlainText().size() > 1500);
        }
        QVERIFY(!window.showPage(QStringLiteral("absente")));
    }

    void opensModalOverItsOwnerAndClosesWithFermer()
    {
        QWidget owner;
        QString title, closeText;
        QWidget* parent = nullptr;
        bool closedByButton = false;
        // Checked once the window is gone, so that a failure cannot leave it open.
        ExpectModal driver([&](QWidget* modal) {
            title = modal->windowTitle();
            parent = modal->parentWidget();
            auto* buttons = modal->findChild<QDialogButtonBox*>();
            if (QPushButton* close = buttons ? buttons->button(QDialogButtonBox::Close) : nullptr) {
                closeText = close->text().remove(QLatin1Char('&'));
                close->click();
            }
            closedByButton = !modal->isVisible();
            modal->close();
        });
        HelpWindow::showHelp(&owner);
        QVERIFY(driver.seen());
        QCOMPARE(title, QStringLiteral("Aide de Jaskel CD"));
        QCOMPARE(parent, &owner);
        QCOMPARE(closeText, QStringLiteral("Fermer"));
        QVERIFY(closedByButton);
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
