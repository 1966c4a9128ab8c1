// Reports > Display Rankings through the program's own windows: the rankings
// window in the main window, its menus, the entry it hands to the editor,
// and Edit > Save and Exit closing it.
#include "standings/logic/rank_pools.h"

#include <QApplication>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTest>

#include "entries/frmEditEntry.h"
#include "entries/logic/entry_list.h"
#include "platform/grid_view.h"
#include "shell_fixture.h"
#include "standings/frmDisplayRank.h"

namespace qb {
namespace {

class RankingsRoad : public ShellTest {
 protected:
  void SetUp() override {
    t.pool = testing::FourEntriesDecided().s;
    MakeStandardMain();
    main->resize(1100, 750);
    ShowMain();
    main->EnableFileCommands();
    main->AdjustMenuForParameters();
  }
  frmDisplayRank* Rankings() { return dynamic_cast<frmDisplayRank*>(main->ActiveChild()); }
};

TEST_F(RankingsRoad, OpensOnceAndClosesFromTheEditMenu) {
  ASSERT_TRUE(Enabled("mnuReportsDisplayRankings"));
  ASSERT_TRUE(ButtonEnabled("DisplayRank"));
  main->RunCommand("mnuReportsDisplayRankings");
  frmDisplayRank* rank = Rankings();
  ASSERT_NE(rank, nullptr);
  EXPECT_TRUE(t.pool.DisplayRankOpen);
  QApplication::processEvents();
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdSortByPoints");
  EXPECT_TRUE(Enabled("mnuFilePrint"));
  EXPECT_TRUE(Enabled("mnuFilePrintToFile"));
  // Shown again, the loaded window only comes forward.
  main->RunCommand("mnuReportsDisplayRankings");
  EXPECT_EQ(Rankings(), rank);
  EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);

  main->RunCommand("mnuEditOK");
  Flush();
  EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
  EXPECT_FALSE(t.pool.DisplayRankOpen);
}

// Ctrl+F4 closes the child window in front as its close box does; Escape
// closes a report window, wherever its focus stands.
TEST_F(RankingsRoad, CtrlF4AndEscapeCloseTheReportWindowAndCtrlF4TheEntryEditor) {
  struct Case {
    const char* what;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  };
  for (const Case& c : {Case{"Ctrl+F4", Qt::Key_F4, Qt::ControlModifier},
                        Case{"Escape", Qt::Key_Escape, Qt::NoModifier}}) {
    SCOPED_TRACE(c.what);
    main->RunCommand("mnuReportsDisplayRankings");
    ASSERT_NE(Rankings(), nullptr);
    Flush();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, c.key, c.modifiers);
    Flush();
    EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(t.pool.DisplayRankOpen);
  }

  // The entry editor, opened from the rankings, asks as its close box does:
  // a change is kept or not at the user's word, and Cancel keeps it open.
  main->RunCommand("mnuReportsDisplayRankings");
  Rankings()->flxRank_DblClick(2);
  auto* editor = dynamic_cast<frmEditEntry*>(main->ActiveChild());
  ASSERT_NE(editor, nullptr);
  Flush();
  const int entry = editor->entry();
  const bool collected = t.pool.Entries[entry].Collected;
  QTest::mouseClick(editor->findChild<QCheckBox*>("chkCollected"), Qt::LeftButton);
  ASSERT_TRUE(editor->entryChanged());
  const auto ctrlF4 = [editor] {
    QWidget* inEditor = editor->focusWidget() ? editor->focusWidget() : editor;
    QTest::keyClick(inEditor, Qt::Key_F4, Qt::ControlModifier);
    Flush();
  };
  t.prompts.asked.clear();
  t.prompts.Queue(MsgAnswer::Cancel);
  ctrlF4();
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text, "Do you wish to keep your changes?");
  ASSERT_EQ(main->ActiveChild(), editor);
  EXPECT_EQ(main->mdiArea()->subWindowList().size(), 2);

  t.prompts.Queue(MsgAnswer::No);
  ctrlF4();
  ASSERT_EQ(t.prompts.asked.size(), 2u);
  EXPECT_EQ(t.prompts.asked[1].text, "Do you wish to keep your changes?");
  EXPECT_EQ(main->ActiveWindowName(), "frmDisplayRank");
  EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);
  EXPECT_EQ(t.pool.Entries[entry].Collected, collected);
  EXPECT_EQ(t.pool.EditEntryNumber, 0);
}

TEST_F(RankingsRoad, AnIncompleteBracketIsRefusedBeforeTheWindowLoads) {
  t.pool.Teams[3].Name.clear();
  main->RunCommand("mnuReportsDisplayRankings");
  EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
  EXPECT_FALSE(t.pool.DisplayRankOpen);
}

TEST_F(RankingsRoad, AStandingsEntryOpensInTheEditorAndNoSecondOneWhileItIsOpen) {
  main->RunCommand("mnuReportsDisplayRankings");
  frmDisplayRank* rank = Rankings();
  ASSERT_NE(rank, nullptr);
  rank->flxRank_DblClick(2);  // Ann, first by current points
  auto* editor = dynamic_cast<frmEditEntry*>(main->ActiveChild());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->entry(), 1);
  rank->flxPayouts_Click(1);
  EXPECT_EQ(t.prompts.LastText(),
            "Another Entry is already open!\r\nPlease close it before editing another entry!");
  EXPECT_EQ(t.pool.EditEntryNumber, 1);
}

// The editor hands the focus back to the window: it lands on the grid the
// entry was opened from, not on the window as a whole where no key works.
TEST_F(RankingsRoad, TheFocusComesBackToTheGridWhenTheEditorCloses) {
  main->RunCommand("mnuReportsDisplayRankings");
  frmDisplayRank* rank = Rankings();
  ASSERT_NE(rank, nullptr);
  auto* grid = rank->findChild<GridView*>("flxRank");
  Flush();  // the window's first focus, on the current-points button
  grid->setFocus();
  Flush();
  ASSERT_EQ(QApplication::focusWidget(), grid);
  rank->flxRank_DblClick(2);
  Flush();
  ASSERT_EQ(main->ActiveWindowName(), "frmEditEntry");
  main->RunCommand("mnuEditOK");
  Flush();
  EXPECT_EQ(t.pool.EditEntryNumber, 0);
  EXPECT_EQ(main->ActiveChild(), rank);
  EXPECT_EQ(QApplication::focusWidget(), grid);
}

// The window keeps the pool as it was at load: an entry deleted since then
// does not open from its old row on either tab, and the others still do.
TEST_F(RankingsRoad, AnEntryDeletedAfterLoadDoesNotOpenFromItsOldRow) {
  main->RunCommand("mnuReportsDisplayRankings");
  frmDisplayRank* rank = Rankings();
  ASSERT_NE(rank, nullptr);
  DeleteEntry(t.pool, 1);  // Ann: first in the standings and in the winners
  for (auto open : {+[](frmDisplayRank* w) { w->flxRank_DblClick(2); },
                    +[](frmDisplayRank* w) { w->flxPayouts_Click(1); }}) {
    t.prompts.asked.clear();
    open(rank);
    Flush();
    EXPECT_EQ(t.pool.EditEntryNumber, 0);
    EXPECT_EQ(main->ActiveChild(), rank);
    EXPECT_EQ(t.prompts.LastText(),
              "This entry is no longer in the pool.\r\nPlease open the report again!");
  }
  rank->flxRank_DblClick(3);  // Dee
  Flush();
  EXPECT_EQ(t.pool.EditEntryNumber, 5);
}

// A picture of the window inside the main window: QB_STANDINGS_SHOTS=dir writes it.
TEST_F(RankingsRoad, Picture) {
  const QByteArray dir = qgetenv("QB_STANDINGS_SHOTS");
  if (dir.isEmpty()) GTEST_SKIP() << "set QB_STANDINGS_SHOTS to a folder to write pictures";
  main->RunCommand("mnuReportsDisplayRankings");
  Flush();
  EXPECT_TRUE(main->grab().save(QString(dir) + "/rankings_in_main.png"));
}

}  // namespace
}  // namespace qb
