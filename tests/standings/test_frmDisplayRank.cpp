// The rankings window under the offscreen platform: what it shows after its
// load, its sorts, the pool winners page and the entries it opens.
// The pools before any Qt header: Qt's keywords would clash with their names.
#include "standings/logic/rank_pools.h"

#include "standings/frmDisplayRank.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <memory>

#include "entries/logic/entry_save.h"
#include "platform/app_context.h"
#include "standings/logic/analysis_common.h"
#include "standings/logic/payouts.h"
#include "standings/logic/standings.h"
#include "support/fake_main_window.h"

namespace qb {
namespace {

struct DisplayRankTest : ::testing::Test {
  TestContext t;
  FakeMainWindow main;
  std::unique_ptr<frmDisplayRank> win;

  void SetUp() override {
    testing::RankPool p = testing::FourEntriesDecided();
    p.s.MainWidth = 12000;
    p.s.MainHeight = 9000;
    t.pool = p.s;
    t.ctx.main = &main;
  }
  void Open() {
    win = std::make_unique<frmDisplayRank>(t.ctx);
    win->show();
    QApplication::processEvents();
  }
  GridView* Rank() { return win->findChild<GridView*>("flxRank"); }
  GridView* Payouts() { return win->findChild<GridView*>("flxPayouts"); }
  template <class W>
  W* Child(const char* name) {
    return win->findChild<W*>(name);
  }
  std::vector<std::string> Column(GridView* v, int c, int from) {
    std::vector<std::string> out;
    for (int r = from; r < v->grid().Rows(); ++r) out.push_back(v->grid().TextMatrix(r, c));
    return out;
  }
  QPoint CellCentre(GridView* v, int r, int c) {
    v->RefreshLayout();
    return v->visualRect(v->model()->index(r, c)).center();
  }
};

TEST_F(DisplayRankTest, OpensSortedByCurrentPointsWithBothRanksAndTheWinners) {
  Open();
  EXPECT_EQ(win->windowTitle(), "Display Rankings");
  auto* tabs = Child<QTabWidget>("SSTab1");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), "Current Standings");
  EXPECT_EQ(tabs->tabText(1), "Pool Winners");
  EXPECT_EQ(win->CurrentPage(), 0);
  EXPECT_TRUE(t.pool.DisplayRankOpen);

  const Grid& rank = Rank()->grid();
  EXPECT_EQ(rank.Tag, " By Current Rank");
  EXPECT_EQ(Column(Rank(), kRankName, 2),
            (std::vector<std::string>{"Ann 1", "Dee 4", "Cy 1", "Bob 2"}));
  EXPECT_EQ(Column(Rank(), kRankCurrentRank, 2), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(Column(Rank(), kRankPossibleRank, 2), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(win->ReportGrid(0), &rank);

  ASSERT_TRUE(win->PayoutsComputed());
  const Grid& pay = Payouts()->grid();
  EXPECT_EQ(win->ReportGrid(1), &pay);
  EXPECT_TRUE(pay.Visible());
  EXPECT_EQ(Column(Payouts(), kPayWinnings, 1), (std::vector<std::string>{"24", "12", "", "4"}));
  EXPECT_EQ(Child<QLabel>("lblTiebreaker")->text(),
            "Tiebreaker: Points Final Game - Both Teams is  160");
  EXPECT_FALSE(Child<QLabel>("lblNeedData")->isVisibleTo(win.get()));
  // Loading is silent and changes nothing of the pool.
  EXPECT_TRUE(t.waves.played.empty());
  EXPECT_FALSE(t.pool.PoolChanged);
  EXPECT_EQ(t.pool.Entries[1].Points, 0);
}

TEST_F(DisplayRankTest, SortButtonsSortAndPlayStart) {
  Open();
  QTest::mouseClick(Child<QPushButton>("cmdSortByName"), Qt::LeftButton);
  EXPECT_EQ(Rank()->grid().Tag, " By Name");
  EXPECT_EQ(Column(Rank(), kRankName, 2),
            (std::vector<std::string>{"Ann 1", "Bob 2", "Cy 1", "Dee 4"}));
  ASSERT_EQ(t.waves.played.size(), 1u);
  EXPECT_EQ(t.waves.played[0], "start");
  // Each press is a new user action (the application's input filter says so).
  t.pool.SoundPlayed = 0;
  QTest::mouseClick(Child<QPushButton>("cmdSortByGames"), Qt::LeftButton);
  EXPECT_EQ(Rank()->grid().Tag, " By Games Correct");
  t.pool.SoundPlayed = 0;
  QTest::mouseClick(Child<QPushButton>("cmdSortByPossible"), Qt::LeftButton);
  EXPECT_EQ(Rank()->grid().Tag, " By Possible Points");
  t.pool.SoundPlayed = 0;
  QTest::mouseClick(Child<QPushButton>("cmdSortByPoints"), Qt::LeftButton);
  EXPECT_EQ(Rank()->grid().Tag, " By Current Rank");
  EXPECT_EQ(t.waves.played.size(), 4u);
}

TEST_F(DisplayRankTest, PossiblePointsThatCannotBeComputedAreRefused) {
  t.pool.LoserSeedScoring = true;
  Open();
  EXPECT_EQ(Rank()->grid().Tag, " By Current Rank");
  EXPECT_EQ(Rank()->grid().TextMatrix(2, kRankPossible), "n/a");
  QTest::mouseClick(Child<QPushButton>("cmdSortByPossible"), Qt::LeftButton);
  EXPECT_EQ(t.prompts.beeps, 1);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text,
            "Possible points calculations are not possible\r\nfor seed-based scoring that uses "
            "the winner's\n\rand loser's seeds.");
  EXPECT_EQ(t.prompts.asked[0].icon, MsgIcon::None);
  EXPECT_TRUE(t.waves.played.empty());
  EXPECT_EQ(Rank()->grid().Tag, " By Current Rank");
}

TEST_F(DisplayRankTest, PossiblePointsSortFollowsTheSeedMethodTheGridWasBuiltWith) {
  for (bool atLoad : {true, false}) {
    SCOPED_TRACE(atLoad ? "built without possible points" : "built with them");
    t.prompts.asked.clear();
    t.pool.LoserSeedScoring = atLoad;
    Open();
    const auto before = Column(Rank(), kRankPossible, 2);
    t.pool.LoserSeedScoring = !atLoad;  // the seed method changed meanwhile
    QTest::mouseClick(Child<QPushButton>("cmdSortByPossible"), Qt::LeftButton);
    EXPECT_EQ(t.prompts.asked.size(), atLoad ? 1u : 0u);
    if (atLoad) {
      EXPECT_EQ(Rank()->grid().Tag, " By Current Rank");
      EXPECT_EQ(Column(Rank(), kRankPossible, 2), before);  // still "n/a"
      EXPECT_EQ(before.front(), "n/a");
    } else {
      EXPECT_NE(Rank()->grid().Tag, " By Current Rank");
    }
  }
}

TEST_F(DisplayRankTest, DoubleClickOnAnEntryOpensItButNotOnTheHeadings) {
  Open();
  GridView* v = Rank();
  QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, CellCentre(v, 3, 3));
  EXPECT_EQ(t.pool.EditEntryNumber, 5);  // Dee, the second row
  EXPECT_EQ(t.ctx.EditEntryCaller.data(), win.get());
  EXPECT_TRUE(main.Called("ShowWindowByName frmEditEntry"));

  // While it is open another is refused, and a heading does nothing at all.
  win->flxRank_DblClick(1);
  EXPECT_TRUE(t.prompts.asked.empty());
  win->flxRank_DblClick(2);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text,
            "Another Entry is already open!\r\nPlease close it before editing another entry!");
  EXPECT_EQ(t.pool.EditEntryNumber, 5);
}

TEST_F(DisplayRankTest, AClickOnAWinnerOpensItAndAnOpenEntryIsSaidFirst) {
  Open();
  win->flxPayouts_Click(2);
  EXPECT_EQ(t.pool.EditEntryNumber, 5);
  win->flxPayouts_Click(0);  // the heading: still told that one is open
  EXPECT_EQ(t.prompts.asked.size(), 1u);
  t.pool.EditEntryNumber = 0;
  win->flxPayouts_Click(0);
  EXPECT_EQ(t.pool.EditEntryNumber, 0);
  EXPECT_EQ(t.prompts.asked.size(), 1u);
}

// A row stands for the entry it listed, whatever has become of its caption
// since: after a rename or a renumbering it opens that entry; an entry made
// in its place under the same caption, or in a new pool, is not taken for it.
TEST_F(DisplayRankTest, ARowOpensTheEntryItListedAndNoOtherInItsPlace) {
  struct Case {
    const char* what;
    void (*change)(PoolState&);
    int opens;  // 0: refused as no longer in the pool
  };
  const Case cases[] = {
      {"participant renamed", [](PoolState& s) { s.Bettors[5].Name = "Deirdre"; }, 5},
      {"entry renumbered", [](PoolState& s) { s.Entries[5].EntryNumber = 9; }, 5},
      {"discarded, and a new one appended under its caption",
       [](PoolState& s) {
         DiscardEntry(s, 5);
         const int e = AppendNewEntry(s);
         s.Entries[e].BettorIndex = 5;
         s.Entries[e].EntryNumber = 4;
       },
       0},
      {"a new pool with an entry under the same caption at that index",
       [](PoolState& s) {
         testing::RankPool again = testing::FourEntriesDecided();
         ClearPool(s);
         s.Bettors = again.s.Bettors;
         s.NumBettors = again.s.NumBettors;
         for (int e = 1; e <= 5; ++e) {
           AppendNewEntry(s);
           s.Entries[e].BettorIndex = again.s.Entries[e].BettorIndex;
           s.Entries[e].EntryNumber = again.s.Entries[e].EntryNumber;
         }
       },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    t.prompts.asked.clear();
    Open();
    c.change(t.pool);
    win->flxRank_DblClick(3);  // Dee
    EXPECT_EQ(t.pool.EditEntryNumber, c.opens);
    if (c.opens == 0) EXPECT_EQ(t.prompts.LastText(), kEntryGoneText);
    t.pool.EditEntryNumber = 0;
    t.prompts.asked.clear();
    win->flxPayouts_Click(2);  // Dee, second among the winners
    EXPECT_EQ(t.pool.EditEntryNumber, c.opens);
    if (c.opens == 0) EXPECT_EQ(t.prompts.LastText(), kEntryGoneText);
    win.reset();
  }
}

TEST_F(DisplayRankTest, RemovingNonWinningRowsKeepsThePaidOnes) {
  Open();
  auto* remove = Child<QPushButton>("cmdRemoveRows");
  Child<QTabWidget>("SSTab1")->setCurrentIndex(1);
  EXPECT_EQ(win->CurrentPage(), 1);
  t.waves.played.clear();
  t.pool.SoundPlayed = 0;
  QTest::mouseClick(remove, Qt::LeftButton);
  EXPECT_EQ(Column(Payouts(), kPayName, 1), (std::vector<std::string>{"Ann 1", "Dee 4", "Bob 2"}));
  EXPECT_FALSE(remove->isEnabled());
  EXPECT_EQ(Child<QLabel>("lblComplete")->text(), "Winning entries only.");
  EXPECT_EQ(t.waves.played, (std::vector<std::string>{"start", "start", "start"}));
}

// A typed tiebreaker that looks like markup ("big" is an HTML element) reads as typed.
TEST_F(DisplayRankTest, TheTiebreakerLineShowsATypedTiebreakerAsTyped) {
  t.pool.Pool.TiebreakerType = "Yards <Big Ten> & more";
  Open();
  auto* line = Child<QLabel>("lblTiebreaker");
  EXPECT_EQ(line->text(), "Tiebreaker: Yards <Big Ten> & more is  160");
  EXPECT_TRUE(Qt::mightBeRichText(line->text()));
  EXPECT_EQ(line->textFormat(), Qt::PlainText);
}

TEST_F(DisplayRankTest, WithoutCompleteResultsThePoolWinnersPageSaysWhy) {
  t.pool.Pool.Results[7] = 0;
  ResetTeamAdvance(t.pool);
  Open();
  Child<QTabWidget>("SSTab1")->setCurrentIndex(1);
  EXPECT_FALSE(win->PayoutsComputed());
  EXPECT_FALSE(win->ReportGrid(1)->Visible());
  EXPECT_FALSE(Payouts()->isVisible());
  EXPECT_FALSE(Child<QPushButton>("cmdRemoveRows")->isVisible());
  EXPECT_FALSE(Child<QLabel>("lblComplete")->isVisible());
  auto* need = Child<QLabel>("lblNeedData");
  EXPECT_TRUE(need->isVisible());
  EXPECT_EQ(need->text(), "Complete results are not entered.\r\nCannot calculate jackpot winners.");
  // The standings are there all the same.
  EXPECT_EQ(Rank()->grid().Rows(), 6);
}

TEST_F(DisplayRankTest, ClosingClearsTheOpenFlag) {
  Open();
  win->cmdOK_Click();
  EXPECT_FALSE(t.pool.DisplayRankOpen);
  win.release()->deleteLater();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Pictures of both pages for a look by eye: QB_STANDINGS_SHOTS=dir writes them.
TEST_F(DisplayRankTest, Pictures) {
  const QByteArray dir = qgetenv("QB_STANDINGS_SHOTS");
  if (dir.isEmpty()) GTEST_SKIP() << "set QB_STANDINGS_SHOTS to a folder to write pictures";
  auto open = [&](int openGames) {
    testing::PoolRecipe recipe;
    recipe.teams = 64;
    recipe.entries = 60;
    recipe.openGames = openGames;
    recipe.seedMethod = 1;
    recipe.storeByeResults = true;
    t.pool = testing::MakeRandomPool(recipe, 7);
    t.pool.Pool.CostPerEntry = Currency::FromDouble(5);
    t.pool.Pool.TiebreakerUsed = true;
    t.pool.Pool.TiebreakerType = "Points Final Game - Both Teams";
    t.pool.Pool.TiebreakerActual = 141;
    for (int e = 1; e <= t.pool.NumEntries; ++e)
      t.pool.Entries[e].Tiebreaker = static_cast<float>(100 + (e * 37) % 80);
    t.pool.MainWidth = 15000;
    t.pool.MainHeight = 9000;
    win.reset();
    Open();
  };
  auto shoot = [&](int page, const char* file) {
    Child<QTabWidget>("SSTab1")->setCurrentIndex(page);
    QApplication::processEvents();
    EXPECT_TRUE(win->grab().save(QString(dir) + "/" + file));
  };
  open(15);  // the tournament under way: open games, possible points
  shoot(0, "rankings_standings.png");
  shoot(1, "rankings_refused.png");
  open(0);
  shoot(0, "rankings_final_standings.png");
  shoot(1, "rankings_winners.png");
}

}  // namespace
}  // namespace qb
