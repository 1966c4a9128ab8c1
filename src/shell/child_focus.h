#pragma once
// The keyboard's place in the main window after a dialog, a toolbar click or
// a command: the main window active, the focus in its active child window.

class QMainWindow;
class QMdiArea;

namespace qb {

// Activates the main window and gives the active child window the focus: to
// the box that last had it, or, in a window just opened, to its first field.
// Nothing happens while a dialog is up or the main window is hidden.
void FocusActiveChild(QMainWindow* main, QMdiArea* area, bool justOpened = false);

}  // namespace qb
