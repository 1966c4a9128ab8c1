#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QtTest/QTest>

#include "core/bracket.h"
#include "entry_editor_support.h"

namespace qb {
namespace {

using namespace qb::testing;

class EditEntryTest : public ::testing::Test, public EditorFixtureBase {
 protected:
  void SetUp() override {
    MakeBracketPool(s, 8);  // seeds 1..8 by slot
    ann = AddPoolBettor(s, "Ann", "555-1234", "ann@example.com");
    bob = AddPoolBettor(s, "Bob");
    AddPoolEntry(s, ann, 1, {1, 3, 5, 7, 1, 5, 1});
    AddPoolEntry(s, bob, 2, {2, 4, 6, 8, 2, 6, 2});
  }
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<frmEditEntry*>(w)) delete w;
  }
  static std::string Text(frmEditEntry* w, const char* name) {
    if (auto* l = w->findChild<QLabel*>(name)) return l->text().toStdString();
    if (auto* e = w->findChild<QLineEdit*>(name)) return e->text().toStdString();
    ADD_FAILURE() << "no control " << name;
    return {};
  }
  PickBoard Board(std::initializer_list<int> picks) {
    PickBoard b(s.NumGames + 1, 0);
    int g = 1;
    for (int p : picks) b[g++] = static_cast<int16_t>(p);
    return b;
  }
  // Runs what the event loop would: deferred deletes and timers due now.
  static void Flush() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  int ann = 0, bob = 0;
};

TEST_F(EditEntryTest, LoadsTheEntrysPicksTeamsCaptionsAndScore) {
  s.Pool.Results[1] = 1;  // one game played, picked right
  ResetTeamAdvance(s);
  auto w = OpenEditor(1);
  EXPECT_EQ(w->windowTitle(),
            "Edit Entry #1 for Ann  --  Phone: 555-1234, E-mail: ann@example.com");
  EXPECT_EQ(w->findChild<QGroupBox*>("fraScoring")->title(),
            "Scoring for entry #1 for Ann  --  Phone: 555-1234, E-mail: ann@example.com");
  EXPECT_EQ(Text(w, "txtTeamName(3)"), "Team 3");
  EXPECT_EQ(Text(w, "txtTeamSeed(3)"), "3");
  EXPECT_EQ(Text(w, "txtWinner(6)"), "Team 5");
  EXPECT_EQ(Text(w, "txtWinnerSeed(6)"), "5");
  EXPECT_EQ(w->findChild<QWidget*>("txtWinner(6)")->property("Tag").toInt(), 5);
  EXPECT_EQ(Text(w, "lblRound0"), " ---- Round 1 ---- ");
  EXPECT_EQ(Text(w, "lblRound(1)"), " -- Semi-Finals -- ");
  EXPECT_EQ(Text(w, "lblRound(3)"), " --- Champion --- ");
  EXPECT_EQ(Text(w, "txtRoundGames(1)"), "1");
  EXPECT_EQ(Text(w, "txtPointsWon"), "10.00");
  EXPECT_EQ(Text(w, "txtGamesWon"), "1");
  EXPECT_EQ(s.CurrentEntry, 1);
  EXPECT_EQ(s.SoundPlayed, 1) << "loading plays no sound";
  EXPECT_FALSE(w->entryChanged());
  EXPECT_TRUE(main.Called("SetPreviewButtons"));
  // No numeric tiebreaker in this pool: its frame stays hidden.
  EXPECT_TRUE(w->findChild<QWidget*>("fraTiebreaker")->isHidden());
}

TEST_F(EditEntryTest, ByeGamesHoldTheirTeamAndByeSlotsDoNotDrag) {
  MakeBracketPool(s, 7);  // slot 8 is a Bye: game 4 holds team 7
  AddPoolEntry(s, ann, 3);
  auto w = OpenEditor(3);
  EXPECT_EQ(Text(w, "txtWinner(4)"), "Team 7");
  // The Bye slot carries no team: the drop places nothing.
  EXPECT_TRUE(DropTeam(w, 8, "txtWinner(6)"));
  EXPECT_EQ(w->board()[6], 0);
  // A pick dropped back on the Bye's name is taken back like on any team row.
  DropTeam(w, 5, "txtWinner(6)");
  ASSERT_EQ(w->board()[6], 5);
  EXPECT_TRUE(DropWinner(w, 6, "txtTeamName(8)"));
  EXPECT_EQ(w->board()[6], 0);
  EXPECT_EQ(w->board()[4], 7) << "the Bye game keeps its team";
}

TEST_F(EditEntryTest, DropsPlaceThroughTheLogicWithTheirSoundsAndRescore) {
  AddPoolEntry(s, ann, 3);
  s.Pool.Results[2] = 3;
  ResetTeamAdvance(s);
  auto w = OpenEditor(3);
  s.SoundPlayed = 0;
  ASSERT_TRUE(DropTeam(w, 3, "lblRound(3)"));  // team 3 to the champion's box
  EXPECT_EQ(w->board(), Board({0, 3, 0, 0, 3, 0, 3}));
  EXPECT_EQ(Text(w, "txtWinner(7)"), "Team 3");
  EXPECT_EQ(tc.waves.played, (std::vector<std::string>{"start", "start", "start"}));
  EXPECT_TRUE(w->entryChanged());
  EXPECT_EQ(Text(w, "txtPointsWon"), "10.00");

  // Taking it back onto the team column empties it everywhere.
  ASSERT_TRUE(DropWinner(w, 7, "txtTeamSeed(1)"));
  EXPECT_EQ(w->board(), Board({}));
  EXPECT_EQ(Text(w, "txtWinner(2)"), " ");
  EXPECT_EQ(Text(w, "txtPointsWon"), ".00");
}

TEST_F(EditEntryTest, ABoxDroppedOnItselfChangesNothing) {
  auto w = OpenEditor(1);
  ASSERT_TRUE(DropWinner(w, 5, "txtWinner(5)"));
  EXPECT_FALSE(w->entryChanged());
  EXPECT_EQ(w->board()[5], 1);
}

TEST_F(EditEntryTest, ARefusedDropBeepsAndLeavesTheBoxes) {
  s.Pool.RePair = true;
  s.RoundByRoundOrRePair = true;
  AddPoolEntry(s, ann, 3, {3});
  auto w = OpenEditor(3);
  const PickBoard before = w->board();
  ASSERT_TRUE(DropTeam(w, 4, "txtWinner(2)"));  // 3, its first-round opponent, won game 1
  EXPECT_EQ(tc.prompts.beeps, 1);
  EXPECT_EQ(w->board(), before);
  EXPECT_TRUE(w->entryChanged());
}

TEST_F(EditEntryTest, ForeignDataAndControlsAreNotDrops) {
  auto w = OpenEditor(1);
  QMimeData text;
  text.setText("Team 3");
  EXPECT_FALSE(w->DropOn(w->findChild<QWidget*>("txtWinner(5)"), &text));
  // A drag of another window's bracket is not one of this editor's.
  BracketView other;
  std::unique_ptr<QMimeData> foreign(other.DragData({BracketPart::TeamName, 3}));
  EXPECT_FALSE(w->DropOn(w->findChild<QWidget*>("txtWinner(5)"), foreign.get()));
  EXPECT_FALSE(DropTeam(w, 3, "txtWinnerSeed(5)"));
  EXPECT_FALSE(DropTeam(w, 3, "fraScoring"));
  EXPECT_FALSE(w->entryChanged());
}

TEST_F(EditEntryTest, OkStoresTheBoardClosesAndFreesTheEditor) {
  QWidget caller;
  caller.setObjectName("frmDisplayRank");
  auto w = OpenEditor(1, &caller);
  DropTeam(w, 2, "txtWinner(1)");  // 2 replaces 1 in game 1 and its later picks
  w->cmdOK_Click();
  Flush();
  EXPECT_TRUE(w.isNull());
  EXPECT_EQ(s.Picks(1, 1), 2);
  EXPECT_EQ(s.Picks(5, 1), 0);
  EXPECT_EQ(s.EditEntryNumber, 0);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_EQ(tc.prompts.LastText(), "Entry not completely filled.  Quit Anyway?");
  EXPECT_FALSE(main.Called("ShowWindowByName frmSelectEntry"));
  EXPECT_TRUE(main.Called("HideBottomToolbar"));
}

TEST_F(EditEntryTest, OkFromTheSelectionBringsTheSelectionBackForTheNextEntry) {
  QWidget selection;
  selection.setObjectName("frmSelectEntry");
  auto w = OpenEditor(1, &selection);
  s.SoundPlayed = 0;  // the click on OK
  w->cmdOK_Click();
  EXPECT_TRUE(tc.prompts.asked.empty()) << "a complete unchanged entry asks nothing";
  EXPECT_EQ(tc.waves.played, std::vector<std::string>{"start"});
  EXPECT_FALSE(s.PoolChanged);
  Flush();
  EXPECT_TRUE(w.isNull());
  EXPECT_TRUE(main.Called("ShowWindowByName frmSelectEntry"));
  EXPECT_EQ(s.EditEntryNumber, 0);
}

TEST_F(EditEntryTest, ARefusedSaveKeepsTheEditorAndStoresNothing) {
  auto w = OpenEditor(1);
  w->ClearPicks();
  tc.prompts.Queue(MsgAnswer::No);  // "Entry not completely filled.  Quit Anyway?"
  w->cmdOK_Click();
  Flush();
  ASSERT_FALSE(w.isNull());
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_EQ(s.Picks(1, 1), 1);
  EXPECT_EQ(s.EditEntryNumber, 1);
  EXPECT_FALSE(main.Called("ShowWindowByName"));
}

TEST_F(EditEntryTest, AnEntryWithoutParticipantGoesToTheHeaderAndStaysOpen) {
  s.Entries[1].BettorIndex = 0;
  auto w = OpenEditor(1);
  EXPECT_EQ(w->windowTitle(), "Edit New Entry");
  dialogs.onHeader = HeaderGives(ann, 4);
  w->cmdOK_Click();
  ASSERT_FALSE(w.isNull());
  EXPECT_TRUE(dialogs.Called("EntryHeader"));
  EXPECT_EQ(tc.prompts.beeps, 1);
  EXPECT_TRUE(tc.prompts.asked.empty());
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_EQ(w->windowTitle().toStdString().rfind("Edit Entry #4 for Ann", 0), 0u);
  // Saving again now stores it.
  w->cmdOK_Click();
  EXPECT_TRUE(w.isNull() || !w->isVisible());
  EXPECT_EQ(s.Entries[1].EntryNumber, 4);
}

TEST_F(EditEntryTest, CancelWithChangesAsksAndEachAnswerDoesItsPart) {
  struct Case {
    MsgAnswer answer;
    bool staysOpen;
    int storedPick;
  };
  for (Case c : {Case{MsgAnswer::Cancel, true, 1}, Case{MsgAnswer::No, false, 1},
                 Case{MsgAnswer::Yes, false, 2}}) {
    s.Picks(1, 1) = 1;
    s.EditEntryNumber = 0;
    tc.prompts.asked.clear();
    auto w = OpenEditor(1);
    DropTeam(w, 2, "txtWinner(1)");
    tc.prompts.Queue(c.answer);
    if (c.answer == MsgAnswer::Yes) tc.prompts.Queue(MsgAnswer::Yes);  // incomplete: save anyway
    w->cmdCancel_Click();
    Flush();
    EXPECT_EQ(tc.prompts.asked.front().text, "Do you wish to keep your changes?");
    EXPECT_EQ(!w.isNull(), c.staysOpen) << static_cast<int>(c.answer);
    EXPECT_EQ(s.Picks(1, 1), c.storedPick) << static_cast<int>(c.answer);
    EXPECT_EQ(s.EditEntryNumber, c.staysOpen ? 1 : 0);
    EXPECT_EQ(s.NumEntries, 2) << "an existing entry is never taken out";
    delete w.data();
  }
}

TEST_F(EditEntryTest, ANewEntryClosedUnsavedIsTakenOutAgainButASavedOneStays) {
  // Closed without any change.
  int e = AddPoolEntry(s, ann, 3);
  s.NewEntryMode = true;
  auto w = OpenEditor(e);
  EXPECT_TRUE(w->isNewEntry());
  EXPECT_FALSE(s.NewEntryMode);
  s.PoolChanged = false;  // File > Save wrote the pool with the new entry in it
  w->cmdCancel_Click();
  EXPECT_EQ(s.NumEntries, 2);
  EXPECT_TRUE(s.PoolChanged) << "the file no longer matches the pool";

  // Closed with changes, answered No, while an entry before it... stays intact.
  e = AddPoolEntry(s, ann, 3);
  s.NewEntryMode = true;
  w = OpenEditor(e);
  DropTeam(w, 1, "txtWinner(1)");
  tc.prompts.Queue(MsgAnswer::No);
  w->close();  // the close box
  EXPECT_EQ(s.NumEntries, 2);
  EXPECT_EQ(s.Picks(1, 2), 2) << "the other entries keep their picks";

  // Saved, then closed: it stays.
  e = AddPoolEntry(s, ann, 3);
  s.NewEntryMode = true;
  w = OpenEditor(e);
  w->cmdFill_Click();
  w->cmdOK_Click();
  EXPECT_EQ(s.NumEntries, 3);
  EXPECT_EQ(s.Picks(7, 3), 1);
}

TEST_F(EditEntryTest, TheMainWindowClosingAllChildrenAsksOnce) {
  auto w = OpenEditor(1);
  DropTeam(w, 2, "txtWinner(1)");
  tc.prompts.Queue(MsgAnswer::Cancel);
  EXPECT_FALSE(w->QueryClose());
  EXPECT_TRUE(s.DialogCancelled);
  tc.prompts.Queue(MsgAnswer::No);
  EXPECT_TRUE(w->QueryClose());
  w->close();
  EXPECT_EQ(tc.prompts.asked.size(), 2u);
  EXPECT_EQ(s.EditEntryNumber, 0);
}

TEST_F(EditEntryTest, PrintPreviewChecksInOrderAndSavesWithTheEditorKeptOpen) {
  auto w = OpenEditor(1);
  s.PrintEntry = -1;
  w->PrintPreview();
  EXPECT_EQ(tc.prompts.LastText(),
            "Print Preview already open for another print form!\r\nPlease close it and then try "
            "printing this one again.");
  EXPECT_FALSE(dialogs.Called("PrintForm"));

  // A cancel left from an earlier command does not stop it.
  s.PrintEntry = 0;
  s.DialogCancelled = true;
  w->PrintPreview();
  EXPECT_TRUE(dialogs.Called("PrintForm 1"));

  // Changes saved first: the editor stays open with its entry, and the
  // selection is not brought back.
  QWidget selection;
  selection.setObjectName("frmSelectEntry");
  delete w.data();
  s.PrintEntry = 0;
  w = OpenEditor(1, &selection);
  DropTeam(w, 2, "txtWinner(1)");
  tc.prompts.Queue(MsgAnswer::Yes);  // save before previewing
  tc.prompts.Queue(MsgAnswer::Yes);  // incomplete: quit anyway
  w->PrintPreview();
  Flush();
  ASSERT_FALSE(w.isNull());
  EXPECT_EQ(s.Picks(1, 1), 2);
  EXPECT_EQ(s.EditEntryNumber, 1);
  EXPECT_EQ(s.PrintEntry, 1);
  EXPECT_FALSE(w->entryChanged());
  EXPECT_FALSE(main.Called("ShowWindowByName frmSelectEntry"));
}

TEST_F(EditEntryTest, PrintPreviewAnsweredNoShowsTheStoredEntryAndCancelNothing) {
  auto w = OpenEditor(1);
  DropTeam(w, 2, "txtWinner(1)");
  tc.prompts.Queue(MsgAnswer::Cancel);
  w->PrintPreview();
  EXPECT_FALSE(dialogs.Called("PrintForm"));
  tc.prompts.Queue(MsgAnswer::No);
  w->PrintPreview();
  EXPECT_TRUE(dialogs.Called("PrintForm 1"));
  EXPECT_EQ(s.Picks(1, 1), 1);
  EXPECT_TRUE(w->entryChanged());
}

TEST_F(EditEntryTest, WithoutAPrintFormThePreviewIsRefusedAndNothingStaysMarked) {
  auto w = OpenEditor(1);
  w->SetDialogs(&StandardEntryDialogs());
  w->PrintPreview();
  EXPECT_TRUE(main.Called("ShowWindowByName frmPrintForm"));
  EXPECT_EQ(s.PrintEntry, 0);
  EXPECT_EQ(tc.prompts.LastText(), "The print form is not available.");
}

TEST_F(EditEntryTest, FillClearAndCopyChangeTheBoxesOnly) {
  AddPoolEntry(s, ann, 3, {0, 4});
  auto w = OpenEditor(3);
  w->cmdFill_Click();
  EXPECT_EQ(w->board(), Board({1, 4, 5, 7, 1, 5, 1}));
  EXPECT_TRUE(w->entryChanged());
  w->ClearPicks();
  EXPECT_EQ(w->board(), Board({}));
  EXPECT_EQ(Text(w, "txtWinner(7)"), " ");

  dialogs.copyFrom = 2;
  w->CopyEntry();
  EXPECT_TRUE(dialogs.Called("CopyFrom 3"));
  EXPECT_EQ(w->board(), Board({2, 4, 6, 8, 2, 6, 2}));
  EXPECT_EQ(s.CopyFromEntry, 2);
  EXPECT_EQ(s.Picks(2, 3), 4) << "nothing is stored before OK";
}

TEST_F(EditEntryTest, TiebreakerAndCollectedAreEditedAndStored) {
  s.Pool.TiebreakerUsed = true;
  s.Pool.TiebreakerType = "Points in Final - Winner";
  s.NumericTiebreaker = true;
  s.Entries[1].Tiebreaker = 71;
  auto w = OpenEditor(1);
  auto* amount = w->findChild<QLineEdit*>("txtTiebreakerAmt");
  EXPECT_FALSE(w->findChild<QWidget*>("fraTiebreaker")->isHidden());
  EXPECT_EQ(Text(w, "lblTiebreakerType"), "Points in Final - Winner");
  EXPECT_EQ(amount->text(), "71");
  EXPECT_FALSE(w->entryChanged());

  amount->selectAll();
  QTest::keyClicks(amount, "8x5");  // letters are not taken
  EXPECT_EQ(amount->text(), "85");
  EXPECT_TRUE(w->entryChanged());
  QTest::mouseClick(w->findChild<QCheckBox*>("chkCollected"), Qt::LeftButton);
  w->cmdOK_Click();
  EXPECT_FLOAT_EQ(s.Entries[1].Tiebreaker, 85);
  EXPECT_TRUE(s.Entries[1].Collected);
}

TEST_F(EditEntryTest, SavedScoresAreTheScoringFiguresThemselves) {
  for (int r = 1; r <= 3; ++r) s.Pool.RoundPoints[r] = 640;
  for (int g = 1; g <= 7; ++g) s.Pool.Results[g] = s.Picks(g, 1);
  ResetTeamAdvance(s);
  auto w = OpenEditor(1);
  EXPECT_EQ(Text(w, "txtPointsWon"), "4,480.00");
  w->cmdOK_Click();
  EXPECT_FLOAT_EQ(s.Entries[1].Points, 4480);
  EXPECT_EQ(s.Entries[1].GamesWon, 7);
  EXPECT_FLOAT_EQ(s.Entries[1].RoundPointsWon[1], 2560);
}

TEST_F(EditEntryTest, OnlyOneEntryIsOpenAtATime) {
  auto w = OpenEditor(1);
  EXPECT_FALSE(OpenEntryEditor(tc.ctx, 2, nullptr));
  EXPECT_EQ(tc.prompts.LastText(),
            "Another Entry is already open!\r\nPlease close it before editing another entry!");
  EXPECT_EQ(tc.prompts.asked.back().icon, MsgIcon::Information);
  EXPECT_FALSE(main.Called("ShowWindowByName"));
  w->cmdCancel_Click();
  EXPECT_TRUE(OpenEntryEditor(tc.ctx, 2, nullptr));
  EXPECT_EQ(s.EditEntryNumber, 2);
  EXPECT_TRUE(main.Called("ShowWindowByName frmEditEntry"));
}

TEST_F(EditEntryTest, ScoringFramesFollowTheViewMenu) {
  auto w = OpenEditor(1);
  const int full = w->canvas()->height();
  main.showScoring = false;
  w->AdjustHeightForScoring();
  EXPECT_LT(w->canvas()->height(), full);
  EXPECT_LT(w->canvas()->height(), w->findChild<QWidget*>("fraScoring")->geometry().bottom());
  main.showScoring = true;
  w->AdjustHeightForScoring();
  EXPECT_GE(w->canvas()->height(), w->findChild<QWidget*>("fraStats")->geometry().bottom());
}

TEST_F(EditEntryTest, HeaderAndParmsCommandsOpenTheirDialogs) {
  auto w = OpenEditor(1);
  dialogs.onHeader = HeaderGives(bob, 7);
  w->cmdEntryHeader_Click();
  EXPECT_EQ(w->windowTitle().toStdString().rfind("Edit Entry #7 for Bob", 0), 0u);
  EXPECT_EQ(dialogs.headerNewEntryMode, std::vector<bool>{false});
  w->cmdShowParms_Click();
  EXPECT_TRUE(dialogs.Called("EntryParms"));
}

// Pictures of the editor for a look by eye: QB_EDITOR_SHOTS=dir writes them.
TEST_F(EditEntryTest, Pictures) {
  const QByteArray dir = qgetenv("QB_EDITOR_SHOTS");
  if (dir.isEmpty()) GTEST_SKIP() << "set QB_EDITOR_SHOTS to a folder to write pictures";
  s.Pool.Results[1] = 1;
  s.Pool.Results[2] = 4;
  ResetTeamAdvance(s);
  s.Pool.TiebreakerUsed = true;
  s.Pool.TiebreakerType = "Points Final Game - Both Teams";
  s.NumericTiebreaker = true;
  auto w = OpenEditor(1);
  w->show();
  EXPECT_TRUE(w->canvas()->grab().save(QString(dir) + "/editor8.png"));
  delete w.data();

  MakeBracketPool(s, 29, true);
  s.Pool.TiebreakerUsed = true;
  s.Pool.TiebreakerType = "Points in Final - Winner";
  s.NumericTiebreaker = true;
  int e = AddPoolEntry(s, ann, 2);
  s.EditEntryNumber = 0;
  w = OpenEditor(e);
  w->cmdFill_Click();
  w->show();
  EXPECT_TRUE(w->canvas()->grab().save(QString(dir) + "/editor32dual.png"));
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

using namespace qb::testing;

class EditEntryRefusalTest : public ::testing::Test, public EditorFixtureBase {};

TEST_F(EditEntryRefusalTest, WithoutABracketOrAnEntryTheEditorRefusesToOpen) {
  s.DialogCancelled = false;
  auto w = OpenEditor(1);  // no team count yet
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_EQ(tc.prompts.beeps, 1);
  delete w.data();

  MakeBracketPool(s, 8);
  s.DialogCancelled = false;
  w = OpenEditor(3);  // no such entry
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_EQ(s.EditEntryNumber, 0) << "the next entry can still be opened";
  delete w.data();
}

}  // namespace
}  // namespace qb
