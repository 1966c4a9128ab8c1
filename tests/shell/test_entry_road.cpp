// The road of a new entry through the program's own windows: Edit > Input/Edit
// Entry, New, the entry header, the editor in the main window, OK, and the
// entry selection back for the next entry.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "core/bracket.h"
#include "core/currency.h"
#include "entries/frmEditEntry.h"
#include "entries/frmEntryHeader.h"
#include "entries/frmSelectEntry.h"
#include "shell/window_table.h"
#include "new_entry_support.h"
#include "shell_fixture.h"
#include "support/modal_answer.h"

namespace qb {
namespace {

class EntryRoadTest : public ShellTest {
 protected:
  void SetUp() override {
    MakeStandardMain();
    main->resize(1000, 700);
    OpenBracket(8);
  }
  frmEditEntry* Editor() {
    for (QMdiSubWindow* sub : main->findChild<QMdiArea*>()->subWindowList())
      if (auto* e = qobject_cast<frmEditEntry*>(sub->widget())) return e;
    return nullptr;
  }
};

TEST_F(EntryRoadTest, ANewEntryGoesFromTheSelectionThroughTheEditorAndBack) {
  test::NewEntryThroughTheWindows(*main, "Carol");

  frmEditEntry* editor = Editor();
  ASSERT_NE(editor, nullptr);
  PoolState& p = t.pool;
  ASSERT_EQ(p.NumEntries, 1);
  EXPECT_EQ(p.Bettors[p.Entries[1].BettorIndex].Name, "Carol");
  EXPECT_EQ(editor->windowTitle().toStdString().rfind("Edit Entry #1 for Carol", 0), 0u);
  EXPECT_EQ(p.EditEntryNumber, 1);

  // View > Show Entry Scoring Summary cuts the scoring frames off and back.
  auto* frame = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
  const int full = frame->height();
  main->MenuItem("mnuViewShowScoring")->trigger();
  const int cut = frame->height();
  EXPECT_LT(cut, full);
  main->MenuItem("mnuViewShowScoring")->trigger();
  EXPECT_GT(frame->height(), cut);
  EXPECT_GE(editor->height(), editor->canvas()->height());

  editor->cmdFill_Click();
  // The next selection shows the new entry; closing it ends the road.
  std::vector<std::string> listed;
  test::OnNextModal<frmSelectEntry>([&listed](frmSelectEntry* selection) {
    auto* list = selection->findChild<QTreeWidget*>("lstEntries");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      listed.push_back(list->topLevelItem(i)->text(0).toStdString());
    selection->reject();
  });
  main->MenuItem("mnuEditOK")->trigger();
  Flush();
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(p.Picks(7, 1), 1);
  EXPECT_TRUE(p.PoolChanged);
  EXPECT_EQ(p.EditEntryNumber, 0);
  EXPECT_EQ(listed, std::vector<std::string>{"Carol"});
}

TEST_F(EntryRoadTest, TheEditorsCloseBoxAsksOnceAndANewEntryClosedUnsavedIsGone) {
  test::NewEntryThroughTheWindows(*main, "Dan");
  frmEditEntry* editor = Editor();
  ASSERT_NE(editor, nullptr);
  editor->cmdFill_Click();
  t.prompts.Queue(MsgAnswer::No);  // keep your changes?
  ASSERT_TRUE(qobject_cast<QMdiSubWindow*>(editor->parentWidget())->close());
  Flush();
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.pool.NumEntries, 0);
  EXPECT_EQ(t.pool.EditEntryNumber, 0);
}

TEST_F(EntryRoadTest, AddingOrDeletingEntriesLeavesNothingForThePoolParametersToAsk) {
  PoolState& p = t.pool;
  p.Pool.CostPerEntry = Currency::FromDouble(5);
  p.Pool.PayoutPct[1] = 70;
  p.Pool.PayoutPct[2] = 30;
  SetupBracketFromParameters(p, t.prompts);
  auto okAtParameters = [this] {
    t.prompts.asked.clear();
    test::OnNextModal<QDialog>([](QDialog* parms) {
      QTest::mouseClick(parms->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    });
    main->MenuItem("mnuEditParms")->trigger();
    Flush();
  };
  auto addEntry = [this](const char* name) {
    test::NewEntryThroughTheWindows(*main, name);
    ASSERT_NE(Editor(), nullptr);
    test::OnNextModal<frmSelectEntry>([](frmSelectEntry* selection) { selection->reject(); });
    t.prompts.Queue(MsgAnswer::Yes);  // complete? (the picks are left open)
    Editor()->cmdOK_Click();
    Flush();
  };
  addEntry("Ann");
  addEntry("Bob");
  ASSERT_EQ(p.NumEntries, 2);
  EXPECT_EQ(p.PayoutAmt[1], Currency::FromDouble(7));
  okAtParameters();
  EXPECT_FALSE(t.prompts.AnyTextContains("WARNING!"));

  test::OnNextModal<frmSelectEntry>([](frmSelectEntry* selection) {
    selection->SelectEntry(1);
    QTest::mouseClick(selection->findChild<QPushButton*>("cmdDelete"), Qt::LeftButton);
    selection->reject();
  });
  t.prompts.Queue(MsgAnswer::Yes);  // delete the entry?
  main->MenuItem("mnuEditEntry")->trigger();
  Flush();
  EXPECT_LT(p.PayoutAmt[1], Currency::FromDouble(7));  // one entry's share now
  okAtParameters();
  EXPECT_FALSE(t.prompts.AnyTextContains("WARNING!"));
}

}  // namespace
}  // namespace qb
