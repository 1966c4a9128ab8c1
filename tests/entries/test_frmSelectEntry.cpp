#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QHeaderView>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <QTableWidget>

#include "entries/frmCopyEntry.h"
#include "entries/frmEntryParms.h"
#include "entries/frmSelectEntry.h"
#include "entry_editor_support.h"
#include "support/modal_answer.h"

namespace qb {
namespace {

using namespace qb::testing;

// A main window that opens the editor as the program's does.
class OpeningMainWindow : public FakeMainWindow {
 public:
  void ShowWindowByName(const std::string& name) override {
    FakeMainWindow::ShowWindowByName(name);
    if (name == "frmEditEntry") {
      editor = new frmEditEntry(*ctx);
      editor->SetDialogs(dialogs);
    }
  }
  AppContext* ctx = nullptr;
  EntryDialogs* dialogs = nullptr;
  QPointer<frmEditEntry> editor;
};

class SelectEntryTest : public ::testing::Test, public EditorFixtureBase {
 protected:
  void SetUp() override {
    tc.ctx.main = &opening;
    opening.ctx = &tc.ctx;
    opening.dialogs = &dialogs;
    MakeBracketPool(s, 8);
    s.Pool.CostPerEntry = Currency::FromDouble(5);
    ann = AddPoolBettor(s, "Ann");
    bob = AddPoolBettor(s, "Bob");
    AddPoolEntry(s, bob, 1, {2, 4, 6, 8, 2, 6, 2});
    AddPoolEntry(s, ann, 1, {1, 3, 5, 7, 1, 5, 1});
    s.Entries[2].Collected = true;
  }
  void TearDown() override {
    if (opening.editor) delete opening.editor.data();
  }
  std::unique_ptr<frmSelectEntry> Make() {
    auto d = std::make_unique<frmSelectEntry>(tc.ctx);
    d->SetDialogs(&dialogs);
    return d;
  }
  static std::vector<std::string> Rows(frmSelectEntry* d) {
    auto* list = d->findChild<QTreeWidget*>("lstEntries");
    std::vector<std::string> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      rows.push_back(list->topLevelItem(i)->text(0).toStdString() + " " +
                     list->topLevelItem(i)->text(1).toStdString() + " " +
                     list->topLevelItem(i)->text(3).toStdString());
    return rows;
  }
  OpeningMainWindow opening;
  int ann = 0, bob = 0;
};

TEST_F(SelectEntryTest, ListsTheEntriesByNameWithTheTotals) {
  int deleted = AddPoolEntry(s, ann, 2);
  s.Entries[deleted].BettorIndex = 0;
  auto d = Make();
  EXPECT_EQ(Rows(d.get()), (std::vector<std::string>{"Ann 1 Yes", "Bob 1 No"}));
  EXPECT_EQ(d->findChild<QLabel*>("lblTotals")->text().toStdString(),
            "Entries: 2     Collected: $5.00     Owed: $5.00");
}

TEST_F(SelectEntryTest, NewMakesTheEntryAndItsHeaderThenHandsItToTheEditor) {
  auto d = Make();
  dialogs.onHeader = HeaderGives(ann, 2);
  d->cmdNew_Click();
  EXPECT_EQ(dialogs.headerNewEntryMode, std::vector<bool>{true});
  EXPECT_EQ(d->chosenEntry(), 3);
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(s.NumEntries, 3);
  EXPECT_EQ(s.Entries[3].EntryNumber, 2);
  EXPECT_TRUE(s.NewEntryMode);
  EXPECT_EQ(s.EditEntryNumber, 0) << "the editor marks it open";
}

TEST_F(SelectEntryTest, NewCancelledAtTheHeaderLeavesNoEntryBehind) {
  auto d = Make();
  d->cmdNew_Click();  // the scripted header cancels
  EXPECT_EQ(s.NumEntries, 2);
  EXPECT_EQ(d->chosenEntry(), 0);
  EXPECT_FALSE(s.NewEntryMode);
  EXPECT_EQ(Rows(d.get()).size(), 2u);
  EXPECT_EQ(s.Picks(1, 2), 1);
}

TEST_F(SelectEntryTest, NewAndEditWaitWhileAnEntryIsOpen) {
  s.EditEntryNumber = 1;
  auto d = Make();
  d->cmdNew_Click();
  EXPECT_EQ(tc.prompts.LastText(), kEntryAlreadyOpenText);
  EXPECT_EQ(s.NumEntries, 2);
  d->SelectEntry(2);
  d->cmdEdit_Click();
  EXPECT_EQ(tc.prompts.asked.size(), 2u);
  EXPECT_EQ(d->chosenEntry(), 0);
  EXPECT_FALSE(dialogs.Called("EntryHeader"));
}

TEST_F(SelectEntryTest, EditNeedsASelectedEntry) {
  s.NumEntries = 0;
  auto d = Make();
  EXPECT_FALSE(d->findChild<QPushButton*>("cmdEdit")->isEnabled());
  d->cmdEdit_Click();
  EXPECT_EQ(tc.prompts.LastText(), kSelectEntryText);
  s.NumEntries = 2;
  auto again = Make();
  again->SelectEntry(1);
  again->cmdEdit_Click();
  EXPECT_EQ(again->chosenEntry(), 1);
  EXPECT_FALSE(s.NewEntryMode);
}

TEST_F(SelectEntryTest, DeleteAsksAndKeepsTheRecordWithoutParticipant) {
  auto d = Make();
  d->SelectEntry(1);
  tc.prompts.Queue(MsgAnswer::No);
  d->cmdDelete_Click();
  EXPECT_EQ(tc.prompts.LastText(), "Delete the entry Bob  #1?");
  EXPECT_EQ(tc.prompts.asked.back().defaultButton, 2);
  EXPECT_EQ(s.Entries[1].BettorIndex, bob);

  tc.prompts.Queue(MsgAnswer::Yes);
  d->cmdDelete_Click();
  EXPECT_EQ(s.Entries[1].BettorIndex, 0);
  EXPECT_EQ(s.NumEntries, 2);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_EQ(Rows(d.get()), std::vector<std::string>{"Ann 1 Yes"});
  EXPECT_EQ(d->findChild<QLabel*>("lblTotals")->text().toStdString(),
            "Entries: 1     Collected: $5.00     Owed: $.00");
}

TEST_F(SelectEntryTest, TheEntryOpenInTheEditorIsNotDeleted) {
  s.EditEntryNumber = 2;
  auto d = Make();
  d->SelectEntry(2);
  d->cmdDelete_Click();
  EXPECT_EQ(tc.prompts.LastText(), kEntryOpenInEditorText);
  EXPECT_EQ(s.Entries[2].BettorIndex, ann);
}

TEST_F(SelectEntryTest, TheRoadOfANewEntryRunsEndToEnd) {
  dialogs.onHeader = HeaderGives(ann, 2);
  test::OnNextModal<frmSelectEntry>([](frmSelectEntry* d) {
    QTest::mouseClick(d->findChild<QPushButton*>("cmdNew"), Qt::LeftButton);
  });
  RunSelectEntry(tc.ctx, nullptr, &dialogs);
  ASSERT_FALSE(opening.editor.isNull());
  frmEditEntry* editor = opening.editor;
  EXPECT_EQ(editor->entry(), 3);
  EXPECT_TRUE(editor->isNewEntry());
  EXPECT_EQ(s.EditEntryNumber, 3);
  EXPECT_EQ(editor->windowTitle().toStdString().rfind("Edit Entry #2 for Ann", 0), 0u);

  DropTeam(editor, 6, "lblRound(3)");
  editor->cmdFill_Click();
  editor->cmdOK_Click();
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(opening.editor.isNull());
  EXPECT_EQ(s.NumEntries, 3);
  EXPECT_EQ(s.Picks(7, 3), 6);
  EXPECT_EQ(s.Picks(1, 3), 1);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_EQ(s.EditEntryNumber, 0);
  EXPECT_TRUE(opening.Called("ShowWindowByName frmSelectEntry"));
}

TEST_F(SelectEntryTest, ClosingTheSelectionOpensNothing) {
  test::OnNextModal<frmSelectEntry>([](frmSelectEntry* d) { d->reject(); });
  RunSelectEntry(tc.ctx, nullptr, &dialogs);
  EXPECT_FALSE(opening.Called("ShowWindowByName frmEditEntry"));
  EXPECT_EQ(s.EditEntryNumber, 0);
}

TEST_F(SelectEntryTest, CopyOffersTheOtherEntriesAndNamesTheOneChosen) {
  frmCopyEntry copy(tc.ctx, 2);
  auto* list = copy.findChild<QTreeWidget*>("lstEntries");
  ASSERT_EQ(list->topLevelItemCount(), 1);
  EXPECT_EQ(list->topLevelItem(0)->text(0), "Bob");
  copy.cmdOK_Click();
  EXPECT_EQ(copy.chosenEntry(), 1);
  EXPECT_EQ(s.CopyFromEntry, 1);

  frmCopyEntry cancelled(tc.ctx, 2);
  cancelled.cmdCancel_Click();
  EXPECT_EQ(cancelled.chosenEntry(), 0);
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

using namespace qb::testing;

class StandardEntryDialogsTest : public ::testing::Test, public EditorFixtureBase {};

TEST_F(StandardEntryDialogsTest, TheHeaderIsTheEntryHeaderDialogAndItsCancelIsReported) {
  MakeBracketPool(s, 8);
  AddPoolEntry(s, AddPoolBettor(s, "Ann"), 1);
  s.EditEntryNumber = 1;
  bool seen = false;
  test::OnNextModal<QDialog>([&seen](QDialog* d) {
    seen = d->objectName() == "frmEntryHeader";
    QTest::mouseClick(d->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
  });
  StandardEntryDialogs().EntryHeader(tc.ctx, nullptr);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(s.DialogCancelled);
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

using namespace qb::testing;

class EntryParmsTest : public ::testing::Test, public EditorFixtureBase {};

TEST_F(EntryParmsTest, ShowsThePoolsRulesWithThePrizeMoneyOfTheEntriesNow) {
  MakeBracketPool(s, 8);
  s.Pool.CostPerEntry = Currency::FromDouble(5);
  s.Pool.PayoutRounding = -2;
  s.Pool.PayoutPct[1] = 70;
  s.Pool.PayoutPct[2] = 30;
  int ann = AddPoolBettor(s, "Ann");
  for (int n = 1; n <= 3; ++n) AddPoolEntry(s, ann, n);
  frmEntryParms view(tc.ctx);
  auto* rounds = view.findChild<QTableWidget*>("flxRounds");
  ASSERT_EQ(rounds->rowCount(), 3);
  EXPECT_EQ(rounds->item(2, 1)->text(), "30.00");
  auto* payouts = view.findChild<QTableWidget*>("flxPayouts");
  ASSERT_EQ(payouts->rowCount(), 2);
  EXPECT_EQ(payouts->item(0, 0)->text(), "1st");
  EXPECT_EQ(payouts->item(0, 2)->text(), "$10.50");
  EXPECT_EQ(payouts->item(1, 2)->text(), "$4.50");
  EXPECT_EQ(view.findChild<QLabel*>("lblCostPerEntry")->text(), "$5.00");
  EXPECT_FALSE(s.PoolChanged);
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

// Every column shows its texts whole: the widest name and the headings.
TEST_F(SelectEntryTest, ColumnsAreWideEnoughForTheirTexts) {
  const int unknown = AddPoolBettor(s, "Unknown Participant");
  AddPoolEntry(s, unknown, 12);
  s.Entries[s.NumEntries].Points = 1234.5f;
  auto d = Make();
  d->show();
  QApplication::processEvents();
  auto* list = d->findChild<QTreeWidget*>("lstEntries");
  const QFontMetrics fm(list->font());
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    for (int c = 0; c < list->columnCount(); ++c)
      EXPECT_GE(list->columnWidth(c), fm.horizontalAdvance(list->topLevelItem(i)->text(c)))
          << list->topLevelItem(i)->text(c).toStdString();
  const QFontMetrics header(list->header()->font());
  for (int c = 0; c < list->columnCount(); ++c)
    EXPECT_GE(list->columnWidth(c), header.horizontalAdvance(list->headerItem()->text(c)));
  const QByteArray dir = qgetenv("QB_ENTRIES_SHOTS");
  if (!dir.isEmpty()) EXPECT_TRUE(d->grab().save(QString(dir) + "/select_entry.png"));
}

}  // namespace
}  // namespace qb
