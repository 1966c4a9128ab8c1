// Reports > Display Possible Results as a pool manager goes through it: the
// refusals of odd pools, a run closed with the program, a second look after
// a run, and the entry opened from a row.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "platform/grid_view.h"
#include "shell_fixture.h"
#include "standings/frmPossibilities.h"
#include "standings/logic/possibilities_grids.h"
#include "standings/logic/possibilities_run.h"
#include "standings/logic/possibility_pools.h"

namespace qb {
namespace {

struct PossibilitiesUserRoad : ::testing::Test {
  TestContext t;
  std::unique_ptr<frmMain> main;

  void OpenPool(testing::PoolRecipe recipe, uint32_t seed = 5) {
    t.pool = testing::MakeRandomPool(recipe, seed);
    t.pool.Pool.PoolName = "Office";
    t.pool.SoundStatus = "Off";
    main = std::make_unique<frmMain>(t.ctx, StandardWindows());
    main->MDIForm_Load();
    main->resize(1000, 700);
    main->show();
    main->EnableFileCommands();
  }
  frmPossibilities* Open() {
    main->RunCommand("mnuReportsPossible");
    return dynamic_cast<frmPossibilities*>(main->ActiveChild());
  }
  static QPushButton* Button(frmPossibilities* w) {
    return w->findChild<QPushButton*>("cmdProcessing");
  }
  static void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
};

TEST_F(PossibilitiesUserRoad, OddPoolsAreRefusedWithTheirTexts) {
  struct Case {
    const char* name;
    int teams, openGames;
    double deleted;
    const char* text;  // empty: the window opens
  };
  const Case cases[] = {
      {"every entry deleted", 16, 4, 1.0, "No entries on file. No possibilities to compute!"},
      {"a first-round game open in 64 teams", 64, 0, 0.0,
       "Sorry! Possibilities can only be computed for the last 4 rounds."},
      {"five teams, everything open", 5, 7, 0.0, ""},
      {"four teams, everything open", 4, 3, 0.0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::PoolRecipe recipe;
    recipe.teams = c.teams;
    recipe.openGames = c.openGames;
    recipe.deletedShare = c.deleted;
    OpenPool(recipe);
    if (c.openGames == 0) t.pool.Pool.Results[1] = 0;  // game 1 of 63
    frmPossibilities* w = Open();
    if (*c.text) {
      EXPECT_TRUE(t.prompts.AnyTextContains(c.text));
      EXPECT_EQ(w, nullptr);
      EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
    } else {
      ASSERT_NE(w, nullptr);
      Button(w)->click();
      w->WaitForRun();
      EXPECT_EQ(w->ProcessingStatus(), "Completed");
      EXPECT_EQ(w->Run()->Total(), c.teams == 4 ? 8 : 16);  // five teams: three Bye games decided
    }
    main->close();
    main.reset();
    t.prompts.asked.clear();
  }
}

TEST_F(PossibilitiesUserRoad, ClosingTheProgramDuringARunStopsItAndGoes) {
  testing::PoolRecipe recipe;
  recipe.teams = 64;
  recipe.openGames = 15;
  recipe.entries = 4000;
  OpenPool(recipe);
  QPointer<frmPossibilities> w = Open();
  ASSERT_TRUE(w);
  Button(w)->click();
  ASSERT_EQ(w->ProcessingStatus(), "Processing");
  EXPECT_TRUE(main->close());
  Settle();
  EXPECT_TRUE(w.isNull());
  EXPECT_FALSE(t.pool.PossibilitiesReady);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PossibilitiesUserRoad, AfterARunTheWindowComesForwardAndAfterClosingItStartsAfresh) {
  testing::PoolRecipe recipe;
  recipe.teams = 16;
  recipe.openGames = 5;
  OpenPool(recipe);
  frmPossibilities* w = Open();
  ASSERT_NE(w, nullptr);
  Button(w)->click();
  w->WaitForRun();
  ASSERT_EQ(w->ProcessingStatus(), "Completed");
  EXPECT_TRUE(t.pool.PossibilitiesReady);
  // Asked for again while it is open: the same window, its run kept.
  EXPECT_EQ(Open(), w);
  EXPECT_EQ(w->ProcessingStatus(), "Completed");
  Button(w)->click();  // "Close"
  Settle();
  EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
  EXPECT_FALSE(t.pool.PossibilitiesReady);
  w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->ProcessingStatus(), "Not Begun");
  EXPECT_EQ(Button(w)->text(), "Begin Processing");
  EXPECT_EQ(w->Run(), nullptr);
}

TEST_F(PossibilitiesUserRoad, CancelledAtOnceItSortsEmptyRowsAndOpensNothing) {
  testing::PoolRecipe recipe;
  recipe.teams = 64;
  recipe.openGames = 15;
  recipe.entries = 3000;
  OpenPool(recipe);
  frmPossibilities* w = Open();
  ASSERT_NE(w, nullptr);
  Button(w)->click();
  Button(w)->click();
  w->WaitForRun();
  ASSERT_EQ(w->ProcessingStatus(), "Cancelled");
  for (const char* sort : {"cmdSortByTotal", "cmdSortByPosition", "cmdSortByName"})
    w->findChild<QPushButton*>(sort)->click();
  w->SSTab1()->setCurrentIndex(1);
  auto* view = w->findChild<GridView*>("flxEntries");
  view->RefreshLayout();
  const QRect cell = view->visualRect(view->model()->index(1, 0));
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(t.pool.EditEntryNumber, 0);
  EXPECT_EQ(main->ActiveWindowName(), "frmPossibilities");
  Button(w)->click();
  Settle();
  EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
}

TEST_F(PossibilitiesUserRoad, AnEntryOpenedFromARowGivesTheFocusBackWhenItCloses) {
  testing::PoolRecipe recipe;
  recipe.teams = 8;
  recipe.openGames = 3;
  recipe.entries = 6;
  recipe.deletedShare = 0;
  OpenPool(recipe);
  frmPossibilities* w = Open();
  ASSERT_NE(w, nullptr);
  Button(w)->click();
  w->WaitForRun();
  w->SSTab1()->setCurrentIndex(1);
  auto* view = w->findChild<GridView*>("flxEntries");
  view->RefreshLayout();
  const int entry = EntryIndexOfRow(view->grid(), 2);
  ASSERT_GE(entry, 1);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                     view->visualRect(view->model()->index(2, 0)).center());
  ASSERT_EQ(main->ActiveWindowName(), "frmEditEntry");
  EXPECT_EQ(t.pool.EditEntryNumber, entry);
  // A second row while that one is open: refused, nothing else opens.
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                     view->visualRect(view->model()->index(3, 0)).center());
  EXPECT_TRUE(t.prompts.AnyTextContains("Another Entry is already open!"));
  EXPECT_EQ(t.pool.EditEntryNumber, entry);
  main->mdiArea()->setActiveSubWindow(
      qobject_cast<QMdiSubWindow*>(main->ActiveChild()->parentWidget()));
  ASSERT_EQ(main->ActiveWindowName(), "frmEditEntry");
  main->RunCommand("mnuEditCancel");
  Settle();
  EXPECT_EQ(t.pool.EditEntryNumber, 0);
  EXPECT_EQ(main->ActiveWindowName(), "frmPossibilities");
}

}  // namespace
}  // namespace qb
