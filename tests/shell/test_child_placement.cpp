// Child windows with a bracket larger than the main window's client area.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

#include "bracket/bracket_view.h"
#include "shell_fixture.h"

namespace qb {
namespace {

class ChildPlacement : public ShellTest {
 protected:
  // A 64-team bracket in a main window of this size.
  void OpenLargeBracket(int width, int height) {
    t.pool.SoundStatus = "Off";
    MakeStandardMain();
    main->resize(width, height);
    main->show();
    OpenBracket(64);
  }
};

// A 64-team bracket is taller than a small main window: the window must stay
// inside the client area, where its own scroll bars and edges can be reached.
TEST_F(ChildPlacement, ABracketWindowFitsTheClientArea) {
  OpenLargeBracket(700, 450);
  for (const char* command : {"mnuEditResults", "mnuEditSetup"}) {
    SCOPED_TRACE(command);
    main->RunCommand(command);
    QMdiSubWindow* sub = main->mdiArea()->activeSubWindow();
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(main->mdiArea()->viewport()->rect().contains(sub->geometry()))
        << sub->geometry().height() << " > " << main->mdiArea()->viewport()->height();
    main->RunCommand("mnuEditCancel");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
  EXPECT_EQ(t.prompts.unanswered, 0);
}

// Cut to the client area's height, the setup window scrolls up and down; its
// width still has room, so the bracket must not scroll sideways as well.
TEST_F(ChildPlacement, ABracketCutInHeightOnlyScrollsUpAndDown) {
  OpenLargeBracket(900, 600);
  main->RunCommand("mnuEditSetup");
  QApplication::processEvents();
  auto* view = main->ActiveChild()->findChild<BracketView*>();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->verticalScrollBar()->isVisible());
  EXPECT_FALSE(view->horizontalScrollBar()->isVisible())
      << "content " << view->widget()->width() << ", room " << view->viewport()->width();
}

}  // namespace
}  // namespace qb
