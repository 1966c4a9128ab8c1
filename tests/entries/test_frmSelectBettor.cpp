#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "entries/frmEditBettor.h"
#include "entries/frmSelectBettor.h"
#include "participant_dialogs_support.h"

namespace qb {
namespace {

using testing::AddBettor;
using testing::AddEntry;
using testing::AnswerNextModal;
using testing::Find;
using testing::Text;

class SelectBettorTest : public ::testing::Test {
 protected:
  std::unique_ptr<frmSelectBettor> Open() {
    auto w = std::make_unique<frmSelectBettor>(t.ctx);
    w->show();
    list = Find<QListWidget>(w.get(), "lstBettors");
    return w;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < list->count(); ++i) names.push_back(list->item(i)->text().toStdString());
    return names;
  }
  void Click(QWidget* w, const char* button) {
    QTest::mouseClick(Find<QPushButton>(w, button), Qt::LeftButton);
  }
  void SelectRow(int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }

  TestContext t;
  PoolState& s = t.pool;
  QListWidget* list = nullptr;
};

TEST_F(SelectBettorTest, ListsNamedParticipantsInIndexOrderWithNothingSelected) {
  AddBettor(s, "Cy");
  AddBettor(s, "Ann");
  AddBettor(s, "");
  AddBettor(s, "Bob");
  auto w = Open();
  EXPECT_EQ(w->windowTitle().toStdString(), "Select a Participant");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Cy", "Ann", "Bob"}));
  EXPECT_EQ(list->item(2)->data(Qt::UserRole).toInt(), 4);
  EXPECT_TRUE(list->selectedItems().isEmpty());
  EXPECT_EQ(Find<QPushButton>(w.get(), "cmdCancel")->text(), "Close");
}

TEST_F(SelectBettorTest, TheCurrentParticipantOpensSelectedWithTheNamesAfterItInView) {
  for (int i = 1; i <= 40; ++i) AddBettor(s, "Participant " + std::to_string(i));
  s.CurrentBettor = 30;
  auto w = Open();
  w->resize(300, 320);
  ASSERT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(list->currentRow(), 29);
  const QRect view = list->viewport()->rect();
  EXPECT_TRUE(view.intersects(list->visualItemRect(list->item(29))));
}

TEST_F(SelectBettorTest, EditAndDeleteWithoutASelectionSayWhatIsMissing) {
  AddBettor(s, "Ann");
  auto w = Open();
  Click(w.get(), "cmdEdit");
  Click(w.get(), "cmdDelete");
  ASSERT_EQ(t.prompts.asked.size(), 2u);
  EXPECT_EQ(t.prompts.asked[0].text, "Select a Bettor to Edit");
  EXPECT_EQ(t.prompts.asked[1].text, "Select a Bettor to Delete");
  EXPECT_EQ(t.prompts.beeps, 2);
  EXPECT_EQ(s.Bettors[1].Name, "Ann");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SelectBettorTest, DeleteAsksAndEmptiesTheRecordButKeepsItsIndex) {
  for (const char* n : {"A", "B", "C", "D", "E"}) AddBettor(s, n);
  auto w = Open();
  SelectRow(2);
  t.prompts.Queue(MsgAnswer::No);
  Click(w.get(), "cmdDelete");
  EXPECT_EQ(t.prompts.LastText(), "Are you sure you want to delete C?");
  EXPECT_EQ(t.prompts.asked.back().buttons, MsgButtons::YesNo);
  EXPECT_EQ(Names().size(), 5u);
  EXPECT_FALSE(s.PoolChanged);

  t.prompts.Queue(MsgAnswer::Yes);
  Click(w.get(), "cmdDelete");
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "D", "E"}));
  EXPECT_EQ(s.NumBettors, 5);
  EXPECT_EQ(s.Bettors[3].Name, "");
  EXPECT_EQ(s.NumDeletedBettors, 1);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_TRUE(list->selectedItems().isEmpty());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SelectBettorTest, DeletingAParticipantWithEntriesKeepsThemUnderUnknownParticipant) {
  int ann = AddBettor(s, "Ann");
  AddEntry(s, ann, 1);
  AddEntry(s, ann, 2);
  auto w = Open();
  SelectRow(0);
  t.prompts.Queue(MsgAnswer::Yes);
  Click(w.get(), "cmdDelete");
  EXPECT_EQ(t.prompts.LastText(),
            "Ann still has 2 entries, which will be kept under \"Unknown Participant\".\n"
            "Are you sure you want to delete Ann?");
  EXPECT_EQ(s.NumEntries, 2);
  EXPECT_EQ(s.Bettors[ann].Name, "");
  EXPECT_EQ(Names(), std::vector<std::string>{"Unknown Participant"});
  const int unknown = s.Entries[1].BettorIndex;
  EXPECT_EQ(s.Bettors[unknown].Name, "Unknown Participant");
  EXPECT_EQ(s.Entries[2].BettorIndex, unknown);
}

TEST_F(SelectBettorTest, NewOpensTheParticipantDialogAndTheListShowsTheNewName) {
  for (const char* n : {"A", "B", "C"}) AddBettor(s, n);
  s.CurrentBettor = 2;
  auto w = Open();
  bool answered = false;
  AnswerNextModal<frmEditBettor>(
      [&](frmEditBettor* d) {
        auto* name = Find<QLineEdit>(d, "txtBettorName");
        EXPECT_EQ(Text(name), "");
        QTest::keyClicks(name, "Zed");
        d->cmdOK_Click();
      },
      &answered);
  Click(w.get(), "cmdNew");
  EXPECT_TRUE(answered);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "Zed"}));
  EXPECT_EQ(list->currentItem()->text(), "Zed");
  EXPECT_TRUE(list->currentItem()->isSelected());
  EXPECT_TRUE(s.PoolChanged);
}

TEST_F(SelectBettorTest, ANewParticipantTakesTheRecordOfADeletedOneWithoutEntries) {
  for (const char* n : {"A", "B", "C", "D", "E"}) AddBettor(s, n);
  auto w = Open();
  SelectRow(2);
  t.prompts.Queue(MsgAnswer::Yes);
  Click(w.get(), "cmdDelete");
  AnswerNextModal<frmEditBettor>([&](frmEditBettor* d) {
    QTest::keyClicks(Find<QLineEdit>(d, "txtBettorName"), "F");
    d->cmdOK_Click();
  });
  Click(w.get(), "cmdNew");
  EXPECT_EQ(s.NumBettors, 5);
  EXPECT_EQ(s.Bettors[3].Name, "F");
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "F", "D", "E"}));
}

TEST_F(SelectBettorTest, DoubleClickEditsTheNameAndTheListShowsTheNewSpelling) {
  AddBettor(s, "Ann");
  AddBettor(s, "Bob");
  auto w = Open();
  bool answered = false;
  AnswerNextModal<frmEditBettor>(
      [&](frmEditBettor* d) {
        auto* name = Find<QLineEdit>(d, "txtBettorName");
        EXPECT_EQ(Text(name), "Bob");
        name->selectAll();
        QTest::keyClicks(name, "Robert");
        d->cmdOK_Click();
      },
      &answered);
  const QPoint bob = list->visualItemRect(list->item(1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, bob);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, bob);
  EXPECT_TRUE(answered);
  EXPECT_EQ(s.Bettors[2].Name, "Robert");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ann", "Robert"}));
  EXPECT_EQ(list->currentRow(), 1);
}

TEST_F(SelectBettorTest, CloseAndEscapeCloseTheWindow) {
  AddBettor(s, "Ann");
  auto w = Open();
  Click(w.get(), "cmdCancel");
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(t.waves.played, std::vector<std::string>{"start"});
  auto again = Open();
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(again->isVisible());
}

}  // namespace
}  // namespace qb
