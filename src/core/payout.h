#pragma once
// The pot, the prize money per place, collected and owed totals, rounding.
#include "core/pool_state.h"

namespace qb {

// x rounded half up to a multiple of 10^n (n >= 0) or to |n| decimals (n < 0).
double RoundValue(double x, int n);
// Entries with a participant times the cost; stores NumDeletedEntries.
Currency ComputePot(PoolState& s);
// Fills amounts[0..5] from the percentages, holdback and rounding of the pool.
void ComputePrizePool(PoolState& s, const std::array<float, kPayoutPlaces + 1>& pct,
                      std::array<Currency, kPayoutPlaces + 1>& amounts, Currency holdback,
                      int rounding);
void ComputeCollectedTotals(PoolState& s);

}  // namespace qb
