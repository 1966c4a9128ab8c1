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

// The two games of the round before whose winners meet in game g: game k of
// round r is fed by games RoundEnd(r-2) + 2k - 1 and + 2k. A first-round game
// has none (both 0); its slots 2g - 1 and 2g meet. Reads GameRound and
// RoundEnd, so the bracket must be set up.
struct FeederGames {
  int first = 0;
  int second = 0;
};
FeederGames FeederGamesOf(const PoolState& s, int game);

}  // namespace qb
