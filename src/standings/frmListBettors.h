#pragma once
// The participant and entry listing: participants with their contact data,
// entries and amounts owed (tab 0), and every live entry's picks round by
// round (tab 1), where a click on an entry's first row opens it.
#include "standings/logic/bettor_listing.h"
#include "standings/report_window.h"

class QComboBox;

namespace qb {

class GridView;

class frmListBettors : public ReportWindow {
  Q_OBJECT
 public:
  explicit frmListBettors(AppContext& ctx, QWidget* parent = nullptr);

  const Grid* ReportGrid(int page) const override;

  GridView* flxBettor = nullptr;
  GridView* flxEntries = nullptr;
  QComboBox* comSortBy = nullptr;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  // The listing goes with "start", whatever played before.
  void PlayCloseSound() override;

 private:
  void FormLoad();
  void SortBettorGrid();
  void flxEntries_Click();
  // Fits the picks column and the row heights to the grid's width, once per
  // pass of the event loop however many resizes arrive.
  void ScheduleFit();
  int EntryGridWidth() const;

  EntryPicksListing listing_;
  ListedEntryIds listed_;  // the entries as the listing shows them
  bool fitQueued_ = false;
};

}  // namespace qb
