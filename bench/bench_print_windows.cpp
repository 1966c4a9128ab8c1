// Printing a report the whole way: laying out its pages and drawing them on
// the print surface (a PDF file, as there is no printer here).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <string>

#include "core/bracket.h"
#include "offscreen_app.h"
#include "platform/app_context.h"
#include "platform/grid.h"
#include "reports/report_output.h"

namespace qb {
namespace {

// The scenario table of a pool whose entries all tie in every scenario: each
// pool-winners cell names every entry.
Grid TiedScenarios(int entries, int scenarios) {
  std::string winners = "1st:";
  for (int e = 1; e <= entries; ++e)
    winners += (e == 1 ? " " : ", ") + std::string("Participant ") + std::to_string(e) + " 1 (120)";
  Grid g(scenarios + 1, 2, 1, 0);
  g.SetTextMatrix(0, 0, "Game Winners");
  g.SetTextMatrix(0, 1, "Pool Winners");
  g.SetColWidth(0, 3000);
  g.SetColWidth(1, 4000);
  for (int s = 1; s <= scenarios; ++s) {
    g.SetTextMatrix(s, 0, "Duke, Iowa, Kansas, Duke " + std::to_string(s));
    g.SetTextMatrix(s, 1, winners);
  }
  g.Tag = " By Scenario";
  return g;
}

void BM_PrintScenarioWinners(benchmark::State& state) {
  bench::OffscreenApp();
  TestContext t;
  t.pool.Pool.PoolName = "Office";
  t.pool.Pool.NumTeams = 64;
  t.pool.Pool.PayoutPct[1] = 100;
  SetupBracketFromParameters(t.pool, t.prompts);
  const Grid grid = TiedScenarios(static_cast<int>(state.range(0)), 32);
  QTemporaryDir dir;
  int pages = 0;
  for (auto _ : state) {
    t.files.Queue(dir.filePath("scenarios.pdf").toStdString());
    if (!PrintReport(t.ctx, ReportKind::ScenarioWinners, grid)) state.SkipWithError("not printed");
    ++pages;
  }
  benchmark::DoNotOptimize(pages);
}
BENCHMARK(BM_PrintScenarioWinners)->ArgName("entries")->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qb
