#pragma once
// "Select an Entry": the pool's entries with New, Edit and Delete, and the
// collected and owed totals. Shown modally by RunSelectEntry; New and Edit
// close it and the editor opens for the chosen entry.
#include <QDialog>

#include "platform/app_context.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace qb {

class EntryDialogs;

inline constexpr const char* kSelectEntryText = "Select an Entry to Edit";
inline constexpr const char* kSelectEntryToDeleteText = "Select an Entry to Delete";
inline constexpr const char* kEntryOpenInEditorText =
    "This entry is open in the entry editor.\r\nPlease close it before deleting the entry.";

class frmSelectEntry : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 41;

  explicit frmSelectEntry(AppContext& ctx, QWidget* parent = nullptr);

  void cmdNew_Click();
  void cmdEdit_Click();
  void cmdDelete_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();
  void reject() override;

  // The entry New made or Edit chose; 0 when the dialog was closed.
  int chosenEntry() const { return chosen_; }
  void SetDialogs(EntryDialogs* dialogs) { dialogs_ = dialogs; }
  // Selects the row of an entry (for the keyboard and tests).
  void SelectEntry(int entry);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormLoad();
  int SelectedEntry() const;
  // Refuses while an entry is open in the editor.
  bool EditorFree();

  AppContext& ctx_;
  EntryDialogs* dialogs_;
  int chosen_ = 0;
  QTreeWidget* lstEntries;
  QLabel* lblTotals;
  QPushButton* cmdNew;
  QPushButton* cmdEdit;
  QPushButton* cmdDelete;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;
};

// Edit > Input/Edit Entry: the selection over `owner`; an entry chosen there
// opens in the editor (through OpenEntryEditor, the selection as its caller,
// so the editor's OK and Cancel bring the selection back).
// dialogs: the ones the selection opens (the real ones when null).
void RunSelectEntry(AppContext& ctx, QWidget* owner, EntryDialogs* dialogs = nullptr);

}  // namespace qb
