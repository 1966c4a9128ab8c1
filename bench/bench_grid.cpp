// Filling and sorting a large report grid, as the rankings window does.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/grid.h"

namespace {

qb::Grid FilledGrid(int rows, int cols) {
  qb::Grid g(rows + 2, cols, 2, 1);
  for (int r = 2; r < rows + 2; ++r)
    for (int c = 0; c < cols; ++c)
      g.SetTextMatrix(r, c, std::to_string((r * 7919 + c * 104729) % 100000) + ".00");
  return g;
}

void BM_GridFill(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FilledGrid(static_cast<int>(state.range(0)), 22));
}
BENCHMARK(BM_GridFill)->Arg(100)->Arg(2000);

void BM_GridSort(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const int mode = static_cast<int>(state.range(1));
  const qb::Grid base = FilledGrid(rows, 22);
  for (auto _ : state) {
    state.PauseTiming();
    qb::Grid g = base;
    g.SetRow(2);
    g.SetRowSel(g.Rows() - 1);
    g.SetCol(9);
    state.ResumeTiming();
    g.Sort(mode);
    benchmark::DoNotOptimize(g.TextMatrix(2, 9));
  }
}
BENCHMARK(BM_GridSort)
    ->Args({2000, qb::flexSortStringNoCaseDescending})
    ->Args({2000, qb::flexSortNumericDescending})
    ->Args({2000, qb::flexSortGenericAscending});

}  // namespace
