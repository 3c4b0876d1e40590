// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"
#include "CddbClient.h"
#include "CddbRecord.h"
#include "CddbSearch.h"
#include "MusicBrainzSource.h"
#include "DiscToc.h"

#include <QDialog>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class DiscReader;
class Prompter;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// The lookup window: identifies the audio CD of a drive, or the disc whose table of contents the
// user typed, fetches its record from a CDDB server or its album from MusicBrainz (which also
// finds an album by its name, with no disc) and shows artist, album, year, genre, the tracks and
// a cover picture. Its result leaves it as a text file ("Enregistrer la liste dans un
// fichier texte") that the text editor inserts into the cover, or as an album that "Créer la
// jaquette" and "Créer l'étiquette" hand to the windows that own the cover and the label.
// Nothing in it waits: a search runs while the window goes on (`CddbSearch`), and a new
// search, a server list or the window's closing ends the one running.
class LookupWindow : public QDialog {
    Q_OBJECT
public:
    // What the window works with; the defaults are the real drives, server and store. The
    // tests give a disc reader with a known table of contents and servers on loopback.
    struct Services {
        QStringList drives;
        std::function<std::unique_ptr<DiscReader>()> makeReader;
        QString serverUrl = QString::fromLatin1(CddbClient::DefaultServerUrl);
        QString coverArtSearch; // the store's search address up to the album; empty: the store's
        std::chrono::milliseconds timeout = HttpTransfer::DefaultTimeout;
        MusicBrainzServers musicBrainz = {};
        // Fill the cover and the label from the album shown: true when done (the user may
        // cancel at the unsaved-changes question). Without them the buttons stay disabled.
        std::function<bool(const Album&)> createCover;
        std::function<bool(const Album&)> createLabel;
        // Where the store's picture is kept as a file; empty: the user's pictures folder.
        QString picturesFolder;

        static Services system();
    };

    static constexpr auto ContactAddress = "jaskelcd@localhost";
    // Where the e-mail address sent to the server is remembered between runs.
    static constexpr auto EmailSetting = "cddb/email";
    // Where the source chosen ("CDDB" or "MusicBrainz") is remembered between runs.
    static constexpr auto SourceSetting = "lookup/source";

    // "Accès base CDDB...": the window, modal. Without a CD drive it says so and searches only
    // for a typed table of contents.
    static void open(QWidget* parent, Prompter& prompter, Services services = Services::system());

    LookupWindow(Prompter& prompter, Services services, QWidget* parent = nullptr);
    ~LookupWindow() override;

    // "&Rechercher pour ce CD", "Liste des &Sites" / "Choisir ce &Site", the saved list. A
    // search or a server list only starts: the answers are shown as they come.
    void search();
    void chooseSite();
    void saveList();
    // "Créer la jaquette", "Créer l'étiquette": the record shown, as corrected in the four
    // fields, with the store's picture kept as a file as its front picture.
    void createCover();
    void createLabel();
    Album shownAlbum();

    // For the tests.
    QComboBox* drives() const { return driveList_; }
    QComboBox* source() const { return sourceList_; }
    QPushButton* searchButton() const { return btnCodeID; }
    QPushButton* siteButton() const { return btnChoisirSite; }
    QPushButton* saveButton() const { return saveListButton_; }
    QPushButton* createCoverButton() const { return createCoverButton_; }
    QPushButton* createLabelButton() const { return createLabelButton_; }
    QLineEdit* artist() const { return artistField_; }
    QLineEdit* album() const { return albumField_; }
    QLineEdit* year() const { return yearField_; }
    QLineEdit* genre() const { return genreField_; }
    QLineEdit* email() const { return emailField_; }
    QLineEdit* tableOfContents() const { return tocField_; }
    QLabel* picture() const { return albumPicture_; }
    QPlainTextEdit* rawAnswer() const { return rawAnswerView_; }
    QTableWidget* grid() const { return trackGrid_; }
    QGroupBox* categoryPanel() const { return categoryFrame_; }
    QListWidget* categories() const { return categoryList_; }
    QPushButton* categoryButton() const { return btnOkSelCategorie; }
    QString statusText() const;
    // A search runs: it waits for an answer or for the choice of a category or a release.
    bool searching() const { return (running && !running->isFinished()) || musicBrainzWaits; }
    // The album MusicBrainz gave last, pictures included; empty after a CDDB search.
    const Album& musicBrainzAlbum() const { return foundAlbum; }

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildCategoryPanel();
    void buildStatusBar(QWidget* bar);
    void buildCreateButtons(QWidget* area);
    void enableRecordCommands(bool on);
    // The store's picture as a file of the pictures folder, written once a record; empty
    // without one, or when it could not be written (the user is told).
    QString keptPicture();
    void setTrackLayout();
    void setSiteLayout();
    void setSiteTitle();
    void showBusy();
    // The typed table of contents, else the selected drive's disc's; nothing, and the reason
    // shown, when there is none.
    std::optional<DiscToc> readDisc();
    bool musicBrainzChosen() const;
    void sourceChosen();
    // With no disc, and when the disc is not known: the album is searched for by its name.
    void searchMusicBrainz(const QString& typedArtist, const QString& typedAlbum);
    void searchByName(const QString& why, const QString& typed);
    void startMusicBrainz(const MusicBrainzQuery& query);
    void musicBrainzAnswered(const AlbumSource::Reply& reply);
    void showAlbum(const Album& album);
    void cancelSearch();
    void clearResults();
    void showQueryAnswer(const CddbClient::QueryResult& query);
    void showCategories(const QStringList& lines);
    void hideCategories();
    void categoryChosen();
    void showRecord(const CddbClient::ReadResult& read);
    void showTracks(const QList<GridRow>& rows);
    void showCoverArt(const CoverArt& art);
    void showSites(const CddbClient::SitesResult& sites);
    void reportRefusedEmail(const CddbClient::Reply& reply);
    void sendMail();
    CddbRecord shownRecord() const;

    Prompter& prompter;
    Services services;
    CddbClient client; // the server list's, and the server the searches ask
    std::unique_ptr<CddbSearch> running;
    std::unique_ptr<MusicBrainzSource> musicBrainz;
    std::vector<MusicBrainzSource::Candidate> releaseChoice; // offered in the category panel
    bool musicBrainzWaits = false;
    Album foundAlbum;
    CddbRecord record;
    std::optional<DiscToc> searchedToc; // the disc searched for, for the tracks' lengths
    CoverArt shownArt;
    QString keptPictureFile;
    bool searchBusy = false;
    bool sitesBusy = false;
    bool busy = false;
    QPoint dragStart;

    QComboBox* driveList_ = nullptr;
    QComboBox* sourceList_ = nullptr;
    QPushButton* btnCodeID = nullptr;
    QPushButton* btnChoisirSite = nullptr;
    QLineEdit* artistField_ = nullptr;
    QLineEdit* albumField_ = nullptr;
    QLineEdit* yearField_ = nullptr;
    QLineEdit* genreField_ = nullptr;
    QLineEdit* emailField_ = nullptr;
    QLineEdit* tocField_ = nullptr;
    QLabel* albumPicture_ = nullptr;
    QPlainTextEdit* rawAnswerView_ = nullptr;
    QTableWidget* trackGrid_ = nullptr;
    QPushButton* saveListButton_ = nullptr;
    QPushButton* createCoverButton_ = nullptr;
    QPushButton* createLabelButton_ = nullptr;
    QLabel* emailLabel_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QLabel* statusMessage = nullptr;
    QLabel* statusDate = nullptr;
    QLabel* statusTime = nullptr;
    QGroupBox* categoryFrame_ = nullptr;
    QListWidget* categoryList_ = nullptr;
    QPushButton* btnOkSelCategorie = nullptr;
    QLabel* placeholder = nullptr;
};
