// Filling a report grid that a view shows, as a report window fills its
// grids while it loads: hidden during the fill (the view catches up once),
// and shown throughout for comparison.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "offscreen_app.h"
#include "platform/grid_view.h"

namespace {

QApplication& App() {
  return qb::bench::OffscreenApp();
}

void Fill(qb::Grid& g, int rows, int cols) {
  g.SetRows(0);
  g.SetCols(cols);
  g.SetRows(rows + 2);
  g.SetFixedRows(2);
  for (int r = 2; r < rows + 2; ++r)
    for (int c = 0; c < cols; ++c)
      g.SetTextMatrix(r, c, std::to_string((r * 7919 + c * 104729) % 100000));
}

void BM_GridViewFill(benchmark::State& state) {
  App();
  const int rows = static_cast<int>(state.range(0));
  const bool hidden = state.range(1) != 0;
  QWidget window;
  window.resize(900, 600);
  auto* view = new qb::GridView(&window);
  view->setGeometry(0, 0, 900, 600);
  window.show();
  QApplication::processEvents();
  for (auto _ : state) {
    qb::Grid& g = view->grid();
    if (hidden) g.SetVisible(false);
    Fill(g, rows, 22);
    if (hidden) g.SetVisible(true);
    view->RefreshLayout();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_GridViewFill)
    ->ArgNames({"rows", "hidden"})
    ->Args({2000, 1})
    ->Args({2000, 0})
    ->Args({32767, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
