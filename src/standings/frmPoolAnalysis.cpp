#include "standings/frmPoolAnalysis.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "entries/frmEditBettor.h"
#include "platform/app_context.h"
#include "platform/grid_view.h"
#include "standings/frmEntriesWithPick.h"
#include "standings/logic/analysis_common.h"
#include "standings/logic/upset_analysis.h"

namespace qb {

frmPoolAnalysis::frmPoolAnalysis(AppContext& ctx, QWidget* parent)
    : ReportWindow(ctx, "frmPoolAnalysis", kHelpPoolAnalysis, &PoolState::PoolAnalysisOpen,
                   parent) {
  setWindowTitle("Pool Analysis");

  QWidget* teamPage = AddPage("Analysis  by Team");
  auto* teamLayout = new QVBoxLayout(teamPage);
  auto* controls = new QHBoxLayout;
  auto* label1 = new QLabel("Sort By:", teamPage);
  label1->setObjectName("Label1");
  label1->setToolTip("Select the column on which to sort the report.");
  comSortBy = new QComboBox(teamPage);
  comSortBy->setObjectName("comSortBy");
  comSortBy->setToolTip(label1->toolTip());
  comSortBy->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  label1->setBuddy(comSortBy);
  cmdShow = new QPushButton("Show Entries ", teamPage);
  cmdShow->setObjectName("cmdShow");
  cmdShow->setToolTip("Show entries for the selected report cell.");
  controls->addWidget(label1);
  controls->addWidget(comSortBy);
  controls->addSpacing(12);
  controls->addWidget(cmdShow);
  controls->addStretch();
  teamLayout->addLayout(controls);
  flxTeam = MakeGrid(teamPage, "flxTeam");
  // Each sort leaves the current cell on the last row: showing the window
  // must not scroll down to it.
  flxTeam->setAutoScroll(false);
  teamLayout->addWidget(flxTeam, 1);

  QWidget* roundPage = AddPage("Upset Analysis by Round");
  auto* roundLayout = new QVBoxLayout(roundPage);
  flxRound = MakeGrid(roundPage, "flxRound");
  roundLayout->addWidget(flxRound, 0, Qt::AlignLeft | Qt::AlignTop);
  roundLayout->addStretch();

  // The entry count and the pot stand below the tabs, seen from both.
  auto* totals = new QHBoxLayout;
  auto* label2 = new QLabel("Number of Entries:", this);
  label2->setObjectName("Label2");
  lblEntries = new QLabel(this);
  lblEntries->setObjectName("lblEntries");
  auto* label3 = new QLabel("Pot Available:", this);
  label3->setObjectName("Label3");
  lblPot = new QLabel(this);
  lblPot->setObjectName("lblPot");
  totals->addWidget(label2);
  totals->addWidget(lblEntries);
  totals->addSpacing(24);
  totals->addWidget(label3);
  totals->addWidget(lblPot);
  totals->addStretch();
  static_cast<QVBoxLayout*>(layout())->addLayout(totals);

  connect(comSortBy, &QComboBox::activated, this, [this] {
    Guard("comSortBy_Click", [this] {
      Sound("start");
      SortTeamGrid();
    });
  });
  connect(cmdShow, &QPushButton::clicked, this,
          [this] { Guard("cmdShow_Click", [this] { cmdShow_Click(); }); });
  connect(flxTeam, &GridView::DblClick, this,
          [this] { Guard("flxTeam_DblClick", [this] { flxTeam_DblClick(); }); });

  ClearSoundPlayedOnInput(this, ctx_.pool);
  Guard("Form_Load", [this] { FormLoad(); });
}

const Grid* frmPoolAnalysis::ReportGrid(int page) const {
  if (page == 0) return &flxTeam->grid();
  if (page == 1) return &flxRound->grid();
  return nullptr;
}

void frmPoolAnalysis::FormLoad() {
  BusyCursor busy;
  PoolState& s = ctx_.pool;
  s.SoundPlayed = 1;
  MinimumTwips(6000, 3500);
  SizeTwips(s.MainWidth >= 6400 ? s.MainWidth - 400 : 6000,
            s.MainHeight >= 5500 ? s.MainHeight - 1800 : 3500);
  SSTab1()->setCurrentIndex(0);

  rounds_ = s.NumRounds;
  const int32_t live = CountLiveEntries(s);
  lblEntries->setText(QString::number(live));
  lblPot->setText(QString::fromStdString(PotAvailableText(s)));

  const std::vector<std::string> choices =
      FillTeamGrid(flxTeam->grid(), s, CountTeamPicks(s), live);
  FillRoundGrid(flxRound->grid(), s, CountUpsets(s));
  // The upset grid is as large as its cells and keeps that size.
  flxRound->RefreshLayout();
  flxRound->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  flxRound->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  flxRound->setFixedSize(flxRound->horizontalHeader()->length() + 2 * flxRound->frameWidth(),
                         flxRound->verticalHeader()->length() + 2 * flxRound->frameWidth());

  const QSignalBlocker quiet(comSortBy);
  comSortBy->clear();
  for (const std::string& c : choices) comSortBy->addItem(QString::fromStdString(c));
  comSortBy->setCurrentIndex(0);
  SortTeamGrid();
  SetOpenFlag(true);
}

void frmPoolAnalysis::SortTeamGrid() {
  const int k = comSortBy->currentIndex();
  if (k < 0) return;
  qb::SortTeamGrid(flxTeam->grid(), k, comSortBy->currentText().toStdString());
  // The current cell is left on the last row; the user reads from the top.
  flxTeam->scrollToTop();
}

void frmPoolAnalysis::cmdShow_Click() {
  PoolState& s = ctx_.pool;
  const ShowEntriesChoice choice = ChooseTeamAndRound(flxTeam->grid(), rounds_);
  if (choice.refused) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kSelectTeamRoundText, MsgIcon::Exclamation);
    return;
  }
  Sound("start");
  s.AnalysisRound = choice.round;
  s.AnalysisTeam = choice.team;
  if (choice.Opens()) frmEntriesWithPick::ShowFor(ctx_);
}

void frmPoolAnalysis::flxTeam_DblClick() {
  Sound("start");
  // A heading is never the current cell: a double click there asks for the
  // team and round of a heading, which is refused.
  const Grid& g = flxTeam->grid();
  const int row = flxTeam->MouseRow(), col = flxTeam->MouseCol();
  if (row < 0 || col < 0) return;
  if (row < g.FixedRows() || col < g.FixedCols()) {
    ctx_.prompts.Beep();
    ctx_.prompts.Show(kSelectTeamRoundText, MsgIcon::Exclamation);
    return;
  }
  cmdShow_Click();
}

}  // namespace qb
