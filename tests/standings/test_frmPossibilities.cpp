// The possibilities window: its refusals and announcement, the one button
// through its states, the run on a worker, cancel, the grids and sorts, and
// opening an entry.
#include "standings/frmPossibilities.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "platform/app_context.h"
#include "platform/grid_view.h"
#include "standings/logic/possibilities_grids.h"
#include "standings/logic/possibilities_run.h"
#include "standings/logic/possibility_pools.h"
#include "support/fake_main_window.h"
#include "support/shots.h"

namespace qb {
namespace {

struct PossibilitiesWindowTest : ::testing::Test {
  TestContext t;
  FakeMainWindow main;
  void SetUp() override { t.ctx.main = &main; }

  // 16 teams (15 games, all eligible) with the given open games.
  void UsePool(int openGames, int entries = 12, bool rePair = false, int teams = 16) {
    testing::PoolRecipe recipe;
    recipe.teams = teams;
    recipe.entries = entries;
    recipe.openGames = openGames;
    recipe.deletedShare = 0;
    recipe.paidPlaces = 3;
    recipe.booby = true;
    recipe.rePair = rePair;
    t.pool = testing::MakeRandomPool(recipe, 2026);
  }

  QString Caption(frmPossibilities& w) { return Button(w, "cmdProcessing")->text(); }
  QPushButton* Button(frmPossibilities& w, const char* name) {
    return w.findChild<QPushButton*>(name);
  }
  QLabel* Label(frmPossibilities& w, const char* name) { return w.findChild<QLabel*>(name); }
  GridView* View(frmPossibilities& w, const char* name) { return w.findChild<GridView*>(name); }
  Grid& Entries(frmPossibilities& w) { return View(w, "flxEntries")->grid(); }
  Grid& Scenarios(frmPossibilities& w) { return View(w, "flxScenario")->grid(); }
  // Shows the window, runs it to the end and turns to its entry grid.
  GridView* RunAndShowByName(frmPossibilities& w) {
    w.resize(900, 600);
    w.show();
    Button(w, "cmdProcessing")->click();
    w.WaitForRun();
    w.SSTab1()->setCurrentIndex(1);
    GridView* view = View(w, "flxEntries");
    view->RefreshLayout();
    return view;
  }
  static void DoubleClickRow(GridView* view, int row) {
    const QRect cell = view->visualRect(view->model()->index(row, 0));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
  }
};

TEST_F(PossibilitiesWindowTest, RefusesInOrderWithItsTexts) {
  const std::string early =
      "Sorry! Possibilities can only be computed for the last 4 rounds.\n\r\r"
      "Use 'Enter Results' on the Tools menu to enter more results.";
  const std::string complete = "Results are complete!  No possibilities to compute!";
  const std::string noEntries = "No entries on file. No possibilities to compute!";
  struct Case {
    const char* what;
    int teams, openGames, entries;
    bool undecidedEarly;
    std::string message;
  };
  const Case cases[] = {
      {"a game before the last four rounds", 32, 3, 5, true, early},
      {"... and no entries: the first refusal only", 32, 3, 0, true, early},
      {"every result in", 16, 0, 5, false, complete},
      {"every result in and no entries", 16, 0, 0, false, complete},
      {"no entries", 16, 4, 0, false, noEntries},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UsePool(c.openGames, std::max(c.entries, 1), false, c.teams);
    if (c.entries == 0) t.pool.NumEntries = 0;
    if (c.undecidedEarly) t.pool.Pool.Results[3] = 0;
    t.prompts.asked.clear();
    t.prompts.beeps = 0;
    frmPossibilities w(t.ctx);
    EXPECT_TRUE(t.pool.DialogCancelled);
    ASSERT_EQ(t.prompts.asked.size(), 1u);
    EXPECT_EQ(t.prompts.asked[0].text, c.message);
    EXPECT_EQ(t.prompts.beeps, 1);
    EXPECT_FALSE(t.pool.PossibilitiesReady);
    EXPECT_EQ(w.ReportGrid(0), nullptr);
  }
}

TEST_F(PossibilitiesWindowTest, AnnouncesTheScenariosAndWaits) {
  UsePool(6);
  frmPossibilities w(t.ctx);
  EXPECT_FALSE(t.pool.DialogCancelled);
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_EQ(t.prompts.beeps, 1);
  EXPECT_EQ(w.windowTitle(), "Display Possibilities");
  EXPECT_EQ(Label(w, "lblWarning")->text().toStdString(),
            "About to process 64 scenarios.  Click on 'Begin Processing' if you wish to continue.");
  EXPECT_EQ(w.ProcessingStatus(), "Not Begun");
  EXPECT_EQ(Caption(w), "Begin Processing");
  EXPECT_EQ(Button(w, "cmdProcessing")->toolTip(), "Start calculating the possibilities reports.");
  EXPECT_EQ(w.focusWidget(), Button(w, "cmdProcessing"));
  EXPECT_TRUE(w.SSTab1()->isHidden());
  EXPECT_TRUE(Label(w, "lblNote")->isHidden());  // not a re-paired pool
  EXPECT_EQ(t.pool.SoundPlayed, 1);
  EXPECT_FALSE(t.pool.PossibilitiesReady);

  UsePool(6, 12, true);
  frmPossibilities rePaired(t.ctx);
  EXPECT_FALSE(Label(rePaired, "lblNote")->isHidden());
  EXPECT_EQ(Label(rePaired, "lblNote")->text().toStdString(),
            "NOTE:  Possibilities report is only accurate if the tournament is NOT \"re-paired\" "
            "from the point of where actual results have been entered.");
}

TEST_F(PossibilitiesWindowTest, TheButtonRunsThenClosesAndTheReportsAreReadyOnlyOnceComplete) {
  UsePool(6);
  QPointer<frmPossibilities> w = new frmPossibilities(t.ctx);
  w->show();
  Button(*w, "cmdProcessing")->click();
  EXPECT_EQ(w->ProcessingStatus(), "Processing");
  EXPECT_EQ(Caption(*w), "Cancel Processing");
  EXPECT_EQ(main.status, "Calculating Scenario 1 of  64");
  EXPECT_FALSE(t.pool.PossibilitiesReady);  // not while the grids are half filled
  EXPECT_EQ(w->ReportGrid(1), nullptr);
  EXPECT_TRUE(Label(*w, "lblWarning")->isHidden());

  w->WaitForRun();
  EXPECT_EQ(w->ProcessingStatus(), "Completed");
  EXPECT_EQ(Caption(*w), "Close");
  EXPECT_EQ(Button(*w, "cmdProcessing")->toolTip(), "Start calculating the possibilities reports.");
  EXPECT_TRUE(t.pool.PossibilitiesReady);
  EXPECT_EQ(main.status, "");  // the status bar is itself again
  EXPECT_FALSE(w->SSTab1()->isHidden());
  EXPECT_TRUE(w->findChild<QLabel*>("lblProgress")->isHidden());
  EXPECT_TRUE(w->findChild<QProgressBar*>("ProgressBar1")->isHidden());
  EXPECT_EQ(w->findChild<QComboBox*>("comPosition")->currentText(), "1st");
  EXPECT_TRUE(Entries(*w).Visible());
  EXPECT_EQ(w->ReportGrid(0), &Scenarios(*w));
  EXPECT_EQ(w->ReportGrid(1), &Entries(*w));
  EXPECT_EQ(Entries(*w).Tag, " By Name");
  ASSERT_EQ(Entries(*w).Rows(), 13);
  for (int r = 2; r < Entries(*w).Rows(); ++r)
    ASSERT_LE(Grid::CompareNoCase(Entries(*w).TextMatrix(r - 1, 0), Entries(*w).TextMatrix(r, 0)), 0);
  for (int r = 2; r < Scenarios(*w).Rows(); ++r)
    ASSERT_LE(Grid::CompareNoCase(Scenarios(*w).TextMatrix(r - 1, 0),
                                  Scenarios(*w).TextMatrix(r, 0)),
              0);
  // The scenario columns share the grid's width.
  EXPECT_NE(Scenarios(*w).ColWidth(0), 3000);

  Button(*w, "cmdProcessing")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w.isNull());
  EXPECT_FALSE(t.pool.PossibilitiesReady);
}

TEST_F(PossibilitiesWindowTest, CancelLeavesTheEntryGridEmpty) {
  UsePool(15, 3000);  // 32,768 scenarios
  frmPossibilities w(t.ctx);
  w.show();
  Button(w, "cmdProcessing")->click();
  Button(w, "cmdProcessing")->click();
  EXPECT_EQ(w.ProcessingStatus(), "Cancelled");
  EXPECT_EQ(Caption(w), "Close");
  EXPECT_EQ(Button(w, "cmdProcessing")->toolTip(), "Exit this window.");
  EXPECT_TRUE(w.Run()->CancelRequested());
  w.WaitForRun();
  EXPECT_EQ(w.ProcessingStatus(), "Cancelled");
  EXPECT_FALSE(t.pool.PossibilitiesReady);
  EXPECT_EQ(w.ReportGrid(0), nullptr);
  EXPECT_EQ(main.status, "");
  EXPECT_FALSE(w.SSTab1()->isHidden());
  const Grid& entries = Entries(w);
  ASSERT_EQ(entries.Rows(), 3001);
  for (int r = 1; r < entries.Rows(); ++r)
    for (int c = 0; c < entries.Cols(); ++c) ASSERT_EQ(entries.TextMatrix(r, c), "") << r;
  EXPECT_EQ(entries.Tag, "");  // no sort ran
  // A row without a number opens nothing.
  EXPECT_EQ(EntryIndexOfRow(entries, 1), 0);
}

TEST_F(PossibilitiesWindowTest, ClosingDuringTheRunCancelsAndWaits) {
  UsePool(15, 3000);
  QPointer<frmPossibilities> w = new frmPossibilities(t.ctx);
  w->show();
  Button(*w, "cmdProcessing")->click();
  const PossibilitiesRun* run = w->Run();
  ASSERT_NE(run, nullptr);
  EXPECT_TRUE(w->close());
  EXPECT_TRUE(run->Finished());
  EXPECT_EQ(main.status, "");
  EXPECT_FALSE(t.pool.PossibilitiesReady);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w.isNull());
}

TEST_F(PossibilitiesWindowTest, ScenarioRowsUpTo128AndOneMessageRowAbove) {
  for (int open : {7, 8}) {
    SCOPED_TRACE(open);
    UsePool(open);
    frmPossibilities w(t.ctx);
    Button(w, "cmdProcessing")->click();
    w.WaitForRun();
    ASSERT_EQ(w.ProcessingStatus(), "Completed");
    const Grid& scenarios = Scenarios(w);
    const int32_t n = int32_t{1} << open;
    int64_t firsts = 0;
    for (int r = 1; r < Entries(w).Rows(); ++r) firsts += std::stoll(Entries(w).TextMatrix(r, 2));
    EXPECT_GE(firsts, n);  // every scenario has a winner, counted over all of them
    if (n <= 128) {
      ASSERT_EQ(scenarios.Rows(), 129);
      for (int r = 1; r <= 128; ++r) {
        ASSERT_EQ(scenarios.RowHeight(r), 600);
        ASSERT_EQ(scenarios.TextMatrix(r, 0).rfind("Champion: ", 0), 0u) << r;
        ASSERT_NE(scenarios.TextMatrix(r, 1).find("1st-"), std::string::npos) << r;
      }
    } else {
      ASSERT_EQ(scenarios.Rows(), 2);
      EXPECT_EQ(scenarios.RowHeight(1), 1000);
      EXPECT_EQ(scenarios.TextMatrix(1, 0), "");
      EXPECT_EQ(scenarios.TextMatrix(1, 1),
                "Too many scenarios to display!  Click on 'by Name' tab to see the possibilities "
                "for each entry.");
    }
  }
}

TEST_F(PossibilitiesWindowTest, SortButtonsAndThePositionChoice) {
  UsePool(6);
  frmPossibilities w(t.ctx);
  w.show();
  Button(w, "cmdProcessing")->click();
  w.WaitForRun();
  Grid& entries = Entries(w);
  auto descending = [&](int col) {
    for (int r = 2; r < entries.Rows(); ++r)
      if (std::stoi(entries.TextMatrix(r - 1, col)) < std::stoi(entries.TextMatrix(r, col)))
        return false;
    return true;
  };

  t.waves.played.clear();
  t.pool.SoundPlayed = 0;
  Button(w, "cmdSortByTotal")->click();
  EXPECT_EQ(entries.Tag, " By Most Points");
  EXPECT_TRUE(descending(1));
  ASSERT_EQ(t.waves.played.size(), 1u);
  EXPECT_EQ(t.waves.played[0], "start");

  // Choosing a position does not sort; the button does.
  auto* combo = w.findChild<QComboBox*>("comPosition");
  combo->setCurrentText("Booby");
  EXPECT_EQ(entries.Tag, " By Most Points");
  Button(w, "cmdSortByPosition")->click();
  EXPECT_EQ(entries.Tag, " By Most Booby Finishes");
  EXPECT_TRUE(descending(7));

  Button(w, "cmdSortByName")->click();
  EXPECT_EQ(entries.Tag, " By Name");
  EXPECT_EQ(entries.TextMatrix(0, 0), "Name");
}

TEST_F(PossibilitiesWindowTest, DoubleClickOpensTheEntryOfTheRowThroughTheHandOver) {
  UsePool(4);
  t.pool.Bettors[5].Name = "Aaron";  // first by name once the run is done
  frmPossibilities w(t.ctx);
  GridView* view = RunAndShowByName(w);
  ASSERT_EQ(EntryIndexOfRow(view->grid(), 1), 5);

  DoubleClickRow(view, 1);
  EXPECT_EQ(t.pool.EditEntryNumber, 5);
  EXPECT_EQ(t.ctx.EditEntryCaller.data(), &w);
  EXPECT_TRUE(main.Called("ShowWindowByName frmEditEntry"));

  // While that entry is open, another is refused.
  main.calls.clear();
  DoubleClickRow(view, 2);
  EXPECT_EQ(t.pool.EditEntryNumber, 5);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text,
            "Another Entry is already open!\r\nPlease close it before editing another entry!");
  EXPECT_FALSE(main.Called("ShowWindowByName"));
}

// The rows are the entries as the run took them: one deleted since is
// refused with the message the other reports give, a renamed one opens.
TEST_F(PossibilitiesWindowTest, AnEntryDeletedAfterTheRunIsNotOpened) {
  UsePool(4);
  t.pool.Bettors[5].Name = "Aaron";  // first by name once the run is done
  t.pool.Bettors[6].Name = "Abe";    // second
  frmPossibilities w(t.ctx);
  GridView* view = RunAndShowByName(w);
  ASSERT_EQ(EntryIndexOfRow(view->grid(), 1), 5);
  ASSERT_EQ(EntryIndexOfRow(view->grid(), 2), 6);

  t.pool.Entries[5].BettorIndex = 0;
  t.pool.Bettors[6].Name = "Abel";
  DoubleClickRow(view, 1);
  EXPECT_EQ(t.pool.EditEntryNumber, 0);
  EXPECT_EQ(t.prompts.LastText(),
            "This entry is no longer in the pool.\r\nPlease open the report again!");
  EXPECT_FALSE(main.Called("ShowWindowByName"));

  DoubleClickRow(view, 2);
  EXPECT_EQ(t.pool.EditEntryNumber, 6);
}

TEST_F(PossibilitiesWindowTest, TheRunCountsThePoolAsItWasWhenItBegan) {
  UsePool(15, 3000);
  t.pool.Bettors[1].Name = "Zed";
  frmPossibilities w(t.ctx);
  Button(w, "cmdProcessing")->click();
  // Other windows change the pool meanwhile: the run does not see it.
  t.pool.Bettors[1].Name = "Changed";
  t.pool.Entries[2].BettorIndex = 0;
  t.pool.NumEntries = 10;
  const PoolState before = t.pool;
  w.WaitForRun();
  ASSERT_EQ(w.ProcessingStatus(), "Completed");
  const Grid& entries = Entries(w);
  EXPECT_EQ(entries.Rows(), 3001);
  EXPECT_EQ(entries.TextMatrix(entries.Rows() - 1, 0).rfind("Zed ", 0), 0u);  // last by name
  // Nothing of the open pool was written by the run.
  EXPECT_EQ(t.pool.Bettors[1].Name, "Changed");
  for (int e = 1; e < static_cast<int>(before.Entries.size()); ++e)
    ASSERT_EQ(t.pool.Entries[e].Points, before.Entries[e].Points);
  for (int g = 1; g <= kMaxGames; ++g) ASSERT_EQ(t.pool.Games[g].Winner, before.Games[g].Winner);
}

TEST_F(PossibilitiesWindowTest, ResultsChangedWhileTheWindowWaitsAreCountedAgainBeforeARun) {
  // 16 teams with the semi-finals and the final open: 8 scenarios; 32 and
  // 64 teams with 3 of the last games open. Whatever the window would refuse
  // at open it refuses at Begin, with its beep, and goes; any other change of
  // the results or of the entries taking part is announced anew.
  const std::string early =
      "Sorry! Possibilities can only be computed for the last 4 rounds.\n\r\r"
      "Use 'Enter Results' on the Tools menu to enter more results.";
  struct Case {
    const char* what;
    int teams;
    void (*change)(PoolState&);
    int scenarios;  // announced anew; 0 when the window refuses and goes
    std::string refusal;
    void (*before)(PoolState&) = nullptr;  // before the window opens
  };
  const Case cases[] = {
      {"a semi-final decided", 16, [](PoolState& p) { p.Pool.Results[13] = p.Pool.Results[9]; },
       4, ""},
      {"a quarter-final cleared", 16, [](PoolState& p) { p.Pool.Results[12] = 0; }, 16, ""},
      {"a quarter-final won by the other team", 16,
       [](PoolState& p) {
         const int16_t a = p.Pool.Results[1], b = p.Pool.Results[2];
         p.Pool.Results[9] = p.Pool.Results[9] == a ? b : a;
       },
       8, ""},
      {"every game decided", 16,
       [](PoolState& p) {
         p.Pool.Results[13] = p.Pool.Results[9];
         p.Pool.Results[14] = p.Pool.Results[11];
         p.Pool.Results[15] = p.Pool.Results[13];
       },
       0, "Results are complete!  No possibilities to compute!"},
      {"a first-round result cleared of 32 teams", 32,
       [](PoolState& p) { p.Pool.Results[1] = 0; }, 0, early},
      {"a second-round result cleared of 64 teams", 64,
       [](PoolState& p) { p.Pool.Results[p.RoundEnd[1] + 1] = 0; }, 0, early},
      {"every entry deleted", 16,
       [](PoolState& p) {
         for (int e = 1; e <= p.NumEntries; ++e) p.Entries[e].BettorIndex = 0;
       },
       0, "No entries on file. No possibilities to compute!"},
      {"an entry deleted", 16, [](PoolState& p) { p.Entries[4].BettorIndex = 0; }, 8, ""},
      {"a deleted entry taken back", 16, [](PoolState& p) { p.Entries[4].BettorIndex = 4; }, 8,
       "", [](PoolState& p) { p.Entries[4].BettorIndex = 0; }},
  };
  // One row at a time, so a failed row leaves the others to run.
  auto check = [&](const Case& c) {
    UsePool(3, 12, false, c.teams);
    if (c.before) c.before(t.pool);
    t.prompts.asked.clear();
    t.prompts.beeps = 0;
    QPointer<frmPossibilities> w = new frmPossibilities(t.ctx);
    // Whatever ends the row, the window goes with it.
    struct Close {
      QPointer<frmPossibilities>& w;
      ~Close() { delete w.data(); }
    } close{w};
    w->show();
    ASSERT_FALSE(t.pool.DialogCancelled);
    ASSERT_EQ(Label(*w, "lblWarning")->text().toStdString(),
              "About to process 8 scenarios.  Click on 'Begin Processing' if you wish to "
              "continue.");
    c.change(t.pool);
    Button(*w, "cmdProcessing")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (c.scenarios == 0) {
      ASSERT_EQ(t.prompts.asked.size(), 1u);
      EXPECT_EQ(t.prompts.asked[0].text, c.refusal);
      EXPECT_EQ(t.prompts.beeps, 2);
      EXPECT_TRUE(t.pool.DialogCancelled);
      EXPECT_FALSE(t.pool.PossibilitiesReady);
      EXPECT_TRUE(w.isNull());
      return;
    }
    ASSERT_FALSE(w.isNull());
    // Not begun: the new count is announced and waits for the user.
    EXPECT_TRUE(t.prompts.asked.empty());
    EXPECT_EQ(w->ProcessingStatus(), "Not Begun");
    EXPECT_EQ(t.prompts.beeps, 2);
    EXPECT_EQ(Label(*w, "lblWarning")->text().toStdString(),
              "About to process " + std::to_string(c.scenarios) +
                  " scenarios.  Click on 'Begin Processing' if you wish to continue.");
    Button(*w, "cmdProcessing")->click();
    w->WaitForRun();
    ASSERT_EQ(w->ProcessingStatus(), "Completed");
    EXPECT_EQ(Scenarios(*w).Rows(), c.scenarios + 1);
    EXPECT_EQ(Entries(*w).Rows(), ActiveEntryCount(t.pool) + 1);
    for (int r = 1; r < Scenarios(*w).Rows(); ++r) {
      const std::string text = Scenarios(*w).TextMatrix(r, 0);
      EXPECT_EQ(text.find("Champion: ;"), std::string::npos) << text;
      EXPECT_NE(text, "Champion: ");
    }
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    check(c);
  }
}

TEST_F(PossibilitiesWindowTest, Pictures) {
  UsePool(6, 14);
  t.pool.MainWidth = 13000;
  t.pool.MainHeight = 9500;
  frmPossibilities w(t.ctx);
  w.show();
  QCoreApplication::processEvents();
  test::SaveShot(w.grab().toImage(), "possibilities_announcement");
  Button(w, "cmdProcessing")->click();
  QCoreApplication::processEvents();
  test::SaveShot(w.grab().toImage(), "possibilities_running");
  w.WaitForRun();
  QCoreApplication::processEvents();
  test::SaveShot(w.grab().toImage(), "possibilities_by_scenario");
  w.SSTab1()->setCurrentIndex(1);
  QCoreApplication::processEvents();
  test::SaveShot(w.grab().toImage(), "possibilities_by_name");

  UsePool(9, 14, true);
  frmPossibilities many(t.ctx);
  many.resize(w.size());
  many.show();
  QCoreApplication::processEvents();
  test::SaveShot(many.grab().toImage(), "possibilities_re_paired");
  Button(many, "cmdProcessing")->click();
  many.WaitForRun();
  QCoreApplication::processEvents();
  test::SaveShot(many.grab().toImage(), "possibilities_many_scenarios");
}

}  // namespace
}  // namespace qb
