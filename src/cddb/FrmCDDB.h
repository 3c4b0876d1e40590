#pragma once

#include "CddbClient.h"
#include "CddbRecord.h"

#include <QDialog>
#include <chrono>
#include <functional>
#include <memory>

class DiscReader;
class Prompter;
class QComboBox;
class QEventLoop;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// The lookup window: identifies the audio CD of a drive, fetches its record from a CDDB server
// and shows artist, album, year, genre, the tracks and a cover picture. Its result leaves it as
// a text file ("Enregistrer la liste dans un fichier texte") that the text editor inserts into
// the cover; it writes nothing into the cover itself.
class FrmCDDB : public QDialog {
    Q_OBJECT
public:
    // What the window works with; the defaults are the real drives, server and store. The
    // tests give a disc reader with a known table of contents and servers on loopback.
    struct Services {
        QStringList drives;
        std::function<std::unique_ptr<DiscReader>()> makeReader;
        QString serverUrl = QString::fromLatin1(CddbClient::DefaultServerUrl);
        QString coverArtSearch; // the store's search address up to the album; empty: the store's
        std::chrono::milliseconds timeout = InetCtrl::DefaultTimeout;

        static Services system();
    };

    static constexpr auto ContactAddress = "jaskelcd@localhost";
    // Where the e-mail address sent to the server is remembered between runs.
    static constexpr auto EmailSetting = "cddb/email";

    // "Accès base CDDB...": the window, modal, unless the machine has no CD drive; then only the
    // message "Pas de lecteur de CD détecté." is shown.
    static void open(QWidget* parent, Prompter& prompter, Services services = Services::system());

    FrmCDDB(Prompter& prompter, Services services, QWidget* parent = nullptr);
    ~FrmCDDB() override;

    // "&Rechercher pour ce CD", "Liste des &Sites" / "Choisir ce &Site", the saved list.
    void search();
    void chooseSite();
    void saveList();

    // For the tests.
    QComboBox* drives() const { return cboLecteurCD; }
    QPushButton* searchButton() const { return btnCodeID; }
    QPushButton* siteButton() const { return btnChoisirSite; }
    QPushButton* saveButton() const { return Command1; }
    QLineEdit* artist() const { return txtArtiste; }
    QLineEdit* album() const { return txtAlbum; }
    QLineEdit* year() const { return txtAnnee; }
    QLineEdit* genre() const { return txtGenre; }
    QLineEdit* email() const { return txtEmail; }
    QLabel* picture() const { return Image1; }
    QPlainTextEdit* rawAnswer() const { return txtRecu; }
    QTableWidget* grid() const { return grdTitres; }
    QGroupBox* categoryPanel() const { return fraCategorie; }
    QListWidget* categories() const { return lstCategories; }
    QPushButton* categoryButton() const { return btnOkSelCategorie; }
    QString statusText() const;
    QString serverUrl() const { return client.ServerUrl(); }

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildCategoryPanel();
    void buildStatusBar(QWidget* bar);
    void setTrackLayout();
    void setSiteLayout();
    void setSiteTitle();
    void setBusy(bool busy);
    std::optional<QString> chooseCategory(const QStringList& lines);
    void categoryChosen();
    void showRecord(const CddbClient::ReadResult& read);
    void showCoverArt(const QString& artistKeywords, const QString& albumKeywords);
    void sendMail();
    CddbRecord shownRecord() const;

    Prompter& prompter;
    Services services;
    CddbClient client;
    InetCtrl artTransfer; // the cover picture's
    CddbRecord record;
    bool closing = false;
    bool busy = false;
    QEventLoop* categoryWait = nullptr;
    std::optional<QString> categoryChoice;
    QPoint dragStart;

    QComboBox* cboLecteurCD = nullptr;
    QPushButton* btnCodeID = nullptr;
    QPushButton* btnChoisirSite = nullptr;
    QLineEdit* txtArtiste = nullptr;
    QLineEdit* txtAlbum = nullptr;
    QLineEdit* txtAnnee = nullptr;
    QLineEdit* txtGenre = nullptr;
    QLineEdit* txtEmail = nullptr;
    QLabel* Image1 = nullptr;
    QPlainTextEdit* txtRecu = nullptr;
    QTableWidget* grdTitres = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* lblMail = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* statusMessage = nullptr;
    QLabel* statusDate = nullptr;
    QLabel* statusTime = nullptr;
    QGroupBox* fraCategorie = nullptr;
    QListWidget* lstCategories = nullptr;
    QPushButton* btnOkSelCategorie = nullptr;
    QLabel* placeholder = nullptr;
};
