#pragma once
// The shape of the bracket, derived from the parameters and the team names.
#include "core/pool_state.h"

namespace qb {

class Prompts;

// Derives rounds, games, Byes, feeders, favoured seeds, payouts and the seed
// texts; converts the older seed and multiply fields. A team count outside
// 4..64 is refused with a message, the pool is cleared and DialogCancelled set.
void SetupBracketFromParameters(PoolState& s, Prompts& prompts);
void FillByes(PoolState& s);
// A round's seed method as a whole number 0..5, halves to even; a value
// outside 0..5 (or not a number) is none (0).
int WholeSeedMethod(float method);
void ResetTeamAdvance(PoolState& s);
void LinkBracketSlots(PoolState& s);
void ComputeFavoredSeeds(PoolState& s);

}  // namespace qb
