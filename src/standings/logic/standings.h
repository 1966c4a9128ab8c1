#pragma once
// The standings of the rankings window: every live entry scored afresh from
// the results, the standings grid with its two header rows, and its four
// sorts with the ranks they write. The open pool is only read: the scores go
// into a table of their own.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/pool_state.h"
#include "platform/grid.h"

namespace qb {

// Scores of one live entry, as of the results of the pool.
struct EntryScore {
  int entry = 0;  // index into Entries
  float points = 0;
  int gamesWon = 0;
  float possiblePoints = 0;
  std::array<float, kMaxRounds + 1> roundPoints{};  // 1..7
  std::array<int, kMaxRounds + 1> roundGames{};     // 1..7
  std::array<int, kMaxRounds + 1> roundOpen{};      // 1..7
};

// The live entries (BettorIndex above 0) in entry order, scored on a game
// table and score area of their own.
std::vector<EntryScore> ScoreLiveEntries(const PoolState& s);
int LiveEntryCount(const PoolState& s);

// Column 0 of a standings row: participant name and entry number (" 1").
std::string StandingsCaption(const PoolState& s, int entry);

// Columns of the standings grid; the round columns follow from kRankRound1.
enum RankColumn : int {
  kRankName = 0,
  kRankPoints = 1,
  kRankCurrentRank = 2,
  kRankGames = 3,
  kRankPercent = 4,
  kRankPossible = 5,
  kRankPossibleRank = 6,
  kRankChampion = 7,
  kRankEntry = 8,    // hidden: index into Entries
  kRankKey = 9,      // hidden: key of the last rank sort
  kRankRound1 = 10,  // points of round r at 10 + 2(r-1), games right of it
};
inline constexpr int kRankHeaderRows = 2;

// Decided games: not a Bye game and a result stored.
int DecidedGameCount(const PoolState& s);

// Fills the grid: two header rows, one row per score in the given order,
// 2 x NumRounds + 10 columns. The rank columns stay empty until the sorts.
void BuildStandingsGrid(const PoolState& s, const std::vector<EntryScore>& scores, Grid& g);

// The sorts of the standings; each sets the grid's Tag to its subtitle.
void SortRankByName(Grid& g);
void SortRankByGames(Grid& g);
void SortRankByCurrent(Grid& g);
// Does nothing (and returns false) when possible points cannot be computed.
bool SortRankByPossible(Grid& g, bool loserSeedScoring);

inline constexpr const char* kPossibleNotPossibleText =
    "Possible points calculations are not possible\r\n"
    "for seed-based scoring that uses the winner's\n\r"
    "and loser's seeds.";

// The plain text of a number as the grids show it (12, 12.5, .5).
std::string PlainNumber(float value);
// The same with a leading blank when not negative ( 12, -3).
std::string SignedNumber(float value);
// The first n characters (not bytes) of a UTF-8 text.
std::string LeftChars(const std::string& text, int n);

}  // namespace qb
