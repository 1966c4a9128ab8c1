// Reports > Display Pool Analysis and Display Participant and Entry Info with
// the program's own windows: the list of entries with a pick in a window of
// its own, entries opened from the reports into the editor, and the windows
// going with the pool and the main window.
// The pool builders first: their variables named "slots" must come before Qt's macro.
#include "standings/logic/analysis_pools.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "core/pool_file_writer.h"
#include "entries/frmEditEntry.h"
#include "platform/grid_view.h"
#include "shell/frmMain.h"
#include "shell/window_table.h"
#include "standings/frmEntriesWithPick.h"
#include "standings/frmListBettors.h"
#include "standings/frmPoolAnalysis.h"

namespace qb {
namespace {

struct AnalysisRoad : ::testing::Test {
  TestContext t;
  std::unique_ptr<frmMain> main;

  void SetUp() override {
    PoolState& s = t.pool;
    s = testing::Bracket(8);
    s.Pool.PoolName = "Office";
    s.Pool.Results[1] = 1;
    testing::AddEntry(s, "Ann", 1, {1, 3, 5, 7, 1, 5, 1});
    testing::AddEntry(s, "Bob", 1, {1, 4, 6, 8, 1, 8, 1});
    testing::AddEntry(s, "Cy", 1, {2, 3, 5, 7, 3, 5, 5});
    main = std::make_unique<frmMain>(t.ctx, StandardWindows());
    main->MDIForm_Load();
    main->resize(1000, 700);
    main->show();
    main->EnableFileCommands();
    main->AdjustMenuForParameters();
  }
  void TearDown() override {
    main.reset();
    while (frmEntriesWithPick* f = frmEntriesWithPick::Loaded()) delete f;
  }
  static void Flush() {
    for (int i = 0; i < 3; ++i) {
      QApplication::processEvents();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
  frmPoolAnalysis* OpenAnalysis() {
    main->RunCommand("mnuReportsPoolAnalysis");
    return dynamic_cast<frmPoolAnalysis*>(main->ActiveChild());
  }
  // Shows the entries that picked slot 1 to win the final.
  frmEntriesWithPick* ShowChampionPicks(frmPoolAnalysis* w) {
    Grid& g = w->flxTeam->grid();
    for (int r = 3; r < g.Rows(); ++r)
      if (g.TextMatrix(r, g.Cols() - 1) == "1") g.SetRow(r);
    g.SetCol(3);
    w->cmdShow->click();
    return frmEntriesWithPick::Loaded();
  }
};

TEST_F(AnalysisRoad, TheListOfEntriesWithAPickLeavesTheEntryInTheEditorAlone) {
  PoolState& s = t.pool;
  // Cy's entry is open in the editor.
  ASSERT_TRUE(OpenEntryEditor(t.ctx, 3, nullptr));
  ASSERT_EQ(main->ActiveWindowName(), "frmEditEntry");
  const int current = s.CurrentEntry;

  frmPoolAnalysis* w = OpenAnalysis();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(s.PoolAnalysisOpen);
  frmEntriesWithPick* list = ShowChampionPicks(w);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->flxEntries->grid().Rows(), 3);  // Ann and Bob
  EXPECT_EQ(s.CurrentEntry, current);
  EXPECT_EQ(s.EditEntryNumber, 3);

  // Show Entry while Cy's entry is open: refused, the editor keeps Cy's.
  list->flxEntries->grid().SetRow(1);
  list->cmdShow->click();
  EXPECT_TRUE(t.prompts.AnyTextContains("Another Entry is already open!"));
  EXPECT_EQ(s.EditEntryNumber, 3);

  // The editor's OK stores Cy's picks into Cy's entry; the listed ones keep theirs.
  for (QMdiSubWindow* sub : main->mdiArea()->subWindowList())
    if (qobject_cast<frmEditEntry*>(sub->widget())) main->mdiArea()->setActiveSubWindow(sub);
  ASSERT_EQ(main->ActiveWindowName(), "frmEditEntry");
  main->RunCommand("mnuEditOK");
  Flush();
  const std::vector<int16_t> ann = {1, 3, 5, 7, 1, 5, 1}, bob = {1, 4, 6, 8, 1, 8, 1},
                             cy = {2, 3, 5, 7, 3, 5, 5};
  for (int g = 1; g <= 7; ++g) {
    EXPECT_EQ(s.Picks(g, 1), ann[g - 1]);
    EXPECT_EQ(s.Picks(g, 2), bob[g - 1]);
    EXPECT_EQ(s.Picks(g, 3), cy[g - 1]);
  }
}

TEST_F(AnalysisRoad, EntriesOpenFromTheReportsIntoTheEditor) {
  PoolState& s = t.pool;
  frmEntriesWithPick* list = ShowChampionPicks(OpenAnalysis());
  ASSERT_NE(list, nullptr);
  list->flxEntries->grid().SetRow(1);
  list->cmdShow->click();
  Flush();
  EXPECT_GT(s.EditEntryNumber, 0);
  EXPECT_TRUE(list->isVisible());     // it stays open
  main->RunCommand("mnuEditCancel");  // the editor closes unchanged
  Flush();
  EXPECT_EQ(s.EditEntryNumber, 0);

  main->RunCommand("mnuReportsListBettors");
  auto* listing = dynamic_cast<frmListBettors*>(main->ActiveChild());
  ASSERT_NE(listing, nullptr);
  EXPECT_TRUE(s.ListBettorsOpen);
  EXPECT_EQ(listing->flxBettor->grid().Rows(), 4);
}

// The editor opened from the list comes in front of it, whole; when it
// closes (its Cancel or its close box) the list comes back in front with
// the keys in its grid, not a report window of the main window.
TEST_F(AnalysisRoad, TheListThatOpenedTheEditorComesBackInFrontWithItsGridFocused) {
  PoolState& s = t.pool;
  for (bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Cancel");
    main->RunCommand("mnuReportsDisplayRankings");
    frmEntriesWithPick* list = ShowChampionPicks(OpenAnalysis());
    ASSERT_NE(list, nullptr);
    Flush();
    list->flxEntries->grid().SetRow(1);
    list->cmdShow->click();
    Flush();
    ASSERT_GT(s.EditEntryNumber, 0);
    EXPECT_EQ(QApplication::activeWindow(), main.get());
    QMdiSubWindow* editorFrame = main->mdiArea()->activeSubWindow();
    ASSERT_TRUE(editorFrame && qobject_cast<frmEditEntry*>(editorFrame->widget()));
    if (closeBox)
      editorFrame->close();
    else
      main->RunCommand("mnuEditCancel");
    Flush();
    EXPECT_EQ(s.EditEntryNumber, 0);
    EXPECT_EQ(QApplication::activeWindow(), list);
    EXPECT_EQ(QApplication::focusWidget(), list->flxEntries);
    const int row = list->flxEntries->grid().Row();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(list->flxEntries->grid().Row(), row + 1);
    list->close();
    Flush();
  }
}

TEST_F(AnalysisRoad, TheReportsGoWithThePoolAndTheListWithTheMainWindow) {
  PoolState& s = t.pool;
  QPointer<frmPoolAnalysis> w = OpenAnalysis();
  QPointer<frmEntriesWithPick> list = ShowChampionPicks(w);
  main->RunCommand("mnuReportsListBettors");
  ASSERT_EQ(main->mdiArea()->subWindowList().size(), 2);
  // Shown again: only brought forward.
  main->RunCommand("mnuReportsPoolAnalysis");
  EXPECT_EQ(main->ActiveChild(), w.data());
  EXPECT_EQ(main->mdiArea()->subWindowList().size(), 2);

  main->RunCommand("mnuFileClose");
  Flush();
  EXPECT_TRUE(w.isNull());
  EXPECT_FALSE(s.PoolAnalysisOpen);
  EXPECT_FALSE(s.ListBettorsOpen);
  ASSERT_TRUE(list);
  EXPECT_TRUE(main->close());
  Flush();
  EXPECT_TRUE(list.isNull() || !list->isVisible());
}

// The list of entries with a pick has a window of its own and outlives the
// pool it was made from: once another pool is opened, a row that shows the
// caption of one of its entries does not open it.
TEST_F(AnalysisRoad, TheListOfEntriesWithAPickOpensNothingOfAPoolOpenedAfterIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string other = dir.filePath("other.qbp").toStdString();
  {
    PoolState copy = t.pool;  // the same participants and entry numbers
    copy.Pool.PoolName = "Other";
    std::ofstream(other, std::ios::binary) << PoolFileText(copy, PoolFileLayout::Full, std::tm{});
  }
  QPointer<frmEntriesWithPick> list = ShowChampionPicks(OpenAnalysis());
  ASSERT_TRUE(list);
  t.files.Queue(other);
  main->RunCommand("mnuFileOpen");
  Flush();
  ASSERT_EQ(t.pool.Pool.PoolName, "Other");
  ASSERT_TRUE(list);
  ASSERT_EQ(list->flxEntries->grid().TextMatrix(1, 1), "Ann #1");
  ASSERT_EQ(t.pool.Bettors[t.pool.Entries[1].BettorIndex].Name, "Ann");

  t.prompts.asked.clear();
  list->flxEntries->grid().SetRow(1);
  list->cmdShow->click();
  EXPECT_EQ(t.pool.EditEntryNumber, 0);
  EXPECT_EQ(t.prompts.LastText(),
            "This entry is no longer in the pool.\r\nPlease open the report again!");
}

}  // namespace
}  // namespace qb
