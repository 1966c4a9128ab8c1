#pragma once
// The participant and entry listing: participants with their contact data,
// entries and amounts owed; every live entry with the teams it picked to win
// in each round, a block of rows per entry.
#include <cstdint>
#include <string>
#include <vector>

#include "core/currency.h"
#include "core/pool_state.h"
#include "platform/grid.h"

namespace qb {

// Text measured in the grid's font, in twips.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual int Width(const std::string& text) const = 0;
  virtual int LineHeight() const = 0;
};

// Per participant 0..NumBettors + 1: live entries and what they still owe
// (the cost of every entry not collected).
struct BettorTotals {
  std::vector<int32_t> EntryCount;
  std::vector<Currency> AmountOwed;
};
BettorTotals ComputeBettorTotals(const PoolState& s);

// One row per participant with a name, in participant order.
void FillBettorGrid(Grid& grid, const PoolState& s, const BettorTotals& totals);
// The sort choices and the participant grid columns they order on.
struct BettorSortChoice {
  const char* Text;
  int Column;
};
inline constexpr BettorSortChoice kBettorSortChoices[] = {
    {"Name", 1}, {"E-Mail", 2}, {"Phone", 3}, {"Number of Entries", 4}, {"Amount Owed", 5}};
// Name, e-mail and phone as text from A, ignoring case; the counts and
// amounts from the highest. Sets the Tag to " By " and the choice's text.
void SortBettorGrid(Grid& grid, int column, const std::string& choiceText);

// The entry picks listing. It remembers how wide each row's picks are, so
// that a resize fits the row heights without measuring every text again.
class EntryPicksListing {
 public:
  static constexpr int kPicksColumn = 3;
  // Fills the grid with a block of NumRounds + 1 rows per live entry, ordered
  // by participant name (ignoring case), entry number and entry order. With
  // a grid width (twips) the rows are fitted to it before the grid is shown.
  void Fill(Grid& grid, const PoolState& s, const TextMeasure& measure, int gridWidth = 0);
  // Column 3 takes the room the others leave in a grid of that width, and
  // every data row grows to the lines its picks wrap to. The width the rows
  // already fit changes nothing.
  void FitToWidth(Grid& grid, int gridWidth);

 private:
  std::vector<int> textWidth_;  // by grid row
  int lineHeight_ = 0;
  int fittedWidth_ = 0;
};

}  // namespace qb
