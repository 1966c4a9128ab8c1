#pragma once
// The main window's public procedures, as the child windows and dialogs call
// them. frmMain implements it; tests use a recording fake.
#include <string>

class QWidget;

namespace qb {

class ChildWindow;

class MainWindowApi {
 public:
  virtual ~MainWindowApi() = default;
  virtual void AdjustMenuForActiveWindow() = 0;
  virtual void AdjustMenuForParameters() = 0;
  virtual void EnableFileCommands() = 0;
  virtual void DisableFileCommands() = 0;
  virtual void RefreshCaption() = 0;
  virtual void AddMRU(const std::string& path) = 0;
  virtual void SaveFile1N(const std::string& fileName, bool makeBackup) = 0;
  // File > Save: under the pool's file name, asking for one when the pool has
  // none yet; DialogCancelled is set when it was not saved.
  virtual void SaveOpenPool() = 0;
  virtual void InitialOpen(const std::string& fileName) = 0;
  virtual void DisplayContextHelp(const std::string& helpFile, int helpContext,
                                  const std::string& windowName) = 0;
  // Places a child window in the main window's client area and shows it.
  virtual void ShowChild(ChildWindow* child) = 0;
  // Opens a window by its name ("frmEditEntry", "frmSelectEntry", ...), as
  // the menu command of that name would; unknown names do nothing.
  virtual void ShowWindowByName(const std::string& windowName) = 0;
  // Pops the entry pop-up menu up at the cursor, with the items the caller shows.
  virtual void PopupEntryMenu(QWidget* over) = 0;
  // The bottom toolbar and Edit menu for an editing window or the print preview.
  virtual void SetSaveCancelMenu(bool editing) = 0;
  virtual void SetPreviewButtons() = 0;
  // Progress text in the status bar; empty restores the normal panels.
  virtual void SetStatusText(const std::string& text) = 0;

  // Shows or hides one item of the entry pop-up menu ("mnuEntryPopUpFill",
  // "mnuEntryPopUpBar1", ...) before PopupEntryMenu.
  virtual void SetEntryPopupItemVisible(const std::string& item, bool visible) {}
  // Check mark of View > Show Entry Scoring Summary (AdjustHeightForScoring reads it).
  virtual bool ShowEntryScoringChecked() const { return true; }
  // Hides the bottom toolbar (an editing window or the preview that is deactivated).
  virtual void HideBottomToolbar() {}
};

}  // namespace qb
