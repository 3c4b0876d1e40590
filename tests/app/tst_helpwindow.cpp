// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "HelpWindow.h"
#include "ModalDriver.h"

#include <QDialogButtonBox>
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
        auto* page = window.findChild<QTextBrowser*>(QStringLiteral("txtPage"));
        QVERIFY(page);
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

        for (const QString& id : HelpWindow::pageIds()) {
            QVERIFY(window.showPage(id));
            // Accented headings prove the page came from the resources, read as UTF-8.
            QCOMPARE(page->document()->firstBlock().text().trimmed(), HelpWindow::pageTitle(id));
            QVERIFY(page->toPlainText().size() > 1500);
        }
        QVERIFY(!window.showPage(QStringLiteral("absente")));
    }

    // In French: the Qt translation is installed. Checked once the window is gone, so that a
    // failure cannot leave it open.
    void opensModalInFrench()
    {
        QWidget owner;
        QString closeText;
        ExpectModal driver([&](QWidget* modal) {
            auto* buttons = modal->findChild<QDialogButtonBox*>();
            if (QPushButton* close = buttons ? buttons->button(QDialogButtonBox::Close) : nullptr)
                closeText = close->text().remove(QLatin1Char('&'));
            modal->close();
        });
        HelpWindow::showHelp(&owner);
        QVERIFY(driver.seen());
        QCOMPARE(closeText, QStringLiteral("Fermer"));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
