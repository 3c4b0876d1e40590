// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Puts a window in the middle of its screen, its frame included.
void CenterWindow(QWidget* window);
