// Child windows with a bracket larger than the main window's client area.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

#include "bracket/bracket_view.h"

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

// Cut to the client area's height, the setup window scrolls up and down; its
// width still has room, so the bracket must not scroll sideways as well.
TEST(ChildPlacement, ABracketCutInHeightOnlyScrollsUpAndDown) {
  TestContext t;
  t.pool.SoundStatus = "Off";
  PoolState& p = t.pool;
  p.Pool.NumTeams = 64;
  for (int n = 1; n <= 64; ++n) p.Teams[n].Name = "Team " + std::to_string(n);
  SetupBracketFromParameters(p, t.prompts);
  frmMain main(t.ctx, StandardWindows());
  main.MDIForm_Load();
  main.resize(900, 600);
  main.show();
  main.EnableFileCommands();
  main.AdjustMenuForParameters();
  main.RunCommand("mnuEditSetup");
  QApplication::processEvents();
  auto* view = main.ActiveChild()->findChild<BracketView*>();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->verticalScrollBar()->isVisible());
  EXPECT_FALSE(view->horizontalScrollBar()->isVisible())
      << "content " << view->widget()->width() << ", room " << view->viewport()->width();
}

}  // namespace
}  // namespace qb
