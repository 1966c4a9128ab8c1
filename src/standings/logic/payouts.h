#pragma once
// The pool winners of the rankings window: whether they can be computed, the
// order by points and tiebreaker, the paid places with their ties, the booby
// place, and the pot split into the winnings of every paid entry. Nothing of
// the open pool is written.
#include <array>
#include <string>
#include <vector>

#include "core/currency.h"
#include "core/pool_state.h"
#include "platform/grid.h"

namespace qb {

enum PayoutColumn : int {
  kPayName = 0,
  kPayRank = 1,
  kPayWinnings = 2,
  kPayPoints = 3,
  kPayTiebreakerDiff = 4,
  kPayGames = 5,
  kPayTiebreaker = 6,
  kPayEntry = 7,  // hidden: index into Entries
};

inline constexpr const char* kGamesTiebreaker = "Actual Games Picked Correctly";

// One data row as the places see it, in the grid's order.
struct PayoutStanding {
  double points = 0;
  double tiebreakerDiff = 0;
};

// What one row is given: its place (1..5, 0 none), whether it is a booby
// row, and its winnings when it is paid.
struct PayoutLine {
  int place = 0;
  bool booby = false;
  bool paid = false;
  Currency winnings;
};

struct PayoutRules {
  Currency pot;
  std::array<float, kPayoutPlaces + 1> pct{};  // 0 booby, 1..5 the places
  int rounding = 0;                            // power of ten for RoundValue
};

// Highest place 1..5 whose percentage is above 0; 0 for none.
int PaidPlaceCount(const std::array<float, kPayoutPlaces + 1>& pct);

// Places, booby rows and winnings of rows ordered best first. Only the first
// liveEntries rows can take a place. Ties share a place and the next place
// skips (1, 1, 3); tied last rows all take the booby place. A row that holds
// a place and the booby place is paid both.
std::vector<PayoutLine> ComputePayouts(const std::vector<PayoutStanding>& ordered, int liveEntries,
                                       const PayoutRules& rules);

// Live entries times the cost per entry, less the holdback; never below 0.
Currency PoolPot(const PoolState& s, int liveEntries);

// Every game decided; a Bye game counts as decided for its real team.
bool ResultsComplete(const PoolState& s);

// What the pool winners tab shows besides the grid.
struct PayoutsView {
  bool computed = false;
  std::string needData;        // why not, when not computed
  std::string tiebreakerLine;  // "Tiebreaker: ..." when computed
};

// Fills the payouts grid from the standings grid as built (entry order,
// before any sort) and orders it; refused (grid left as it is) when results
// or the actual tiebreaker amount are missing.
PayoutsView BuildPayoutsGrid(const PoolState& s, const Grid& standings, Grid& payouts);

// Removes every data row whose winnings are 0 or empty.
void RemoveNonWinningRows(Grid& payouts);

// The plain text of an amount: no sign for money, no grouping, no trailing
// zeros, up to four decimals (250, 83.33, 33.3333).
std::string CurrencyText(Currency amount);

}  // namespace qb
