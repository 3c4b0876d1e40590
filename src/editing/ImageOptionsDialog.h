// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImageOptions.h"

#include <QDialog>
#include <array>
#include <functional>

class Prompter;
class QComboBox;
class QPushButton;
class QWidget;
struct CoverContext;

// "Options d'affichage des images": the pictures, their modes, the logo's border and the face
// colours of the three faces, and the alignment of the spines' text. It shows and changes an
// ImageOptions; "&Valider && Fermer" applies it to the cover.
class ImageOptionsDialog : public QDialog {
    Q_OBJECT
public:
    ImageOptionsDialog(CoverContext& context, QString& lastPicturePath, QWidget* parent = nullptr,
                       std::function<void()> showAbout = {});

    const ImageOptions& options() const { return options_; }

    // The lists of a face, and the cover's, for the tests and the file reader.
    QComboBox* logoModeList(int face) const { return panels_[std::size_t(face)].logoMode; }
    QComboBox* logoBorderList(int face) const { return panels_[std::size_t(face)].logoBorder; }
    QComboBox* backgroundSourceList(int face) const
    {
        return panels_[std::size_t(face)].backgroundSource;
    }
    QComboBox* backgroundModeList(int face) const
    {
        return panels_[std::size_t(face)].backgroundMode;
    }
    QPushButton* colourButton(int face) const { return panels_[std::size_t(face)].colour; }
    QComboBox* logoSourceList() const { return logoSource_; }

private:
    struct Panel {
        QWidget* preview = nullptr;
        QComboBox* logoMode = nullptr;
        QComboBox* logoBorder = nullptr;
        QComboBox* backgroundSource = nullptr;
        QComboBox* backgroundMode = nullptr;
        QPushButton* colour = nullptr;
        // The background source the list shows for the face's picture, which a failed
        // choice puts back.
        int shownSource = ImageOptionsChoices::NoPicture;
    };

    QWidget* buildPanel(int face);
    void showLists();
    // Shows `source` in a source list without running its handler.
    static void showSource(QComboBox* list, int source);
    void logoSourceChosen(int source);
    void backgroundSourceChosen(int face, int source);
    // A picture from the chosen source, and the file the cover is to name for it. A scanned
    // picture is handed to `scanned`, then saved as the BMP file of the export entry.
    struct Acquired {
        Picture picture;
        QString path;
    };
    using ScanHandler = std::function<void(const Picture&)>;
    std::optional<Acquired> acquire(int source, int exportEntry, const ScanHandler& scanned);
    void close(bool apply);

    CoverContext& context_;
    QString& lastPicturePath_;
    ImageOptions options_;
    std::array<Panel, Face::count> panels_;
    QComboBox* logoSource_ = nullptr;
    QComboBox* alignment_ = nullptr;
    bool settingLists_ = false;
};
