#pragma once
// What the bracket setup and results windows share: their place among the
// main window's children (activation, pop-up menu, closing), the preview
// hand-over and their sizing.
#include <string>

#include "platform/child_window.h"

class QLineEdit;
class QWidget;

namespace qb {

class BracketWindow : public ChildWindow {
  Q_OBJECT
 public:
  using ChildWindow::ChildWindow;

  // Activate: the bottom toolbar for editing and the menus for this window.
  void Form_Activate();
  // Deactivate and unload: the bottom toolbar goes.
  void Form_Deactivate();
  // The main window's pop-up menu with only its OK and Cancel items.
  void ShowEditPopupMenu();

 protected:
  // A pool without a bracket has nothing to show: says so and sets
  // DialogCancelled, so the main window drops the window. True when refused.
  bool RefuseWithoutBracket();
  void Unload();
  void Sound(const char* name);

  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  // Escape does what Cancel does where escapeCancels_ is set.
  void keyPressEvent(QKeyEvent* e) override;
  bool escapeCancels_ = false;

 private:
  void OnFrameStateChanged(Qt::WindowStates was, Qt::WindowStates now);
  bool placed_ = true;
};

inline constexpr const char* kPreviewOpenText =
    "Print Preview already open for another print form!\r\n"
    "Please close it and then try printing this one again.";
inline constexpr const char* kSaveBeforePreviewText =
    "Do you want to save your changes before previewing the print form?";

// Hands a document to the print preview (-2 the blank pool form, -1 the
// results). Refuses with a message when the print form cannot be opened, and
// then leaves PrintEntry at 0 so no later preview is blocked.
void OpenPrintForm(AppContext& ctx, int document);

// The tiebreaker box of the results window and of the entry editor: the same
// amounts in both (a sign, up to 9 digits and 4 decimals), so a predicted
// amount can always be typed as the actual one.
void AcceptTiebreakerAmounts(QLineEdit* box);

// Size of a window that shows a bracket of the given twips, kept on the screen.
void SizeToBracket(QWidget* window, int widthTwips, int heightTwips);

}  // namespace qb
