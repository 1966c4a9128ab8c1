// The pool builders first: their variables named "slots" must come before Qt's macro.
#include "standings/logic/analysis_common.h"
#include "standings/logic/analysis_pools.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "report_window_support.h"
#include "standings/frmEntriesWithPick.h"
#include "standings/frmPoolAnalysis.h"

namespace qb {
namespace {

using namespace qb::testing;

class PoolAnalysisTest : public AnalysisWindowTest {
 protected:
  void SetUp() override {
    AnalysisWindowTest::SetUp();
    s = Bracket(4);
    s.MainWidth = 12000;
    s.MainHeight = 9000;
    s.Pool.CostPerEntry = Currency::FromDouble(10);
    s.Pool.HoldbackAmt = Currency::FromDouble(5);
    s.Pool.Results[1] = 1;
    for (int i = 0; i < 3; ++i) AddEntry(s, "Champ one " + std::to_string(i), 1, {1, 3, 1});
    for (int i = 0; i < 4; ++i) AddEntry(s, "Two and three " + std::to_string(i), 1, {2, 3, 3});
    AddEntry(s, "One, then nothing", 1, {1, 0, 0});
    AddEntry(s, "Gone", 1, {2, 4, 2}, /*deleted=*/true);
    s.NumDeletedEntries = 0;  // stale
  }
  void TearDown() override {
    while (frmEntriesWithPick* f = frmEntriesWithPick::Loaded()) delete f;
  }
  std::unique_ptr<frmPoolAnalysis> Open() {
    auto w = std::make_unique<frmPoolAnalysis>(tc.ctx);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    QApplication::processEvents();
    return w;
  }
  // The grid row of a team slot, whatever the sort.
  static int RowOfSlot(const Grid& g, int slot) {
    for (int r = 3; r < g.Rows(); ++r)
      if (g.TextMatrix(r, g.Cols() - 1) == std::to_string(slot)) return r;
    return -1;
  }
};

TEST_F(PoolAnalysisTest, LoadsBothTabsSilentlyAndSetsItsFlag) {
  auto w = Open();
  EXPECT_EQ(w->windowTitle(), "Pool Analysis");
  EXPECT_EQ(w->windowName(), "frmPoolAnalysis");
  QTabWidget* tabs = w->SSTab1();
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), "Analysis  by Team");
  EXPECT_EQ(tabs->tabText(1), "Upset Analysis by Round");
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(w->lblEntries->text(), "8");  // counted, not the stale deleted count
  EXPECT_EQ(w->lblPot->text(), "75");
  EXPECT_EQ(w->cmdShow->text(), "Show Entries ");
  ASSERT_EQ(w->comSortBy->count(), 4);
  EXPECT_EQ(w->comSortBy->currentText(), "Team Name");
  EXPECT_EQ(w->comSortBy->itemText(2), "Advance to Champ");
  const Grid& g = w->flxTeam->grid();
  EXPECT_EQ(g.Tag, " By Team Name");
  EXPECT_EQ(w->ReportGrid(0), &g);
  EXPECT_EQ(w->ReportGrid(1), &w->flxRound->grid());
  EXPECT_EQ(g.TextMatrix(RowOfSlot(g, 1), 4), " 38%");
  EXPECT_EQ(w->flxRound->grid().TextMatrix(3, 0), " 1st");
  EXPECT_TRUE(s.PoolAnalysisOpen);
  EXPECT_TRUE(tc.waves.played.empty());

  SavePicture(w.get(), "frmPoolAnalysis_team");
  tabs->setCurrentIndex(1);
  SavePicture(w.get(), "frmPoolAnalysis_upsets");

  w->cmdCancel_Click();
  QApplication::processEvents();
  EXPECT_FALSE(s.PoolAnalysisOpen);
}

TEST_F(PoolAnalysisTest, ASortChoiceSortsWithOneStart) {
  auto w = Open();
  s.SoundPlayed = 0;
  w->comSortBy->setCurrentIndex(2);
  emit w->comSortBy->activated(2);
  const Grid& g = w->flxTeam->grid();
  EXPECT_EQ(g.Tag, " By Advance to Champ");
  EXPECT_EQ(g.TextMatrix(3, g.Cols() - 1), "3");  // 4 champion picks
  EXPECT_EQ(g.TextMatrix(3, 0), "1");
  EXPECT_EQ(Count(tc.waves.played, "start"), 1);
}

TEST_F(PoolAnalysisTest, ShowEntriesOnAHeadingOrTeamCellIsRefused) {
  auto w = Open();
  Grid& g = w->flxTeam->grid();
  for (auto [row, col] : {std::pair{1, 4}, std::pair{4, 1}, std::pair{4, 2}}) {
    g.SetRow(row);
    g.SetCol(col);
    tc.prompts.asked.clear();
    w->cmdShow->click();
    ASSERT_EQ(tc.prompts.asked.size(), 1u) << row << "," << col;
    EXPECT_EQ(tc.prompts.asked[0].text,
              "Please select a team/round for which to display the entries!");
    EXPECT_EQ(tc.prompts.asked[0].icon, MsgIcon::Exclamation);
  }
  EXPECT_EQ(tc.prompts.beeps, 3);
  EXPECT_EQ(frmEntriesWithPick::Loaded(), nullptr);
}

TEST_F(PoolAnalysisTest, ShowEntriesOpensTheListForTheCellsTeamAndRound) {
  auto w = Open();
  Grid& g = w->flxTeam->grid();
  g.SetRow(RowOfSlot(g, 3));
  g.SetCol(6);  // the share column of round 1, "Runner-up"
  s.SoundPlayed = 0;
  w->cmdShow->click();
  EXPECT_EQ(s.AnalysisTeam, 3);
  EXPECT_EQ(s.AnalysisRound, 1);
  frmEntriesWithPick* list = frmEntriesWithPick::Loaded();
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->isWindow());
  EXPECT_EQ(list->lblHeader->text(), "Entries with Team 3 (Seed 3) advancing to the  1st round:");
  EXPECT_EQ(list->flxEntries->grid().Rows(), 8);  // seven entries and the header
  EXPECT_EQ(Count(tc.waves.played, "start"), 1);

  // The current cell is now the hidden slot column: no round, nothing opens
  // and nothing is said.
  tc.prompts.asked.clear();
  w->cmdShow->click();
  EXPECT_EQ(s.AnalysisRound, 0);
  EXPECT_TRUE(tc.prompts.asked.empty());
  EXPECT_EQ(frmEntriesWithPick::Loaded(), list);
}

TEST_F(PoolAnalysisTest, DoubleClickOnARoundCellOpensTheListWithOneSound) {
  auto w = Open();
  w->resize(900, 500);
  const Grid& g = w->flxTeam->grid();
  ClickCell(w->flxTeam, RowOfSlot(g, 1), 3, /*twice=*/true);
  EXPECT_EQ(s.AnalysisTeam, 1);
  EXPECT_EQ(s.AnalysisRound, 2);
  frmEntriesWithPick* list = frmEntriesWithPick::Loaded();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->flxEntries->grid().Rows(), 4);
  EXPECT_EQ(Count(tc.waves.played, "start"), 1);
  SavePicture(list, "frmEntriesWithPick");

  // A second request only brings the loaded list forward.
  ClickCell(w->flxTeam, RowOfSlot(g, 3), 3, /*twice=*/true);
  EXPECT_EQ(frmEntriesWithPick::Loaded(), list);
  EXPECT_EQ(list->flxEntries->grid().Rows(), 4);
}

TEST_F(PoolAnalysisTest, DoubleClickOnAHeadingIsRefused) {
  auto w = Open();
  ClickCell(w->flxTeam, 1, 3, /*twice=*/true);
  ASSERT_EQ(tc.prompts.asked.size(), 1u);
  EXPECT_EQ(frmEntriesWithPick::Loaded(), nullptr);
}

TEST_F(PoolAnalysisTest, ALargePoolOpens) {
  testing::PoolRecipe recipe;
  recipe.teams = 64;
  recipe.entries = 2000;
  s = MakeRandomPool(recipe, 16);
  auto w = Open();
  EXPECT_EQ(w->flxTeam->grid().Rows(), 67);
  EXPECT_EQ(w->comSortBy->count(), 8);
  EXPECT_EQ(w->flxRound->grid().Rows(), 10);
  EXPECT_EQ(w->lblEntries->text().toInt(), CountLiveEntries(s));
  w->resize(1000, 600);
  SavePicture(w.get(), "frmPoolAnalysis_64");
  w->SSTab1()->setCurrentIndex(1);
  SavePicture(w.get(), "frmPoolAnalysis_64_upsets");
}

}  // namespace
}  // namespace qb
