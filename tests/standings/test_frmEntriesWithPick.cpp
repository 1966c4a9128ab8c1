// The pool builders first: their variables named "slots" must come before Qt's macro.
#include "standings/logic/analysis_pools.h"

#include <QLabel>
#include <QPushButton>
#include <QTextDocument>

#include "entries/frmEditEntry.h"
#include "platform/twips.h"
#include "report_window_support.h"
#include "standings/frmEntriesWithPick.h"
#include "standings/logic/analysis_common.h"

namespace qb {
namespace {

using namespace qb::testing;

class EntriesWithPickTest : public AnalysisWindowTest {
 protected:
  void SetUp() override {
    AnalysisWindowTest::SetUp();
    s = Bracket(4);
    s.Pool.Results[1] = 1;
    s.Pool.Results[2] = 3;
    s.Pool.Results[3] = 1;
    AddEntry(s, "Al", 2, {1, 4, 1});   // 3 points
    AddEntry(s, "bob", 1, {1, 3, 1});  // 4
    AddEntry(s, "Al", 10, {2, 3, 1});  // 3
    AddEntry(s, "Gone", 1, {1, 3, 1}, /*deleted=*/true);
    s.AnalysisTeam = 1;
    s.AnalysisRound = 2;
  }
  void TearDown() override {
    while (frmEntriesWithPick* f = frmEntriesWithPick::Loaded()) delete f;
  }
  frmEntriesWithPick* Open() {
    frmEntriesWithPick* w = frmEntriesWithPick::ShowFor(tc.ctx);
    QApplication::processEvents();
    return w;
  }
  static std::vector<std::string> Captions(const Grid& g) {
    std::vector<std::string> v;
    for (int r = 1; r < g.Rows(); ++r) v.push_back(g.TextMatrix(r, 1));
    return v;
  }
};

TEST_F(EntriesWithPickTest, ListsTheEntriesByPointsWithoutMovingTheOpenEntry) {
  s.CurrentEntry = 2;  // the entry open in the editor
  frmEntriesWithPick* w = Open();
  EXPECT_EQ(w->windowTitle(), "Entries with Pick");
  EXPECT_TRUE(w->isWindow());
  EXPECT_EQ(w->lblHeader->text(), "Entries with Team 1 (Seed 1) advancing to the  2nd round:");
  const Grid& g = w->flxEntries->grid();
  EXPECT_EQ(Captions(g), (std::vector<std::string>{"bob #1", "Al #2", "Al #10"}));
  EXPECT_EQ(g.TextMatrix(1, 2), "4");
  EXPECT_EQ(g.ColWidth(0), 0);
  EXPECT_EQ(g.ColWidth(1), static_cast<int>(PixelsToTwips(w->flxEntries->width())) - 1100);
  EXPECT_EQ(s.CurrentEntry, 2);
  EXPECT_EQ(w->cmdShow->text(), "Show Entry");
  EXPECT_EQ(w->cmdCancel->text(), "Close");
  EXPECT_EQ(w->cmdCancel->toolTip(), "Close this window.");
}

TEST_F(EntriesWithPickTest, ShowEntryOpensTheSelectedEntryAndStaysOpen) {
  frmEntriesWithPick* w = Open();
  Grid& g = w->flxEntries->grid();
  g.SetRow(2);  // Al #2, entry 1
  w->cmdShow->click();
  EXPECT_EQ(s.EditEntryNumber, 1);
  EXPECT_EQ(tc.ctx.EditEntryCaller, w);
  EXPECT_TRUE(main.Called("ShowWindowByName frmEditEntry"));
  EXPECT_TRUE(w->isVisible());

  // Another one while it is open: the message, nothing opens.
  main.calls.clear();
  g.SetRow(1);
  w->cmdShow->click();
  ASSERT_EQ(tc.prompts.asked.size(), 1u);
  EXPECT_EQ(tc.prompts.asked[0].text, kEntryAlreadyOpenText);
  EXPECT_EQ(tc.prompts.asked[0].icon, MsgIcon::Information);
  EXPECT_EQ(s.EditEntryNumber, 1);
  EXPECT_FALSE(main.Called("ShowWindowByName"));
}

// The editor hands the focus back to the window as a whole: it lands on the
// list, where the arrow keys choose the next entry.
TEST_F(EntriesWithPickTest, FocusGivenToTheWindowGoesToTheList) {
  frmEntriesWithPick* w = Open();
  w->activateWindow();
  w->cmdCancel->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), w->cmdCancel);
  w->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), w->flxEntries);
}

TEST_F(EntriesWithPickTest, AnEntryDeletedSinceTheListLoadedIsNotOpened) {
  frmEntriesWithPick* w = Open();
  s.Entries[2].BettorIndex = 0;  // bob #1, listed first
  w->flxEntries->grid().SetRow(1);
  w->cmdShow->click();
  EXPECT_EQ(s.EditEntryNumber, 0);
  ASSERT_EQ(tc.prompts.asked.size(), 1u);
  EXPECT_EQ(tc.prompts.asked[0].text, kEntryGoneText);
  EXPECT_FALSE(main.Called("ShowWindowByName"));
}

TEST_F(EntriesWithPickTest, AnEntryRenamedOrRenumberedSinceTheListLoadedStillOpens) {
  frmEntriesWithPick* w = Open();
  s.Bettors[s.Entries[2].BettorIndex].Name = "Bobby";  // bob #1, listed first
  s.Entries[2].EntryNumber = 7;
  w->flxEntries->grid().SetRow(1);
  w->cmdShow->click();
  EXPECT_TRUE(tc.prompts.asked.empty());
  EXPECT_EQ(s.EditEntryNumber, 2);
}

TEST_F(EntriesWithPickTest, DoubleClicksSortOnTheHeaderAndOpenOnARow) {
  frmEntriesWithPick* w = Open();
  ClickCell(w->flxEntries, 0, 1, /*twice=*/true);
  EXPECT_EQ(Captions(w->flxEntries->grid()),
            (std::vector<std::string>{"Al #10", "Al #2", "bob #1"}));
  ClickCell(w->flxEntries, 0, 2, /*twice=*/true);
  EXPECT_EQ(Captions(w->flxEntries->grid()),
            (std::vector<std::string>{"bob #1", "Al #10", "Al #2"}));
  EXPECT_EQ(s.EditEntryNumber, 0);
  ClickCell(w->flxEntries, 2, 1, /*twice=*/true);
  EXPECT_EQ(s.EditEntryNumber, 3);  // Al #10
}

// A name that looks like markup ("big" is an HTML element) is shown as typed.
TEST_F(EntriesWithPickTest, TheHeadingShowsATeamNameAsTyped) {
  s.Teams[1].Name = "Iowa <Big Ten> & \"Co\"";
  frmEntriesWithPick* w = Open();
  EXPECT_EQ(w->lblHeader->text(),
            "Entries with Iowa <Big Ten> & \"Co\" (Seed 1) advancing to the  2nd round:");
  EXPECT_TRUE(Qt::mightBeRichText(w->lblHeader->text()));
  EXPECT_EQ(w->lblHeader->textFormat(), Qt::PlainText);
}

TEST_F(EntriesWithPickTest, NoMatchingEntryGivesTheHeaderAlone) {
  s.AnalysisTeam = 2;
  s.Teams[2].Seed = 0;
  frmEntriesWithPick* w = Open();
  EXPECT_EQ(w->lblHeader->text(), "Entries with Team 2 advancing to the  2nd round:");
  EXPECT_EQ(w->flxEntries->grid().Rows(), 1);
  w->cmdShow->click();
  ClickCell(w->flxEntries, 0, 1, /*twice=*/true);
  EXPECT_EQ(w->flxEntries->grid().Rows(), 1);
  EXPECT_TRUE(tc.prompts.asked.empty());
}

TEST_F(EntriesWithPickTest, OneWindowBroughtForwardWithItsListAndClosedWithStart) {
  frmEntriesWithPick* w = Open();
  s.AnalysisTeam = 3;
  s.AnalysisRound = 1;
  EXPECT_EQ(Open(), w);
  EXPECT_EQ(w->flxEntries->grid().Rows(), 4);
  s.SoundPlayed = 0;
  w->cmdCancel->click();
  QApplication::processEvents();
  EXPECT_EQ(frmEntriesWithPick::Loaded(), nullptr);
  EXPECT_EQ(Count(tc.waves.played, "start"), 1);
}

TEST_F(EntriesWithPickTest, HelpShowsTheWindowsTopic) {
  frmEntriesWithPick* w = Open();
  w->cmdHelp->click();
  EXPECT_TRUE(main.Called("DisplayContextHelp frmEntriesWithPick"));
}

}  // namespace
}  // namespace qb
