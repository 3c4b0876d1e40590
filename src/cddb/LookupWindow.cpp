// SPDX-License-Identifier: GPL-3.0-or-later
#include "LookupWindow.h"

#include "AlbumPictures.h"
#include "AlbumRows.h"
#include "CdDrives.h"
#include "CddbAlbum.h"
#include "CoverArtLookup.h"
#include "DiscInfo.h"
#include "GivenTocReader.h"
#include "LibDiscidReader.h"
#include "Prompter.h"
#include "SendMail.h"
#include "TextEncoding.h"
#include "TrackList.h"
#include "Twips.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
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
// them a row for a typed table of contents and a row of the commands that fill the cover and
// the label.
constexpr int InnerWidth = 9765;
constexpr int TocRowTop = 6180;
constexpr int CreateRowTop = 6570;
constexpr int InnerHeight = 7110;
const QString NoDrive = QStringLiteral("Pas de lecteur de CD détecté.");
const QString MusicBrainzName = QStringLiteral("MusicBrainz");

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

LookupWindow::Services LookupWindow::Services::system()
{
    Services services;
    services.drives = cdDrives();
    services.makeReader = [] { return std::make_unique<LibDiscidReader>(); };
    return services;
}

void LookupWindow::open(QWidget* parent, Prompter& prompter, Services services)
{
    LookupWindow window(prompter, std::move(services), parent);
    window.exec();
}

LookupWindow::LookupWindow(Prompter& prompter, Services services, QWidget* parent)
    : QDialog(parent), prompter(prompter), services(std::move(services)),
      client(this->services.timeout)
{
    setObjectName(QStringLiteral("FrmCDDB"));
    setFont(QFont(QStringLiteral("Comic Sans MS"), 8));
    buildControls();
    buildCategoryPanel();
    // The controls keep the names the window's description gives them.
    const std::pair<QWidget*, const char*> named[] = {
        {driveList_, "cboLecteurCD"},
        {artistField_, "txtArtiste"},
        {albumField_, "txtAlbum"},
        {yearField_, "txtAnnee"},
        {genreField_, "txtGenre"},
        {emailField_, "txtEmail"},
        {tocField_, "txtToc"},
        {sourceList_, "cboSource"},
        {albumPicture_, "Image1"},
        {rawAnswerView_, "txtRecu"},
        {trackGrid_, "grdTitres"},
        {saveListButton_, "Command1"},
        {emailLabel_, "lblMail"},
        {closeButton_, "Command2"},
        {categoryFrame_, "fraCategorie"},
        {categoryList_, "lstCategories"},
    };
    for (const auto& [widget, name] : named)
        widget->setObjectName(QLatin1String(name));

    driveList_->addItems(this->services.drives);
    driveList_->setCurrentIndex(0);
    // Without a drive only a typed table of contents can be searched for.
    if (this->services.drives.isEmpty()) {
        driveList_->setEnabled(false);
        statusMessage->setText(NoDrive);
        tocField_->setFocus();
    }
    sourceList_->setCurrentText(QSettings().value(QLatin1String(SourceSetting)).toString());
    sourceChosen();
    connect(sourceList_, &QComboBox::currentIndexChanged, this, [this] {
        QSettings().setValue(QLatin1String(SourceSetting), sourceList_->currentText());
        sourceChosen();
    });
    client.setServerUrl(this->services.serverUrl);
    setSiteTitle();
    setTrackLayout();

    connect(&client, &CddbClient::statusChanged, statusMessage, &QLabel::setText);
    connect(&client, &CddbClient::busyChanged, this, [this](bool on) {
        sitesBusy = on;
        showBusy();
    });
}

LookupWindow::~LookupWindow()
{
    cancelSearch();
    client.abort();
    sitesBusy = false;
    showBusy();
}

void LookupWindow::buildControls()
{
    auto* area = new QWidget(this);
    area->setFixedSize(pixels(InnerWidth), pixels(InnerHeight));

    label(area, QStringLiteral("Lecteur :"), 120, 240, 735, 255);
    driveList_ = new QComboBox(area);
    place(driveList_, 960, 240, 3135, 345);

    btnCodeID = new QPushButton(QStringLiteral("&Rechercher pour ce CD"), area);
    btnCodeID->setToolTip(
        QStringLiteral("Identifie et recherche la liste des pistes sur Internet"));
    place(btnCodeID, 120, 720, 2055, 495);
    connect(btnCodeID, &QPushButton::clicked, this, &LookupWindow::search);
    // Return searches, unless the category panel waits for a choice (then it chooses).
    btnCodeID->setDefault(true);

    btnChoisirSite = new QPushButton(SearchCaption, area);
    btnChoisirSite->setToolTip(
        QStringLiteral("Recherche de listes des autres serveurs sur Internet et choix d'une URL"));
    place(btnChoisirSite, 2280, 720, 1815, 495);
    connect(btnChoisirSite, &QPushButton::clicked, this, &LookupWindow::chooseSite);

    label(area, QStringLiteral("Artiste :"), 4200, 0, 1455, 255);
    artistField_ = textBox(area, 4200, 240, 3135);
    label(area, QStringLiteral("Album :"), 4200, 600, 1455, 255);
    albumField_ = textBox(area, 4200, 840, 3135);
    label(area, QStringLiteral("Année :"), 7440, 0, 1095, 255);
    yearField_ = textBox(area, 7440, 240, 1095);
    label(area, QStringLiteral("Genre :"), 7440, 600, 1095, 255);
    genreField_ = textBox(area, 7440, 840, 1095);

    albumPicture_ = new QLabel(area);
    albumPicture_->setScaledContents(true);
    place(albumPicture_, 8640, 240, 975, 855);

    rawAnswerView_ = new QPlainTextEdit(area);
    rawAnswerView_->setReadOnly(true);
    rawAnswerView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    place(rawAnswerView_, 120, 1320, 4575, 4095);

    trackGrid_ = new QTableWidget(area);
    trackGrid_->verticalHeader()->hide();
    trackGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trackGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    trackGrid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    place(trackGrid_, 4800, 1320, 4815, 4095);
    // A click on a server row while the servers are listed chooses it.
    connect(trackGrid_, &QTableWidget::cellClicked, this, [this] {
        if (btnChoisirSite->text() == ChooseCaption)
            chooseSite();
    });

    saveListButton_ = iconButton(area, QStyle::SP_DialogSaveButton,
                                 QStringLiteral("Enregistrer la liste dans un fichier texte"));
    place(saveListButton_, 120, 5520, 1215, 495);
    connect(saveListButton_, &QPushButton::clicked, this, &LookupWindow::saveList);

    // The server asks who is asking: an e-mail address, remembered between runs.
    label(area, QStringLiteral("Votre e-mail :"), 1440, 5520, 1100, 255);
    emailField_ = new QLineEdit(area);
    emailField_->setToolTip(QStringLiteral(
        "Adresse e-mail envoyée au serveur CDDB avec chaque requête (il en demande une valide)"));
    emailField_->setPlaceholderText(QString::fromLatin1(CddbClient::DefaultUserEmail));
    emailField_->setText(QSettings().value(QLatin1String(EmailSetting)).toString());
    place(emailField_, 1440, 5760, 4200, 285);

    // Without a drive, or for a disc that is not in it: its table of contents, typed or pasted
    // in the form libdiscid writes.
    label(area, QStringLiteral("Table des matières :"), 120, TocRowTop + 30, 1700, 255);
    tocField_ = new QLineEdit(area);
    tocField_->setPlaceholderText(QStringLiteral("PREMIÈRE DERNIÈRE FIN DÉBUT1 … DÉBUTn"));
    tocField_->setToolTip(QStringLiteral(
        "Sans lecteur, ou pour un autre disque : la première et la dernière piste, la fin du "
        "disque puis le début de chaque piste, en trames (75 par seconde). Une table tapée ici "
        "est cherchée à la place du disque du lecteur."));
    place(tocField_, 1860, TocRowTop, 4900, 285);

    // Where the search goes: the CDDB server or MusicBrainz, remembered between runs.
    label(area, QStringLiteral("Source :"), 6840, TocRowTop + 30, 700, 255);
    sourceList_ = new QComboBox(area);
    sourceList_->addItems({QStringLiteral("CDDB"), MusicBrainzName});
    sourceList_->setToolTip(QStringLiteral(
        "MusicBrainz trouve aussi un album par l'artiste et le titre tapés, sans disque"));
    place(sourceList_, 7560, TocRowTop - 30, 2055, 345);

    emailLabel_ = label(area, QString::fromLatin1(ContactAddress), 5760, 5640, 2200, 195);
    QFont mailFont(QStringLiteral("MS Sans Serif"), 8);
    mailFont.setUnderline(true);
    emailLabel_->setFont(mailFont);
    emailLabel_->setStyleSheet(QStringLiteral("color: blue"));
    emailLabel_->setCursor(Qt::PointingHandCursor);
    emailLabel_->setToolTip(QStringLiteral("Envoyez un mail"));
    emailLabel_->installEventFilter(this);

    closeButton_ = iconButton(area, QStyle::SP_DialogCloseButton, QStringLiteral("Fermer"));
    place(closeButton_, 8040, 5480, 1575, 615);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    buildCreateButtons(area);

    auto* bar = new QWidget(this);
    buildStatusBar(bar);
    bar->move(0, area->height());
    setFixedSize(area->width(), area->height() + bar->height());
}

void LookupWindow::buildCreateButtons(QWidget* area)
{
    createCoverButton_ = new QPushButton(QStringLiteral("Créer la jaquette"), area);
    createCoverButton_->setToolTip(
        QStringLiteral("Remplit la jaquette avec l'album affiché : titres, durées et pochette"));
    place(createCoverButton_, 4800, CreateRowTop, 2355, 435);
    connect(createCoverButton_, &QPushButton::clicked, this, &LookupWindow::createCover);
    createLabelButton_ = new QPushButton(QStringLiteral("Créer l'étiquette"), area);
    createLabelButton_->setToolTip(
        QStringLiteral("Remplit l'étiquette du CD avec l'album affiché et sa pochette"));
    place(createLabelButton_, 7260, CreateRowTop, 2355, 435);
    connect(createLabelButton_, &QPushButton::clicked, this, &LookupWindow::createLabel);
    enableRecordCommands(false);
}

void LookupWindow::enableRecordCommands(bool on)
{
    saveListButton_->setEnabled(on);
    createCoverButton_->setEnabled(on && bool(services.createCover));
    createLabelButton_->setEnabled(on && bool(services.createLabel));
}

void LookupWindow::buildStatusBar(QWidget* bar)
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

void LookupWindow::buildCategoryPanel()
{
    categoryFrame_ = new QGroupBox(QStringLiteral("Catégorie de musique "), this);
    categoryFrame_->setAutoFillBackground(true);
    place(categoryFrame_, 2160, 1680, 6135, 3855);
    auto* explanation = label(
        categoryFrame_,
        QStringLiteral("Ce CD rentre dans plusieurs catégories ou bien l'identification du CD "
                       "n'est pas correcte (différence sur la longueur de piste, ou CD avec "
                       "identification jumelle, ça peut arriver puisque l'identification se fait "
                       "par rapport aux longueurs et à la structure des pistes)"),
        120, 240, 5895, 975);
    explanation->setWordWrap(true);
    label(categoryFrame_, QStringLiteral("Sélectionnez une liste "), 120, 1200, 4575, 255);
    categoryList_ = new QListWidget(categoryFrame_);
    categoryList_->setStyleSheet(QStringLiteral("background: white"));
    place(categoryList_, 120, 1560, 4575, 2085);
    connect(categoryList_, &QListWidget::itemDoubleClicked, this, &LookupWindow::categoryChosen);
    btnOkSelCategorie =
        iconButton(categoryFrame_, QStyle::SP_DialogApplyButton, QStringLiteral("Valider"));
    place(btnOkSelCategorie, 4920, 3000, 975, 615);
    connect(btnOkSelCategorie, &QPushButton::clicked, this, &LookupWindow::categoryChosen);
    placeholder = new QLabel(categoryFrame_);
    placeholder->setPixmap(style()->standardIcon(QStyle::SP_DriveCDIcon).pixmap(pixels(1140)));
    place(placeholder, 4920, 1560, 1140, 1140);
    categoryFrame_->installEventFilter(this);
    categoryFrame_->hide();
}

QString LookupWindow::statusText() const
{
    return statusMessage->text();
}

void LookupWindow::setSiteTitle()
{
    setWindowTitle(ProductName + QStringLiteral(" - Site : ") + client.ServerUrl());
}

void LookupWindow::setTrackLayout()
{
    trackGrid_->clear();
    trackGrid_->setRowCount(0);
    trackGrid_->setColumnCount(2);
    trackGrid_->setHorizontalHeaderLabels({QStringLiteral("Piste"), QStringLiteral("Titre")});
    trackGrid_->setColumnWidth(0, columnWidth(this, QStringLiteral(" Piste ")));
    trackGrid_->setColumnWidth(1, columnWidth(this, QStringLiteral(" Titre ")));
}

void LookupWindow::setSiteLayout()
{
    trackGrid_->clear();
    trackGrid_->setRowCount(0);
    trackGrid_->setColumnCount(2);
    trackGrid_->setHorizontalHeaderLabels(
        {QStringLiteral("Adresse du site"), QStringLiteral("Emplacement géographique")});
}

void LookupWindow::showBusy()
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

void LookupWindow::search()
{
    // MusicBrainz searches by the names typed when there is no disc, or an unknown one.
    const QString typedArtist = artistField_->text().trimmed();
    const QString typedAlbum = albumField_->text().trimmed();
    // One search at a time, and the grid shows either its tracks or the servers.
    cancelSearch();
    client.abort();
    clearResults();
    btnChoisirSite->setText(SearchCaption);
    statusMessage->setText(QStringLiteral("Identification du CD ..."));
    if (musicBrainzChosen())
        return searchMusicBrainz(typedArtist, typedAlbum);
    const std::optional<DiscToc> toc = readDisc();
    if (!toc)
        return;

    const QString email = emailField_->text().trimmed();
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
    connect(search, &CddbSearch::queryAnswered, this, &LookupWindow::showQueryAnswer);
    connect(search, &CddbSearch::choiceNeeded, this, &LookupWindow::showCategories);
    connect(search, &CddbSearch::recordRead, this, &LookupWindow::showRecord);
    connect(search, &CddbSearch::coverArtFound, this, &LookupWindow::showCoverArt);
    search->start(DiscInfo::queryOf(*toc));
}

std::optional<DiscToc> LookupWindow::readDisc()
{
    const QString typed = tocField_->text().trimmed();
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
            tocField_->setFocus();
            return std::nullopt;
        }
        reader = std::make_unique<GivenTocReader>(toc);
    } else if (driveList_->count() == 0) {
        statusMessage->setText(NoDrive);
        tocField_->setFocus();
        return std::nullopt;
    } else {
        reader = services.makeReader();
    }
    DiscInfo disc(*reader);
    disc.Init(typed.isEmpty() ? driveList_->currentText() : QString());
    searchedToc = disc.toc();
    const DiscInfo::Query query = disc.QueryString();
    if (query.command.isEmpty()) {
        if (query.message)
            prompter.ask(*query.message);
        return std::nullopt;
    }
    return disc.toc();
}

bool LookupWindow::musicBrainzChosen() const
{
    return sourceList_->currentText() == MusicBrainzName;
}

// The server list and the e-mail address are the CDDB server's.
void LookupWindow::sourceChosen()
{
    btnChoisirSite->setEnabled(!musicBrainzChosen());
    emailField_->setEnabled(!musicBrainzChosen());
}

void LookupWindow::searchMusicBrainz(const QString& typedArtist, const QString& typedAlbum)
{
    const QString noDisc = QStringLiteral("Sans disque, MusicBrainz cherche l'album par son nom.");
    const bool typedToc = !tocField_->text().trimmed().isEmpty();
    if (!typedToc && driveList_->count() == 0) {
        if (typedArtist.isEmpty() && typedAlbum.isEmpty())
            return searchByName(noDisc, {});
        return startMusicBrainz(MusicBrainzQuery::search(typedArtist, typedAlbum));
    }
    const QString typed = typedArtist.isEmpty() || typedAlbum.isEmpty()
                              ? typedArtist + typedAlbum
                              : typedArtist + QStringLiteral(" - ") + typedAlbum;
    const std::optional<DiscToc> toc = readDisc();
    if (!toc) {
        // A drive without a readable disc: the album may still be found by its name.
        if (!typedToc)
            searchByName(noDisc, typed);
        return;
    }
    startMusicBrainz(MusicBrainzQuery::disc(*toc));
    connect(musicBrainz.get(), &AlbumSource::finished, this,
            [this, typed](const AlbumSource::Reply& reply) {
                if (reply.albums.empty() && !reply.failed())
                    searchByName(QStringLiteral("Ce disque n'est pas connu de MusicBrainz."),
                                 typed);
            });
}

// Asked once the answer has been dealt with, from the event loop: the source that answered is
// not ended from inside its own reply.
void LookupWindow::searchByName(const QString& why, const QString& typed)
{
    statusMessage->setText(why);
    QMetaObject::invokeMethod(
        this,
        [this, why, typed] {
            const std::optional<QString> name = prompter.getText(
                QStringLiteral("Recherche sur MusicBrainz"),
                why + QStringLiteral("\rTapez l'artiste et l'album : ARTISTE - ALBUM"), typed);
            if (name && !name->trimmed().isEmpty())
                startMusicBrainz(MusicBrainzQuery::search(*name));
        },
        Qt::QueuedConnection);
}

void LookupWindow::startMusicBrainz(const MusicBrainzQuery& query)
{
    cancelSearch();
    musicBrainz = std::make_unique<MusicBrainzSource>(query, services.musicBrainz);
    connect(musicBrainz.get(), &MusicBrainzSource::statusChanged, statusMessage, &QLabel::setText);
    connect(musicBrainz.get(), &AlbumSource::finished, this,
            [this](const AlbumSource::Reply& reply) { musicBrainzAnswered(reply); });
    musicBrainzWaits = searchBusy = true;
    showBusy();
    musicBrainz->start();
}

void LookupWindow::musicBrainzAnswered(const AlbumSource::Reply& reply)
{
    searchBusy = false;
    showBusy();
    if (reply.albums.size() > 1) {
        // The choice waits in the category panel, as several CDDB matches do.
        releaseChoice = musicBrainz->candidates();
        QStringList lines;
        for (const MusicBrainzSource::Candidate& candidate : releaseChoice)
            lines << candidate.description;
        return showCategories(lines);
    }
    musicBrainzWaits = false;
    if (reply.failed())
        statusMessage->setText(reply.failure);
    else if (reply.albums.empty())
        statusMessage->setText(QStringLiteral("Aucun album trouvé sur MusicBrainz."));
    else
        showAlbum(reply.albums.front());
}

void LookupWindow::showAlbum(const Album& album)
{
    foundAlbum = album;
    record = AlbumRows::record(album);
    artistField_->setText(album.artist);
    albumField_->setText(album.title);
    yearField_->setText(album.year);
    genreField_->setText(album.genre);
    albumPicture_->setPixmap(album.frontPicture.isEmpty() ? placeholder->pixmap()
                                                          : QPixmap(album.frontPicture));
    showTracks(AlbumRows::rows(album));
}

void LookupWindow::cancelSearch()
{
    running.reset();
    musicBrainz.reset();
    releaseChoice.clear();
    musicBrainzWaits = false;
    hideCategories();
    searchBusy = false;
    showBusy();
}

// Nothing of the disc searched for before stays on screen.
void LookupWindow::clearResults()
{
    enableRecordCommands(false);
    record = CddbRecord();
    foundAlbum = Album();
    searchedToc.reset();
    shownArt = CoverArt();
    keptPictureFile.clear();
    for (QLineEdit* field : {artistField_, albumField_, yearField_, genreField_})
        field->clear();
    rawAnswerView_->clear();
    albumPicture_->clear();
    setTrackLayout();
}

void LookupWindow::showQueryAnswer(const CddbClient::QueryResult& query)
{
    rawAnswerView_->setPlainText(query.rawAnswer);
    reportRefusedEmail(query);
}

void LookupWindow::showRecord(const CddbClient::ReadResult& read)
{
    rawAnswerView_->setPlainText(read.rawAnswer);
    reportRefusedEmail(read);
    record = read.record;
    artistField_->setText(record.artist);
    albumField_->setText(record.album);
    yearField_->setText(record.year);
    genreField_->setText(record.genre);
    if (!read.complete)
        return;

    showTracks(read.rows);
}

void LookupWindow::showTracks(const QList<GridRow>& rows)
{
    trackGrid_->setRowCount(int(rows.size()));
    int longest = 0;
    for (int row = 0; row < rows.size(); ++row) {
        trackGrid_->setItem(row, 0, new QTableWidgetItem(rows[row].firstCell));
        trackGrid_->setItem(row, 1, new QTableWidgetItem(rows[row].secondCell));
        longest = std::max(longest, int(rows[row].secondCell.size()));
    }
    trackGrid_->setColumnWidth(1, columnWidth(this, QString(longest + 2, u'M')));
    enableRecordCommands(true);
}

void LookupWindow::showCoverArt(const CoverArt& art)
{
    shownArt = art;
    if (!art.matched)
        albumPicture_->setPixmap(placeholder->pixmap());
    else if (art.picture.isNull())
        albumPicture_->clear();
    else
        albumPicture_->setPixmap(QPixmap::fromImage(art.picture));
}

// The user must act: a message rather than the status bar alone. It is shown once the answer
// has been dealt with, from the event loop, and then the address can be typed at once.
void LookupWindow::reportRefusedEmail(const CddbClient::Reply& reply)
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
            emailField_->setFocus();
            emailField_->selectAll();
        },
        Qt::QueuedConnection);
}

void LookupWindow::chooseSite()
{
    if (btnChoisirSite->text() == SearchCaption) {
        cancelSearch();
        setSiteLayout();
        rawAnswerView_->clear();
        client.setUserEmail(emailField_->text().trimmed());
        client.CddbSites([this](const CddbClient::SitesResult& sites) { showSites(sites); });
        return;
    }
    // The address of the chosen row, whichever of its cells was clicked.
    const int row = trackGrid_->currentRow();
    if (row >= 0 && trackGrid_->item(row, 0)) {
        client.setServerUrl(QStringLiteral("http://") + trackGrid_->item(row, 0)->text());
        setSiteTitle();
    }
    setTrackLayout();
    btnChoisirSite->setText(SearchCaption);
}

void LookupWindow::showSites(const CddbClient::SitesResult& sites)
{
    rawAnswerView_->setPlainText(sites.rawAnswer);
    reportRefusedEmail(sites);
    trackGrid_->setRowCount(int(sites.sites.size()));
    int addressWidth = columnWidth(this, QStringLiteral(" Adresse du site "));
    int placeWidth = columnWidth(this, QStringLiteral(" Emplacement géographique "));
    for (int row = 0; row < sites.sites.size(); ++row) {
        const GridRow& site = sites.sites[row];
        trackGrid_->setItem(row, 0, new QTableWidgetItem(site.firstCell));
        trackGrid_->setItem(row, 1, new QTableWidgetItem(site.secondCell));
        addressWidth = std::max(addressWidth, columnWidth(this, u'M' + site.firstCell));
        placeWidth = std::max(placeWidth, columnWidth(this, u'M' + site.secondCell));
    }
    trackGrid_->setColumnWidth(0, addressWidth);
    trackGrid_->setColumnWidth(1, placeWidth);
    if (!sites.sites.isEmpty())
        trackGrid_->setCurrentCell(0, 0);
    btnChoisirSite->setText(ChooseCaption);
}

// The search waits for the choice; the window goes on meanwhile, and Return or a double click
// in the panel chooses.
void LookupWindow::showCategories(const QStringList& lines)
{
    categoryList_->clear();
    categoryList_->addItems(lines);
    categoryList_->setCurrentRow(0);
    categoryFrame_->move((width() - categoryFrame_->width()) / 2,
                         (height() - categoryFrame_->height()) / 2);
    categoryFrame_->show();
    categoryFrame_->raise();
    btnOkSelCategorie->setDefault(true);
    categoryList_->setFocus();
}

void LookupWindow::hideCategories()
{
    categoryFrame_->hide();
    btnCodeID->setDefault(true);
}

void LookupWindow::categoryChosen()
{
    // A release chosen among those MusicBrainz offered is read whole.
    if (const int row = categoryList_->currentRow();
        musicBrainz && row >= 0 && row < int(releaseChoice.size()))
        return startMusicBrainz(MusicBrainzQuery::release(releaseChoice[row].releaseId));
    if (!running || !running->waitingForChoice() || !categoryList_->currentItem())
        return;
    const QString line = categoryList_->currentItem()->text();
    hideCategories();
    running->choose(line);
}

void LookupWindow::saveList()
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
CddbRecord LookupWindow::shownRecord() const
{
    CddbRecord shown = record;
    shown.artist = artistField_->text();
    shown.album = albumField_->text();
    shown.year = yearField_->text();
    shown.genre = genreField_->text();
    return shown;
}

Album LookupWindow::shownAlbum()
{
    // An album from MusicBrainz keeps its discs, lengths and pictures, with the fields as the
    // user left them.
    if (!foundAlbum.discs.empty()) {
        Album album = foundAlbum;
        album.artist = artistField_->text();
        album.title = albumField_->text();
        album.year = yearField_->text();
        album.genre = genreField_->text();
        return album;
    }
    Album album = CddbAlbum::fromRecord(shownRecord(), searchedToc);
    album.frontPicture = keptPicture();
    return album;
}

QString LookupWindow::keptPicture()
{
    if (!keptPictureFile.isEmpty() && QFileInfo::exists(keptPictureFile))
        return keptPictureFile;
    keptPictureFile.clear();
    if (shownArt.picture.isNull())
        return {};
    // JPEG and PNG go as the store sent them; any other kind is written as PNG, which every
    // reader of the cover's pictures opens.
    QByteArray bytes = shownArt.file;
    if (!bytes.startsWith("\xFF\xD8") && !bytes.startsWith("\x89PNG")) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        shownArt.picture.save(&buffer, "PNG");
    }
    const QString folder =
        services.picturesFolder.isEmpty() ? AlbumPictures::folder() : services.picturesFolder;
    keptPictureFile = AlbumPictures::keep(bytes, artistField_->text(), albumField_->text(),
                                          AlbumPictures::Side::Front, folder);
    if (keptPictureFile.isEmpty())
        prompter.inform(QStringLiteral("L'image de la pochette ne peut pas être enregistrée dans "
                                       "le dossier ") +
                            folder + QStringLiteral(" : elle ne sera pas utilisée."),
                        QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
    return keptPictureFile;
}

void LookupWindow::createCover()
{
    if (services.createCover && services.createCover(shownAlbum()))
        statusMessage->setText(QStringLiteral("La jaquette est créée."));
}

void LookupWindow::createLabel()
{
    if (services.createLabel && services.createLabel(shownAlbum()))
        statusMessage->setText(QStringLiteral("L'étiquette est créée."));
}

void LookupWindow::sendMail()
{
    QDesktopServices::openUrl(SendMail(emailLabel_->text(),
                                       QStringLiteral("A propos de \"") + ProductName +
                                           QStringLiteral("\", version ") + QLatin1String(Version),
                                       QStringLiteral("Ce programme est formidable !")));
}

void LookupWindow::done(int result)
{
    // Whatever runs or waits ends with the window: nothing goes on behind it.
    cancelSearch();
    client.abort();
    QDialog::done(result);
}

bool LookupWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == emailLabel_ && event->type() == QEvent::MouseButtonRelease) {
        sendMail();
        return true;
    }
    // The category panel follows the pointer while the left button is held on it.
    // Only a mouse event is a QMouseEvent: the panel gets paint and layout events too.
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched == categoryFrame_ && (press || event->type() == QEvent::MouseMove)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (press) {
            dragStart = mouse->position().toPoint();
            return true;
        }
        if (mouse->buttons() & Qt::LeftButton) {
            categoryFrame_->move(categoryFrame_->pos() + mouse->position().toPoint() - dragStart);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
