#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "entries/frmEditBettor.h"
#include "entries/frmEntryHeader.h"
#include "participant_dialogs_support.h"

namespace qb {
namespace {

using testing::AddBettor;
using testing::AddEntry;
using testing::AnswerNextModal;
using testing::Find;
using testing::RetypeText;
using testing::Text;

class EntryHeaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ann = AddBettor(s, "Ann Lee", "555-0101", "ann@example.com", "2nd floor");
    bob = AddBettor(s, "Bob Ray", "555-0202", "bob@example.com", "");
    annOne = AddEntry(s, ann, 1);
    annTwo = AddEntry(s, ann, 2);
    AddEntry(s, ann, 5);
    bobOne = AddEntry(s, bob, 1);
  }
  // As the entry selection's New does: one more entry, no participant yet.
  std::unique_ptr<frmEntryHeader> OpenNew() {
    int entry = AddEntry(s, 0, 0);
    s.EditEntryNumber = static_cast<int16_t>(entry);
    s.NewEntryMode = true;
    s.CurrentBettor = 0;
    return Show();
  }
  std::unique_ptr<frmEntryHeader> OpenExisting(int entry) {
    s.EditEntryNumber = static_cast<int16_t>(entry);
    s.NewEntryMode = false;
    return Show();
  }
  std::unique_ptr<frmEntryHeader> Show() {
    auto w = std::make_unique<frmEntryHeader>(t.ctx);
    w->show();
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    combo = Find<QComboBox>(w.get(), "comEntryName");
    nameEdit = combo->lineEdit();
    number = Find<QLineEdit>(w.get(), "txtBettorEntryNbr");
    phone = Find<QLabel>(w.get(), "lblPhone");
    email = Find<QLabel>(w.get(), "lblEmail");
    info = Find<QLineEdit>(w.get(), "txtAddlInfo");
    return w;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < combo->count(); ++i) names.push_back(combo->itemText(i).toStdString());
    return names;
  }
  // The control with the focus; the combo stands for its text box.
  std::string FocusName() const {
    QWidget* f = QApplication::focusWidget();
    if (f == nameEdit) f = combo;
    return f ? f->objectName().toStdString() : "";
  }
  // Types into the name box after giving it the focus, as a user would.
  void TypeName(const char* text) {
    combo->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(combo, text);
  }
  std::string Selected() const { return nameEdit->selectedText().toStdString(); }
  void Click(QWidget* w, const char* button) {
    QTest::mouseClick(Find<QPushButton>(w, button), Qt::LeftButton);
  }

  TestContext t;
  PoolState& s = t.pool;
  int ann = 0, bob = 0, annOne = 0, annTwo = 0, bobOne = 0;
  QComboBox* combo = nullptr;
  QLineEdit* nameEdit = nullptr;
  QLineEdit* number = nullptr;
  QLabel *phone = nullptr, *email = nullptr;
  QLineEdit* info = nullptr;
};

TEST_F(EntryHeaderTest, ANewEntryListsTheNamedParticipantsAndShowsNoneYet) {
  s.Bettors.resize(4);
  s.NumBettors = 3;  // a deleted participant at 3 is not listed
  auto w = OpenNew();
  EXPECT_EQ(w->windowTitle().toStdString(), "Edit Entry Header Information");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ann Lee", "Bob Ray"}));
  EXPECT_EQ(combo->itemData(1).toInt(), bob);
  EXPECT_EQ(nameEdit->text(), "");
  EXPECT_EQ(Text(number), "");
  EXPECT_EQ(phone->text(), "");
  EXPECT_EQ(s.CurrentEntry, 5);
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_FALSE(w->changed());
}

TEST_F(EntryHeaderTest, TypingCompletesTheNameShowsTheDetailsAndProposesTheNextNumber) {
  auto w = OpenNew();
  QTest::keyClicks(combo, "an");
  EXPECT_EQ(nameEdit->text(), "Ann Lee");
  EXPECT_EQ(Selected(), "n Lee");
  EXPECT_EQ(s.CurrentBettor, ann);
  EXPECT_EQ(phone->text(), "555-0101");
  EXPECT_EQ(email->text(), "ann@example.com");
  EXPECT_EQ(info->text(), "2nd floor");
  EXPECT_EQ(Text(number), " 6");
  EXPECT_TRUE(w->changed());

  // Typing over the completion replaces it; a name no item begins with is new.
  QTest::keyClicks(combo, "dy");
  EXPECT_EQ(nameEdit->text(), "Andy");
  EXPECT_EQ(Selected(), "");
  EXPECT_EQ(s.CurrentBettor, 0);
  EXPECT_EQ(phone->text(), "");
  EXPECT_EQ(info->text(), "");
  EXPECT_EQ(Text(number), "1");
}

TEST_F(EntryHeaderTest, BackspaceTakesTheCompletionAndOneMoreCharacter) {
  auto w = OpenNew();
  QTest::keyClicks(combo, "bo");
  EXPECT_EQ(nameEdit->text(), "Bob Ray");
  QTest::keyClick(combo, Qt::Key_Backspace);
  EXPECT_EQ(nameEdit->text(), "B");
  EXPECT_EQ(s.CurrentBettor, 0);
  QTest::keyClicks(combo, "ob Ray");
  EXPECT_EQ(nameEdit->text(), "Bob Ray");
  EXPECT_EQ(s.CurrentBettor, bob);
  EXPECT_EQ(Text(number), " 2");
}

TEST_F(EntryHeaderTest, ChoosingFromTheListProposesTheNumberWithASound) {
  auto w = OpenNew();
  s.SoundPlayed = 0;
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  EXPECT_EQ(s.CurrentBettor, bob);
  EXPECT_EQ(phone->text(), "555-0202");
  EXPECT_EQ(Text(number), " 2");
  EXPECT_EQ(t.waves.played, std::vector<std::string>{"start"});
}

TEST_F(EntryHeaderTest, TheEmptyNumberBoxProposesANumberWhenItGetsTheFocus) {
  auto w = OpenNew();
  QTest::keyClicks(combo, "Bob Ray");
  number->clear();
  QTest::keyClick(combo, Qt::Key_Tab);
  EXPECT_TRUE(number->hasFocus());
  EXPECT_EQ(Text(number), " 2");
}

TEST_F(EntryHeaderTest, TypingANewNameAndNumberAddsAParticipantWithOnlyThatName) {
  auto w = OpenNew();
  QTest::keyClicks(combo, "Carla Diaz");
  RetypeText(number, "1");
  Click(w.get(), "cmdOK");
  EXPECT_FALSE(w->isVisible());
  EXPECT_FALSE(s.DialogCancelled);
  ASSERT_EQ(s.NumBettors, 3);
  EXPECT_EQ(s.Bettors[3].Name, "Carla Diaz");
  EXPECT_EQ(s.Bettors[3].Phone, "");
  EXPECT_EQ(s.Bettors[3].EMail, "");
  EXPECT_EQ(s.Bettors[3].Info, "");
  EXPECT_EQ(s.Entries[5].BettorIndex, 3);
  EXPECT_EQ(s.Entries[5].EntryNumber, 1);
  EXPECT_TRUE(s.PoolChanged);
}

TEST_F(EntryHeaderTest, OkRefusalsSayWhatIsWrongAndStoreNothing) {
  struct Case {
    const char* name;
    const char* number;
    const char* message;
    const char* focus;
  } cases[] = {
      {"", "3", "Please pick a participant name or add a new one.", "comEntryName"},
      {"Ann Lee", "", "Entry number is needed to add the entry.", "txtBettorEntryNbr"},
      {"Ann Lee", "0", "Entry number is needed to add the entry.", "txtBettorEntryNbr"},
      {"Ann Lee", "abc", "Entry number is needed to add the entry.", "txtBettorEntryNbr"},
      {"Ann Lee", "99999", "Entry number is needed to add the entry.", "txtBettorEntryNbr"},
      {"Ann Lee", "2", "Name 'Ann Lee', entry number 2 already exists.", "txtBettorEntryNbr"},
      {"Ann Lee", "2.5", "Name 'Ann Lee', entry number 2 already exists.", "txtBettorEntryNbr"},
  };
  for (const Case& c : cases) {
    t.prompts.asked.clear();
    t.prompts.beeps = 0;
    auto w = OpenNew();
    QTest::keyClicks(combo, c.name);
    RetypeText(number, c.number);
    Click(w.get(), "cmdOK");
    ASSERT_EQ(t.prompts.asked.size(), 1u) << c.name << " " << c.number;
    EXPECT_EQ(t.prompts.asked[0].text, c.message);
    EXPECT_EQ(t.prompts.beeps, 1);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(FocusName(), c.focus) << c.number;
    EXPECT_EQ(s.Entries[s.CurrentEntry].BettorIndex, 0);
    EXPECT_EQ(s.NumBettors, 2);
    EXPECT_FALSE(s.PoolChanged);
  }
}

TEST_F(EntryHeaderTest, TheNumberIsStoredRoundedHalfToEven) {
  struct Case {
    const char* typed;
    int stored;
  } cases[] = {{"3.5", 4}, {"6.5", 6}, {" 7", 7}, {"32767", 32767}};
  for (const Case& c : cases) {
    auto w = OpenNew();
    QTest::keyClicks(combo, "Ann Lee");
    RetypeText(number, c.typed);
    Click(w.get(), "cmdOK");
    EXPECT_FALSE(w->isVisible()) << c.typed;
    EXPECT_EQ(s.Entries[s.CurrentEntry].EntryNumber, c.stored) << c.typed;
  }
}

TEST_F(EntryHeaderTest, AnExistingEntryShowsItsParticipantAndNumberAndProposesNothing) {
  auto w = OpenExisting(annTwo);
  EXPECT_EQ(nameEdit->text(), "Ann Lee");
  EXPECT_EQ(Text(number), " 2");
  EXPECT_EQ(phone->text(), "555-0101");
  EXPECT_EQ(s.CurrentBettor, ann);
  TypeName("B");  // the whole name is selected on the focus, so typing replaces it
  EXPECT_EQ(nameEdit->text(), "Bob Ray");
  EXPECT_EQ(Text(number), " 2");
  RetypeText(number, "1");
  Click(w.get(), "cmdOK");
  EXPECT_EQ(t.prompts.LastText(), "Name 'Bob Ray', entry number 1 already exists.");
  t.prompts.asked.clear();
  RetypeText(number, "3");
  Click(w.get(), "cmdOK");
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_EQ(s.Entries[annTwo].BettorIndex, bob);
  EXPECT_EQ(s.Entries[annTwo].EntryNumber, 3);
  EXPECT_TRUE(s.PoolChanged);
}

TEST_F(EntryHeaderTest, OkOnTheEntrysOwnNumberIsAccepted) {
  auto w = OpenExisting(annTwo);
  Click(w.get(), "cmdOK");
  EXPECT_FALSE(w->isVisible());
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_FALSE(s.PoolChanged);
}

TEST_F(EntryHeaderTest, AnEntryOfADeletedParticipantShowsNone) {
  s.Bettors[bob] = BettorRecord{};
  auto w = OpenExisting(bobOne);
  EXPECT_EQ(Names(), std::vector<std::string>{"Ann Lee"});
  EXPECT_EQ(nameEdit->text(), "");
  EXPECT_EQ(s.CurrentBettor, 0);
  EXPECT_EQ(Text(number), " 1");
}

TEST_F(EntryHeaderTest, EditParticipantInfoAddsTheTypedNameAndSelectsIt) {
  auto w = OpenNew();
  QTest::keyClicks(combo, "Carla");
  bool answered = false;
  AnswerNextModal<frmEditBettor>(
      [&](frmEditBettor* d) {
        EXPECT_EQ(Text(Find<QLineEdit>(d, "txtBettorName")), "Carla");
        QTest::keyClicks(Find<QLineEdit>(d, "txtBettorPhone"), "555-0303");
        d->cmdOK_Click();
      },
      &answered);
  Click(w.get(), "cmdEditBettor");
  EXPECT_TRUE(answered);
  EXPECT_EQ(s.NewBettorName, "");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ann Lee", "Bob Ray", "Carla"}));
  EXPECT_EQ(nameEdit->text(), "Carla");
  EXPECT_EQ(s.CurrentBettor, 3);
  EXPECT_EQ(phone->text(), "555-0303");
  EXPECT_EQ(Text(number), " 1");
  s.PoolChanged = false;
  Click(w.get(), "cmdOK");
  EXPECT_EQ(s.NumBettors, 3);  // not added twice
  EXPECT_EQ(s.Entries[5].BettorIndex, 3);
  EXPECT_TRUE(s.PoolChanged);
}

TEST_F(EntryHeaderTest, AChoiceAndNumberSurviveTheParticipantDialog) {
  auto w = OpenExisting(annTwo);
  RetypeText(number, "7");
  TypeName("Bob");
  AnswerNextModal<frmEditBettor>([&](frmEditBettor* d) { d->cmdCancel_Click(); });
  Click(w.get(), "cmdEditBettor");
  EXPECT_EQ(nameEdit->text(), "Bob Ray");
  EXPECT_EQ(Text(number), "7");
  Click(w.get(), "cmdOK");
  EXPECT_EQ(s.Entries[annTwo].BettorIndex, bob);
  EXPECT_EQ(s.Entries[annTwo].EntryNumber, 7);
  EXPECT_TRUE(s.PoolChanged);
}

TEST_F(EntryHeaderTest, EditParticipantInfoForADeletedParticipantsEntryAddsANewOne) {
  s.Bettors[bob] = BettorRecord{};
  s.CurrentBettor = bob;  // left over from an earlier dialog
  auto w = OpenExisting(bobOne);
  AnswerNextModal<frmEditBettor>([&](frmEditBettor* d) {
    QTest::keyClicks(Find<QLineEdit>(d, "txtBettorName"), "Dora");
    d->cmdOK_Click();
  });
  Click(w.get(), "cmdEditBettor");
  EXPECT_EQ(s.Bettors[bob].Name, "");
  EXPECT_EQ(s.Bettors[3].Name, "Dora");
  EXPECT_EQ(nameEdit->text(), "Dora");
}

TEST_F(EntryHeaderTest, CancelReportsCancelledAndTheCloseBoxDoesNot) {
  auto w = OpenNew();
  QTest::keyClicks(combo, "Ann");
  s.SoundPlayed = 0;
  Click(w.get(), "cmdCancel");
  EXPECT_FALSE(w->isVisible());
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_EQ(s.Entries[5].BettorIndex, 0);
  EXPECT_EQ(t.waves.played.back(), "whoosh");

  auto again = OpenExisting(5);
  again->close();
  EXPECT_FALSE(again->isVisible());
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_EQ(s.Entries[5].BettorIndex, 0);

  auto third = OpenExisting(annOne);
  QTest::keyClick(combo, Qt::Key_Escape);
  EXPECT_FALSE(third->isVisible());
  EXPECT_TRUE(s.DialogCancelled);
}

TEST_F(EntryHeaderTest, EnterConfirmsFromTheNameBox) {
  auto w = OpenExisting(annOne);
  QTest::keyClick(combo, Qt::Key_Return);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(w->result(), QDialog::Accepted);
}

TEST_F(EntryHeaderTest, WithNoCurrentEntryItSaysSoAndStoresNothing) {
  s.EditEntryNumber = 0;
  auto w = Show();
  EXPECT_EQ(t.prompts.beeps, 2);
  EXPECT_EQ(t.prompts.LastText(), "Unexpected Error - No Entry is current");
  EXPECT_EQ(combo->count(), 0);
  QTest::keyClicks(combo, "Ann");
  RetypeText(number, "9");
  Click(w.get(), "cmdOK");
  EXPECT_EQ(t.prompts.LastText(), "Unexpected Error - No Entry is current");
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(s.NumBettors, 2);
}

}  // namespace
}  // namespace qb
