#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "entries/frmEditBettor.h"
#include "participant_dialogs_support.h"

namespace qb {
namespace {

using testing::AddBettor;
using testing::AddEntry;
using testing::Find;
using testing::RetypeText;
using testing::Text;

class EditBettorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.Pool.CostPerEntry = Currency::FromDouble(5.0);
    ann = AddBettor(s, "Ann Lee", "555-0101", "ann@example.com", "2nd floor");
    bob = AddBettor(s, "Bob");
    AddEntry(s, ann, 1, true);
    AddEntry(s, ann, 2);
    AddEntry(s, bob, 1);
    AddEntry(s, ann, 3);
  }
  std::unique_ptr<frmEditBettor> Open(int bettor, const std::string& handedName = "") {
    s.CurrentBettor = static_cast<int16_t>(bettor);
    s.NewBettorName = handedName;
    auto w = std::make_unique<frmEditBettor>(t.ctx);
    w->show();
    name = Find<QLineEdit>(w.get(), "txtBettorName");
    phone = Find<QLineEdit>(w.get(), "txtBettorPhone");
    email = Find<QLineEdit>(w.get(), "txtBettorEmail");
    info = Find<QLineEdit>(w.get(), "txtBettorInfo");
    return w;
  }
  std::string Label(QWidget* w, const char* n) {
    return Find<QLabel>(w, n)->text().toStdString();
  }
  void Click(QWidget* w, const char* button) {
    QTest::mouseClick(Find<QPushButton>(w, button), Qt::LeftButton);
  }

  TestContext t;
  PoolState& s = t.pool;
  int ann = 0, bob = 0;
  QLineEdit *name = nullptr, *phone = nullptr, *email = nullptr, *info = nullptr;
};

TEST_F(EditBettorTest, ShowsTheParticipantAndWhatItsEntriesCostCollectedAndOwe) {
  auto w = Open(ann);
  EXPECT_EQ(w->windowTitle().toStdString(), "Edit Participant Info");
  EXPECT_EQ(Text(name), "Ann Lee");
  EXPECT_EQ(Text(phone), "555-0101");
  EXPECT_EQ(Text(email), "ann@example.com");
  EXPECT_EQ(Text(info), "2nd floor");
  EXPECT_EQ(Label(w.get(), "lblEntryTotal"), " 3");
  EXPECT_EQ(Label(w.get(), "lblBetTotal"), " 15");
  EXPECT_EQ(Label(w.get(), "lblCollectedTotal"), " 5");
  EXPECT_EQ(Label(w.get(), "lblOwedTotal"), " 10");
  EXPECT_FALSE(w->changed());
}

TEST_F(EditBettorTest, ANewParticipantStartsWithTheHandedNameAndNoTotals) {
  auto w = Open(0, "Carla");
  EXPECT_EQ(Text(name), "Carla");
  EXPECT_EQ(Text(phone), "");
  EXPECT_EQ(Label(w.get(), "lblEntryTotal"), "");
  EXPECT_EQ(Label(w.get(), "lblOwedTotal"), "");
  EXPECT_FALSE(w->changed());
}

TEST_F(EditBettorTest, NameRefusalsKeepTheDialogOpenAndStoreNothing) {
  struct Case {
    int bettor;
    const char* typed;
    const char* message;
    MsgIcon icon;
  } cases[] = {
      {0, "", "Bettor Name is required.", MsgIcon::None},
      {0, "   ", "Bettor Name is required.", MsgIcon::None},
      {0, "Bob", "Bettor with this name already exists!", MsgIcon::Exclamation},
      {ann, "Bob", "Bettor with this name already exists!", MsgIcon::Exclamation},
  };
  for (const Case& c : cases) {
    t.prompts.asked.clear();
    t.prompts.beeps = 0;
    s.PoolChanged = false;
    auto w = Open(c.bettor);
    RetypeText(name, c.typed);
    Click(w.get(), "cmdOK");
    ASSERT_EQ(t.prompts.asked.size(), 1u) << c.typed;
    EXPECT_EQ(t.prompts.asked[0].text, c.message);
    EXPECT_EQ(t.prompts.asked[0].icon, c.icon);
    EXPECT_EQ(t.prompts.beeps, 1);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(s.DialogCancelled);
    EXPECT_FALSE(s.PoolChanged);
    EXPECT_EQ(s.NumBettors, 2);
    EXPECT_EQ(s.Bettors[ann].Name, "Ann Lee");
  }
}

TEST_F(EditBettorTest, OkStoresTheFourFieldsAndMarksThePoolChanged) {
  auto w = Open(ann);
  RetypeText(name, "ann lee");  // another letter case is accepted
  RetypeText(phone, "555-0199");
  RetypeText(info, "");
  Click(w.get(), "cmdOK");
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(w->result(), QDialog::Accepted);
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_EQ(s.CurrentBettor, ann);
  EXPECT_EQ(s.Bettors[ann].Name, "ann lee");
  EXPECT_EQ(s.Bettors[ann].Phone, "555-0199");
  EXPECT_EQ(s.Bettors[ann].EMail, "ann@example.com");
  EXPECT_EQ(s.Bettors[ann].Info, "");
  EXPECT_EQ(t.waves.played, std::vector<std::string>{"pswitch"});
}

TEST_F(EditBettorTest, OkOnAnUnchangedParticipantLeavesThePoolUnchanged) {
  auto w = Open(ann);
  Click(w.get(), "cmdOK");
  EXPECT_FALSE(w->isVisible());
  EXPECT_FALSE(s.PoolChanged);
  EXPECT_EQ(t.waves.played, std::vector<std::string>{"start"});
}

TEST_F(EditBettorTest, AddingTheHandedNameUntouchedMarksThePoolChanged) {
  auto w = Open(0, "Carla");
  Click(w.get(), "cmdOK");
  EXPECT_EQ(s.NumBettors, 3);
  EXPECT_EQ(s.CurrentBettor, 3);
  EXPECT_EQ(s.Bettors[3].Name, "Carla");
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_EQ(t.waves.played, std::vector<std::string>{"pswitch"});
}

TEST_F(EditBettorTest, ANewParticipantNeverTakesOverADeletedParticipantsEntries) {
  s.Bettors[ann] = BettorRecord{};  // deleted, its three entries still point at it
  auto w = Open(0);
  QTest::keyClicks(name, "Dora");
  Click(w.get(), "cmdOK");
  EXPECT_EQ(s.CurrentBettor, 3);
  EXPECT_EQ(s.Bettors[ann].Name, "");
  EXPECT_EQ(s.Entries[1].BettorIndex, ann);
}

TEST_F(EditBettorTest, ADeletedRecordHandedForEditingOpensAsANewParticipant) {
  s.Bettors[ann] = BettorRecord{};
  auto w = Open(ann, "Dora");
  EXPECT_EQ(Text(name), "Dora");
  EXPECT_EQ(Find<QLabel>(w.get(), "lblEntryTotal")->text(), "");
  Click(w.get(), "cmdOK");
  EXPECT_NE(s.CurrentBettor, ann);
  EXPECT_EQ(s.Bettors[ann].Name, "");
}

TEST_F(EditBettorTest, CancelWithoutChangesClosesAndReportsCancelled) {
  auto w = Open(ann);
  Click(w.get(), "cmdCancel");
  EXPECT_FALSE(w->isVisible());
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_EQ(t.waves.played, std::vector<std::string>{"start"});
}

TEST_F(EditBettorTest, ClosingWithChangesAsksWhetherToKeepThem) {
  struct Case {
    MsgAnswer answer;
    bool open;
    const char* storedPhone;
    bool cancelled;
    const char* sound;
  } cases[] = {
      {MsgAnswer::Cancel, true, "555-0101", true, "start"},
      {MsgAnswer::No, false, "555-0101", true, "whoosh"},
      {MsgAnswer::Yes, false, "555-0000", false, "pswitch"},
  };
  for (const Case& c : cases) {
    t.waves.played.clear();
    t.prompts.asked.clear();
    s.Bettors[ann].Phone = "555-0101";
    s.DialogCancelled = false;
    auto w = Open(ann);
    RetypeText(phone, "555-0000");
    t.prompts.Queue(c.answer);
    Click(w.get(), "cmdCancel");
    ASSERT_EQ(t.prompts.asked.size(), 1u);
    EXPECT_EQ(t.prompts.asked[0].text, "Do you wish to keep your changes?");
    EXPECT_EQ(t.prompts.asked[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(w->isVisible(), c.open);
    EXPECT_EQ(s.Bettors[ann].Phone, c.storedPhone);
    EXPECT_EQ(s.DialogCancelled, c.cancelled);
    EXPECT_EQ(t.waves.played, std::vector<std::string>{c.sound});
  }
}

TEST_F(EditBettorTest, KeepingChangesThatAreRefusedKeepsTheDialogOpen) {
  auto w = Open(ann);
  RetypeText(name, "Bob");
  t.prompts.Queue(MsgAnswer::Yes);
  w->close();  // as the close box does
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(t.prompts.AnyTextContains("Bettor with this name already exists!"));
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_EQ(s.Bettors[ann].Name, "Ann Lee");
}

TEST_F(EditBettorTest, EnterStoresAndEscapeAsksAboutChanges) {
  auto w = Open(ann);
  RetypeText(email, "lee@example.com");
  t.prompts.Queue(MsgAnswer::Cancel);
  QTest::keyClick(email, Qt::Key_Escape);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(t.prompts.LastText(), "Do you wish to keep your changes?");
  QTest::keyClick(email, Qt::Key_Return);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(s.Bettors[ann].EMail, "lee@example.com");
}

TEST_F(EditBettorTest, HelpOpensTheWindowsTopic) {
  auto w = Open(ann);
  Click(w.get(), "cmdHelp");
  ASSERT_EQ(t.help.topics.size(), 1u);
  EXPECT_EQ(t.help.topics[0].rfind("frmEditBettor#", 0), 0u);
}

}  // namespace
}  // namespace qb
