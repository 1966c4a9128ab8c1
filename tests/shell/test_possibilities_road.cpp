// Reports > Display Possible Results with the real window: the refusal that
// keeps it closed, and the pool closed while a run goes on.
#include <QApplication>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>

#include "shell_fixture.h"
#include "standings/frmPossibilities.h"
#include "standings/logic/possibilities_run.h"
#include "standings/logic/possibility_pools.h"

namespace qb {
namespace {

struct PossibilitiesRoad : ::testing::Test {
  TestContext t;
  std::unique_ptr<frmMain> main;

  void OpenPool(int openGames, int entries) {
    testing::PoolRecipe recipe;
    recipe.teams = 64;
    recipe.entries = entries;
    recipe.openGames = openGames;
    t.pool = testing::MakeRandomPool(recipe, 11);
    t.pool.Pool.PoolName = "Office";
    t.pool.SoundStatus = "Off";
    main = std::make_unique<frmMain>(t.ctx, StandardWindows());
    main->MDIForm_Load();
    main->show();
    main->EnableFileCommands();
  }
};

TEST_F(PossibilitiesRoad, ARefusedLoadShowsNoWindow) {
  OpenPool(0, 5);
  ASSERT_TRUE(main->MenuItem("mnuReportsPossible")->isEnabled());
  main->RunCommand("mnuReportsPossible");
  EXPECT_TRUE(t.prompts.AnyTextContains("Results are complete!  No possibilities to compute!"));
  EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
  EXPECT_FALSE(t.pool.DialogCancelled);
}

TEST_F(PossibilitiesRoad, ClosingThePoolCancelsTheRunFirst) {
  OpenPool(15, 4000);
  main->RunCommand("mnuReportsPossible");
  ASSERT_EQ(main->ActiveWindowName(), "frmPossibilities");
  QPointer<frmPossibilities> w = dynamic_cast<frmPossibilities*>(main->ActiveChild());
  ASSERT_TRUE(w);
  w->findChild<QPushButton*>("cmdProcessing")->click();
  ASSERT_NE(w->Run(), nullptr);
  main->RunCommand("mnuFileClose");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  EXPECT_TRUE(w.isNull());
  EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
  EXPECT_FALSE(t.pool.PossibilitiesReady);
}

}  // namespace
}  // namespace qb
