#include <gtest/gtest.h>

#include "core/currency.h"
#include "standings/logic/analysis_pools.h"
#include "standings/logic/bettor_listing.h"

namespace qb {
namespace {

using testing::AddEntry;
using testing::Bracket;
using testing::Participant;

// 100 twips a character, lines 200 twips high.
class CharMeasure : public TextMeasure {
 public:
  int Width(const std::string& text) const override { return 100 * static_cast<int>(text.size()); }
  int LineHeight() const override { return 200; }
};

std::vector<std::string> Column(const Grid& g, int col) {
  std::vector<std::string> v;
  for (int r = 1; r < g.Rows(); ++r) v.push_back(g.TextMatrix(r, col));
  return v;
}

// Participants Al (two entries, one collected), bob (one, and one deleted),
// Cy (none), a participant without a name, and dee (two).
PoolState Listing() {
  PoolState s = Bracket(4);
  s.Pool.CostPerEntry = Currency::FromDouble(10);
  AddEntry(s, "bob", 1, {1, 3, 1});
  AddEntry(s, "Al", 10, {2, 4, 4});
  AddEntry(s, "Al", 2, {1, 0, 1});
  s.Entries[3].Collected = true;
  AddEntry(s, "bob", 2, {2, 3, 3}, /*deleted=*/true);
  Participant(s, "Cy");
  Participant(s, "");
  AddEntry(s, "dee", 1, {1, 3, 3});
  AddEntry(s, "dee", 2, {1, 3, 3});
  s.Bettors[1].EMail = "bob@example.org";
  s.Bettors[2].EMail = "Al@example.org";
  s.Bettors[3].Phone = "555-0100";
  return s;
}

TEST(BettorListing, EntriesAndAmountsOwedPerParticipant) {
  PoolState s = Listing();
  BettorTotals t = ComputeBettorTotals(s);
  ASSERT_EQ(t.EntryCount.size(), 7u);  // participants 0..NumBettors + 1
  EXPECT_EQ(t.EntryCount[1], 1);       // bob: the deleted entry is not his
  EXPECT_EQ(t.EntryCount[2], 2);
  EXPECT_EQ(t.AmountOwed[2], Currency::FromDouble(10));  // one of two collected
  EXPECT_EQ(t.EntryCount[3], 0);

  Grid g;
  FillBettorGrid(g, s, t);
  EXPECT_EQ(g.RowHeight(0), 480);
  std::vector<std::string> header;
  for (int c = 0; c < 6; ++c) header.push_back(g.TextMatrix(0, c));
  EXPECT_EQ(header,
            (std::vector<std::string>{"ID", "Name", "E-Mail", "Phone", "# Entries", "Amt Owed"}));
  // The participant without a name is not listed.
  EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"1", "2", "3", "5"}));
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"bob", "Al", "Cy", "dee"}));
  EXPECT_EQ(Column(g, 4), (std::vector<std::string>{"1", "2", "0", "2"}));
  EXPECT_EQ(Column(g, 5), (std::vector<std::string>{"10", "10", "0", "20"}));
  for (int r = 0; r < g.Rows(); ++r) {
    EXPECT_EQ(g.CellAlignmentAt(r, 4), flexAlignCenterCenter);
    EXPECT_EQ(g.CellAlignmentAt(r, 5), flexAlignCenterCenter);
    EXPECT_EQ(g.CellAlignmentAt(r, 3), flexAlignGeneral);
  }
  const int widths[] = {0, 2200, 2500, 1500, 750, 800};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(g.ColWidth(c), widths[c]);

  s.Pool.CostPerEntry = Currency::FromDouble(12.5);
  FillBettorGrid(g, s, ComputeBettorTotals(s));
  EXPECT_EQ(Column(g, 5), (std::vector<std::string>{"12.5", "12.5", "0", "25"}));
}

TEST(BettorListing, SortChoices) {
  PoolState s = Listing();
  Grid g;
  FillBettorGrid(g, s, ComputeBettorTotals(s));
  struct Case {
    int choice;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {0, {"Al", "bob", "Cy", "dee"}},
      {1, {"Cy", "dee", "Al", "bob"}},  // no e-mail first, then Al@ before bob@
      {2, {"dee", "Al", "bob", "Cy"}},  // the phone-less keep their order
      {3, {"dee", "Al", "bob", "Cy"}},
      {4, {"dee", "Al", "bob", "Cy"}},
  };
  for (const Case& c : cases) {
    const BettorSortChoice& choice = kBettorSortChoices[c.choice];
    SortBettorGrid(g, choice.Column, choice.Text);
    EXPECT_EQ(Column(g, 1), c.names) << choice.Text;
    EXPECT_EQ(g.Tag, std::string(" By ") + choice.Text);
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.Col(), 0);
  }
}

TEST(BettorListing, EntryBlocksInNameAndNumberOrder) {
  PoolState s = Listing();
  Grid g;
  EntryPicksListing listing;
  listing.Fill(g, s, CharMeasure());
  // Five live entries of three rows each (two rounds and a separator).
  ASSERT_EQ(g.Rows(), 16);
  ASSERT_EQ(g.Cols(), 5);
  std::vector<std::string> header;
  for (int c = 0; c < 5; ++c) header.push_back(g.TextMatrix(0, c));
  EXPECT_EQ(header, (std::vector<std::string>{"Entry ID", "Name and Entry", "Rnd", "Winners Picked",
                                              "Sort fields"}));
  EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"3", "", "", "2", "", "", "1", "", "", "5", "",
                                                    "", "6", "", ""}));
  EXPECT_EQ(g.TextMatrix(1, 1), "Al #2");
  EXPECT_EQ(g.TextMatrix(4, 1), "Al #10");
  EXPECT_EQ(g.TextMatrix(7, 1), "bob #1");
  EXPECT_EQ(g.TextMatrix(2, 1), "");
  EXPECT_EQ(Column(g, 2)[0], " 1st");
  EXPECT_EQ(Column(g, 2)[1], " 2nd");
  EXPECT_EQ(Column(g, 2)[2], "");
  // An empty pick leaves an empty name between the separators.
  EXPECT_EQ(g.TextMatrix(1, 3), "Team 1, ");
  EXPECT_EQ(g.TextMatrix(2, 3), "Team 1");
  EXPECT_EQ(g.TextMatrix(4, 3), "Team 2, Team 4");
  // Sort key: name, entry number and fill position in 7 characters each;
  // Al #2 was filled from row 7.
  EXPECT_EQ(g.TextMatrix(1, 4), "Al      2      7");
  EXPECT_EQ(g.TextMatrix(3, 4), "Al      2      9");
  for (int r = 0; r < g.Rows(); ++r) EXPECT_EQ(g.CellAlignmentAt(r, 2), flexAlignCenterCenter);
  const int widths[] = {0, 2200, 500, 6000, 0};
  for (int c = 0; c < 5; ++c) EXPECT_EQ(g.ColWidth(c), widths[c]);
}

TEST(BettorListing, FourRoundsMakeFiveRowsAnEntry) {
  PoolState s = Bracket(16);
  std::vector<int16_t> picks(15);
  for (int g = 1; g <= 8; ++g) picks[g - 1] = static_cast<int16_t>(2 * g - 1);
  for (int g = 9; g <= 15; ++g) picks[g - 1] = 1;
  AddEntry(s, "Al", 1, picks);
  Grid g;
  EntryPicksListing listing;
  listing.Fill(g, s, CharMeasure());
  ASSERT_EQ(g.Rows(), 6);
  EXPECT_EQ(Column(g, 2), (std::vector<std::string>{" 1st", " 2nd", " 3rd", " 4th", ""}));
  EXPECT_EQ(g.TextMatrix(1, 3),
            "Team 1, Team 3, Team 5, Team 7, Team 9, Team 11, Team 13, Team 15");
  EXPECT_EQ(g.TextMatrix(4, 3), "Team 1");
}

TEST(BettorListing, RowsGrowToTheLinesTheirPicksWrapTo) {
  PoolState s = Bracket(4);
  s.Teams[1].Name = std::string(70, 'x');  // 7,000 twips wide
  AddEntry(s, "Al", 1, {1, 3, 1});
  Grid g;
  EntryPicksListing listing;
  listing.Fill(g, s, CharMeasure());
  // Loaded: (Int(w / 6000) + 1) lines of 200; the separator keeps its height.
  EXPECT_EQ(g.RowHeight(1), 400);  // 7000 + 200 + 600
  EXPECT_EQ(g.RowHeight(2), 400);  // 7000
  EXPECT_TRUE(g.RowHeightIsDefault(3));
  // Resized to 5,000 twips: column 3 gets 5000 - 2200 - 500 - 0 - 300.
  listing.FitToWidth(g, 5000);
  EXPECT_EQ(g.ColWidth(3), 2000);
  EXPECT_EQ(g.RowHeight(1), 5 * 250);  // Int(1.1 x 7800 / 2000) + 1
  EXPECT_EQ(g.RowHeight(2), 4 * 250);  // Int(1.1 x 7000 / 2000) + 1
  EXPECT_EQ(g.RowHeight(3), 250);
}

}  // namespace
}  // namespace qb
