#include "FrmCDDB.h"

#include "CdDrives.h"
#include "CoverArtLookup.h"
#include "GivenTocReader.h"
#include "LibDiscidReader.h"
#include "Prompter.h"
#include "SendMail.h"
#include "TextEncoding.h"
#include "TrackList.h"
#include "Twips.h"
#include "clsCdInfo.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>

namespace {

const QString ProductName = QStringLiteral("Jaskel CD");
const QString SearchCaption = QStringLiteral("Liste des &Sites");
const QString ChooseCaption = QStringLiteral("Choisir ce &Site");
constexpr auto Version = JASKEL_VERSION;

// The window's controls are placed in twips, as it was drawn: inner area 9765 × 6330, and below
// them a row for a typed table of contents.
constexpr int InnerWidth = 9765;
constexpr int TocRowTop = 6180;
constexpr int InnerHeight = 6630;
const QString NoDrive = QStringLiteral("Pas de lecteur de CD détecté.");

int pixels(double twips)
{
    return qRound(twips * Twips::screenDpi / Twips::perInch);
}

void place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
}

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width, int height)
{
    auto* result = new QLabel(text, parent);
    place(result, left, top, width, height);
    return result;
}

QLineEdit* textBox(QWidget* parent, int left, int top, int width)
{
    auto* box = new QLineEdit(parent);
    place(box, left, top, width, 285);
    return box;
}

QPushButton* iconButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& tooltip)
{
    auto* button = new QPushButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setToolTip(tooltip);
    return button;
}

// The width of `text` in the window's font, with a little room, in pixels.
int columnWidth(const QWidget* widget, const QString& text)
{
    return widget->fontMetrics().horizontalAdvance(text) + 8;
}

} // namespace

FrmCDDB::Services FrmCDDB::Services::system()
{
    Services services;
    services.drives = cdDrives();
    services.makeReader = [] { return std::make_unique<LibDiscidReader>(); };
    return services;
}

void FrmCDDB::open(QWidget* parent, Prompter& prompter, Services services)
{
    FrmCDDB window(prompter, std::move(services), parent);
    window.exec();
}

FrmCDDB::FrmCDDB(Prompter& prompter, Services services, QWidget* parent)
    : QDialog(parent), prompter(prompter), services(std::move(services)),
      client(this->services.timeout)
{
    setFont(QFont(QStringLiteral("Comic Sans MS"), 8));
    buildControls();
    buildCategoryPanel();

    cboLecteurCD->addItems(this->services.drives);
    cboLecteurCD->setCurrentIndex(0);
    // Without a drive only a typed table of contents can be searched for.
    if (this->services.drives.isEmpty()) {
        cboLecteurCD->setEnabled(false);
        statusMessage->setText(NoDrive);
        txtToc->setFocus();
    }
    client.setServerUrl(this->services.serverUrl);
    setSiteTitle();
    setTrackLayout();

    connect(&client, &CddbClient::statusChanged, statusMessage, &QLabel::setText);
    connect(&client, &CddbClient::busyChanged, this, [this](bool on) {
        sitesBusy = on;
        showBusy();
    });
}

FrmCDDB::~FrmCDDB()
{
    cancelSearch();
    client.abort();
    sitesBusy = false;
    showBusy();
}

void FrmCDDB::buildControls()
{
    auto* area = new QWidget(this);
    area->setFixedSize(pixels(InnerWidth), pixels(InnerHeight));

    label(area, QStringLiteral("Lecteur :"), 120, 240, 735, 255);
    cboLecteurCD = new QComboBox(area);
    place(cboLecteurCD, 960, 240, 3135, 345);

    btnCodeID = new QPushButton(QStringLiteral("&Rechercher pour ce CD"), area);
    btnCodeID->setToolTip(
        QStringLiteral("Identifie et recherche la liste des pistes sur Internet"));
    place(btnCodeID, 120, 720, 2055, 495);
    connect(btnCodeID, &QPushButton::clicked, this, &FrmCDDB::search);
    // Return searches, unless the category panel waits for a choice (then it chooses).
    btnCodeID->setDefault(true);

    btnChoisirSite = new QPushButton(SearchCaption, area);
    btnChoisirSite->setToolTip(
        QStringLiteral("Recherche de listes des autres serveurs sur Internet et choix d'une URL"));
    place(btnChoisirSite, 2280, 720, 1815, 495);
    connect(btnChoisirSite, &QPushButton::clicked, this, &FrmCDDB::chooseSite);

    label(area, QStringLiteral("Artiste :"), 4200, 0, 1455, 255);
    txtArtiste = textBox(area, 4200, 240, 3135);
    label(area, QStringLiteral("Album :"), 4200, 600, 1455, 255);
    txtAlbum = textBox(area, 4200, 840, 3135);
    label(area, QStringLiteral("Année :"), 7440, 0, 1095, 255);
    txtAnnee = textBox(area, 7440, 240, 1095);
    label(area, QStringLiteral("Genre :"), 7440, 600, 1095, 255);
    txtGenre = textBox(area, 7440, 840, 1095);

    Image1 = new QLabel(area);
    Image1->setScaledContents(true);
    place(Image1, 8640, 240, 975, 855);

    txtRecu = new QPlainTextEdit(area);
    txtRecu->setReadOnly(true);
    txtRecu->setLineWrapMode(QPlainTextEdit::NoWrap);
    place(txtRecu, 120, 1320, 4575, 4095);

    grdTitres = new QTableWidget(area);
    grdTitres->verticalHeader()->hide();
    grdTitres->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdTitres->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdTitres->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    place(grdTitres, 4800, 1320, 4815, 4095);
    // A click on a server row while the servers are listed chooses it.
    connect(grdTitres, &QTableWidget::cellClicked, this, [this] {
        if (btnChoisirSite->text() == ChooseCaption)
            chooseSite();
    });

    Command1 = iconButton(area, QStyle::SP_DialogSaveButton,
                          QStringLiteral("Enregistrer la liste dans un fichier texte"));
    place(Command1, 120, 5520, 1215, 495);
    connect(Command1, &QPushButton::clicked, this, &FrmCDDB::saveList);

    // The server asks who is asking: an e-mail address, remembered between runs.
    label(area, QStringLiteral("Votre e-mail :"), 1440, 5520, 1100, 255);
    txtEmail = new QLineEdit(area);
    txtEmail->setToolTip(QStringLiteral(
        "Adresse e-mail envoyée au serveur CDDB avec chaque requête (il en demande une valide)"));
    txtEmail->setPlaceholderText(QString::fromLatin1(CddbClient::DefaultUserEmail));
    txtEmail->setText(QSettings().value(QLatin1String(EmailSetting)).toString());
    place(txtEmail, 1440, 5760, 4200, 285);

    // Without a drive, or for a disc that is not in it: its table of contents, typed or pasted
    // in the form libdiscid writes.
    label(area, QStringLiteral("Table des matières :"), 120, TocRowTop + 30, 1700, 255);
    txtToc = new QLineEdit(area);
    txtToc->setPlaceholderText(QStringLiteral("PREMIÈRE DERNIÈRE FIN DÉBUT1 … DÉBUTn"));
    txtToc->setToolTip(QStringLiteral(
        "Sans lecteur, ou pour un autre disque : la première et la dernière piste, la fin du "
        "disque puis le début de chaque piste, en trames (75 par seconde). Une table tapée ici "
        "est cherchée à la place du disque du lecteur."));
    place(txtToc, 1860, TocRowTop, 7755, 285);

    lblMail = label(area, QString::fromLatin1(ContactAddress), 5760, 5640, 2200, 195);
    QFont mailFont(QStringLiteral("MS Sans Serif"), 8);
    mailFont.setUnderline(true);
    lblMail->setFont(mailFont);
    lblMail->setStyleSheet(QStringLiteral("color: blue"));
    lblMail->setCursor(Qt::PointingHandCursor);
    lblMail->setToolTip(QStringLiteral("Envoyez un mail"));
    lblMail->installEventFilter(this);

    Command2 = iconButton(area, QStyle::SP_DialogCloseButton, QStringLiteral("Fermer"));
    place(Command2, 8040, 5480, 1575, 615);
    connect(Command2, &QPushButton::clicked, this, &QDialog::accept);

    auto* bar = new QWidget(this);
    buildStatusBar(bar);
    bar->move(0, area->height());
    setFixedSize(area->width(), area->height() + bar->height());
}

void FrmCDDB::buildStatusBar(QWidget* bar)
{
    const int height = fontMetrics().height() + 6;
    const int clockWidth = pixels(1200);
    bar->setFixedSize(pixels(InnerWidth), height);
    const auto panel = [bar](const QString& tooltip) {
        auto* panel = new QLabel(bar);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setToolTip(tooltip);
        return panel;
    };
    statusMessage = panel(QStringLiteral("Action en cours"));
    statusMessage->setText(QStringLiteral("Prêt"));
    statusMessage->setGeometry(0, 0, bar->width() - 2 * clockWidth, height);
    statusDate = panel(QStringLiteral("Date"));
    statusDate->setGeometry(bar->width() - 2 * clockWidth, 0, clockWidth, height);
    statusTime = panel(QStringLiteral("Heure"));
    statusTime->setGeometry(bar->width() - clockWidth, 0, clockWidth, height);
    const auto tick = [this] {
        const QDateTime now = QDateTime::currentDateTime();
        statusDate->setText(QLocale(QLocale::French).toString(now.date(), QLocale::ShortFormat));
        statusTime->setText(now.time().toString(QStringLiteral("HH:mm:ss")));
    };
    tick();
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, tick);
    clock->start(1000);
}

void FrmCDDB::buildCategoryPanel()
{
    fraCategorie = new QGroupBox(QStringLiteral("Catégorie de musique "), this);
    fraCategorie->setAutoFillBackground(true);
    place(fraCategorie, 2160, 1680, 6135, 3855);
    auto* explanation = label(
        fraCategorie,
        QStringLiteral("Ce CD rentre dans plusieurs catégories ou bien l'identification du CD "
                       "n'est pas correcte (différence sur la longueur de piste, ou CD avec "
                       "identification jumelle, ça peut arriver puisque l'identification se fait "
                       "par rapport aux longueurs et à la structure des pistes)"),
        120, 240, 5895, 975);
    explanation->setWordWrap(true);
    label(fraCategorie, QStringLiteral("Sélectionnez une liste "), 120, 1200, 4575, 255);
    lstCategories = new QListWidget(fraCategorie);
    lstCategories->setStyleSheet(QStringLiteral("background: white"));
    place(lstCategories, 120, 1560, 4575, 2085);
    connect(lstCategories, &QListWidget::itemDoubleClicked, this, &FrmCDDB::categoryChosen);
    btnOkSelCategorie =
        iconButton(fraCategorie, QStyle::SP_DialogApplyButton, QStringLiteral("Valider"));
    place(btnOkSelCategorie, 4920, 3000, 975, 615);
    connect(btnOkSelCategorie, &QPushButton::clicked, this, &FrmCDDB::categoryChosen);
    placeholder = new QLabel(fraCategorie);
    placeholder->setPixmap(style()->standardIcon(QStyle::SP_DriveCDIcon).pixmap(pixels(1140)));
    place(placeholder, 4920, 1560, 1140, 1140);
    fraCategorie->installEventFilter(this);
    fraCategorie->hide();
}

QString FrmCDDB::statusText() const
{
    return statusMessage->text();
}

void FrmCDDB::setSiteTitle()
{
    setWindowTitle(ProductName + QStringLiteral(" - Site : ") + client.ServerUrl());
}

void FrmCDDB::setTrackLayout()
{
    grdTitres->clear();
    grdTitres->setRowCount(0);
    grdTitres->setColumnCount(2);
    grdTitres->setHorizontalHeaderLabels({QStringLiteral("Piste"), QStringLiteral("Titre")});
    grdTitres->setColumnWidth(0, columnWidth(this, QStringLiteral(" Piste ")));
    grdTitres->setColumnWidth(1, columnWidth(this, QStringLiteral(" Titre ")));
}

void FrmCDDB::setSiteLayout()
{
    grdTitres->clear();
    grdTitres->setRowCount(0);
    grdTitres->setColumnCount(2);
    grdTitres->setHorizontalHeaderLabels(
        {QStringLiteral("Adresse du site"), QStringLiteral("Emplacement géographique")});
}

void FrmCDDB::showBusy()
{
    const bool on = searchBusy || sitesBusy;
    if (on == busy)
        return;
    busy = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void FrmCDDB::search()
{
    // One search at a time, and the grid shows either its tracks or the servers.
    cancelSearch();
    client.abort();
    clearResults();
    btnChoisirSite->setText(SearchCaption);
    statusMessage->setText(QStringLiteral("Identification du CD ..."));
    const std::optional<QString> query = discQuery();
    if (!query)
        return;

    const QString email = txtEmail->text().trimmed();
    QSettings().setValue(QLatin1String(EmailSetting), email);
    client.setUserEmail(email);
    running = std::make_unique<CddbSearch>(
        CddbSearch::Settings{client.ServerUrl(), email, services.coverArtSearch, services.timeout});
    CddbSearch* search = running.get();
    connect(search, &CddbSearch::statusChanged, statusMessage, &QLabel::setText);
    connect(search, &CddbSearch::busyChanged, this, [this](bool on) {
        searchBusy = on;
        showBusy();
    });
    connect(search, &CddbSearch::queryAnswered, this, &FrmCDDB::showQueryAnswer);
    connect(search, &CddbSearch::choiceNeeded, this, &FrmCDDB::showCategories);
    connect(search, &CddbSearch::recordRead, this, &FrmCDDB::showRecord);
    connect(search, &CddbSearch::coverArtFound, this, &FrmCDDB::showCoverArt);
    search->start(*query);
}

std::optional<QString> FrmCDDB::discQuery()
{
    const QString typed = txtToc->text().trimmed();
    std::unique_ptr<DiscReader> reader;
    if (!typed.isEmpty()) {
        QString refusal;
        const std::optional<DiscToc> toc = DiscToc::fromString(typed, &refusal);
        if (!toc) {
            prompter.ask({Prompter::programTitle(),
                          QStringLiteral("Table des matières refusée : ") + refusal +
                              QStringLiteral("\rElle s'écrit : la première piste, la dernière, "
                                             "la fin du disque puis le début de chaque piste, "
                                             "en trames (75 par seconde), séparés par des "
                                             "espaces."),
                          Prompter::Icon::Exclamation, Prompter::Ok, Prompter::Ok});
            txtToc->setFocus();
            return std::nullopt;
        }
        reader = std::make_unique<GivenTocReader>(toc);
    } else if (cboLecteurCD->count() == 0) {
        statusMessage->setText(NoDrive);
        txtToc->setFocus();
        return std::nullopt;
    } else {
        reader = services.makeReader();
    }
    clsCdInfo disc(*reader);
    disc.Init(typed.isEmpty() ? cboLecteurCD->currentText() : QString());
    const clsCdInfo::Query query = disc.QueryString();
    if (query.command.isEmpty()) {
        if (query.message)
            prompter.ask(*query.message);
        return std::nullopt;
    }
    return query.command;
}

void FrmCDDB::cancelSearch()
{
    running.reset();
    hideCategories();
    searchBusy = false;
    showBusy();
}

// Nothing of the disc searched for before stays on screen.
void FrmCDDB::clearResults()
{
    Command1->setEnabled(false);
    record = CddbRecord();
    for (QLineEdit* field : {txtArtiste, txtAlbum, txtAnnee, txtGenre})
        field->clear();
    txtRecu->clear();
    Image1->clear();
    setTrackLayout();
}

void FrmCDDB::showQueryAnswer(const CddbClient::QueryResult& query)
{
    txtRecu->setPlainText(query.rawAnswer);
    reportRefusedEmail(query);
}

void FrmCDDB::showRecord(const CddbClient::ReadResult& read)
{
    txtRecu->setPlainText(read.rawAnswer);
    reportRefusedEmail(read);
    record = read.record;
    txtArtiste->setText(record.artist);
    txtAlbum->setText(record.album);
    txtAnnee->setText(record.year);
    txtGenre->setText(record.genre);
    if (!read.complete)
        return;

    grdTitres->setRowCount(int(read.rows.size()));
    int longest = 0;
    for (int row = 0; row < read.rows.size(); ++row) {
        grdTitres->setItem(row, 0, new QTableWidgetItem(read.rows[row].firstCell));
        grdTitres->setItem(row, 1, new QTableWidgetItem(read.rows[row].secondCell));
        longest = std::max(longest, int(read.rows[row].secondCell.size()));
    }
    grdTitres->setColumnWidth(1, columnWidth(this, QString(longest + 2, u'M')));
    Command1->setEnabled(true);
}

void FrmCDDB::showCoverArt(const CoverArt& art)
{
    if (!art.matched)
        Image1->setPixmap(placeholder->pixmap());
    else if (art.picture.isNull())
        Image1->clear();
    else
        Image1->setPixmap(QPixmap::fromImage(art.picture));
}

// The user must act: a message rather than the status bar alone. It is shown once the answer
// has been dealt with, from the event loop, and then the address can be typed at once.
void FrmCDDB::reportRefusedEmail(const CddbClient::Reply& reply)
{
    if (!reply.emailRefused)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            prompter.ask(
                {Prompter::programTitle(),
                 QStringLiteral("Le serveur refuse l'adresse e-mail envoyée : il n'accepte que "
                                "les adresses enregistrées chez lui.\rTapez votre adresse "
                                "enregistrée dans « Votre e-mail : », ou choisissez un autre "
                                "serveur avec « Liste des Sites »."),
                 Prompter::Icon::Exclamation, Prompter::Ok, Prompter::Ok});
            txtEmail->setFocus();
            txtEmail->selectAll();
        },
        Qt::QueuedConnection);
}

void FrmCDDB::chooseSite()
{
    if (btnChoisirSite->text() == SearchCaption) {
        cancelSearch();
        setSiteLayout();
        txtRecu->clear();
        client.setUserEmail(txtEmail->text().trimmed());
        client.CddbSites([this](const CddbClient::SitesResult& sites) { showSites(sites); });
        return;
    }
    // The address of the chosen row, whichever of its cells was clicked.
    const int row = grdTitres->currentRow();
    if (row >= 0 && grdTitres->item(row, 0)) {
        client.setServerUrl(QStringLiteral("http://") + grdTitres->item(row, 0)->text());
        setSiteTitle();
    }
    setTrackLayout();
    btnChoisirSite->setText(SearchCaption);
}

void FrmCDDB::showSites(const CddbClient::SitesResult& sites)
{
    txtRecu->setPlainText(sites.rawAnswer);
    reportRefusedEmail(sites);
    grdTitres->setRowCount(int(sites.sites.size()));
    int addressWidth = columnWidth(this, QStringLiteral(" Adresse du site "));
    int placeWidth = columnWidth(this, QStringLiteral(" Emplacement géographique "));
    for (int row = 0; row < sites.sites.size(); ++row) {
        const GridRow& site = sites.sites[row];
        grdTitres->setItem(row, 0, new QTableWidgetItem(site.firstCell));
        grdTitres->setItem(row, 1, new QTableWidgetItem(site.secondCell));
        addressWidth = std::max(addressWidth, columnWidth(this, u'M' + site.firstCell));
        placeWidth = std::max(placeWidth, columnWidth(this, u'M' + site.secondCell));
    }
    grdTitres->setColumnWidth(0, addressWidth);
    grdTitres->setColumnWidth(1, placeWidth);
    if (!sites.sites.isEmpty())
        grdTitres->setCurrentCell(0, 0);
    btnChoisirSite->setText(ChooseCaption);
}

// The search waits for the choice; the window goes on meanwhile, and Return or a double click
// in the panel chooses.
void FrmCDDB::showCategories(const QStringList& lines)
{
    lstCategories->clear();
    lstCategories->addItems(lines);
    lstCategories->setCurrentRow(0);
    fraCategorie->move((width() - fraCategorie->width()) / 2,
                       (height() - fraCategorie->height()) / 2);
    fraCategorie->show();
    fraCategorie->raise();
    btnOkSelCategorie->setDefault(true);
    lstCategories->setFocus();
}

void FrmCDDB::hideCategories()
{
    fraCategorie->hide();
    btnCodeID->setDefault(true);
}

void FrmCDDB::categoryChosen()
{
    if (!running || !running->waitingForChoice() || !lstCategories->currentItem())
        return;
    const QString line = lstCategories->currentItem()->text();
    hideCategories();
    running->choose(line);
}

void FrmCDDB::saveList()
{
    const CddbRecord shown = shownRecord();
    const std::optional<QString> path =
        prompter.getSaveFileName({QStringLiteral("Enregistrer le fichier texte .TXT sous..."),
                                  QDir::home().filePath(TrackList::proposedName(shown)),
                                  {QStringLiteral("Fichier texte (*.txt)")},
                                  QStringLiteral("txt")});
    if (!path)
        return;
    const QByteArray bytes = TextEncoding::encode(
        TrackList::lines(shown).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit())
        prompter.inform(QStringLiteral("Impossible d'écrire le fichier ") + *path +
                            QStringLiteral("."),
                        QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
}

// The record as the window shows it: the user may have corrected the four fields.
CddbRecord FrmCDDB::shownRecord() const
{
    CddbRecord shown = record;
    shown.artist = txtArtiste->text();
    shown.album = txtAlbum->text();
    shown.year = txtAnnee->text();
    shown.genre = txtGenre->text();
    return shown;
}

void FrmCDDB::sendMail()
{
    QDesktopServices::openUrl(SendMail(lblMail->text(),
                                       QStringLiteral("A propos de \"") + ProductName +
                                           QStringLiteral("\", version ") + QLatin1String(Version),
                                       QStringLiteral("Ce programme est formidable !")));
}

void FrmCDDB::done(int result)
{
    // Whatever runs or waits ends with the window: nothing goes on behind it.
    cancelSearch();
    client.abort();
    QDialog::done(result);
}

bool FrmCDDB::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblMail && event->type() == QEvent::MouseButtonRelease) {
        sendMail();
        return true;
    }
    // The category panel follows the pointer while the left button is held on it.
    // Only a mouse event is a QMouseEvent: the panel gets paint and layout events too.
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched == fraCategorie && (press || event->type() == QEvent::MouseMove)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (press) {
            dragStart = mouse->position().toPoint();
            return true;
        }
        if (mouse->buttons() & Qt::LeftButton) {
            fraCategorie->move(fraCategorie->pos() + mouse->position().toPoint() - dragStart);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
