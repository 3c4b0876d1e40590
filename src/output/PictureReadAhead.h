// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QStringList>
#include <memory>
#include <thread>

// The pictures a cover file names, read and decoded for the screen on another thread while the
// program starts and the window that will open the file is being built: a camera's photo takes
// about as long to decode as the window to build. The window's reading of the file finds the
// same pictures (one picture a file), their pixels read or being read.
class PictureReadAhead {
public:
    // Starts reading the JPEG and PNG files the cover file `coverPath` names, and decoding
    // them for an ordinary screen.
    explicit PictureReadAhead(const QString& coverPath);
    // Waits for the reading to end.
    ~PictureReadAhead();
    PictureReadAhead(const PictureReadAhead&) = delete;
    PictureReadAhead& operator=(const PictureReadAhead&) = delete;

    // The screen's pixels the pictures are decoded for: at least `screenPixels`.
    void decodeFor(const QSize& screenPixels);
    // The largest face of a cover, in pixels, at `pixelsPerTwip`.
    static QSize largestFaceAt(double pixelsPerTwip);
    // The file has been opened, and its cover holds the pictures it needs: those read ahead
    // are let go once read.
    void release();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread reading_;
};
