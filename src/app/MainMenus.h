#pragma once

#include <array>

class QAction;
class QMenuBar;
class QToolBar;

// The cover window's menu bar and toolbar, with the program's own captions. Each entry is an
// action named for the tests and for the command objects that connect to it.
namespace MainMenus {

void build(QMenuBar* menuBar);
std::array<QAction*, 17> buildToolBar(QToolBar* toolBar);

} // namespace MainMenus
