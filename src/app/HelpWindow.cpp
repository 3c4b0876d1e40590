// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpWindow.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

struct HelpPage {
    QString id;
    QString title;
};

// The page files are resources/help/<id>.html; each one's <title> and heading repeat its title.
const QList<HelpPage>& helpPages()
{
    static const QList<HelpPage> pages = {
        {QStringLiteral("sommaire"), QStringLiteral("Sommaire")},
        {QStringLiteral("jaquette"), QStringLiteral("Créer une jaquette")},
        {QStringLiteral("textes"), QStringLiteral("Les textes")},
        {QStringLiteral("images"), QStringLiteral("Les images")},
        {QStringLiteral("impression"), QStringLiteral("L'impression")},
        {QStringLiteral("etiquette"), QStringLiteral("L'étiquette du CD")},
        {QStringLiteral("cddb"), QStringLiteral("La recherche CDDB")},
    };
    return pages;
}

const QString pageFolder = QStringLiteral("/help/");

// The pages say what things are; the look is kept here so that every page shares it.
const QString pageStyle = QStringLiteral("h1 { color: #1f3a93; font-size: x-large; }"
                                         "h2 { color: #1f3a93; font-size: large; }"
                                         "td, th { padding: 3px; }"
                                         "th { background-color: #e8ecf6; }"
                                         ".nav { color: #555555; }");

} // namespace

HelpWindow::HelpWindow(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Aide de Jaskel CD"));
    setModal(true);

    pages_ = new QListWidget(this);
    pages_->setObjectName(QStringLiteral("lstPages"));
    for (const HelpPage& page : helpPages())
        pages_->addItem(page.title);
    pages_->setFixedWidth(pages_->sizeHintForColumn(0) + 4 * pages_->frameWidth() + 24);

    page_ = new QTextBrowser(this);
    page_->setObjectName(QStringLiteral("txtPage"));
    page_->setOpenExternalLinks(false);
    page_->document()->setDefaultStyleSheet(pageStyle);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* panes = new QHBoxLayout;
    panes->addWidget(pages_);
    panes->addWidget(page_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addWidget(buttons);
    resize(860, 600);

    connect(pages_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < helpPages().size())
            page_->setSource(pageUrl(helpPages().at(row).id));
    });
    // A link followed inside a page moves the list's highlight along with it.
    connect(page_, &QTextBrowser::sourceChanged, this, &HelpWindow::followSource);
    pages_->setCurrentRow(0);
    pages_->setFocus();
}

void HelpWindow::showHelp(QWidget* owner)
{
    HelpWindow window(owner);
    window.exec();
}

QStringList HelpWindow::pageIds()
{
    QStringList ids;
    for (const HelpPage& page : helpPages())
        ids << page.id;
    return ids;
}

QString HelpWindow::pageTitle(const QString& id)
{
    for (const HelpPage& page : helpPages())
        if (page.id == id)
            return page.title;
    return QString();
}

QUrl HelpWindow::pageUrl(const QString& id)
{
    return QUrl(QStringLiteral("qrc:") + pageFolder + id + QStringLiteral(".html"));
}

bool HelpWindow::showPage(const QString& id)
{
    const qsizetype row = pageIds().indexOf(id);
    if (row < 0)
        return false;
    // Loaded here rather than through the list, which loads nothing when the row is current.
    page_->setSource(pageUrl(id));
    return true;
}

QString HelpWindow::currentPage() const
{
    return pageOf(page_->source());
}

QString HelpWindow::pageOf(const QUrl& url)
{
    const QString path = url.path();
    if (!path.startsWith(pageFolder) || !path.endsWith(QStringLiteral(".html")))
        return QString();
    const QString id = url.fileName().chopped(5);
    return pageIds().contains(id) ? id : QString();
}

void HelpWindow::followSource(const QUrl& source)
{
    // The browser announces the new page before source() returns it: go by what it announces.
    const QSignalBlocker quiet(pages_);
    pages_->setCurrentRow(int(pageIds().indexOf(pageOf(source))));
}
