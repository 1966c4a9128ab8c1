#include <gtest/gtest.h>

#include <thread>

#include "core/prompts.h"
#include "standings/logic/possibilities_grids.h"
#include "standings/logic/possibilities_run.h"
#include "standings/logic/possibility_pools.h"

namespace qb {
namespace {

struct Counted {
  PossibilitiesSnapshot snap;
  PossibilitiesResult result;
};

Counted RunOn(PoolState& s) {
  ScriptedPrompts prompts;
  const OpenGameList open = CountOpenGames(s, prompts);
  Counted r{TakePossibilitiesSnapshot(s, open), {}};
  r.result = ComputeScenariosFast(r.snap);
  return r;
}

// A 16-team pool with the given open games and four named entries.
PoolState SmallPool(int openGames, int paid, bool booby) {
  testing::PoolRecipe recipe;
  recipe.teams = 16;
  recipe.entries = 4;
  recipe.deletedShare = 0;
  recipe.openGames = openGames;
  recipe.paidPlaces = paid;
  recipe.booby = booby;
  recipe.seedMethod = 0;
  PoolState s = testing::MakeRandomPool(recipe, 31);
  const char* names[] = {"", "delta", "Alpha", "charlie", "Bravo"};
  for (int e = 1; e <= 4; ++e) {
    s.Bettors[e].Name = names[e];
    s.Entries[e].EntryNumber = static_cast<int16_t>(e);
  }
  return s;
}

TEST(PossibilitiesGrids, LaidOutAsTheReportsPrintThem) {
  Grid scenario, entries;
  SetupPossibilitiesGrids(scenario, entries, 64, 4);
  ASSERT_EQ(scenario.Rows(), 65);
  ASSERT_EQ(scenario.Cols(), 2);
  EXPECT_EQ(scenario.FixedRows(), 1);
  EXPECT_EQ(scenario.TextMatrix(0, 0), "Game Winners");
  EXPECT_EQ(scenario.TextMatrix(0, 1), "Pool Winners");
  EXPECT_EQ(scenario.ColWidth(0), 3000);
  EXPECT_EQ(scenario.ColWidth(1), 4000);
  for (int r = 1; r < scenario.Rows(); ++r) ASSERT_EQ(scenario.RowHeight(r), 600);
  EXPECT_EQ(scenario.CellAlignmentAt(0, 1), flexAlignCenterCenter);

  ASSERT_EQ(entries.Rows(), 5);
  ASSERT_EQ(entries.Cols(), 9);
  const char* headers[] = {"Name", "Total", "1st", "2nd", "3rd", "4th", "5th", "Booby", "Entry Nbr"};
  const int widths[] = {1500, 800, 800, 800, 800, 800, 800, 700, 0};
  for (int c = 0; c < 9; ++c) {
    EXPECT_EQ(entries.TextMatrix(0, c), headers[c]);
    EXPECT_EQ(entries.ColWidth(c), widths[c]) << headers[c];
    EXPECT_EQ(entries.CellAlignmentAt(0, c), flexAlignCenterCenter);
  }
}

TEST(PossibilitiesGrids, AboveOneHundredTwentyEightScenariosOneMessageRow) {
  for (int32_t n : {128, 129, 256, 32768}) {
    Grid scenario, entries;
    SetupPossibilitiesGrids(scenario, entries, n, 3);
    if (n <= 128) {
      EXPECT_EQ(scenario.Rows(), n + 1);
      EXPECT_EQ(scenario.TextMatrix(1, 1), "");
    } else {
      ASSERT_EQ(scenario.Rows(), 2) << n;
      EXPECT_EQ(scenario.RowHeight(1), 1000);
      EXPECT_EQ(scenario.TextMatrix(1, 0), "");
      EXPECT_EQ(scenario.TextMatrix(1, 1),
                "Too many scenarios to display!  Click on 'by Name' tab to see the possibilities "
                "for each entry.");
    }
  }
}

TEST(PossibilitiesGrids, ScenarioRowsHoldTheTextsAndEntryRowsTheCounts) {
  PoolState s = SmallPool(7, 2, false);  // 128 scenarios: texts are shown
  s.Entries[3].BettorIndex = 0;          // deleted: no row
  Counted r = RunOn(s);
  ASSERT_EQ(r.snap.Open.ScenarioCount, 128);
  Grid scenario, entries;
  SetupPossibilitiesGrids(scenario, entries, 128, static_cast<int>(r.snap.Entries.size()));
  FillScenarioRows(scenario, r.result);
  FillEntryRows(entries, r.snap, r.result);

  for (int sc = 1; sc <= 128; ++sc) {
    ASSERT_EQ(scenario.TextMatrix(sc, 0), r.result.Texts[sc - 1].GameWinners);
    ASSERT_EQ(scenario.TextMatrix(sc, 1), r.result.Texts[sc - 1].PoolWinners);
  }
  ASSERT_EQ(entries.Rows(), 4);
  const int indexes[] = {1, 2, 4};
  for (int row = 1; row <= 3; ++row) {
    const PlaceCounts& c = r.result.Counts[row - 1];
    EXPECT_EQ(entries.TextMatrix(row, 0), s.Bettors[indexes[row - 1]].Name + " " +
                                              std::to_string(indexes[row - 1]));
    EXPECT_EQ(entries.TextMatrix(row, 1), std::to_string(c[kTotalPlace]));
    EXPECT_EQ(entries.TextMatrix(row, 2), std::to_string(c[1]));
    EXPECT_EQ(entries.TextMatrix(row, 3), std::to_string(c[2]));
    EXPECT_EQ(entries.TextMatrix(row, 7), "0");
    EXPECT_EQ(entries.TextMatrix(row, 8), std::to_string(indexes[row - 1]));
    EXPECT_EQ(EntryIndexOfRow(entries, row), indexes[row - 1]);
  }
  // Two paid places, no booby prize: 3rd to 5th and Booby hidden.
  const int widths[] = {1500, 800, 800, 800, 0, 0, 0, 0, 0};
  for (int c = 0; c < 9; ++c) EXPECT_EQ(entries.ColWidth(c), widths[c]) << c;
  EXPECT_EQ(EntryIndexOfRow(entries, 0), 0);
}

TEST(PossibilitiesGrids, SortsKeepRowsWholeAndSetTheirSubtitles) {
  Grid scenario, entries;
  SetupPossibilitiesGrids(scenario, entries, 2, 4);
  // name, total, 1st..5th, booby, index
  const char* rows[4][9] = {{"delta 1", "3", "2", "0", "0", "0", "0", "1", "1"},
                            {"Alpha 2", "10", "1", "4", "0", "0", "0", "5", "2"},
                            {"charlie 3", "2", "0", "0", "0", "0", "0", "2", "3"},
                            {"Bravo 4", "9", "8", "1", "0", "0", "0", "0", "4"}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 9; ++c) entries.SetTextMatrix(r + 1, c, rows[r][c]);
  auto order = [&] {
    std::string o;
    for (int r = 1; r <= 4; ++r) o += entries.TextMatrix(r, 8);
    return o;
  };

  SortPossibilitiesByName(entries);
  EXPECT_EQ(order(), "2431");  // ignoring case
  EXPECT_EQ(entries.Tag, " By Name");
  SortPossibilitiesByTotal(entries);
  EXPECT_EQ(order(), "2413");  // 10 before 9: numbers, not text
  EXPECT_EQ(entries.Tag, " By Most Points");
  SortPossibilitiesByPosition(entries, "1st");
  EXPECT_EQ(order(), "4123");
  EXPECT_EQ(entries.Tag, " By Most 1st Finishes");
  SortPossibilitiesByPosition(entries, "Booby");
  EXPECT_EQ(order(), "2314");
  EXPECT_EQ(entries.Tag, " By Most Booby Finishes");
  EXPECT_EQ(entries.TextMatrix(0, 0), "Name");  // the header stays
  EXPECT_TRUE(entries.Visible());

  // A text that is no item: the current column.
  entries.SetCol(3);  // 2nd; the tied rows keep their order
  SortPossibilitiesByPosition(entries, "6th");
  EXPECT_EQ(order(), "2431");

  EXPECT_EQ(PositionColumn("2nd"), 3);
  EXPECT_EQ(PositionColumn("5th"), 6);
  EXPECT_EQ(PositionColumn("Booby"), 7);
  EXPECT_EQ(PositionColumn(""), -1);

  scenario.SetTextMatrix(1, 0, "Champion: b");
  scenario.SetTextMatrix(2, 0, "Champion: A");
  scenario.Tag = "kept";
  SortScenarios(scenario);
  EXPECT_EQ(scenario.TextMatrix(1, 0), "Champion: A");
  EXPECT_EQ(scenario.Tag, "kept");
}

TEST(PossibilitiesGrids, ScenarioColumnsShareTheGridsWidth) {
  Grid scenario, entries;
  SetupPossibilitiesGrids(scenario, entries, 4, 1);
  SizeScenarioColumns(scenario, 9000);
  EXPECT_EQ(scenario.ColWidth(0), 2970);
  EXPECT_EQ(scenario.ColWidth(1), 9000 - 2970 - 350);
}

TEST(PossibilitiesRun, CountsOnItsSnapshotWhileThePoolChanges) {
  PoolState s = SmallPool(9, 3, true);
  ScriptedPrompts prompts;
  const OpenGameList open = CountOpenGames(s, prompts);
  const PossibilitiesResult expected = ComputeScenarios(TakePossibilitiesSnapshot(s, open));

  PossibilitiesRun run;
  run.Start(s, open, 2);
  // Edits after the start do not reach the run.
  s.Entries[1].BettorIndex = 0;
  s.Pool.Results[s.NumGames] = 1;
  s.Bettors[2].Name = "changed";
  run.Wait();
  ASSERT_TRUE(run.Finished());
  EXPECT_FALSE(run.Error());
  EXPECT_TRUE(run.Result().Completed);
  EXPECT_EQ(run.Result().Counts, expected.Counts);
  EXPECT_EQ(run.Done(), 512);
  EXPECT_EQ(run.Total(), 512);
  EXPECT_EQ(run.Snapshot().Entries[1].Name, "Alpha");
}

TEST(PossibilitiesRun, CancelStopsTheWorkerAndCountsNothing) {
  testing::PoolRecipe recipe;
  recipe.teams = 64;
  recipe.entries = 3000;
  recipe.openGames = 15;
  PoolState s = testing::MakeRandomPool(recipe, 8);
  ScriptedPrompts prompts;
  const OpenGameList open = CountOpenGames(s, prompts);
  PossibilitiesRun run;
  run.Cancel();  // before the first scenario: nothing is counted
  run.Start(s, open, 1);
  run.Wait();
  EXPECT_TRUE(run.Finished());
  EXPECT_FALSE(run.Result().Completed);
  for (const PlaceCounts& c : run.Result().Counts) ASSERT_EQ(c, PlaceCounts{});

  // Going away mid-run cancels and waits.
  auto later = std::make_unique<PossibilitiesRun>();
  later->Start(s, open, 1);
  later.reset();
}

}  // namespace
}  // namespace qb
