#pragma once
// The pool analysis window: picks per team and round over the live entries
// (tab 0, the "Pool Analysis" report) and the upsets picked against those
// that happened (tab 1, the "Upset Analysis" report). Its figures are those
// of its load; showing it again only brings it forward.
#include "standings/logic/pool_analysis.h"
#include "standings/report_window.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace qb {

class GridView;

class frmPoolAnalysis : public ReportWindow {
  Q_OBJECT
 public:
  explicit frmPoolAnalysis(AppContext& ctx, QWidget* parent = nullptr);

  const Grid* ReportGrid(int page) const override;

  // Shows the entries that picked the team of the current row to reach the
  // round of the current column (also a double click on such a cell).
  void cmdShow_Click();

  GridView* flxTeam = nullptr;
  GridView* flxRound = nullptr;
  QComboBox* comSortBy = nullptr;
  QPushButton* cmdShow = nullptr;
  QLabel* lblEntries = nullptr;
  QLabel* lblPot = nullptr;

 private:
  void FormLoad();
  void SortTeamGrid();
  void flxTeam_DblClick();

  int rounds_ = 0;
};

}  // namespace qb
