// File > Close, New and Open hand what the pool and the windows they closed
// held back to the system: only once those windows are gone, or a
// possibilities run's snapshot and grids are still held when it happens.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>

#include <functional>
#include <vector>

#include "shell/frmMain.h"
#include "shell/window_table.h"
#include "standings/frmPossibilities.h"
#include "standings/logic/possibility_pools.h"
#include "support/modal_answer.h"

namespace qb {
namespace {

TEST(FreedMemory, IsReturnedOnceTheWindowsTheCommandClosedAreGone) {
  struct Case {
    const char* command;
    std::function<void(TestContext&)> answer;  // what the command will ask
  };
  const Case cases[] = {
      {"mnuFileClose", [](TestContext&) {}},
      {"mnuFileNew",
       [](TestContext&) { test::OnNextModal<QDialog>([](QDialog* d) { d->reject(); }); }},
      {"mnuFileOpen",
       [](TestContext& t) { t.files.Queue(std::string(QB_FIXTURES) + "/pool_5_teams.qbp"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    TestContext t;
    t.pool = testing::MakeRandomPool({.teams = 16, .entries = 40, .openGames = 4}, 3);
    t.pool.Pool.PoolName = "Office";
    t.pool.SoundStatus = "Off";
    frmMain main(t.ctx, StandardWindows());
    main.MDIForm_Load();
    main.show();
    main.EnableFileCommands();
    main.AdjustMenuForParameters();

    main.RunCommand("mnuReportsPossible");
    QPointer<frmPossibilities> possibilities =
        dynamic_cast<frmPossibilities*>(main.ActiveChild());
    ASSERT_TRUE(possibilities);
    possibilities->findChild<QPushButton*>("cmdProcessing")->click();
    possibilities->WaitForRun();
    ASSERT_EQ(possibilities->ProcessingStatus(), "Completed");
    main.RunCommand("mnuReportsDisplayRankings");
    ASSERT_EQ(main.ActiveWindowName(), "frmDisplayRank");
    QPointer<ChildWindow> rankings = main.ActiveChild();

    std::vector<bool> windowsGoneAtEachReturn;
    t.ctx.returnFreedMemory = [&] {
      windowsGoneAtEachReturn.push_back(possibilities.isNull() && rankings.isNull());
    };
    t.pool.PoolChanged = false;
    c.answer(t);
    main.RunCommand(c.command);
    EXPECT_EQ(windowsGoneAtEachReturn, std::vector<bool>{true});
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
  }
}

}  // namespace
}  // namespace qb
