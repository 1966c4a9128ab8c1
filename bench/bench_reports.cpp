// The report writers on the largest standings a pool can hold.
#include <benchmark/benchmark.h>

#include <sstream>

#include "core/bracket.h"
#include "core/prompts.h"
#include "platform/grid.h"
#include "reports/logic/grid_csv.h"
#include "reports/logic/report_writer.h"

namespace qb {
namespace {

PoolState SixRoundPool() {
  PoolState s;
  s.Pool.PoolName = "Office & Friends";
  s.Pool.NumTeams = 64;
  for (int r = 1; r <= 6; ++r) s.Pool.RoundPoints[r] = static_cast<float>(1 << (r - 1));
  s.Pool.PayoutPct[1] = 100;
  for (int t = 1; t <= 64; ++t) s.Teams[t].Name = "Team " + std::to_string(t);
  ScriptedPrompts prompts;
  SetupBracketFromParameters(s, prompts);
  return s;
}

// Standings of six rounds: 22 columns, two header rows.
Grid Standings(int rows) {
  Grid g(rows + 2, 22, 2, 1);
  for (int r = 2; r < rows + 2; ++r) {
    g.SetTextMatrix(r, 0, "Participant <" + std::to_string(r) + "> & Co 1");
    for (int c = 1; c < 22; ++c) g.SetTextMatrix(r, c, std::to_string((r * 31 + c) % 997));
  }
  return g;
}

void BM_WriteRankingsReport(benchmark::State& state, ReportMode mode) {
  PoolState pool = SixRoundPool();
  const Grid grid = Standings(static_cast<int>(state.range(0)));
  ReportEnvironment env;
  for (auto _ : state) {
    if (mode == ReportMode::Print) {
      auto pages = LayOutPrintedReport(ReportKind::CurrentRankings, grid, pool, env, 55);
      benchmark::DoNotOptimize(pages);
    } else {
      std::ostringstream out;
      WriteReport(ReportKind::CurrentRankings, grid, pool, env, mode, out);
      benchmark::DoNotOptimize(out.str());
    }
  }
}
BENCHMARK_CAPTURE(BM_WriteRankingsReport, print, ReportMode::Print)
    ->ArgName("entries")->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteRankingsReport, email, ReportMode::Email)
    ->ArgName("entries")->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteRankingsReport, web, ReportMode::Web)
    ->ArgName("entries")->Arg(32767)->Unit(benchmark::kMillisecond);

// The pages of the scenario-winners report of a pool whose entries all tie
// in every one of 32 scenarios: each pool-winners cell names every entry.
void BM_LayOutScenarioWinners(benchmark::State& state) {
  PoolState pool = SixRoundPool();
  std::string winners = "1st:";
  for (int e = 1; e <= state.range(0); ++e)
    winners += (e == 1 ? " " : ", ") + std::string("Participant ") + std::to_string(e) + " 1 (120)";
  Grid grid(33, 2, 1, 0);
  grid.SetTextMatrix(0, 0, "Game Winners");
  grid.SetTextMatrix(0, 1, "Pool Winners");
  for (int s = 1; s <= 32; ++s) {
    grid.SetTextMatrix(s, 0, "Duke, Iowa, Kansas, Duke " + std::to_string(s));
    grid.SetTextMatrix(s, 1, winners);
  }
  ReportEnvironment env;
  for (auto _ : state) {
    auto pages = LayOutPrintedReport(ReportKind::ScenarioWinners, grid, pool, env, 55);
    benchmark::DoNotOptimize(pages);
  }
}
BENCHMARK(BM_LayOutScenarioWinners)->ArgName("entries")->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_GridCsvText(benchmark::State& state) {
  PoolState pool = SixRoundPool();
  const Grid grid = Standings(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(GridCsvText(pool, grid, "Current Rank Report", {}));
}
BENCHMARK(BM_GridCsvText)->ArgName("entries")->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qb
