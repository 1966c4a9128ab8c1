#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <functional>
#include <memory>

#include "bracket/frmSetup.h"
#include "bracket_window_fixture.h"

namespace qb {
namespace {

using P = BracketPart;

const QColor kCyan(0, 255, 255);
const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

constexpr const char* kWarning =
    "WARNING!  Entries have already been entered!\r\n"
    "Are you sure you want to change the teams/players?";
constexpr const char* kByeQuestion =
    "Number of 'Bye' games not consistent with \n\r"
    "number of teams/players specified when setting jackpot parameters\n\r"
    "Change number of teams/players parameter?";
constexpr const char* kTooMany = "Too many Bye games -- not a valid tournament format.";

struct SetupWindow : test::BracketWindowTest {
  std::unique_ptr<frmSetup> win;

  void Open() {
    win = std::make_unique<frmSetup>(t.ctx);
    ASSERT_FALSE(t.pool.DialogCancelled);
    win->show();
  }
  QLineEdit* Name(int slot) { return win->view()->Box(P::TeamName, slot); }
  QLineEdit* Seed(int slot) { return win->view()->Box(P::TeamSeed, slot); }
  // Typed by the user, as the Change event sees it.
  void Type(int slot, const QString& name) {
    Name(slot)->selectAll();
    if (name.isEmpty())
      QTest::keyClick(Name(slot), Qt::Key_Delete);
    else
      QTest::keyClicks(Name(slot), name);
  }
  void AddEntry(int bettor) {
    PoolState& s = t.pool;
    s.Entries.resize(s.NumEntries + 2);
    s.Entries[++s.NumEntries].BettorIndex = static_cast<int16_t>(bettor);
  }
  bool Closed() { return !win->isVisible(); }
};

TEST_F(SetupWindow, ShowsTheSlotsInTheirColours) {
  MakePool(7, {8}, 8);
  t.pool.Teams[3].Name = "";
  t.pool.Teams[3].Seed = 0;
  Open();
  EXPECT_EQ(Name(1)->text(), "Team 1");
  EXPECT_EQ(Seed(1)->text(), "1");
  EXPECT_EQ(Name(8)->text(), "Bye");
  EXPECT_EQ(Seed(8)->text(), "");
  EXPECT_FALSE(Name(1)->isReadOnly());
  EXPECT_EQ(win->view()->Colour({P::TeamName, 1}), kCyan);
  EXPECT_EQ(win->view()->Colour({P::TeamName, 3}), kWhite);
  EXPECT_EQ(win->view()->Colour({P::TeamSeed, 8}), kWhite);
  EXPECT_EQ(win->findChild<QLabel*>("lblTeamId(8)")->text(), "8.");
  for (int i = 1; i <= 4; ++i)
    EXPECT_NE(win->findChild<QLabel*>(QString("Label%1").arg(i)), nullptr) << i;
  EXPECT_FALSE(win->IsChanged());
}

TEST_F(SetupWindow, ByeInAnyCaseCountsAndStoresTheTeams) {
  MakePool(5);
  Open();
  Type(2, "bye");
  Type(4, "BYE");
  Type(6, "Bye");
  Type(7, "Bye ");  // a blank makes it a team name
  Seed(1)->selectAll();
  QTest::keyClicks(Seed(1), "x12");  // a seed takes digits only
  EXPECT_EQ(Seed(1)->text(), "12");
  NextAction();
  win->cmdOK_Click();
  const PoolState& s = t.pool;
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_EQ(s.Pool.NumTeams, 5);
  EXPECT_EQ(s.Teams[7].Name, "Bye ");
  EXPECT_EQ(s.Teams[1].Seed, 12);
  EXPECT_TRUE(s.ByeGame[1]);
  EXPECT_TRUE(s.ByeGame[3]);
  EXPECT_FALSE(s.ByeGame[4]);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_TRUE(main.Called("AdjustMenuForParameters"));
  EXPECT_EQ(LastSound(), "pswitch");
  EXPECT_TRUE(Closed());
}

TEST_F(SetupWindow, DuplicateNamesRefusedAndShownRed) {
  MakePool(8);
  Open();
  Type(3, "Team A");
  Type(6, "team a");  // case counts: not a duplicate
  Type(7, "Team A");
  win->cmdOK_Click();
  EXPECT_EQ(t.prompts.LastText(), "Duplicate team names 'Team A' not allowed.  Please correct.");
  EXPECT_EQ(t.prompts.beeps, 1);
  EXPECT_EQ(win->view()->Colour({P::TeamName, 3}), kRed);
  EXPECT_EQ(win->view()->Colour({P::TeamName, 7}), kRed);
  EXPECT_EQ(win->view()->Colour({P::TeamName, 6}), kCyan);
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_EQ(t.pool.Teams[3].Name, "Team 3");
  EXPECT_FALSE(Closed());
  EXPECT_TRUE(win->IsChanged());
}

TEST_F(SetupWindow, IncompleteBracketAsksBeforeSaving) {
  MakePool(8);
  Open();
  Type(5, "");
  t.prompts.Queue(MsgAnswer::No);
  win->cmdOK_Click();
  EXPECT_EQ(t.prompts.LastText(), "Bracket not completed.  Save anyway?");
  EXPECT_EQ(t.pool.Teams[5].Name, "Team 5");
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_FALSE(Closed());

  t.prompts.Queue(MsgAnswer::Yes);
  win->cmdOK_Click();
  EXPECT_EQ(t.pool.Teams[5].Name, "");
  EXPECT_EQ(t.pool.Pool.NumTeams, 8);
  EXPECT_TRUE(Closed());
}

struct ByeCase {
  int teams;
  std::vector<int> byeSlots;       // typed as "Bye"
  std::vector<std::string> texts;  // the boxes asked, in order
  int beeps;
  bool stored;
  int teamsAfter;
};

class SetupByes : public SetupWindow, public ::testing::WithParamInterface<ByeCase> {};

TEST_P(SetupByes, CountAgainstTheTeamCount) {
  const ByeCase& c = GetParam();
  MakePool(c.teams);
  Open();
  for (int slot : c.byeSlots) Type(slot, "Bye");
  t.prompts.Queue(MsgAnswer::Yes);
  win->cmdOK_Click();
  std::vector<std::string> texts;
  for (const auto& a : t.prompts.asked) texts.push_back(a.text);
  EXPECT_EQ(texts, c.texts);
  EXPECT_EQ(t.prompts.beeps, c.beeps);
  EXPECT_EQ(Closed(), c.stored);
  EXPECT_EQ(t.pool.DialogCancelled, !c.stored);
  EXPECT_EQ(t.pool.Pool.NumTeams, c.teamsAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, SetupByes,
    ::testing::Values(
        // Two Byes more than the parameters said: asked, Yes changes the team count.
        ByeCase{8, {2, 6}, {kByeQuestion}, 1, true, 6},
        // Half the slots or more are Byes.
        ByeCase{16, {2, 4, 6, 8, 10, 12, 14, 16}, {kTooMany}, 2, false, 16},
        // Fewer than 4 teams would be left.
        ByeCase{4, {2}, {kTooMany}, 2, false, 4},
        // Two Byes in one game, even with the count as expected.
        ByeCase{6, {1, 2}, {kTooMany}, 1, false, 6}, ByeCase{8, {3, 4}, {kTooMany}, 1, false, 8}));

TEST_F(SetupWindow, NoAtTheByeQuestionStoresNothing) {
  MakePool(8);
  Open();
  Type(2, "Bye");
  t.prompts.Queue(MsgAnswer::No);
  win->cmdOK_Click();
  EXPECT_EQ(t.prompts.LastText(), kByeQuestion);
  EXPECT_EQ(t.pool.Teams[2].Name, "Team 2");
  EXPECT_FALSE(Closed());
}

TEST_F(SetupWindow, WarningWhenEntriesExist) {
  MakePool(8);
  AddEntry(0);  // a deleted entry does not count
  Open();
  Type(1, "Gators");
  win->cmdOK_Click();
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_EQ(t.pool.Teams[1].Name, "Gators");

  AddEntry(1);
  Open();
  win->cmdOK_Click();  // nothing differs: nothing asked
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_EQ(win->ConfirmAnswer(), 0);

  Open();
  Type(1, "Huskies");
  t.prompts.Queue(MsgAnswer::Cancel);
  win->cmdOK_Click();
  EXPECT_EQ(t.prompts.LastText(), kWarning);
  EXPECT_EQ(t.prompts.asked.back().buttons, MsgButtons::YesNoCancel);
  EXPECT_EQ(win->ConfirmAnswer(), 2);
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_FALSE(Closed());

  t.prompts.Queue(MsgAnswer::Yes);
  win->cmdOK_Click();
  EXPECT_EQ(t.pool.Teams[1].Name, "Huskies");
  EXPECT_TRUE(Closed());
}

TEST_F(SetupWindow, NoAtTheWarningClosesWithoutStoringOrAskingAgain) {
  MakePool(8);
  AddEntry(1);
  QMdiArea area;
  auto* w = new frmSetup(t.ctx);
  w->setAttribute(Qt::WA_DeleteOnClose);
  QMdiSubWindow* sub = area.addSubWindow(w);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  area.show();
  sub->show();
  QPointer<frmSetup> alive(w);
  w->view()->Box(P::TeamName, 2)->setText("Owls");
  QTest::keyClicks(w->view()->Box(P::TeamName, 2), "s");
  t.prompts.Queue(MsgAnswer::No);
  NextAction();
  w->cmdOK_Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text, kWarning);
  EXPECT_EQ(t.pool.Teams[2].Name, "Team 2");
  EXPECT_FALSE(t.pool.PoolChanged);
  EXPECT_EQ(LastSound(), "pswitch");
  EXPECT_TRUE(alive.isNull());  // the window and its frame are gone
  EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(SetupWindow, CloseQuestionYesStaysOpenWhenOkRefuses) {
  MakePool(8);
  Open();
  Type(3, "Team 4");
  t.prompts.Queue(MsgAnswer::Yes);
  EXPECT_FALSE(win->QueryClose());
  EXPECT_EQ(t.prompts.asked[0].text, "Do you wish to keep your changes?");
  EXPECT_TRUE(t.prompts.AnyTextContains("Duplicate team names 'Team 4'"));
  EXPECT_EQ(Name(3)->text(), "Team 4");  // what was typed is still there
  EXPECT_TRUE(t.pool.DialogCancelled);

  // Fixed, the same close saves and goes on.
  Type(3, "Ducks");
  t.prompts.Queue(MsgAnswer::Yes);
  NextAction();
  EXPECT_TRUE(win->QueryClose());
  EXPECT_EQ(t.pool.Teams[3].Name, "Ducks");
  EXPECT_EQ(t.waves.played.back(), "pswitch");  // OK's sound; one per action
}

TEST_F(SetupWindow, CancelAsksToKeepTheChanges) {
  MakePool(8);
  Open();
  Type(3, "Ducks");
  t.prompts.Queue(MsgAnswer::Cancel);
  NextAction();
  win->cmdCancel_Click();
  EXPECT_FALSE(Closed());
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_EQ(LastSound(), "start");

  t.prompts.Queue(MsgAnswer::No);
  NextAction();
  win->cmdCancel_Click();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(t.pool.Teams[3].Name, "Team 3");
  EXPECT_EQ(LastSound(), "whoosh");
}

TEST_F(SetupWindow, EscapeInABoxDoesWhatCancelDoes) {
  MakePool(8);
  Open();
  Type(3, "Ducks");
  QTest::keyClick(Name(3), Qt::Key_Return);  // Enter keeps its meaning: nothing closes
  EXPECT_TRUE(t.prompts.asked.empty());
  t.prompts.Queue(MsgAnswer::Cancel);
  QTest::keyClick(Name(3), Qt::Key_Escape);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.LastText(), "Do you wish to keep your changes?");
  EXPECT_FALSE(Closed());
  t.prompts.Queue(MsgAnswer::No);
  QTest::keyClick(Seed(5), Qt::Key_Escape);
  EXPECT_TRUE(Closed());
  EXPECT_EQ(t.pool.Teams[3].Name, "Team 3");
}

TEST_F(SetupWindow, DroppedNameSwapsWithATeamName) {
  MakePool(8);
  t.pool.Teams[5].Name = "";
  t.pool.Teams[5].Seed = 0;
  Open();
  ASSERT_TRUE(Drop(win->view(), {P::TeamName, 6}, {P::TeamName, 1}));
  EXPECT_EQ(Name(6)->text(), "Team 1");
  EXPECT_EQ(Seed(6)->text(), "1");
  EXPECT_EQ(Name(1)->text(), "Team 6");
  EXPECT_EQ(Seed(1)->text(), "6");
  EXPECT_EQ(LastSound(), "claves");
  EXPECT_TRUE(win->IsChanged());
  // An empty box takes no swap.
  Drop(win->view(), {P::TeamName, 5}, {P::TeamName, 2});
  EXPECT_EQ(Name(2)->text(), "Team 2");
  EXPECT_EQ(Name(5)->text(), "");
  EXPECT_TRUE(win->view()->IsDraggable({P::TeamName, 4}));
}

TEST_F(SetupWindow, AltInsertAndAltDeleteShiftTheSlots) {
  MakePool(7, {8});
  t.pool.Teams[8].Name = "";
  Open();
  QTest::keyClick(Name(2), Qt::Key_Insert, Qt::AltModifier);
  EXPECT_EQ(Name(2)->text(), "");
  EXPECT_EQ(Seed(2)->text(), "");
  EXPECT_EQ(Name(3)->text(), "Team 2");
  EXPECT_EQ(Seed(3)->text(), "2");
  EXPECT_EQ(Name(8)->text(), "Team 7");
  EXPECT_EQ(win->view()->Colour({P::TeamName, 2}), kWhite);
  EXPECT_TRUE(win->IsChanged());

  // The last slot is taken now: inserting would push its team out.
  QTest::keyClick(Name(4), Qt::Key_Insert, Qt::AltModifier);
  EXPECT_EQ(t.prompts.beeps, 1);
  EXPECT_EQ(Name(8)->text(), "Team 7");
  EXPECT_EQ(Name(4)->text(), "Team 3");

  QTest::keyClick(Name(2), Qt::Key_Delete, Qt::AltModifier);
  EXPECT_EQ(Name(2)->text(), "Team 2");
  EXPECT_EQ(Name(7)->text(), "Team 7");
  EXPECT_EQ(Name(8)->text(), "");
  EXPECT_EQ(Seed(8)->text(), "");
}

TEST_F(SetupWindow, LeavingABoxColoursItByItsText) {
  MakePool(8);
  Open();
  QApplication::setActiveWindow(win.get());
  Name(2)->setFocus();
  Type(2, "");
  Name(3)->setFocus();
  EXPECT_EQ(win->view()->Colour({P::TeamName, 2}), kWhite);
}

TEST_F(SetupWindow, PrintPreviewSavesFirstAndStopsWhenRefused) {
  MakePool(8);
  Open();
  t.pool.PrintEntry = -1;
  win->PrintPreview();
  EXPECT_TRUE(t.prompts.AnyTextContains("Print Preview already open for another print form!"));
  t.pool.PrintEntry = 0;

  Type(2, "Team 1");
  t.prompts.Queue(MsgAnswer::Yes);
  win->PrintPreview();
  EXPECT_TRUE(t.prompts.AnyTextContains("Duplicate team names"));
  EXPECT_FALSE(main.Called("ShowWindowByName"));

  Type(2, "Hawks");
  t.pool.DialogCancelled = true;  // left by the refusal; the answers decide
  t.prompts.Queue(MsgAnswer::Yes);
  win->PrintPreview();
  EXPECT_EQ(t.pool.Teams[2].Name, "Hawks");
  EXPECT_FALSE(Closed());
  EXPECT_TRUE(main.Called("ShowWindowByName frmPrintForm"));
  EXPECT_EQ(t.pool.PrintEntry, 0);  // no print form yet: nothing left blocked
}

TEST_F(SetupWindow, DualSidedHalvesFaceEachOther) {
  MakePool(16);
  t.pool.Pool.DualSided = true;
  Open();
  QRect left = Name(1)->geometry();
  QRect right = Name(9)->geometry();
  EXPECT_EQ(left.top(), right.top());
  EXPECT_GT(right.left(), left.right());
}

// Each box the window shows, with its buttons and icon: only the preview's
// refusal carries one.
TEST_F(SetupWindow, MessagesKeepTheirButtonsAndIcons) {
  using A = ScriptedPrompts::Asked;
  struct Step {
    std::function<void(SetupWindow&)> act;
    MsgButtons buttons;
    MsgIcon icon;
  };
  const Step steps[] = {
      {[](SetupWindow& w) { w.Type(2, "Team 1"); }, MsgButtons::OK, MsgIcon::None},
      {[](SetupWindow& w) { w.Type(2, ""); }, MsgButtons::YesNo, MsgIcon::None},
      {[](SetupWindow& w) { w.Type(2, "Bye"); }, MsgButtons::YesNo, MsgIcon::None},
      {[](SetupWindow& w) {
         w.Type(7, "Bye");
         w.Type(8, "Bye");
       },
       MsgButtons::OK, MsgIcon::None},
      {[](SetupWindow& w) {
         w.AddEntry(1);
         w.Type(2, "Owls");
       },
       MsgButtons::YesNoCancel, MsgIcon::None},
  };
  for (const Step& step : steps) {
    MakePool(8);
    Open();
    step.act(*this);
    t.prompts.asked.clear();
    t.prompts.Queue(MsgAnswer::No);
    win->cmdOK_Click();
    ASSERT_EQ(t.prompts.asked.size(), 1u);
    const A& a = t.prompts.asked[0];
    EXPECT_EQ(a.buttons, step.buttons) << a.text;
    EXPECT_EQ(a.icon, step.icon) << a.text;
  }

  MakePool(8);
  Open();
  Type(2, "Owls");
  t.prompts.asked.clear();
  t.prompts.Queue(MsgAnswer::Cancel);
  win->PrintPreview();
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text,
            "Do you want to save your changes before previewing the print form?");
  EXPECT_EQ(t.prompts.asked[0].buttons, MsgButtons::YesNoCancel);
  EXPECT_EQ(t.prompts.asked[0].icon, MsgIcon::None);
  t.pool.PrintEntry = -1;
  win->PrintPreview();
  EXPECT_EQ(t.prompts.asked.back().icon, MsgIcon::Exclamation);
}

TEST_F(SetupWindow, RightButtonShowsTheSaveCancelMenu) {
  MakePool(8);
  Open();
  QTest::mouseClick(Seed(3), Qt::RightButton);
  EXPECT_TRUE(main.Called("PopupEntryMenu"));
  main.calls.clear();
  QTest::mouseClick(win->findChild<QLabel*>("Label2"), Qt::RightButton);
  EXPECT_TRUE(main.Called("PopupEntryMenu"));
}

}  // namespace
}  // namespace qb
