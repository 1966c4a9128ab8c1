// Child windows with a bracket larger than the main window's client area.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/bracket.h"
#include "shell/window_table.h"
#include "shell_fixture.h"

namespace qb {
namespace {

// A 64-team bracket is taller than a small main window: the window must stay
// inside the client area, where its own scroll bars and edges can be reached.
TEST(ChildPlacement, ABracketWindowFitsTheClientArea) {
  TestContext t;
  t.pool.SoundStatus = "Off";
  PoolState& p = t.pool;
  p.Pool.NumTeams = 64;
  for (int n = 1; n <= 64; ++n) p.Teams[n].Name = "Team " + std::to_string(n);
  SetupBracketFromParameters(p, t.prompts);
  frmMain main(t.ctx, StandardWindows());
  main.MDIForm_Load();
  main.resize(700, 450);
  main.show();
  main.EnableFileCommands();
  main.AdjustMenuForParameters();

  for (const char* command : {"mnuEditResults", "mnuEditSetup"}) {
    SCOPED_TRACE(command);
    main.RunCommand(command);
    QMdiSubWindow* sub = main.mdiArea()->activeSubWindow();
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(main.mdiArea()->viewport()->rect().contains(sub->geometry()))
        << sub->geometry().height() << " > " << main.mdiArea()->viewport()->height();
    main.RunCommand("mnuEditCancel");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
  EXPECT_EQ(t.prompts.unanswered, 0);
}

}  // namespace
}  // namespace qb
