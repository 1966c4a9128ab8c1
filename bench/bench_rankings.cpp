// Opening the rankings window's figures for the largest pools: every live
// entry rescored, the standings and pool winners grids built, and the
// standings sorted by possible and then by current points.
#include <benchmark/benchmark.h>

#include "rankings_pool.h"
#include "standings/logic/payouts.h"
#include "standings/logic/standings.h"

namespace qb {
namespace {

const PoolState& PoolWith(int entries) {
  return bench::RankingsPool(entries);
}

void BM_OpenRankings(benchmark::State& state) {
  const PoolState& s = PoolWith(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Grid rank, pay;
    std::vector<EntryScore> scores = ScoreLiveEntries(s);
    BuildStandingsGrid(s, scores, rank);
    PayoutsView v = BuildPayoutsGrid(s, rank, pay);
    SortRankByPossible(rank, s.LoserSeedScoring);
    SortRankByCurrent(rank);
    benchmark::DoNotOptimize(v.computed);
    benchmark::DoNotOptimize(rank.TextMatrix(2, kRankName));
  }
}
BENCHMARK(BM_OpenRankings)
    ->ArgName("entries")
    ->Arg(2000)
    ->Arg(10000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond);

// The parts on their own, at the largest pool.
void BM_RankingsRescore(benchmark::State& state) {
  const PoolState& s = PoolWith(32767);
  for (auto _ : state) benchmark::DoNotOptimize(ScoreLiveEntries(s));
}
BENCHMARK(BM_RankingsRescore)->Unit(benchmark::kMillisecond);

void BM_RankingsBuildStandings(benchmark::State& state) {
  const PoolState& s = PoolWith(32767);
  const std::vector<EntryScore> scores = ScoreLiveEntries(s);
  for (auto _ : state) {
    Grid rank;
    BuildStandingsGrid(s, scores, rank);
    benchmark::DoNotOptimize(rank.Rows());
  }
}
BENCHMARK(BM_RankingsBuildStandings)->Unit(benchmark::kMillisecond);

void BM_RankingsSortByCurrent(benchmark::State& state) {
  const PoolState& s = PoolWith(32767);
  Grid base;
  BuildStandingsGrid(s, ScoreLiveEntries(s), base);
  for (auto _ : state) {
    state.PauseTiming();
    Grid rank = base;
    state.ResumeTiming();
    SortRankByCurrent(rank);
    benchmark::DoNotOptimize(rank.TextMatrix(2, kRankName));
  }
}
BENCHMARK(BM_RankingsSortByCurrent)->Unit(benchmark::kMillisecond);

void BM_RankingsPayouts(benchmark::State& state) {
  const PoolState& s = PoolWith(32767);
  Grid rank;
  BuildStandingsGrid(s, ScoreLiveEntries(s), rank);
  for (auto _ : state) {
    Grid pay;
    benchmark::DoNotOptimize(BuildPayoutsGrid(s, rank, pay).computed);
  }
}
BENCHMARK(BM_RankingsPayouts)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qb
