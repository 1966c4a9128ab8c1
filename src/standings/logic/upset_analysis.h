#pragma once
// The upset analysis by round: upsets the live entries picked against the
// upsets that happened. An upset is a game whose team in question (the pick,
// or the winner) has a seed above the seed the bracket favours for it; an
// unseeded team, an empty pick and an unplayed game never count.
#include <array>
#include <cstdint>

#include "core/pool_state.h"
#include "platform/grid.h"

namespace qb {

struct UpsetCounts {
  // Index 0 all rounds, r round r; 32-bit, so large pools cannot overflow.
  std::array<int32_t, kMaxRounds + 1> Picked{};
  std::array<int32_t, kMaxRounds + 1> Actual{};
  // Live entries counted; the shares divide by 1 when there are none.
  int32_t Entries = 0;
};

UpsetCounts CountUpsets(const PoolState& s);
// Fills the round grid: three header rows, one row per round, the total.
void FillRoundGrid(Grid& grid, const PoolState& s, const UpsetCounts& counts);

}  // namespace qb
