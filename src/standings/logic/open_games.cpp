#include "standings/logic/open_games.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/bracket.h"
#include "core/prompts.h"

namespace qb {

namespace {

bool IsByeName(const std::string& name) {
  return name.size() == 3 && std::tolower(static_cast<unsigned char>(name[0])) == 'b' &&
         std::tolower(static_cast<unsigned char>(name[1])) == 'y' &&
         std::tolower(static_cast<unsigned char>(name[2])) == 'e';
}

int RoundOfGame(const PoolState& s, int game) {
  for (int r = 1; r <= s.NumRounds && r <= kMaxRounds; ++r)
    if (game <= s.RoundEnd[r]) return r;
  return std::clamp<int>(s.NumRounds, 1, kMaxRounds);
}

int16_t SafeResult(const std::array<int16_t, kMaxGames + 1>& results, int game) {
  return game >= 1 && game <= kMaxGames ? results[game] : 0;
}

}  // namespace

int16_t ByeWinner(const PoolState& s, int game) {
  if (game < 1 || 2 * game > s.NumSlots || 2 * game > kMaxSlots) return 0;
  if (game > s.RoundEnd[1]) return 0;
  const bool firstBye = IsByeName(s.Teams[2 * game - 1].Name);
  const bool secondBye = IsByeName(s.Teams[2 * game].Name);
  if (secondBye) return static_cast<int16_t>(2 * game - 1);
  if (firstBye) return static_cast<int16_t>(2 * game);
  return 0;
}

std::array<int16_t, kMaxGames + 1> EffectiveResults(const PoolState& s) {
  std::array<int16_t, kMaxGames + 1> results = s.Pool.Results;
  const int firstRound = std::min<int>(s.RoundEnd[1], kMaxGames);
  for (int g = 1; g <= firstRound; ++g)
    if (results[g] == 0) results[g] = ByeWinner(s, g);
  return results;
}

int ActiveEntryCount(const PoolState& s) {
  int count = 0;
  const int last = HeldEntries(s);
  for (int e = 1; e <= last; ++e)
    if (s.Entries[e].BettorIndex != 0) ++count;
  return count;
}

std::vector<int32_t> ActiveEntries(const PoolState& s) {
  std::vector<int32_t> active;
  const int last = HeldEntries(s);
  active.reserve(static_cast<size_t>(last));
  for (int e = 1; e <= last; ++e)
    if (s.Entries[e].BettorIndex != 0) active.push_back(e);
  return active;
}

PossibilitiesBasis PossibilitiesBasisOf(const PoolState& s) {
  PossibilitiesBasis basis;
  basis.NumGames = s.NumGames;
  basis.Results = EffectiveResults(s);
  basis.Entries = ActiveEntries(s);
  basis.Identities.reserve(basis.Entries.size());
  for (const int32_t e : basis.Entries) basis.Identities.push_back(s.Entries[e].Identity);
  return basis;
}

OpenGameList ListOpenGames(const PoolState& s) {
  const auto results = EffectiveResults(s);
  const int numGames = std::clamp<int>(s.NumGames, 0, kMaxGames);
  OpenGameList open;
  const int first = numGames >= kMaxOpenGames ? numGames - (kMaxOpenGames - 1) : 1;
  for (int g = first; g <= numGames; ++g) {
    if (results[g] != 0) continue;
    const int k = ++open.OpenGameCount;
    open.OpenGame[k] = static_cast<int16_t>(g);
    open.OpenGameRound[k] = static_cast<int16_t>(RoundOfGame(s, g));
  }
  open.ScenarioCount = int32_t{1} << open.OpenGameCount;
  return open;
}

OpenGameList CountOpenGames(PoolState& s, Prompts& prompts) {
  s.DialogCancelled = false;
  const auto results = EffectiveResults(s);
  const int numGames = std::clamp<int>(s.NumGames, 0, kMaxGames);

  for (int g = 1; g <= numGames - kMaxOpenGames; ++g) {
    if (results[g] == 0) {
      prompts.Beep();
      prompts.Show(
          "Sorry! Possibilities can only be computed for the last 4 rounds.\n\r\r"
          "Use 'Enter Results' on the Tools menu to enter more results.");
      s.DialogCancelled = true;
      break;
    }
  }

  return ListOpenGames(s);
}

OpenGameList CheckPossibilities(PoolState& s, Prompts& prompts) {
  OpenGameList open = CountOpenGames(s, prompts);
  if (s.DialogCancelled) return open;
  if (open.OpenGameCount == 0) {
    prompts.Beep();
    prompts.Show("Results are complete!  No possibilities to compute!");
    s.DialogCancelled = true;
  } else if (ActiveEntryCount(s) == 0) {
    // Deleted entries take part in no scenario, so a pool of deleted entries
    // has nothing to compute either.
    prompts.Beep();
    prompts.Show("No entries on file. No possibilities to compute!");
    s.DialogCancelled = true;
  }
  return open;
}

ScenarioTable::ScenarioTable(int32_t scenarioCount, int openGameCount)
    : scenarioCount_(scenarioCount),
      openGameCount_(openGameCount),
      data_(static_cast<size_t>(scenarioCount) * openGameCount * 2, 0) {}

ScenarioOutcomes::ScenarioOutcomes(const PoolState& s, const OpenGameList& open)
    : k_(std::clamp<int>(open.OpenGameCount, 0, kMaxOpenGames)) {
  const auto results = EffectiveResults(s);
  for (int i = 1; i <= k_; ++i) {
    const int g = open.OpenGame[i];
    const int r = open.OpenGameRound[i];
    Contender& c = contenders_[i];
    c.firstRound = r <= 1;
    if (r <= 1) {
      c.first = static_cast<int16_t>(2 * g - 1);
      c.second = static_cast<int16_t>(2 * g);
      continue;
    }
    const FeederGames feeder = FeederGamesOf(s, g);
    // An open feeder comes before the game it feeds, so its winner is placed first.
    for (int j = 1; j < i; ++j) {
      if (open.OpenGame[j] == feeder.first) c.firstGame = static_cast<int8_t>(j);
      if (open.OpenGame[j] == feeder.second) c.secondGame = static_cast<int8_t>(j);
    }
    c.first = SafeResult(results, feeder.first);
    c.second = SafeResult(results, feeder.second);
  }
}

ScenarioTable BuildScenarioTable(const PoolState& s, const OpenGameList& open) {
  const int k = open.OpenGameCount;
  ScenarioTable table(open.ScenarioCount, k);
  const ScenarioOutcomes outcomes(s, open);
  std::array<int16_t, 32> winner{}, loser{};
  for (int32_t sc = 1; sc <= open.ScenarioCount; ++sc) {
    outcomes.Get(sc, winner.data(), loser.data());
    for (int i = 1; i <= k; ++i) table.Set(sc, i, winner[i], loser[i]);
  }
  return table;
}

}  // namespace qb
