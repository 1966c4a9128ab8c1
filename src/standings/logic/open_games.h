#pragma once
// The undecided games of the last four rounds and every combination of their
// winners: the first two steps of a possibilities run.
#include <array>
#include <cstdint>
#include <vector>

#include "core/pool_state.h"

namespace qb {

class Prompts;

inline constexpr int kMaxOpenGames = 15;  // the last four rounds: 8 + 4 + 2 + 1 games

struct OpenGameList {
  int16_t OpenGameCount = 0;
  std::array<int16_t, 32> OpenGame{};       // 1..OpenGameCount, ascending game numbers
  std::array<int16_t, 32> OpenGameRound{};  // round of each open game
  int32_t ScenarioCount = 1;                // 2 to the power OpenGameCount
};

// The slot that wins first-round game g without playing: the real team beside
// a "Bye". 0 when neither slot is a "Bye" (a real game). When both are, the
// first slot stands, so the game is still decided.
int16_t ByeWinner(const PoolState& s, int game);

// Pool.Results with every Bye game decided for its real team. A Bye game is
// never played, so it must neither count as open nor be left without a winner.
std::array<int16_t, kMaxGames + 1> EffectiveResults(const PoolState& s);

// Active entries: those with a participant (BettorIndex not 0).
int ActiveEntryCount(const PoolState& s);
// Their positions in Entries, in entry order.
std::vector<int32_t> ActiveEntries(const PoolState& s);

// The undecided games among the last 15, as the results stand now.
OpenGameList ListOpenGames(const PoolState& s);

// What the possibilities window's check and announcement were made from: the
// bracket's size, every result with the Bye games decided, and the active
// entries by position and identity. A run on anything else may need a
// refusal or a count the announcement never gave, so it is checked again.
struct PossibilitiesBasis {
  int16_t NumGames = 0;
  std::array<int16_t, kMaxGames + 1> Results{};
  std::vector<int32_t> Entries;
  std::vector<uint32_t> Identities;
  bool operator==(const PossibilitiesBasis&) const = default;
};
PossibilitiesBasis PossibilitiesBasisOf(const PoolState& s);

// Finds the open games among the last 15. When a game before them is still
// undecided it beeps, shows the refusal once and sets DialogCancelled; the
// open games are counted all the same.
OpenGameList CountOpenGames(PoolState& s, Prompts& prompts);

// What the possibilities window checks when it loads: CountOpenGames, then
// refuses (beep, message, DialogCancelled) when no game is open or no entry
// is active.
OpenGameList CheckPossibilities(PoolState& s, Prompts& prompts);

// Winner and loser of every open game in every scenario. Scenario s (1-based)
// is the binary counter s - 1, open game 1 its least significant digit; a
// digit 0 lets the second slot win a first-round game and the first
// contender win a later one.
class ScenarioTable {
 public:
  ScenarioTable() = default;
  ScenarioTable(int32_t scenarioCount, int openGameCount);

  int32_t ScenarioCount() const { return scenarioCount_; }
  int OpenGameCount() const { return openGameCount_; }
  // s in 1..ScenarioCount, i in 1..OpenGameCount.
  int16_t Winner(int32_t s, int i) const { return data_[Index(s, i)]; }
  int16_t Loser(int32_t s, int i) const { return data_[Index(s, i) + 1]; }
  void Set(int32_t s, int i, int16_t winner, int16_t loser) {
    data_[Index(s, i)] = winner;
    data_[Index(s, i) + 1] = loser;
  }

 private:
  size_t Index(int32_t s, int i) const {
    return ((static_cast<size_t>(s) - 1) * openGameCount_ + (i - 1)) * 2;
  }
  int32_t scenarioCount_ = 0;
  int openGameCount_ = 0;
  std::vector<int16_t> data_;
};

ScenarioTable BuildScenarioTable(const PoolState& s, const OpenGameList& open);

// The same outcomes one scenario at a time, straight from its binary digits,
// so a run needs no table of every scenario.
class ScenarioOutcomes {
 public:
  ScenarioOutcomes() = default;
  ScenarioOutcomes(const PoolState& s, const OpenGameList& open);

  int OpenGameCount() const { return k_; }
  // Winner and loser of open games 1..OpenGameCount of scenario s (1-based)
  // into winner[i] and loser[i].
  void Get(int32_t s, int16_t* winner, int16_t* loser) const {
    const uint32_t bits = static_cast<uint32_t>(s - 1);
    for (int i = 1; i <= k_; ++i) {
      const Contender& c = contenders_[i];
      const int16_t first = c.firstGame ? winner[c.firstGame] : c.first;
      const int16_t second = c.secondGame ? winner[c.secondGame] : c.second;
      // Flag off: the second slot wins in round 1, the first contender later.
      if (c.firstRound != (((bits >> (i - 1)) & 1u) != 0)) {
        winner[i] = second;
        loser[i] = first;
      } else {
        winner[i] = first;
        loser[i] = second;
      }
    }
  }

 private:
  // A contender is a fixed slot, or the winner of an earlier open game.
  struct Contender {
    int16_t first = 0, second = 0;
    int8_t firstGame = 0, secondGame = 0;
    bool firstRound = false;
  };
  int k_ = 0;
  std::array<Contender, 32> contenders_{};
};

}  // namespace qb
