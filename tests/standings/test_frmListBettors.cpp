// The pool builders first: their variables named "slots" must come before Qt's macro.
#include "standings/logic/analysis_pools.h"

#include <QComboBox>
#include <QTabWidget>

#include "entries/frmEditEntry.h"
#include "platform/twips.h"
#include "report_window_support.h"
#include "standings/frmListBettors.h"
#include "standings/logic/analysis_common.h"

namespace qb {
namespace {

using namespace qb::testing;

class ListBettorsTest : public AnalysisWindowTest {
 protected:
  void SetUp() override {
    AnalysisWindowTest::SetUp();
    s = Bracket(16);
    s.MainWidth = 12000;
    s.MainHeight = 9000;
    s.Pool.CostPerEntry = Currency::FromDouble(12.5);
    std::vector<int16_t> favourites(15), others(15);
    for (int g = 1; g <= 8; ++g) favourites[g - 1] = static_cast<int16_t>(2 * g - 1);
    for (int g = 9; g <= 15; ++g) favourites[g - 1] = 1;
    for (int g = 1; g <= 8; ++g) others[g - 1] = static_cast<int16_t>(2 * g);
    for (int g = 9; g <= 15; ++g) others[g - 1] = 2;
    AddEntry(s, "bob", 1, favourites);
    AddEntry(s, "Al", 10, others);
    AddEntry(s, "Al", 2, favourites);
    s.Entries[3].Collected = true;
    AddEntry(s, "bob", 2, others, /*deleted=*/true);
    Participant(s, "Cy");
    s.Bettors[1].EMail = "bob@example.org";
    s.Bettors[2].Phone = "555-0100";
  }
  std::unique_ptr<frmListBettors> Open() {
    auto w = std::make_unique<frmListBettors>(tc.ctx);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    QApplication::processEvents();
    return w;
  }
  static std::vector<std::string> Column(const Grid& g, int col) {
    std::vector<std::string> v;
    for (int r = 1; r < g.Rows(); ++r) v.push_back(g.TextMatrix(r, col));
    return v;
  }
};

TEST_F(ListBettorsTest, LoadsBothListingsSortedByName) {
  auto w = Open();
  EXPECT_EQ(w->windowTitle(), "List Participants and Entry Picks");
  EXPECT_EQ(w->windowName(), "frmListBettors");
  ASSERT_EQ(w->SSTab1()->count(), 2);
  EXPECT_EQ(w->SSTab1()->tabText(0), "&Participant Listing");
  EXPECT_EQ(w->SSTab1()->tabText(1), "&Entry Picks Listing");
  EXPECT_TRUE(s.ListBettorsOpen);
  ASSERT_EQ(w->comSortBy->count(), 5);
  EXPECT_EQ(w->comSortBy->currentText(), "Name");
  const Grid& b = w->flxBettor->grid();
  EXPECT_EQ(w->ReportGrid(0), &b);
  EXPECT_EQ(w->ReportGrid(1), &w->flxEntries->grid());
  EXPECT_EQ(b.Tag, " By Name");
  EXPECT_EQ(Column(b, 1), (std::vector<std::string>{"Al", "bob", "Cy"}));
  EXPECT_EQ(Column(b, 4), (std::vector<std::string>{"2", "1", "0"}));
  EXPECT_EQ(Column(b, 5), (std::vector<std::string>{"12.5", "12.5", "0"}));

  const Grid& e = w->flxEntries->grid();
  ASSERT_EQ(e.Rows(), 1 + 3 * 5);  // three live entries of four rounds and a separator
  EXPECT_EQ(e.TextMatrix(1, 1), "Al #2");
  EXPECT_EQ(e.TextMatrix(6, 1), "Al #10");
  EXPECT_EQ(e.TextMatrix(11, 1), "bob #1");
  EXPECT_EQ(e.TextMatrix(9, 3), "Team 2");  // Al #10's champion
  // Column 3 takes the room the others leave; rows are as tall as their lines.
  EXPECT_EQ(e.ColWidth(3),
            static_cast<int>(PixelsToTwips(w->width())) - 800 - 2200 - 500 - 0 - 300);
  EXPECT_GT(e.RowHeight(1), 0);
  EXPECT_TRUE(tc.waves.played.empty());

  SavePicture(w.get(), "frmListBettors_participants");
  w->SSTab1()->setCurrentIndex(1);
  SavePicture(w.get(), "frmListBettors_entries");
  w->resize(420, 300);  // below the least size: it keeps that
  QApplication::processEvents();
  EXPECT_GE(w->width(), TwipsToPixels(6000));
  EXPECT_GE(w->height(), TwipsToPixels(3500));
  SavePicture(w.get(), "frmListBettors_entries_small");

  w->cmdOK_Click();
  QApplication::processEvents();
  EXPECT_FALSE(s.ListBettorsOpen);
}

TEST_F(ListBettorsTest, SortChoicesSortWithOneStartAndSetTheTag) {
  auto w = Open();
  s.SoundPlayed = 0;
  w->comSortBy->setCurrentIndex(4);
  emit w->comSortBy->activated(4);
  EXPECT_EQ(w->flxBettor->grid().Tag, " By Amount Owed");
  EXPECT_EQ(Column(w->flxBettor->grid(), 1), (std::vector<std::string>{"Al", "bob", "Cy"}));
  EXPECT_EQ(Count(tc.waves.played, "start"), 1);
  w->comSortBy->setCurrentIndex(1);
  emit w->comSortBy->activated(1);
  EXPECT_EQ(Column(w->flxBettor->grid(), 1), (std::vector<std::string>{"Al", "Cy", "bob"}));
}

TEST_F(ListBettorsTest, AClickOnAnEntrysFirstRowOpensIt) {
  auto w = Open();
  w->SSTab1()->setCurrentIndex(1);
  QApplication::processEvents();
  ClickCell(w->flxEntries, 2, 3);  // Al #2's second row: nothing
  EXPECT_EQ(s.EditEntryNumber, 0);
  ClickCell(w->flxEntries, 6, 1);  // Al #10
  EXPECT_EQ(s.EditEntryNumber, 2);
  EXPECT_EQ(tc.ctx.EditEntryCaller, w.get());
  EXPECT_TRUE(main.Called("ShowWindowByName frmEditEntry"));

  // While it is open, any data row says so.
  ClickCell(w->flxEntries, 3, 3);
  ASSERT_EQ(tc.prompts.asked.size(), 1u);
  EXPECT_EQ(tc.prompts.asked[0].text, kEntryAlreadyOpenText);
  EXPECT_EQ(s.EditEntryNumber, 2);
}

TEST_F(ListBettorsTest, AnEntryDeletedSinceTheLoadIsNotOpened) {
  auto w = Open();
  w->SSTab1()->setCurrentIndex(1);
  QApplication::processEvents();
  s.Entries[3].BettorIndex = 0;  // Al #2
  ClickCell(w->flxEntries, 1, 1);
  EXPECT_EQ(s.EditEntryNumber, 0);
  ASSERT_EQ(tc.prompts.asked.size(), 1u);
  EXPECT_EQ(tc.prompts.asked[0].text, kEntryGoneText);
}

TEST_F(ListBettorsTest, ClosingPlaysStartWhateverPlayedBefore) {
  auto w = Open();
  s.SoundPlayed = 1;  // a sound of the same action
  tc.waves.played.clear();
  w->close();
  EXPECT_EQ(tc.waves.played, (std::vector<std::string>{"start"}));
  EXPECT_FALSE(s.ListBettorsOpen);
}

// The listing names the entry as it was; the entry is still the same one
// after its participant is renamed and it is renumbered.
TEST_F(ListBettorsTest, AnEntryRenamedAndRenumberedSinceTheLoadStillOpens) {
  auto w = Open();
  w->SSTab1()->setCurrentIndex(1);
  QApplication::processEvents();
  s.Bettors[s.Entries[2].BettorIndex].Name = "Alan";  // Al #10
  s.Entries[2].EntryNumber = 11;
  ClickCell(w->flxEntries, 6, 1);
  EXPECT_TRUE(tc.prompts.asked.empty());
  EXPECT_EQ(s.EditEntryNumber, 2);
}

}  // namespace
}  // namespace qb
