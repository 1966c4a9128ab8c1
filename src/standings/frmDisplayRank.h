#pragma once
// The rankings window: the standings of the open pool on its first page, the
// pool winners and their payouts on the second. Everything is computed once,
// while it loads; the standings can then be sorted four ways, the winners cut
// down to the paid rows, and an entry opened in the entry editor.
#include "platform/grid_view.h"
#include "standings/report_window.h"

class QLabel;
class QPushButton;

namespace qb {

class frmDisplayRank : public ReportWindow {
  Q_OBJECT
 public:
  explicit frmDisplayRank(AppContext& ctx, QWidget* parent = nullptr);

  const Grid* ReportGrid(int page) const override;
  // False while the pool winners cannot be computed (their grid is hidden).
  bool PayoutsComputed() const { return payoutsComputed_; }
  std::string NoReportText(int page) const override;

  void cmdSortByName_Click();
  void cmdSortByPoints_Click();
  void cmdSortByGames_Click();
  void cmdSortByPossible_Click();
  void cmdRemoveRows_Click();
  void flxRank_DblClick(int row);
  void flxPayouts_Click(int row);

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void FormLoad();
  void BuildControls();

  GridView* flxRank_ = nullptr;
  GridView* flxPayouts_ = nullptr;
  QPushButton* cmdSortByPoints_ = nullptr;
  QPushButton* cmdRemoveRows_ = nullptr;
  QLabel* lblComplete_ = nullptr;
  QLabel* lblNeedData_ = nullptr;
  QLabel* lblTiebreaker_ = nullptr;
  bool payoutsComputed_ = false;
  // Whether the grid was built without possible points ("n/a"): the pool's
  // seed methods may change while the window stays open.
  bool builtWithoutPossible_ = false;
  ListedEntryIds listed_;  // the entries as the grids list them
};

}  // namespace qb
