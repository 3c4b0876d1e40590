// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QToolButton;
class QWidget;

// The program's small picture that dialogs show and that opens the about box.
QToolButton* makeAboutPicture(QWidget* parent, std::function<void()> showAbout);
