// The pool analysis, the entries with a pick and the participant and entry
// listing of a 64-team pool, as their windows compute and fill them, without
// the windows.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "../tests/standings/logic/possibility_pools.h"
#include "standings/logic/analysis_common.h"
#include "standings/logic/bettor_listing.h"
#include "standings/logic/entries_with_pick.h"
#include "standings/logic/pool_analysis.h"
#include "standings/logic/upset_analysis.h"

namespace qb {
namespace {

const PoolState& PoolWith(int entries) {
  static std::map<int, std::unique_ptr<PoolState>> cache;
  auto& slot = cache[entries];
  if (!slot) {
    testing::PoolRecipe recipe;
    recipe.teams = 64;
    recipe.openGames = 15;
    recipe.entries = entries;
    recipe.deletedShare = 0.02;
    slot = std::make_unique<PoolState>(testing::MakeRandomPool(recipe, 2026));
  }
  return *slot;
}

// Roughly a proportional font: 100 twips a character.
class CharMeasure : public TextMeasure {
 public:
  int Width(const std::string& text) const override { return 100 * static_cast<int>(text.size()); }
  int LineHeight() const override { return 240; }
};

void BM_FillPoolAnalysis(benchmark::State& state) {
  const PoolState& s = PoolWith(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Grid team, round;
    const int32_t live = CountLiveEntries(s);
    std::vector<std::string> choices = FillTeamGrid(team, s, CountTeamPicks(s), live);
    FillRoundGrid(round, s, CountUpsets(s));
    SortTeamGrid(team, 0, choices[0]);
    SortTeamGrid(team, 0, choices[0]);
    benchmark::DoNotOptimize(team.TextMatrix(3, 1));
  }
}
BENCHMARK(BM_FillPoolAnalysis)->ArgName("entries")->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_FillEntriesWithPick(benchmark::State& state) {
  const PoolState& s = PoolWith(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    // Slot 1 to win its first game: about half the entries.
    Grid g;
    FillEntriesWithPickGrid(g, FindEntriesWithPick(s, 1, 1), 4000);
    benchmark::DoNotOptimize(g.Rows());
  }
}
BENCHMARK(BM_FillEntriesWithPick)->ArgName("entries")->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_FillListing(benchmark::State& state) {
  const PoolState& s = PoolWith(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Grid bettors, entries;
    FillBettorGrid(bettors, s, ComputeBettorTotals(s));
    SortBettorGrid(bettors, kBettorSortChoices[0].Column, kBettorSortChoices[0].Text);
    EntryPicksListing listing;
    listing.Fill(entries, s, CharMeasure());
    listing.FitToWidth(entries, 12000);
    benchmark::DoNotOptimize(entries.Rows());
  }
}
BENCHMARK(BM_FillListing)->ArgName("entries")->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qb
