// Opening the pool analysis and the participant and entry listing of a
// 64-team pool of 10,000 entries, as the user sees them: the window built,
// its figures computed, its grids filled and sorted, shown and laid out
// (on the offscreen platform).
#include <benchmark/benchmark.h>

#include "../tests/standings/logic/possibility_pools.h"

#include <QApplication>
#include <map>
#include <memory>

#include "offscreen_app.h"
#include "platform/grid_view.h"
#include "standings/frmEntriesWithPick.h"
#include "standings/frmListBettors.h"
#include "standings/frmPoolAnalysis.h"

namespace qb {
namespace {

void StartQt() { bench::OffscreenApp(); }

TestContext& ContextWith(int entries) {
  static std::map<int, std::unique_ptr<TestContext>> cache;
  auto& slot = cache[entries];
  if (!slot) {
    slot = std::make_unique<TestContext>();
    testing::PoolRecipe recipe;
    recipe.teams = 64;
    recipe.openGames = 15;
    recipe.entries = entries;
    recipe.deletedShare = 0.02;
    slot->pool = testing::MakeRandomPool(recipe, 2026);
    slot->pool.MainWidth = 15000;
    slot->pool.MainHeight = 11000;
  }
  return *slot;
}

template <class Window>
void Open(benchmark::State& state) {
  StartQt();
  TestContext& tc = ContextWith(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto* w = new Window(tc.ctx);
    w->show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(w->ReportGrid(0));
    state.PauseTiming();
    delete w;
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

void BM_OpenPoolAnalysis(benchmark::State& state) {
  Open<frmPoolAnalysis>(state);
}
BENCHMARK(BM_OpenPoolAnalysis)->ArgName("entries")->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_OpenListBettors(benchmark::State& state) {
  Open<frmListBettors>(state);
}
BENCHMARK(BM_OpenListBettors)->ArgName("entries")->Arg(10000)->Unit(benchmark::kMillisecond);

// The list of entries with a pick for the team most often picked to win
// its first game: about half the entries, each scored.
void BM_OpenEntriesWithPick(benchmark::State& state) {
  StartQt();
  TestContext& tc = ContextWith(static_cast<int>(state.range(0)));
  tc.pool.AnalysisTeam = 1;
  tc.pool.AnalysisRound = 1;
  for (auto _ : state) {
    frmEntriesWithPick* w = frmEntriesWithPick::ShowFor(tc.ctx);
    QApplication::processEvents();
    benchmark::DoNotOptimize(w->flxEntries->grid().Rows());
    state.PauseTiming();
    delete w;
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenEntriesWithPick)->ArgName("entries")->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qb
