// The rankings window itself on the offscreen platform: loading it (figures,
// grids, sorts), showing it with its first paint, and closing it.
// The pool before any Qt header: Qt's keywords would clash with its names.
#include "rankings_pool.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "offscreen_app.h"
#include "platform/app_context.h"
#include "standings/frmDisplayRank.h"

namespace qb {
namespace {

QApplication& App() {
  return bench::OffscreenApp();
}

void BM_OpenRankingsWindow(benchmark::State& state) {
  App();
  auto t = std::make_unique<TestContext>();
  t->pool = bench::RankingsPool(static_cast<int>(state.range(0)));
  t->pool.MainWidth = 15000;
  t->pool.MainHeight = 10000;
  for (auto _ : state) {
    frmDisplayRank w(t->ctx);
    w.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(w.PayoutsComputed());
  }
}
BENCHMARK(BM_OpenRankingsWindow)
    ->ArgName("entries")
    ->Arg(2000)
    ->Arg(10000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qb
