#pragma once
// "Bring in Participants from Another File": participants read from a pool
// file or a comma-delimited file, each compared with the pool's participant
// of the same name, taken field by field as the grid's marks say. Opened from
// the menu (BettorImportFromEntries false: the user chooses the file) or by
// the entry import (true: the grid shows the marked ImportBettors at once).
// After exec(): DialogCancelled is false only when the user confirmed.
#include <QDialog>
#include <vector>

#include "entries/logic/bettor_import.h"
#include "platform/app_context.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace qb {

class GridView;

class frmImportBettors : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 56;

  explicit frmImportBettors(AppContext& ctx, QWidget* parent = nullptr);

  void cmdLocate_Click();
  // Reads the file chosen (empty: none) by the kind the option buttons give.
  void LoadBettorFile(const std::string& path);
  // Changes the current cell of the grid.
  void flxBettor_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdHelp_Click();
  void reject() override;
  void done(int result) override;

  const std::vector<BettorImportRow>& rows() const { return rows_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormLoad();
  void FillBettorGrid();
  void ShowRow(int gridRow);
  void ShowData(bool shown);

  AppContext& ctx_;
  QGroupBox* fraLocate;
  QRadioButton* optQBFile;
  QRadioButton* optCDF;
  QPushButton* cmdLocate;
  QGroupBox* fraData;
  QLabel* lblInstructions2;
  GridView* flxBettor;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;
  std::vector<BettorImportRow> rows_;  // grid row r is rows_[r - 1]
};

}  // namespace qb
