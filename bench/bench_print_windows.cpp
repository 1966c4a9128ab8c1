// Printing a report to a PDF file through the real print path: the lines
// laid out and paged, the font fitted, every page drawn.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <string>

#include "offscreen_app.h"
#include "platform/app_context.h"
#include "platform/grid.h"
#include "reports/report_output.h"

namespace qb {
namespace {

// The scenario winners of a pool whose entries all tie in every scenario:
// each scenario names every entry as a first-place winner.
Grid AllTiedScenarios(int entries, int scenarios) {
  Grid g(scenarios + 1, 2, 1, 0);
  g.SetTextMatrix(0, 0, "Game Winners");
  g.SetTextMatrix(0, 1, "Pool Winners");
  g.SetColWidth(0, 3000);
  g.SetColWidth(1, 4000);
  std::string winners;
  for (int e = 1; e <= entries; ++e)
    winners += (e > 1 ? ", " : "") + std::string("1st-Player ") + std::to_string(e) + " 1 ( 12 )";
  for (int s = 1; s <= scenarios; ++s) {
    g.SetTextMatrix(s, 0, "Champion: Team " + std::to_string(s) + ", Runner-up: Team 9");
    g.SetTextMatrix(s, 1, winners);
  }
  return g;
}

void BM_PrintScenarioWinners(benchmark::State& state) {
  bench::OffscreenApp();
  QTemporaryDir dir;
  TestContext t;
  t.pool.Pool.PoolName = "Office Pool";
  t.pool.PrintFontSize = 10;
  t.pool.PrintOrientation = 2;
  const Grid grid = AllTiedScenarios(static_cast<int>(state.range(0)), 32);
  const std::string pdf = dir.filePath("scenarios.pdf").toStdString();
  for (auto _ : state) {
    t.files.Queue(pdf);
    benchmark::DoNotOptimize(PrintReport(t.ctx, ReportKind::ScenarioWinners, grid));
  }
}
BENCHMARK(BM_PrintScenarioWinners)->ArgName("entries")->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qb
