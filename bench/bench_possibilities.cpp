// The largest possibilities run: 64 teams, games 1 to 48 decided, 15 open
// games, 32,768 scenarios. BM_WindowRun is what the possibilities window
// waits for, snapshot included, with the time of each phase; BM_Fast and
// BM_Reference compare the engines on the same snapshots.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>

#include "../tests/standings/logic/possibility_pools.h"
#include "core/prompts.h"
#include "standings/logic/possibilities.h"

namespace qb {
namespace {

// seedMethod -1: a random seed method in each round; 0: none, as in most pools.
PoolState& PoolWith(int entries, int seedMethod = -1) {
  static std::map<std::pair<int, int>, std::unique_ptr<PoolState>> cache;
  auto& slot = cache[{entries, seedMethod}];
  if (!slot) {
    testing::PoolRecipe recipe;
    recipe.teams = 64;
    recipe.openGames = 15;
    recipe.entries = entries;
    recipe.deletedShare = 0;
    recipe.paidPlaces = 3;
    recipe.booby = true;
    recipe.seedMethod = seedMethod;
    slot = std::make_unique<PoolState>(testing::MakeRandomPool(recipe, 2024));
  }
  return *slot;
}

// A pool of up to 10,000 entries; beyond that the snapshot takes entries
// with random brackets over the open games and the points of a random pool
// entry, since a pool itself holds at most 32,767 entries.
const PossibilitiesSnapshot& SnapshotWith(int entries) {
  static std::map<int, std::unique_ptr<PossibilitiesSnapshot>> cache;
  auto& slot = cache[entries];
  if (slot) return *slot;

  PoolState& s = PoolWith(std::min(entries, 10000));
  ScriptedPrompts prompts;
  OpenGameList open = CountOpenGames(s, prompts);
  slot = std::make_unique<PossibilitiesSnapshot>(TakePossibilitiesSnapshot(s, open));
  PossibilitiesSnapshot& snap = *slot;

  std::mt19937 rng(7);
  const size_t poolEntries = snap.Entries.size();
  std::vector<int16_t> picks(open.OpenGameCount);
  std::array<int16_t, kMaxGames + 1> w = snap.Pool.Pool.Results;
  while (static_cast<int>(snap.Entries.size()) < entries) {
    for (int i = 1; i <= open.OpenGameCount; ++i) {
      const int g = open.OpenGame[i];
      const int r = open.OpenGameRound[i];
      const int k = g - snap.Pool.RoundEnd[r - 1];
      const int f = snap.Pool.RoundEnd[r - 2] + 2 * k - 1;
      w[g] = rng() % 2 ? w[f] : w[f + 1];
      picks[i - 1] = w[g];
    }
    PossibilitiesEntry e = snap.Entries[rng() % poolEntries];
    e.Index = static_cast<int32_t>(snap.Entries.size() + 1);
    snap.AddEntry(e, picks);
  }
  return snap;
}

void Check(benchmark::State& state, const PossibilitiesResult& r, int entries) {
  if (!r.Completed || static_cast<int>(r.Counts.size()) != entries)
    state.SkipWithError("run did not complete");
}

void BM_Reference(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  const PossibilitiesSnapshot& snap = SnapshotWith(entries);
  for (auto _ : state) {
    PossibilitiesResult r = ComputeScenarios(snap);
    Check(state, r, entries);
    benchmark::DoNotOptimize(r);
  }
  state.counters["scenarios"] = snap.Open.ScenarioCount;
}

// What a run costs before it starts: the copy, its scores and the table.
void BM_TakeSnapshot(benchmark::State& state) {
  PoolState& s = PoolWith(static_cast<int>(state.range(0)));
  ScriptedPrompts prompts;
  OpenGameList open = CountOpenGames(s, prompts);
  for (auto _ : state) benchmark::DoNotOptimize(TakePossibilitiesSnapshot(s, open));
}

void BM_Fast(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  const PossibilitiesSnapshot& snap = SnapshotWith(entries);
  PossibilitiesOptions options;
  options.Threads = static_cast<int>(state.range(1));
  for (auto _ : state) {
    PossibilitiesResult r = ComputeScenariosFast(snap, options);
    Check(state, r, entries);
    benchmark::DoNotOptimize(r);
  }
  state.counters["scenarios"] = snap.Open.ScenarioCount;
}

// Processor time of every thread of the program so far, in milliseconds.
double ProcessCpuMs() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
         (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// The run the window starts: the snapshot of the open pool, then the fast
// engine on it. The counters give each phase's milliseconds (mean per run),
// and cpu_ms the processor time of all threads, which a busy machine
// inflates less than the time on the clock.
void WindowRun(benchmark::State& state, int seedMethod) {
  const int entries = static_cast<int>(state.range(0));
  const int threads = static_cast<int>(state.range(1));
  PoolState& s = PoolWith(entries, seedMethod);
  ScriptedPrompts prompts;
  const OpenGameList open = CountOpenGames(s, prompts);
  PossibilitiesOptions options;
  options.Threads = threads;
  double snapshot = 0, tables = 0, classes = 0, counting = 0;
  const double cpu0 = ProcessCpuMs();
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    PossibilitiesSnapshot snap = TakePossibilitiesSnapshot(s, open, threads);
    snapshot += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                    .count();
    PossibilitiesResult r = ComputeScenariosFast(snap, options);
    Check(state, r, entries);
    tables += r.Timings.Tables;
    classes += r.Timings.Classes;
    counting += r.Timings.Counting;
    benchmark::DoNotOptimize(r);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["snapshot_ms"] = snapshot / n;
  state.counters["tables_ms"] = tables / n;
  state.counters["classes_ms"] = classes / n;
  state.counters["counting_ms"] = counting / n;
  state.counters["cpu_ms"] = (ProcessCpuMs() - cpu0) / n;
}
void BM_WindowRun(benchmark::State& state) { WindowRun(state, 0); }
// Every round with a random seed method: the seed bonuses are computed too.
void BM_WindowRunSeeded(benchmark::State& state) { WindowRun(state, -1); }

BENCHMARK(BM_WindowRun)
    ->ArgsProduct({{1024, 10000, 32767}, {1, 8}})
    ->ArgNames({"entries", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_WindowRunSeeded)
    ->ArgsProduct({{1024, 10000, 32767}, {1, 8}})
    ->ArgNames({"entries", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_TakeSnapshot)->Arg(10000)->ArgName("entries")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fast)
    ->ArgsProduct({{1000, 10000, 100000}, {1, 8}})
    ->ArgNames({"entries", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Reference)
    ->Arg(1000)
    ->Arg(10000)
    ->ArgName("entries")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// The reference takes minutes on 100,000 entries: only with QB_BENCH_FULL set.
const bool kFullRegistered = [] {
  if (std::getenv("QB_BENCH_FULL"))
    benchmark::RegisterBenchmark("BM_Reference/entries:100000", BM_Reference)
        ->Arg(100000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->UseRealTime();
  return true;
}();

}  // namespace
}  // namespace qb
