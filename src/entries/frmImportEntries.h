#pragma once
// "Summary of Entries to be Imported": the entries of the files in
// ImportFileList, read and checked when the window opens, one grid row each
// to accept or reject, add or replace and mark collected. OK brings their
// participants in first (frmImportBettors), then the entries. Nothing of the
// open pool changes before OK.
#include <QDialog>
#include <vector>

#include "entries/logic/entry_import.h"
#include "platform/app_context.h"

class QLabel;
class QPushButton;

namespace qb {

class GridView;

class frmImportEntries : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 57;

  explicit frmImportEntries(AppContext& ctx, QWidget* parent = nullptr);

  // Toggles the current cell of the grid.
  void flxImports_Click();
  void cmdMarkCollected_Click();
  void cmdMarkNotCollected_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();
  void reject() override;
  void done(int result) override;

  const std::vector<ImportEntryRow>& rows() const { return rows_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormLoad();
  // The differences found, in the load-error list; false when the user
  // abandons the import there.
  bool ShowLoadErrorList();
  void ShowRow(int gridRow);
  void ShowTotals();
  void Refuse(const std::string& message);

  AppContext& ctx_;
  QLabel* lblInstructions;
  GridView* flxImports;
  QLabel* lblRejectedTotal;
  QLabel* lblReplaceTotal;
  QLabel* lblNewTotal;
  QLabel* lblCollectedTotal;
  QLabel* lblCostTotal;
  QLabel* lblCollectedAmount;
  QPushButton* cmdMarkCollected;
  QPushButton* cmdMarkNotCollected;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;
  std::vector<ImportEntryRow> rows_;  // grid row r is rows_[r - 1]
};

}  // namespace qb
