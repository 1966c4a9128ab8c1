#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "bracket/frmParms.h"
#include "core/bracket.h"
#include "core/payout.h"
#include "core/text_format.h"
#include "support/fake_main_window.h"

namespace qb {
namespace {

Currency Money(double v) {
  return Currency::FromDouble(v);
}

// A child window that stands for the bracket setup or results window.
class StandIn : public ChildWindow {
 public:
  StandIn(AppContext& ctx, std::string name) : ChildWindow(ctx), name_(std::move(name)) {}
  std::string windowName() const override { return name_; }

 private:
  std::string name_;
};

struct ParmsDialog : ::testing::Test {
  TestContext t;
  FakeMainWindow main;
  std::unique_ptr<frmParms> dlg;

  void SetUp() override {
    t.ctx.main = &main;
    PoolHeader& p = t.pool.Pool;
    p.PoolName = "Office";
    p.NumTeams = 16;
    p.CostPerEntry = Money(5);
    p.TiebreakerUsed = true;
    p.TiebreakerType = "Points in Final - Winner";
    p.PayoutPct = {0, 60, 40, 0, 0, 0};
    p.PayoutRounding = -2;
    for (int r = 1; r <= 7; ++r) {
      p.RoundPoints[r] = static_cast<float>(r);
      p.SeedFactor[r] = 1;
    }
    p.SeedMethod[2] = 3;
    p.SeedFactor[2] = 1.5f;
    SetupBracketFromParameters(t.pool, t.prompts);
  }

  void AddEntries(int count, int deleted) {
    PoolState& s = t.pool;
    s.NumEntries = static_cast<int16_t>(count);
    s.Entries.assign(count + 1, EntryRecord{});
    for (int e = 1; e <= count; ++e) s.Entries[e].BettorIndex = e <= deleted ? 0 : 1;
    s.Picks.Resize(s.NumGames + 1, count + 1);
    SetupBracketFromParameters(s, t.prompts);  // payouts for these entries
  }

  void Open() {
    dlg = std::make_unique<frmParms>(t.ctx);
    dlg->show();
    t.pool.SoundPlayed = 0;  // as after the user's first click
  }

  // Types into a box as the user would, replacing its text.
  void Type(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
    t.pool.SoundPlayed = 0;
  }

  void SetTeams(const QString& text) {
    Type(dlg->txtNbrTeams, text);
    dlg->txtNbrTeams_LostFocus();
  }

  // Shown on its tab, whichever tab is in front.
  static bool Shown(QWidget* w) { return !w->isHidden(); }
  int ShownRounds() const {
    int n = 0;
    for (int r = 1; r <= 7; ++r) n += Shown(dlg->txtPoints[r]);
    return n;
  }
};

TEST_F(ParmsDialog, LoadsThePoolIntoItsBoxes) {
  Open();
  EXPECT_EQ(dlg->windowTitle(), "Tournament Pool Parameters");
  EXPECT_EQ(dlg->SSTab1->count(), 3);
  EXPECT_EQ(dlg->SSTab1->tabText(0), "General Setup");
  EXPECT_EQ(dlg->SSTab1->tabText(1), "Scoring Setup");
  EXPECT_EQ(dlg->SSTab1->tabText(2), "Payout Setup");
  EXPECT_EQ(dlg->SSTab1->currentIndex(), 0);
  EXPECT_EQ(dlg->txtFileName->text(), "Office");
  EXPECT_EQ(dlg->txtNbrTeams->text(), " 16");
  EXPECT_EQ(dlg->txtCostShare->text(), "5");
  EXPECT_EQ(dlg->txtPctPot[1]->text(), "60");
  EXPECT_EQ(dlg->txtPoints[3]->text(), " 3");
  EXPECT_EQ(dlg->txtSeedFactor[2]->text(), "1.5");
  EXPECT_EQ(dlg->comSeedMethod[2]->currentText(), "Upsets Only - Winner's Seed x Factor");
  EXPECT_EQ(dlg->comSeedMethod[2]->count(), 6);
  EXPECT_EQ(dlg->comTiebreakerType->currentText(), "Points in Final - Winner");
  EXPECT_TRUE(dlg->optTiebreakerYes->isChecked());
  EXPECT_TRUE(dlg->optRoundTo001->isChecked());
  EXPECT_EQ(dlg->RoundCount(), 4);
  EXPECT_EQ(ShownRounds(), 4);
  // Factors only where a seed method is chosen.
  EXPECT_TRUE(Shown(dlg->txtSeedFactor[2]));
  EXPECT_FALSE(Shown(dlg->txtSeedFactor[1]));
  EXPECT_FALSE(dlg->IsChanged());
  EXPECT_TRUE(t.waves.played.empty());
  // Every control is found by its name.
  for (const char* name :
       {"txtFileName",       "txtNbrTeams",   "txtCostShare",     "chkDual",
        "chkRoundByRound",   "chkRePair",     "optTiebreakerYes", "OptTiebreakerNo",
        "comTiebreakerType", "lblTiebreaker", "txtHoldbackAmt",   "optRoundTo10",
        "optRoundTo1",       "optRoundTo010", "optRoundTo001",    "lblPctUnalloc",
        "lblTotalUnalloc",   "lblTotPot",     "lblTotEntries",    "cmdOK",
        "cmdCancel",         "cmdHelp",       "txtPoints(7)",     "comSeedMethod(1)",
        "txtSeedFactor(4)",  "txtPctPot(0)",  "lblFlatAmt(5)",    "lblPoints(2)"})
    EXPECT_NE(dlg->findChild<QWidget*>(name), nullptr) << name;
}

TEST_F(ParmsDialog, NewPoolShowsZeroTeamsAndRefusesOk) {
  ClearPool(t.pool);
  Open();
  EXPECT_EQ(dlg->txtNbrTeams->text(), " 0");
  EXPECT_EQ(ShownRounds(), 0);
  dlg->cmdOK_Click();
  EXPECT_EQ(t.prompts.LastText(),
            "Minimum of 4 and maximum of 64 teams\r\nmanaged by Quorvel Brakkon.");
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(t.pool.Pool.NumTeams, 0);
}

TEST_F(ParmsDialog, TeamCountGivesRoundsOrTheMessage) {
  Open();
  const struct {
    const char* text;
    int rounds;  // 0: refused
  } cases[] = {{"4", 2},   {"8", 3},  {"16", 4},  {"32", 5}, {"64", 6},
               {"4.5", 0}, {"65", 0}, {"abc", 0}, {"5", 3},  {"3", 0}};
  for (const auto& c : cases) {
    const int before = dlg->RoundCount();
    t.prompts.asked.clear();
    dlg->SSTab1->setCurrentIndex(2);
    SetTeams(c.text);
    if (c.rounds) {
      EXPECT_TRUE(t.prompts.asked.empty()) << c.text;
      EXPECT_EQ(dlg->RoundCount(), c.rounds) << c.text;
      EXPECT_EQ(ShownRounds(), c.rounds) << c.text;
    } else {
      ASSERT_EQ(t.prompts.asked.size(), 1u) << c.text;
      EXPECT_EQ(t.prompts.asked[0].text,
                "Number of teams/players must be between 4 and 64.\n\rPlease correct");
      EXPECT_EQ(t.prompts.asked[0].icon, MsgIcon::Exclamation);
      EXPECT_EQ(dlg->SSTab1->currentIndex(), 0) << c.text;
      EXPECT_EQ(dlg->RoundCount(), before) << c.text;
    }
  }
  EXPECT_EQ(t.pool.Pool.NumTeams, 16);  // nothing stored before OK
}

TEST_F(ParmsDialog, DualSidedFollowsTheTeamCountInTheBoxOnly) {
  Open();
  SetTeams("40");
  EXPECT_TRUE(dlg->chkDual->isChecked());
  EXPECT_FALSE(t.pool.Pool.DualSided);
  SetTeams("6");
  EXPECT_FALSE(dlg->chkDual->isChecked());
  SetTeams("6");
  dlg->chkDual->setChecked(true);  // 6 teams may be drawn two-sided
  EXPECT_TRUE(dlg->chkDual->isChecked());
  SetTeams("40");
  dlg->chkDual->setChecked(false);
  dlg->txtNbrTeams_LostFocus();  // leaving the box again, its text unchanged
  EXPECT_FALSE(dlg->chkDual->isChecked());

  // Cancel keeps the pool as it was.
  SetTeams("6");
  t.prompts.Queue(MsgAnswer::No);
  t.pool.Pool.DualSided = true;
  dlg->cmdCancel_Click();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(t.pool.Pool.DualSided);
  EXPECT_FALSE(t.pool.PoolChanged);
}

TEST_F(ParmsDialog, DualSidedIsStoredByOk) {
  Open();
  SetTeams("40");
  dlg->cmdOK_Click();
  EXPECT_TRUE(t.pool.Pool.DualSided);
  EXPECT_EQ(t.pool.Pool.NumTeams, 40);
  EXPECT_TRUE(t.pool.PoolChanged);
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(ParmsDialog, DualSidedRefusedBelowFiveTeams) {
  Open();
  SetTeams("4");
  t.pool.SoundPlayed = 0;
  const int beeps = t.prompts.beeps;
  dlg->chkDual->click();
  EXPECT_FALSE(dlg->chkDual->isChecked());
  EXPECT_EQ(t.prompts.beeps, beeps + 1);
  EXPECT_TRUE(t.waves.played.empty());

  SetTeams("5");
  dlg->chkDual->click();
  EXPECT_TRUE(dlg->chkDual->isChecked());
  ASSERT_FALSE(t.waves.played.empty());
  EXPECT_EQ(t.waves.played.back(), "start");
}

TEST_F(ParmsDialog, PayoutFiguresMatchCoreForTheTypedValues) {
  AddEntries(10, 2);
  Open();
  EXPECT_EQ(dlg->lblTotEntries->text(), "8");
  EXPECT_EQ(dlg->lblTotPot->text(), "40");

  Type(dlg->txtPctPot[0], "5");
  Type(dlg->txtPctPot[1], "50");
  Type(dlg->txtPctPot[2], "$30");  // reads as 0
  Type(dlg->txtHoldbackAmt, "$3");
  QTest::mouseClick(dlg->optRoundTo1, Qt::LeftButton);
  EXPECT_EQ(dlg->RoundingChoice(), 0);
  Type(dlg->txtCostShare, "$7.50");

  PoolState expected = t.pool;
  expected.Pool.CostPerEntry = Money(7.5);
  std::array<float, 6> pct{5, 50, 0, 0, 0, 0};
  std::array<Currency, 6> amounts{};
  ComputePrizePool(expected, pct, amounts, Money(3), 0);
  for (int i = 0; i <= 5; ++i)
    EXPECT_EQ(dlg->lblFlatAmt[i]->text().toStdString(), Str(amounts[i].ToDouble())) << i;
  EXPECT_EQ(dlg->lblFlatAmt[1]->text(), " 29");  // (60 - 3) x 50%, to whole units
  EXPECT_EQ(dlg->lblTotPot->text(), "60");
  EXPECT_EQ(dlg->lblPctUnalloc->text(), "45");
  EXPECT_EQ(dlg->lblTotalUnalloc->text(), " 28");
  EXPECT_EQ(t.pool.Pool.CostPerEntry, Money(5));  // nothing stored yet
  EXPECT_TRUE(dlg->IsChanged());
}

TEST_F(ParmsDialog, DragCopiesWithinOneArrayOnly) {
  Open();
  Type(dlg->txtPoints[1], "10");
  t.waves.played.clear();
  std::unique_ptr<QMimeData> fromPoints(dlg->DragDataFor(dlg->txtPoints[1]));
  EXPECT_TRUE(dlg->DropOnto(dlg->txtPoints[3], fromPoints.get()));
  EXPECT_EQ(dlg->txtPoints[3]->text(), "10");
  ASSERT_EQ(t.waves.played.size(), 1u);
  EXPECT_EQ(t.waves.played[0], "claves");

  // Another array only beeps.
  t.pool.SoundPlayed = 0;
  const int beeps = t.prompts.beeps;
  EXPECT_TRUE(dlg->DropOnto(dlg->txtSeedFactor[3], fromPoints.get()));
  EXPECT_EQ(t.prompts.beeps, beeps + 1);
  EXPECT_EQ(dlg->txtSeedFactor[3]->text(), "1");

  // Seed methods: the copied method shows the factor of its round.
  t.pool.SoundPlayed = 0;
  std::unique_ptr<QMimeData> fromMethod(dlg->DragDataFor(dlg->comSeedMethod[2]));
  EXPECT_FALSE(Shown(dlg->txtSeedFactor[4]));
  EXPECT_TRUE(dlg->DropOnto(dlg->comSeedMethod[4], fromMethod.get()));
  EXPECT_EQ(dlg->comSeedMethod[4]->currentIndex(), 3);
  EXPECT_TRUE(Shown(dlg->txtSeedFactor[4]));
  EXPECT_EQ(t.waves.played.back(), "claves");

  // Data that is not a round's value is left alone.
  QMimeData text;
  text.setText("7");
  EXPECT_FALSE(dlg->DropOnto(dlg->txtPoints[2], &text));
  EXPECT_EQ(dlg->txtPoints[2]->text(), " 2");

  dlg->cmdOK_Click();
  EXPECT_EQ(t.pool.Pool.RoundPoints[3], 10);
  EXPECT_EQ(t.pool.Pool.SeedMethod[4], 3);
}

TEST_F(ParmsDialog, WarningWithEntriesAnsweredCancelNoYes) {
  AddEntries(2, 0);
  Open();
  EXPECT_FALSE(dlg->txtNbrTeams->isEnabled());
  Type(dlg->txtCostShare, "7");

  t.prompts.Queue(MsgAnswer::Cancel);
  dlg->cmdOK_Click();
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_EQ(t.prompts.LastText(),
            "WARNING!  Entries have already been entered!\r\n"
            "Are you sure you want to change the parameters for this jackpot?");

  t.prompts.Queue(MsgAnswer::No);
  const size_t asked = t.prompts.asked.size();
  dlg->cmdOK_Click();
  EXPECT_FALSE(dlg->isVisible());
  // The close after No asks nothing more.
  EXPECT_EQ(t.prompts.asked.size(), asked + 1);
  EXPECT_EQ(t.pool.Pool.CostPerEntry, Money(5));
  EXPECT_FALSE(t.pool.PoolChanged);
  EXPECT_EQ(t.waves.played.back(), "camera");
}

TEST_F(ParmsDialog, WarningAnsweredYesStores) {
  AddEntries(2, 0);
  Open();
  Type(dlg->txtCostShare, "7");
  t.prompts.Queue(MsgAnswer::Yes);
  dlg->cmdOK_Click();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(t.pool.Pool.CostPerEntry, Money(7));
  EXPECT_EQ(t.pool.PayoutAmt[1], Money(8.4));
  EXPECT_TRUE(t.pool.PoolChanged);
  EXPECT_FALSE(t.pool.DialogCancelled);
  EXPECT_EQ(t.waves.played.back(), "drcls3");
}

TEST_F(ParmsDialog, CloseCheckAsksOnlyWhenChanged) {
  Open();
  dlg->cmdCancel_Click();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_EQ(t.waves.played.back(), "drcls3");

  Open();
  Type(dlg->txtFileName, "Hoops");
  t.prompts.Queue(MsgAnswer::Cancel);
  dlg->cmdCancel_Click();
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(t.prompts.LastText(), "Do you wish to keep your changes?");
  EXPECT_TRUE(t.pool.DialogCancelled);
  EXPECT_EQ(t.waves.played.back(), "start");

  t.pool.SoundPlayed = 0;
  t.prompts.Queue(MsgAnswer::No);
  dlg->cmdCancel_Click();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(t.pool.Pool.PoolName, "Office");
  EXPECT_EQ(t.waves.played.back(), "whoosh");
}

TEST_F(ParmsDialog, CloseCheckYesStaysOpenWhenOkRefuses) {
  Open();
  Type(dlg->txtFileName, "Hoops");
  Type(dlg->txtNbrTeams, "70");
  t.prompts.Queue(MsgAnswer::Yes);
  dlg->close();  // the close box
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(t.prompts.LastText(),
            "Minimum of 4 and maximum of 64 teams\r\nmanaged by Quorvel Brakkon.");
  EXPECT_EQ(dlg->txtFileName->text(), "Hoops");
  EXPECT_EQ(t.pool.Pool.PoolName, "Office");

  Type(dlg->txtNbrTeams, "16");
  t.prompts.Queue(MsgAnswer::Yes);
  dlg->close();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(t.pool.Pool.PoolName, "Hoops");
  EXPECT_TRUE(t.pool.PoolChanged);
}

TEST_F(ParmsDialog, EscapeRunsTheCloseCheck) {
  Open();
  Type(dlg->txtFileName, "Hoops");
  t.prompts.Queue(MsgAnswer::Cancel);
  QTest::keyClick(dlg->txtFileName, Qt::Key_Escape);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(t.prompts.LastText(), "Do you wish to keep your changes?");
}

TEST_F(ParmsDialog, TeamCountChangeRecreatesPicksAndClearsResults) {
  t.pool.Pool.Results[15] = 3;
  Open();
  SetTeams("8");
  dlg->cmdOK_Click();
  EXPECT_EQ(t.pool.NumGames, 7);
  EXPECT_EQ(t.pool.Picks.MaxGame(), 8);
  EXPECT_EQ(t.pool.Picks.MaxEntry(), 1);
  EXPECT_EQ(t.pool.Pool.Results[15], 0);
}

TEST_F(ParmsDialog, TeamCountBoxFollowsEntriesAndBracketWindows) {
  AddEntries(3, 3);  // deleted entries only
  Open();
  dlg->Form_GotFocus();
  EXPECT_TRUE(dlg->txtNbrTeams->isEnabled());
  SetTeams("32");
  t.prompts.Queue(MsgAnswer::Yes);  // the warning: the pool still holds entries
  dlg->cmdOK_Click();
  EXPECT_EQ(t.pool.Pool.NumTeams, 32);
  EXPECT_GE(t.pool.Picks.MaxEntry(), 3);
  EXPECT_EQ(t.pool.Picks(31, 3), 0);

  for (const char* name : {"frmSetup", "frmEnterResults"}) {
    StandIn open(t.ctx, name);
    Open();
    dlg->Form_GotFocus();
    EXPECT_FALSE(dlg->txtNbrTeams->isEnabled()) << name;
  }
}

TEST_F(ParmsDialog, EditsThatMarkTheDialogChanged) {
  Open();
  dlg->comTiebreakerType->setCurrentIndex(0);  // a pick from the list
  EXPECT_TRUE(dlg->IsChanged());
  dlg->cmdOK_Click();
  EXPECT_EQ(t.pool.Pool.TiebreakerType, "Actual Games Picked Correctly");
  EXPECT_TRUE(t.pool.PoolChanged);

  Open();
  QTest::mouseClick(dlg->OptTiebreakerNo, Qt::LeftButton);
  EXPECT_TRUE(dlg->IsChanged());
  EXPECT_FALSE(Shown(dlg->comTiebreakerType));
  EXPECT_FALSE(Shown(dlg->lblTiebreaker));
}

TEST_F(ParmsDialog, HelpGoesToTheMainWindow) {
  Open();
  QTest::mouseClick(dlg->cmdHelp, Qt::LeftButton);
  EXPECT_TRUE(main.Called("DisplayContextHelp frmParms"));
}

TEST_F(ParmsDialog, LeavingTheTeamCountBoxRunsItsCheck) {
  Open();
  dlg->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  dlg->txtNbrTeams->setFocus();
  Type(dlg->txtNbrTeams, "4.5");
  QTest::keyClick(dlg->txtNbrTeams, Qt::Key_Tab);
  EXPECT_EQ(t.prompts.LastText(),
            "Number of teams/players must be between 4 and 64.\n\rPlease correct");
  EXPECT_TRUE(dlg->txtNbrTeams->hasFocus());

  // Going for Cancel is not held up by the check.
  t.prompts.asked.clear();
  dlg->cmdCancel->setFocus(Qt::MouseFocusReason);
  EXPECT_TRUE(t.prompts.asked.empty());

  dlg->txtNbrTeams->setFocus();
  Type(dlg->txtNbrTeams, "8");
  QTest::keyClick(dlg->txtNbrTeams, Qt::Key_Tab);
  EXPECT_TRUE(t.prompts.asked.empty());
  EXPECT_EQ(dlg->RoundCount(), 3);
}

}  // namespace
}  // namespace qb

namespace qb {
namespace {

// Pictures of the three tabs for a look by eye: QB_BRACKET_SHOTS=dir writes them.
TEST_F(ParmsDialog, Pictures) {
  const QByteArray dir = qgetenv("QB_BRACKET_SHOTS");
  if (dir.isEmpty()) GTEST_SKIP() << "set QB_BRACKET_SHOTS to a folder to write pictures";
  t.pool.Pool.NumTeams = 64;
  t.pool.Pool.DualSided = true;
  SetupBracketFromParameters(t.pool, t.prompts);
  AddEntries(12, 2);
  Open();
  for (int tab = 0; tab < 3; ++tab) {
    dlg->SSTab1->setCurrentIndex(tab);
    EXPECT_TRUE(dlg->grab().save(QString(dir) + "/parms" + QString::number(tab) + ".png"));
  }
}

}  // namespace
}  // namespace qb
