#pragma once
// Where the main window opens at load.
#include <QSize>

#include "shell/logic/main_window_rules.h"

class QMainWindow;

namespace qb {

// Size of the largest child window at its designed size (a 64-team bracket
// in the setup, results and entry windows, one- and two-sided), in pixels.
QSize LargestChildWindowSize();

// Sets the main window's place and size from the stored placement (its limits
// applied). At a first start (nothing stored) the window is made large enough
// for the largest child window, its toolbars and status bar. Either way it is
// kept within the available area of a screen.
void PlaceMainWindow(QMainWindow* main, const MainPlacement& stored, bool firstStart);

}  // namespace qb
