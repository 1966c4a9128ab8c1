#include "standings/frmDisplayRank.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text_format.h"
#include "platform/app_context.h"
#include "platform/control_helpers.h"
#include "standings/logic/payouts.h"
#include "standings/logic/standings.h"

namespace qb {

frmDisplayRank::frmDisplayRank(AppContext& ctx, QWidget* parent)
    : ReportWindow(ctx, "frmDisplayRank", kHelpDisplayRank, &PoolState::DisplayRankOpen, parent) {
  setWindowTitle("Display Rankings");
  BuildControls();
  Guard("Form_Load", [this] { FormLoad(); });
}

void frmDisplayRank::BuildControls() {
  QWidget* standings = AddPage("Current Standings");
  auto* sortRow = new QHBoxLayout;
  auto* label1 = new QLabel("Sort by:", standings);
  label1->setObjectName("Label1");
  sortRow->addWidget(label1);
  auto button = [&](const char* name, const char* caption, const char* tip,
                    void (frmDisplayRank::*slot)()) {
    const std::string handler = std::string(name) + "_Click";
    QPushButton* b = MakeButton(standings, name, caption, tip, [this, slot, handler] {
      Guard(handler.c_str(), [this, slot] { (this->*slot)(); });
    });
    sortRow->addWidget(b);
    return b;
  };
  button("cmdSortByName", "Name", "Sort the standings by the name of the pool participant.",
         &frmDisplayRank::cmdSortByName_Click);
  cmdSortByPoints_ = button("cmdSortByPoints", "Current Points",
                            "Sort the standings by the number of points earned so far.",
                            &frmDisplayRank::cmdSortByPoints_Click);
  button("cmdSortByGames", "Games Won",
         "Sort the standings by the number of games picked correctly so far.",
         &frmDisplayRank::cmdSortByGames_Click);
  button("cmdSortByPossible", "Possible Points",
         "Sort the standings by the number of points that each entry could possibly earn.",
         &frmDisplayRank::cmdSortByPossible_Click);
  sortRow->addStretch(1);
  flxRank_ = MakeGrid(standings, "flxRank");
  auto* page1 = new QVBoxLayout(standings);
  page1->addLayout(sortRow);
  page1->addWidget(flxRank_, 1);

  QWidget* winners = AddPage("Pool Winners");
  cmdRemoveRows_ =
      MakeButton(winners, "cmdRemoveRows", "Remove Non-Winning Rows",
                 "Eliminate all rows except for those who get a piece of the pot.",
                 [this] { Guard("cmdRemoveRows_Click", [this] { cmdRemoveRows_Click(); }); });
  lblComplete_ = new QLabel(
      "This shows the complete final standings.  To see or print only the winners, click the "
      "button to the left.",
      winners);
  lblComplete_->setObjectName("lblComplete");
  lblComplete_->setWordWrap(true);
  lblTiebreaker_ = new QLabel(winners);
  lblTiebreaker_->setObjectName("lblTiebreaker");
  lblTiebreaker_->setTextFormat(Qt::PlainText);  // a typed tiebreaker is no markup
  lblNeedData_ = new QLabel(winners);
  lblNeedData_->setObjectName("lblNeedData");
  lblNeedData_->setAlignment(Qt::AlignCenter);
  lblNeedData_->hide();
  flxPayouts_ = MakeGrid(winners, "flxPayouts");
  auto* top = new QHBoxLayout;
  top->addWidget(cmdRemoveRows_);
  top->addWidget(lblComplete_, 1);
  auto* page2 = new QVBoxLayout(winners);
  page2->addLayout(top);
  page2->addWidget(lblTiebreaker_);
  page2->addWidget(flxPayouts_, 1);
  page2->addWidget(lblNeedData_, 1);

  connect(flxRank_, &GridView::DblClick, this, [this] {
    Guard("flxRank_DblClick", [this] { flxRank_DblClick(flxRank_->MouseRow()); });
  });
  connect(flxPayouts_, &GridView::Click, this, [this] {
    Guard("flxPayouts_Click", [this] { flxPayouts_Click(flxPayouts_->MouseRow()); });
  });
  // Enter opens the current row's entry, as the mouse does.
  flxRank_->installEventFilter(this);
  flxPayouts_->installEventFilter(this);
}

void frmDisplayRank::FormLoad() {
  PoolState& s = ctx_.pool;
  SSTab1()->setCurrentIndex(0);
  SizeTwips(s.MainWidth >= 7400 ? s.MainWidth - 400 : 7000,
            s.MainHeight >= 4700 ? s.MainHeight - 2000 : 2700);
  MinimumTwips(7200, 3000);
  BusyCursor busy;

  listed_ = ListedEntryIds(s);
  const std::vector<EntryScore> scores = ScoreLiveEntries(s);
  Grid& rank = flxRank_->grid();
  Grid& pay = flxPayouts_->grid();
  rank.SetVisible(false);
  pay.SetVisible(false);
  BuildStandingsGrid(s, scores, rank);

  const PayoutsView payouts = BuildPayoutsGrid(s, rank, pay);
  payoutsComputed_ = payouts.computed;
  pay.SetVisible(payouts.computed);
  flxPayouts_->setVisible(payouts.computed);
  lblNeedData_->setText(QString::fromStdString(payouts.needData));
  lblNeedData_->setVisible(!payouts.computed);
  cmdRemoveRows_->setVisible(payouts.computed);
  lblComplete_->setVisible(payouts.computed);
  if (payouts.computed) lblTiebreaker_->setText(QString::fromStdString(payouts.tiebreakerLine));

  builtWithoutPossible_ = s.LoserSeedScoring;
  SortRankByPossible(rank, builtWithoutPossible_);
  SortRankByCurrent(rank);
  rank.SetVisible(true);

  SetInitialFocus(cmdSortByPoints_);
  SetOpenFlag(true);
  SSTab1()->setCurrentIndex(0);
}

const Grid* frmDisplayRank::ReportGrid(int page) const {
  if (page == 0) return &flxRank_->grid();
  if (page == 1) return &flxPayouts_->grid();
  return nullptr;
}

std::string frmDisplayRank::NoReportText(int page) const {
  // The pool winners page says itself why it cannot show the winners.
  if (page == 1 && !payoutsComputed_) return lblNeedData_->text().toStdString();
  return {};
}

void frmDisplayRank::cmdSortByName_Click() {
  Sound("start");
  SortRankByName(flxRank_->grid());
}

void frmDisplayRank::cmdSortByPoints_Click() {
  Sound("start");
  SortRankByCurrent(flxRank_->grid());
}

void frmDisplayRank::cmdSortByGames_Click() {
  Sound("start");
  SortRankByGames(flxRank_->grid());
}

void frmDisplayRank::cmdSortByPossible_Click() {
  if (builtWithoutPossible_) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kPossibleNotPossibleText);
    return;
  }
  Sound("start");
  SortRankByPossible(flxRank_->grid(), false);
}

void frmDisplayRank::cmdRemoveRows_Click() {
  Sound("start", 3);
  RemoveNonWinningRows(flxPayouts_->grid());
  lblComplete_->setText("Winning entries only.");
  cmdRemoveRows_->setEnabled(false);
}

void frmDisplayRank::flxRank_DblClick(int row) {
  const Grid& g = flxRank_->grid();
  if (row < kRankHeaderRows || row >= g.Rows()) return;
  OpenListedEntry(listed_, static_cast<int>(Val(g.TextMatrix(row, kRankEntry))));
}

void frmDisplayRank::flxPayouts_Click(int row) {
  if (RefuseWhileEntryOpen()) return;
  const Grid& g = flxPayouts_->grid();
  if (row < 1 || row >= g.Rows()) return;
  OpenListedEntry(listed_, static_cast<int>(Val(g.TextMatrix(row, kPayEntry))));
}

bool frmDisplayRank::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (watched == flxRank_)
        Guard("flxRank_DblClick", [this] { flxRank_DblClick(flxRank_->grid().Row()); });
      else if (watched == flxPayouts_)
        Guard("flxPayouts_Click", [this] { flxPayouts_Click(flxPayouts_->grid().Row()); });
      else
        return ReportWindow::eventFilter(watched, e);
      return true;
    }
  }
  return ReportWindow::eventFilter(watched, e);
}

}  // namespace qb
