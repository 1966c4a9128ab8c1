#pragma once
// Scores every active entry in every scenario of the open games and counts,
// per entry, the scenarios that put it in each paid place and the booby place.
//
// A run works on a snapshot of the pool, never on the open pool, so windows
// may go on scoring the open pool meanwhile. Two engines give the same counts:
// ComputeScenarios goes scenario by scenario, entry by entry, as the report
// has always been made; ComputeScenariosFast shares the work between
// scenarios and runs on worker threads.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/entry_identity.h"
#include "core/pool_state.h"
#include "standings/logic/open_games.h"

namespace qb {

inline constexpr int32_t kMaxShownScenarios = 128;  // more get no scenario rows
inline constexpr int kBoobyPlace = 0;               // PlaceCounts index of the booby prize
inline constexpr int kTotalPlace = 6;               // PlaceCounts index of the total

// Scenarios per finish: 0 booby prize, 1..5 the paid places, 6 the total.
using PlaceCounts = std::array<int32_t, 7>;

struct PossibilitiesEntry {
  int32_t Index = 0;  // position in the pool's Entries
  int16_t EntryNumber = 0;
  std::string Name;  // the participant's name
  float Points = 0;  // points already won
  uint32_t Identity = 0;  // the entry's identity when the run took it
};

struct PossibilitiesSnapshot {
  // The pool's parameters, teams and bracket tables; its entries,
  // participants and import copies are left out (the entries are below) and
  // its Results hold the Bye games decided.
  PoolState Pool;
  OpenGameList Open;
  ScenarioOutcomes Outcomes;
  // The game table with the decided games laid on, as every scenario starts.
  GameTable Games{};
  // Active entries in entry order, and their picks of the open games:
  // OpenPicks[e * OpenGameCount + i - 1] is entry e's pick of open game i.
  std::vector<PossibilitiesEntry> Entries;
  std::vector<int16_t> OpenPicks;

  int16_t OpenPick(size_t entry, int i) const {
    return OpenPicks[entry * static_cast<size_t>(Open.OpenGameCount) + (i - 1)];
  }
  // Appends an entry (the picks of open games 1..OpenGameCount).
  void AddEntry(PossibilitiesEntry entry, const std::vector<int16_t>& openPicks);
};

// Copies what a run needs out of the open pool: the bracket and rules, and
// each active entry with its points scored as the standings score them and
// its picks of the open games. Reads the pool only, on up to threads threads
// (0: one per core) while the caller waits.
PossibilitiesSnapshot TakePossibilitiesSnapshot(const PoolState& s, const OpenGameList& open,
                                                int threads = 0);
// The entries of a run as the pool held them when the run took them.
ListedEntryIds ListedEntryIdsOf(const PossibilitiesSnapshot& snap);

struct PossibilitiesOptions {
  int Threads = 0;  // worker threads of the fast engine; 0: one per core
  // Set from any thread to stop the run; it is seen before the next scenario.
  const std::atomic<bool>* Cancel = nullptr;
  // Called on the calling thread with the number of scenarios done: by the
  // reference before every scenario, by the fast engine about every 20 ms,
  // and by both with the total at the end of a full run. It may process the
  // window's events and set Cancel; what it throws ends the run and reaches
  // the caller.
  std::function<void(int32_t done)> Progress;
};

struct ScenarioText {
  std::string GameWinners;  // "Champion: ...;  Runner-Up: ...;  Semis Losers: ..."
  std::string PoolWinners;  // " 1st-Name 3 ( 12.5 ), Booby-..."
};

// Where a run's time went, in milliseconds.
struct PossibilitiesTimings {
  double Tables = 0;    // what every scenario wins, and the seed bonuses
  double Classes = 0;   // entries grouped by their points and picks
  double Counting = 0;  // the places of every scenario
  double Texts = 0;     // scenario texts (128 scenarios or fewer)
};

struct PossibilitiesResult {
  bool Completed = false;  // false: cancelled; the counts are then all 0
  int32_t ScenariosDone = 0;
  std::vector<PlaceCounts> Counts;  // one per snapshot entry, in its order
  // With 128 scenarios or fewer, the texts of scenario s at s - 1; otherwise
  // empty. A cancelled run keeps the texts of the scenarios it finished.
  std::vector<ScenarioText> Texts;
  PossibilitiesTimings Timings;
};

// The reference: one scenario after the other on one thread.
PossibilitiesResult ComputeScenarios(const PossibilitiesSnapshot& snap,
                                     const PossibilitiesOptions& options = {});

// The same counts and texts, from worker threads.
PossibilitiesResult ComputeScenariosFast(const PossibilitiesSnapshot& snap,
                                         const PossibilitiesOptions& options = {});

// An entry as the reports name it: the participant, a blank, the entry number.
std::string EntryLabel(const PossibilitiesEntry& e);

// The status bar text while scenario s of n is computed.
std::string CalculatingScenarioText(int32_t s, int32_t n);

namespace possibilities_detail {

// One scenario as the reference does it, with its own game table and work
// arrays. Adds to counts when given and writes the texts when given.
struct ReferenceWork {
  GameTable Games{};
  std::array<int16_t, 32> Winner{}, Loser{};  // the scenario's open games 1..k
  std::vector<double> Score;   // by ranking position 1..A
  std::vector<int32_t> Entry;  // snapshot entry by ranking position 1..A
};
void PrepareReferenceWork(const PossibilitiesSnapshot& snap, ReferenceWork& work);
void ReferenceScenario(const PossibilitiesSnapshot& snap, int32_t s, ReferenceWork& work,
                       std::vector<PlaceCounts>* counts, ScenarioText* text);
// Ranks positions 1..a of one scenario by selection with exchanges: it
// brings the best scores to the top, stopping once every paid place and
// every entry tied with the last of them is settled, and with a booby prize
// brings the lowest scores, with their ties, to the bottom; equal scores are
// never exchanged. It makes exactly the exchanges of the plain nested loops
// over p and q written out in its body, in their order, but finds each one
// in logarithmic time, so many tied entries cost no square.
void OrderByExchange(std::vector<double>& score, std::vector<int32_t>& entry, int a, int paid,
                     bool booby);
int PaidPlaces(const PoolState& pool);
bool HasBooby(const PoolState& pool);
int16_t SeedOf(const PoolState& pool, int slot);

}  // namespace possibilities_detail

}  // namespace qb
