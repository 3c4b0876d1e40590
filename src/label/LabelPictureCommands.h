// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Picture;
class QString;
class QWidget;
struct LabelContext;

// The "&Image" menu of the CD label window: its one picture from a file, the clipboard or a
// scanner, its removal, and the colour of the disc area. The label file names its picture by
// its path, so a picture from the clipboard or a scanner is saved as a BMP file first.
class LabelPictureCommands {
public:
    LabelPictureCommands(LabelContext& context, QWidget* window)
        : context_(context), window_(window)
    {
    }

    // "Insérer à partir d'un fichier": the picture near the disc's centre, 1000 twips square.
    void fromFile();
    // A picture file dropped on the label: placed as from "Insérer à partir d'un fichier". A
    // file that cannot be read is said and changes nothing; false then.
    bool dropPicture(const QString& path);
    // "Insérer à partir du presse papier" and "Insérer à partir d'un scanner": the BMP file's
    // name is asked first; cancelled, the label keeps its picture.
    void fromClipboard();
    void fromScanner();
    // "Supprimer l'image".
    void deletePicture();
    // "Couleur de fond de l'étiquette".
    void labelColour();

private:
    void placeFile(const QString& path, const Picture& picture);
    // Saves `picture` as a BMP file and, once written, makes it the label's picture.
    void placeAsBmp(const Picture& picture);

    LabelContext& context_;
    QWidget* window_;
};
