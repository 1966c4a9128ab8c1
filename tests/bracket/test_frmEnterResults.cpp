#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTest>
#include <memory>

#include "bracket/frmEnterResults.h"
#include "bracket/frmSetup.h"
#include "bracket_window_fixture.h"

namespace qb {
namespace {

using P = BracketPart;

const QColor kCyan(0, 255, 255);
const QColor kYellow(255, 255, 0);

struct ResultsWindow : test::BracketWindowTest {
  std::unique_ptr<frmEnterResults> win;

  void Open() {
    win = std::make_unique<frmEnterResults>(t.ctx);
    ASSERT_FALSE(t.pool.DialogCancelled);
    win->show();
  }
  // Eight teams, a tiebreaker of points, and one entry that picked the
  // first winner: its points follow the results.
  void MakePoolWithTiebreakerAndOneEntry() {
    MakePool(8);
    t.pool.Pool.TiebreakerUsed = true;
    t.pool.Pool.TiebreakerType = "Points Final Game - Both Teams";
    t.pool.Pool.RoundPoints[1] = 3;
    t.pool.NumEntries = 1;
    t.pool.Entries.assign(2, EntryRecord{});
    t.pool.Picks.EnsureSize(t.pool.NumGames + 1, 1);
    t.pool.Picks(1, 1) = 1;
  }
  BracketView* view() { return win->view(); }
  QString Text(P part, int i) { return view()->Text({part, i}); }
  // Drags the team box of a slot or the winner box of a game onto a target.
  void DropTeam(int slot, BoxRef target) {
    NextAction();
    Drop(view(), target, {P::TeamName, slot});
  }
  void DropWinner(int game, BoxRef target) {
    NextAction();
    Drop(view(), target, {P::Winner, game});
  }
};

TEST_F(ResultsWindow, LoadsTeamsResultsAndByeOpponents) {
  MakePool(7, {8}, 8);
  t.pool.Pool.Results[1] = 2;
  t.pool.Pool.Results[5] = 2;
  Open();
  EXPECT_EQ(Text(P::TeamName, 3), "Team 3");
  EXPECT_EQ(Text(P::TeamSeed, 3), "3");
  EXPECT_EQ(Text(P::TeamName, 8), "Bye");
  EXPECT_FALSE(view()->IsDraggable({P::TeamName, 8}));
  EXPECT_TRUE(view()->IsDraggable({P::TeamName, 7}));
  EXPECT_EQ(Text(P::Winner, 1), "Team 2");
  EXPECT_EQ(Text(P::WinnerSeed, 1), "2");
  EXPECT_EQ(Text(P::Winner, 5), "Team 2");
  EXPECT_EQ(Text(P::Winner, 4), "Team 7");  // advanced past the Bye
  EXPECT_EQ(Text(P::Winner, 2), " ");
  EXPECT_EQ(Text(P::WinnerSeed, 2), " ");
  EXPECT_EQ(view()->Colour({P::Winner, 1}), kYellow);
  EXPECT_EQ(view()->Colour({P::WinnerSeed, 4}), kYellow);
  EXPECT_EQ(view()->Colour({P::Winner, 2}), kCyan);
  EXPECT_EQ(view()->Colour({P::WinnerSeed, 7}), kCyan);
  EXPECT_FALSE(win->IsChanged());
  EXPECT_NE(win->findChild<QLineEdit*>("txtWinner(7)"), nullptr);
  EXPECT_NE(win->findChild<QLabel*>("lblRound0"), nullptr);
}

TEST_F(ResultsWindow, TiebreakerShownOnlyForANumericOne) {
  MakePool(8);
  t.pool.Pool.TiebreakerUsed = true;
  t.pool.Pool.TiebreakerType = "Points in Final - Winner";
  t.pool.Pool.TiebreakerActual = 145;
  Open();
  EXPECT_TRUE(win->fraTiebreaker->isVisible());
  EXPECT_EQ(win->lblTiebreakerType->text(), "Points in Final - Winner");
  EXPECT_EQ(win->txtTiebreakerAmt->text(), "145");

  t.pool.Pool.TiebreakerType = "Actual Games Picked Correctly";
  Open();
  EXPECT_FALSE(win->fraTiebreaker->isVisible());
  EXPECT_FALSE(win->txtTiebreakerAmt->isVisible());
}

TEST_F(ResultsWindow, DropsPlaceChangeAndRefuseWinners) {
  MakePool(8);
  Open();
  DropTeam(1, {P::Winner, 1});
  EXPECT_EQ(Text(P::Winner, 1), "Team 1");
  EXPECT_EQ(Text(P::WinnerSeed, 1), "1");
  EXPECT_EQ(view()->Colour({P::Winner, 1}), kYellow);
  EXPECT_EQ(LastSound(), "start");
  EXPECT_TRUE(win->IsChanged());
  EXPECT_TRUE(view()->IsDraggable({P::Winner, 1}));

  // A team of another game: a beep and nothing else.
  DropTeam(3, {P::Winner, 1});
  EXPECT_EQ(t.prompts.beeps, 1);
  EXPECT_EQ(Text(P::Winner, 1), "Team 1");
  EXPECT_TRUE(t.prompts.asked.empty());

  // On through round 2 and the final, then round 1 changed: the later boxes empty.
  DropTeam(3, {P::Winner, 2});
  DropWinner(1, {P::Winner, 5});
  DropWinner(5, {P::WinnerSeed, 7});  // the seed box beside a winner box takes drops too
  EXPECT_EQ(Text(P::Winner, 7), "Team 1");
  t.waves.played.clear();
  DropTeam(2, {P::Winner, 1});
  EXPECT_EQ(Text(P::Winner, 1), "Team 2");
  EXPECT_EQ(Text(P::Winner, 5), " ");
  EXPECT_EQ(Text(P::Winner, 7), " ");
  EXPECT_EQ(view()->Colour({P::Winner, 5}), kCyan);
  EXPECT_FALSE(view()->IsDraggable({P::Winner, 5}));
  EXPECT_EQ(t.waves.played, (std::vector<std::string>{"cork"}));  // one sound per action

  // A changed winner with nothing later to clear.
  DropTeam(4, {P::Winner, 2});
  EXPECT_EQ(LastSound(), "claves");
}

TEST_F(ResultsWindow, TakesAResultBackOnTheTeamColumn) {
  MakePool(8);
  Open();
  DropTeam(1, {P::Winner, 1});
  DropWinner(1, {P::Winner, 5});
  DropWinner(5, {P::TeamSeed, 6});
  EXPECT_EQ(Text(P::Winner, 5), " ");
  EXPECT_EQ(Text(P::Winner, 1), "Team 1");
  EXPECT_EQ(LastSound(), "cork");
  DropWinner(1, {P::TeamCaption, 1});
  EXPECT_EQ(Text(P::Winner, 1), " ");
  // A team box dropped on its own column means nothing.
  DropTeam(2, {P::TeamName, 5});
  EXPECT_EQ(t.prompts.beeps, 0);
  EXPECT_EQ(win->board().Winner(1), 0);
}

TEST_F(ResultsWindow, CaptionDropsUseTheRoundOfTheColumn) {
  MakePool(16);
  t.pool.Pool.DualSided = true;
  Open();
  DropTeam(16, {P::RoundCaption, 1});
  EXPECT_EQ(Text(P::Winner, 8), "Team 16");
  // lblRound(7) is the mirrored column of round 1, lblRound(6) of round 2.
  DropTeam(13, {P::RoundCaption, 7});
  EXPECT_EQ(Text(P::Winner, 7), "Team 13");
  DropWinner(8, {P::RoundCaption, 6});
  EXPECT_EQ(Text(P::Winner, 12), "Team 16");
  EXPECT_TRUE(view()->bracketGeometry().Find(P::Winner, 12)->mirrored);
}

TEST_F(ResultsWindow, RePairTakesAnyWinnerOfTheRoundBefore) {
  MakePool(8);
  t.pool.Pool.RePair = true;
  Open();
  EXPECT_TRUE(view()->bracketGeometry().lines.empty());
  DropTeam(1, {P::Winner, 1});
  DropWinner(1, {P::Winner, 6});
  EXPECT_EQ(Text(P::Winner, 6), "Team 1");
  DropWinner(1, {P::Winner, 5});
  EXPECT_EQ(t.prompts.beeps, 1);
}

TEST_F(ResultsWindow, ByeWinnersAndByeSlotsStayPut) {
  MakePool(7, {2});
  Open();
  DropTeam(2, {P::Winner, 1});
  DropWinner(1, {P::TeamName, 1});
  EXPECT_EQ(Text(P::Winner, 1), "Team 1");
  EXPECT_EQ(t.prompts.beeps, 2);
  EXPECT_FALSE(win->IsChanged());
}

TEST_F(ResultsWindow, DropsFromAnotherBracketAreNotTaken) {
  MakePool(8);
  Open();
  BracketView other;
  other.SetBracketGeometry(view()->bracketGeometry());
  std::unique_ptr<QMimeData> foreign(other.DragData({P::TeamName, 1}));
  EXPECT_FALSE(view()->HandleDrop({P::Winner, 1}, foreign.get()));
  EXPECT_EQ(t.prompts.beeps, 0);
}

TEST_F(ResultsWindow, ADropEventOnAWinnerBoxReachesThePlacement) {
  MakePool(8);
  Open();
  QLineEdit* target = win->findChild<QLineEdit*>("txtWinner(2)");
  ASSERT_NE(target, nullptr);
  std::unique_ptr<QMimeData> data(view()->DragData({P::TeamSeed, 4}));
  QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  EXPECT_EQ(target->text(), "Team 4");
}

TEST_F(ResultsWindow, TheTiebreakerTakesWhatAnEntryMayPredict) {
  MakePool(8);
  t.pool.Pool.TiebreakerUsed = true;
  t.pool.Pool.TiebreakerType = "Points Final Game - Both Teams";
  Open();
  const struct {
    const char* typed;
    const char* shown;
  } cases[] = {
      {"-3.1255", "-3.1255"},        // a sign and four decimals, as the entry editor takes
      {"123456789", "123456789"},    // nine digits
      {"1.23456", "1.2345"},         // no fifth decimal
      {"12-3", "123"},               // a sign only in front
  };
  for (const auto& c : cases) {
    win->txtTiebreakerAmt->clear();
    QTest::keyClicks(win->txtTiebreakerAmt, c.typed);
    EXPECT_EQ(win->txtTiebreakerAmt->text(), QString(c.shown)) << c.typed;
  }
  win->txtTiebreakerAmt->clear();
  QTest::keyClicks(win->txtTiebreakerAmt, "-3.1255");
  win->cmdOK_Click();
  EXPECT_FLOAT_EQ(t.pool.Pool.TiebreakerActual, -3.1255f);
}

TEST_F(ResultsWindow, EscapeDoesWhatCancelDoes) {
  MakePoolWithTiebreakerAndOneEntry();
  Open();
  DropTeam(1, {P::Winner, 1});
  QTest::keyClick(win->txtTiebreakerAmt, Qt::Key_Return);  // Enter closes nothing
  EXPECT_TRUE(t.prompts.asked.empty());
  t.prompts.Queue(MsgAnswer::Cancel);
  QTest::keyClick(win->txtTiebreakerAmt, Qt::Key_Escape);
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_TRUE(win->isVisible());
  t.prompts.Queue(MsgAnswer::No);
  QTest::keyClick(view()->Box(P::Winner, 1), Qt::Key_Escape);
  EXPECT_FALSE(win->isVisible());
  EXPECT_EQ(t.pool.Pool.Results[1], 0);
}

TEST_F(ResultsWindow, OkStoresResultsTiebreakerAndWhoIsAlive) {
  MakePoolWithTiebreakerAndOneEntry();
  Open();
  DropTeam(1, {P::Winner, 1});
  DropTeam(4, {P::Winner, 2});
  DropWinner(2, {P::Winner, 5});
  EXPECT_EQ(win->txtTiebreakerAmt->text(), QString("0"));
  win->txtTiebreakerAmt->clear();
  QTest::keyClicks(win->txtTiebreakerAmt, "x12.5");  // letters are not taken
  EXPECT_EQ(win->txtTiebreakerAmt->text(), QString("12.5"));
  NextAction();
  win->cmdOK_Click();
  const PoolState& s = t.pool;
  EXPECT_EQ(s.Pool.Results[1], 1);
  EXPECT_EQ(s.Pool.Results[2], 4);
  EXPECT_EQ(s.Pool.Results[5], 4);
  EXPECT_EQ(s.Pool.Results[3], 0);
  EXPECT_FLOAT_EQ(s.Pool.TiebreakerActual, 12.5f);
  EXPECT_EQ(s.Entries[1].Points, 3);
  EXPECT_FALSE(s.Teams[1].Alive);
  EXPECT_FALSE(s.Teams[2].Alive);
  EXPECT_FALSE(s.Teams[3].Alive);
  EXPECT_TRUE(s.Teams[4].Alive);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_EQ(LastSound(), "pswitch");
  EXPECT_FALSE(win->isVisible());
  EXPECT_TRUE(t.prompts.asked.empty());
}

TEST_F(ResultsWindow, OkWithoutChangesLeavesThePoolUnchanged) {
  MakePool(8);
  Open();
  win->cmdOK_Click();
  EXPECT_FALSE(t.pool.PoolChanged);
}

struct CloseCase {
  MsgAnswer answer;
  bool closes;
  bool stored;
  const char* sound;
};

class ResultsClose : public ResultsWindow, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ResultsClose, AsksToKeepTheChanges) {
  const CloseCase& c = GetParam();
  MakePool(8);
  Open();
  DropTeam(2, {P::Winner, 1});
  t.prompts.Queue(c.answer);
  NextAction();
  t.waves.played.clear();
  win->cmdCancel_Click();
  ASSERT_EQ(t.prompts.asked.size(), 1u);
  EXPECT_EQ(t.prompts.asked[0].text, "Do you wish to keep your changes?");
  EXPECT_EQ(win->isVisible(), !c.closes);
  EXPECT_EQ(t.pool.Pool.Results[1], c.stored ? 2 : 0);
  EXPECT_EQ(t.pool.PoolChanged, c.stored);
  EXPECT_EQ(t.waves.played.empty() ? "" : t.waves.played[0], c.sound);
  EXPECT_EQ(t.pool.DialogCancelled, c.answer == MsgAnswer::Cancel);
}

INSTANTIATE_TEST_SUITE_P(Answers, ResultsClose,
                         ::testing::Values(CloseCase{MsgAnswer::Yes, true, true, "pswitch"},
                                           CloseCase{MsgAnswer::No, true, false, "whoosh"},
                                           CloseCase{MsgAnswer::Cancel, false, false, "start"}));

TEST_F(ResultsWindow, CloseWithoutChangesAsksNothing) {
  MakePool(8);
  Open();
  EXPECT_TRUE(win->QueryClose());
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_EQ(LastSound(), "drcls3");
}

TEST_F(ResultsWindow, PrintPreviewRefusedWhileAnotherIsOpen) {
  MakePool(8);
  Open();
  t.pool.PrintEntry = 3;
  win->PrintPreview();
  EXPECT_EQ(t.prompts.LastText(),
            "Print Preview already open for another print form!\r\n"
            "Please close it and then try printing this one again.");
  EXPECT_EQ(t.prompts.asked.back().icon, MsgIcon::Exclamation);
  EXPECT_EQ(t.prompts.beeps, 1);
  EXPECT_EQ(t.pool.PrintEntry, 3);
  EXPECT_FALSE(main.Called("ShowWindowByName"));
}

TEST_F(ResultsWindow, PrintPreviewDecidesFromItsOwnAnswers) {
  MakePool(8);
  Open();
  // A refusal left over from an earlier command does not block the preview.
  t.pool.DialogCancelled = true;
  win->PrintPreview();
  EXPECT_TRUE(main.Called("ShowWindowByName frmPrintForm"));
  // No print form to show yet: said so, and no later preview is blocked.
  EXPECT_EQ(t.pool.PrintEntry, 0);
  EXPECT_EQ(t.prompts.LastText(), "The print form is not available.");

  main.calls.clear();
  DropTeam(1, {P::Winner, 1});
  t.prompts.Queue(MsgAnswer::Cancel);
  win->PrintPreview();
  EXPECT_EQ(t.prompts.LastText(),
            "Do you want to save your changes before previewing the print form?");
  EXPECT_EQ(t.prompts.asked.back().buttons, MsgButtons::YesNoCancel);
  EXPECT_EQ(t.prompts.asked.back().icon, MsgIcon::None);
  EXPECT_FALSE(main.Called("ShowWindowByName"));
  EXPECT_EQ(t.pool.Pool.Results[1], 0);

  t.prompts.Queue(MsgAnswer::Yes);
  win->PrintPreview();
  EXPECT_EQ(t.pool.Pool.Results[1], 1);
  EXPECT_TRUE(win->isVisible());  // saved for the preview, still open
  EXPECT_FALSE(win->IsChanged());
  EXPECT_TRUE(main.Called("ShowWindowByName frmPrintForm"));
}

TEST_F(ResultsWindow, RightButtonShowsTheSaveCancelMenu) {
  MakePool(8);
  Open();
  t.pool.SoundPlayed = 3;
  QTest::mouseClick(win->findChild<QLineEdit*>("txtWinner(3)"), Qt::RightButton);
  EXPECT_TRUE(main.Called("SetSaveCancelMenu on"));
  EXPECT_TRUE(main.Called("PopupEntryMenu"));
  EXPECT_TRUE(main.Called("ShowPopupItem mnuEntryPopUpOK"));
  EXPECT_TRUE(main.Called("ShowPopupItem mnuEntryPopUpCancel"));
  EXPECT_TRUE(main.Called("HidePopupItem mnuEntryPopUpFill"));
  EXPECT_TRUE(main.Called("HidePopupItem mnuEntryPopUpCopyEntry"));
  EXPECT_FALSE(main.Called("ShowPopupItem mnuEntryPopUpPrint"));
  EXPECT_EQ(t.pool.SoundPlayed, 0);
  main.calls.clear();
  QTest::mouseClick(win->findChild<QLabel*>("lblRound(2)"), Qt::RightButton);
  EXPECT_TRUE(main.Called("PopupEntryMenu"));
}

TEST_F(ResultsWindow, StandsTopLeftAndSetsTheMainWindowsCommandsWhenActive) {
  MakePool(8);
  QMdiArea area;
  area.resize(800, 600);
  area.show();
  QApplication::setActiveWindow(&area);
  QMdiSubWindow* other = area.addSubWindow(new QWidget);
  other->resize(200, 100);
  other->show();  // takes the top left corner first
  auto* results = new frmEnterResults(t.ctx);
  QMdiSubWindow* sub = area.addSubWindow(results);
  main.calls.clear();
  sub->show();
  area.setActiveSubWindow(sub);
  EXPECT_EQ(sub->pos(), QPoint(0, 0));
  EXPECT_TRUE(main.Called("AdjustMenuForActiveWindow"));
  EXPECT_TRUE(main.Called("SetPreviewButtons"));
  main.calls.clear();
  area.setActiveSubWindow(other);
  EXPECT_TRUE(main.Called("HideBottomToolbar"));
  EXPECT_FALSE(main.Called("AdjustMenuForActiveWindow"));
}

TEST_F(ResultsWindow, TypingTheTiebreakerMarksTheWindowChanged) {
  MakePool(8);
  t.pool.Pool.TiebreakerUsed = true;
  t.pool.Pool.TiebreakerType = "Points in Final - Winner";
  Open();
  EXPECT_FALSE(win->IsChanged());
  QTest::keyClicks(win->txtTiebreakerAmt, "7");
  EXPECT_TRUE(win->IsChanged());
}

TEST_F(ResultsWindow, BothWindowsRefuseToOpenWithoutABracket) {
  ClearPool(t.pool);
  frmEnterResults w(t.ctx);
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_EQ(t.prompts.beeps, 1);
  EXPECT_TRUE(t.prompts.AnyTextContains("Number of Teams/Players must be set."));
  w.cmdOK_Click();  // a command reaching it anyway does nothing
  w.PrintPreview();
  EXPECT_EQ(t.pool.PrintEntry, 0);
  frmSetup setup(t.ctx);
  EXPECT_TRUE(t.pool.DialogCancelled);
  setup.cmdOK_Click();
  EXPECT_TRUE(setup.QueryClose());
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

// Pictures of the bracket windows for a look by eye: QB_BRACKET_SHOTS=dir writes them.
TEST_F(ResultsWindow, Pictures) {
  const QByteArray dir = qgetenv("QB_BRACKET_SHOTS");
  if (dir.isEmpty()) GTEST_SKIP() << "set QB_BRACKET_SHOTS to a folder to write pictures";
  struct Shot {
    int teams;
    bool dual;
    bool tiebreaker;
    const char* file;
  };
  const Shot shots[] = {{4, false, true, "results4"},      {16, false, false, "results16"},
                        {16, false, true, "results16tb"},  {32, true, true, "results32dual"},
                        {64, true, true, "results64dual"}, {64, false, false, "results64"},
                        {8, true, true, "results8dual"}};
  for (const Shot& shot : shots) {
    MakePool(shot.teams);
    t.pool.Pool.DualSided = shot.dual;
    t.pool.Pool.TiebreakerUsed = shot.tiebreaker;
    t.pool.Pool.TiebreakerType = "Points Final Game - Both Teams";
    for (int g = 1; g <= t.pool.NumSlots / 2; ++g) t.pool.Pool.Results[g] = int16_t(2 * g - 1);
    SetupBracketFromParameters(t.pool, t.prompts);
    Open();
    EXPECT_TRUE(view()->widget()->grab().save(QString(dir) + "/" + shot.file + ".png"));
    win.reset();
  }
  for (const Shot& shot : shots) {
    MakePool(shot.teams);
    t.pool.Pool.DualSided = shot.dual;
    SetupBracketFromParameters(t.pool, t.prompts);
    frmSetup setup(t.ctx);
    setup.show();
    EXPECT_TRUE(setup.view()->widget()->grab().save(QString(dir) + "/setup" +
                                                    QString::number(shot.teams) +
                                                    (shot.dual ? "dual" : "") + ".png"));
  }
}

}  // namespace
}  // namespace qb
