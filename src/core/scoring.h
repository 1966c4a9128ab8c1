#pragma once
// Scoring of entries against a winners array. Every function takes the game
// table and score area it works on, so a long run can score copies of the
// pool on other threads; the open pool's own are PoolState::Games and ::Score.
#include "core/pool_state.h"

namespace qb {

// winners[g] for g = 1..NumGames (0 undecided; a slot outside 0..128 counts
// as undecided). Writes Winner, WinnerSeed, Loser, LoserSeed and the feeders
// of every game; Pick, PickSeed and PickCorrect stay as they are.
void BuildGameTable(const PoolState& s, GameTable& games, const int16_t* winners);
// Entry n > 0: copies its picks and their seeds into games first (no pick, seed
// 0); entry 0: scores the picks already in games. Fills the score area and
// PickCorrect. The caller keeps CurrentEntry. With RePair, a pick that already
// scored because its team won another game of the round is neither open nor
// counted again in the possible points.
void ScoreEntry(const PoolState& s, GameTable& games, ScoreArea& score, int entry);
float SeedBonusForGame(const PoolState& s, const GameTable& games, int game, bool forPossible);
// With RePair only: the game's picked team won some game 1..NumGames of the
// same round.
bool PickedTeamInRound(const PoolState& s, const GameTable& games, int game);

// The open pool: BuildGameTable(Results) on s.Games, score every entry
// (deleted ones included) into s.Score and copy the figures into Entries.
void ScoreAllEntries(PoolState& s);
bool AnyResultsEntered(const PoolState& s);
int HighestRoundWithWinner(const PoolState& s);

}  // namespace qb
