// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>
#include <QUrl>

class QListWidget;
class QTextBrowser;

// "Aide": the program's help, with its contents list on the left. The pages travel in the
// program's resources, so the help needs no viewer and no file installed beside the program.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

    // Opens the help at its contents page, modal, and returns when the user closes it.
    static void showHelp(QWidget* owner);

    // The pages in the order of the contents list; the first one is the contents page.
    static QStringList pageIds();
    // The title of a page as the contents list shows it; empty for an unknown id.
    static QString pageTitle(const QString& id);
    static QUrl pageUrl(const QString& id);

    // Shows page `id`; false, with nothing changed, when there is no such page.
    bool showPage(const QString& id);
    // The page shown, whether chosen in the list or reached through a link.
    QString currentPage() const;

private:
    static QString pageOf(const QUrl& url);
    void followSource(const QUrl& source);

    QListWidget* pages_;
    QTextBrowser* page_;
};
