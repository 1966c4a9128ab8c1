#include "core/payout.h"

#include <algorithm>
#include <cmath>

namespace qb {
namespace {

double PowerOfTen(int n) {
  double p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}


}  // namespace

double RoundValue(double x, int n) {
  // Int(y) is floor: halves go up, and -2.5 becomes -2.
  if (n >= 0) {
    double p = PowerOfTen(n);
    return std::floor(x / p + 0.5) * p;
  }
  double p = PowerOfTen(-n);
  return std::floor(x * p + 0.5) / p;
}

Currency ComputePot(PoolState& s) {
  int n = HeldEntries(s);
  int deleted = 0;
  for (int e = 1; e <= n; ++e) deleted += s.Entries[e].BettorIndex == 0;
  s.NumDeletedEntries = static_cast<int16_t>(deleted);
  return s.Pool.CostPerEntry * (n - deleted);
}

void ComputePrizePool(PoolState& s, const std::array<float, kPayoutPlaces + 1>& pct,
                      std::array<Currency, kPayoutPlaces + 1>& amounts, Currency holdback,
                      int rounding) {
  // pct may be the pool's own and amounts its PayoutAmt: read pct into a copy first.
  const std::array<float, kPayoutPlaces + 1> p = pct;
  Currency pot = ComputePot(s);
  Currency prize = pot > holdback ? pot - holdback : Currency();
  // The running difference is single precision, as the percentages are.
  float remaining = 100;
  Currency total;
  for (int i = 0; i <= kPayoutPlaces; ++i) {
    remaining -= p[i];
    amounts[i] = Currency::FromDouble(RoundValue(prize.ToDouble() * p[i] / 100.0, rounding));
    total += amounts[i];
  }
  // Percentages that add up to 100 in single precision may leave a tiny
  // remainder (100 - 33.3 - 33.3 - 33.4): within half a ten-thousandth is 0.
  if (std::fabs(remaining) < 0.00005f) {
    for (int i = 0; i <= kPayoutPlaces; ++i) {
      if (p[i] != 0) {
        amounts[i] += prize - total;
        break;
      }
    }
  }
}

void ComputeCollectedTotals(PoolState& s) {
  s.CollectedTotal = Currency();
  s.OwedTotal = Currency();
  int n = HeldEntries(s);
  for (int e = 1; e <= n; ++e) {
    const EntryRecord& r = s.Entries[e];
    if (r.BettorIndex == 0) continue;
    if (r.Collected) {
      s.CollectedTotal += s.Pool.CostPerEntry;
    } else {
      s.OwedTotal += s.Pool.CostPerEntry;
    }
  }
}

}  // namespace qb
