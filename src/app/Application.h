// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QGuiApplication;

// What every run of the program sets up before its first window: Qt's French translations,
// the French locale for dialogs, and the font that stands in for "MS Sans Serif".
namespace Application {

void configure(QGuiApplication& application);

} // namespace Application
