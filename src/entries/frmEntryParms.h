#pragma once
// "Pool Parameters": the pool's rules as an entrant needs them, read only:
// cost, points and seed bonus per round, tiebreaker, payouts, how picks are
// made, and the pool's instructions.
#include <QDialog>

#include "platform/app_context.h"

class QPushButton;
class QTableWidget;

namespace qb {

class frmEntryParms : public QDialog {
  Q_OBJECT
 public:
  explicit frmEntryParms(AppContext& ctx, QWidget* parent = nullptr);

 private:
  AppContext& ctx_;
  QTableWidget* flxRounds;
  QTableWidget* flxPayouts;
  QPushButton* cmdOK;
};

}  // namespace qb
