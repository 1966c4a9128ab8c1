#pragma once
// Scoring of entries against a winners array. Every function takes the game
// table and score area it works on, so a long run can score copies of the
// pool on other threads; the open pool's own are PoolState::Games and ::Score.
#include "core/pool_state.h"

namespace qb {

// winners[g] for g = 1..NumGames (0 undecided).
void BuildGameTable(const PoolState& s, GameTable& games, const int16_t* winners);
// Entry n > 0: copies its picks into games first; entry 0: scores the picks
// already in games. Fills the score area and PickCorrect.
void ScoreEntry(const PoolState& s, GameTable& games, ScoreArea& score, int entry);
float SeedBonusForGame(const PoolState& s, const GameTable& games, int game, bool forPossible);
bool PickedTeamInRound(const PoolState& s, const GameTable& games, int game);

// The open pool: BuildGameTable(Results) on s.Games, score every entry
// (deleted ones included) into s.Score and copy the figures into Entries.
void ScoreAllEntries(PoolState& s);
bool AnyResultsEntered(const PoolState& s);
int HighestRoundWithWinner(const PoolState& s);

}  // namespace qb
