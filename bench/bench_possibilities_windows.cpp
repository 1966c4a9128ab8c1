// The possibilities window at the file's largest size (32,767 entries, two
// open games, so the run itself is short): what the user waits for when the
// run ends (grids filled, sorted and shown), a sort button, and End and Home
// in the entry grid. On the offscreen platform, repaints included.
#include <benchmark/benchmark.h>

#include "../tests/standings/logic/possibility_pools.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "offscreen_app.h"
#include "platform/grid_view.h"
#include "standings/frmPossibilities.h"
#include "standings/logic/possibilities_run.h"

namespace qb {
namespace {

void StartQt() { bench::OffscreenApp(); }

// A 64-team pool of that many entries for a window, made once and kept to
// the end of the program: its windows' pool must outlive Qt's own teardown.
TestContext* WindowPool(int entries, int openGames, int templates) {
  auto* t = new TestContext;
  testing::PoolRecipe recipe;
  recipe.teams = 64;
  recipe.openGames = openGames;
  recipe.entries = entries;
  recipe.deletedShare = 0;
  recipe.templates = templates;
  t->pool = testing::MakeRandomPool(recipe, 2026);
  t->pool.MainWidth = 15000;
  t->pool.MainHeight = 11000;
  return t;
}

TestContext& LargestPool() {
  static TestContext* t = WindowPool(32767, 2, 0);
  return *t;
}

void Key(QWidget* w, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QApplication::processEvents();
}

// Begin Processing to the grids shown, the window made and gone untimed.
void TimeRunShown(benchmark::State& state, TestContext& tc) {
  for (auto _ : state) {
    state.PauseTiming();
    auto* w = new frmPossibilities(tc.ctx);
    w->show();
    QApplication::processEvents();
    state.ResumeTiming();
    w->findChild<QPushButton*>("cmdProcessing")->click();
    w->WaitForRun();
    QApplication::processEvents();
    state.PauseTiming();
    delete w;
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
void BM_PossibilitiesRunShown(benchmark::State& state) {
  StartQt();
  TimeRunShown(state, LargestPool());
}
BENCHMARK(BM_PossibilitiesRunShown)->Unit(benchmark::kMillisecond)->Iterations(3);

// 10,000 entries with the same picks tie in every one of 32 scenarios, so
// each scenario's pool winners name every entry: the whole run the user
// waits for, Begin Processing to the grids shown.
TestContext& AllTiedPool(int entries) {
  static TestContext* t = WindowPool(entries, 5, 1);
  return *t;
}

void BM_WindowRunAllTied(benchmark::State& state) {
  StartQt();
  TimeRunShown(state, AllTiedPool(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_WindowRunAllTied)->ArgName("entries")->Arg(10000)->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// arg 0: "Most Possibilities" then "Name"; arg 1: End then Home in the grid.
void BM_PossibilitiesEntryGrid(benchmark::State& state) {
  StartQt();
  TestContext& tc = LargestPool();
  frmPossibilities w(tc.ctx);
  w.resize(1000, 700);
  w.show();
  w.findChild<QPushButton*>("cmdProcessing")->click();
  w.WaitForRun();
  w.SSTab1()->setCurrentIndex(1);
  QApplication::processEvents();
  auto* view = w.findChild<GridView*>("flxEntries");
  view->setFocus();
  for (auto _ : state) {
    if (state.range(0) == 0) {
      w.findChild<QPushButton*>("cmdSortByTotal")->click();
      QApplication::processEvents();
      w.findChild<QPushButton*>("cmdSortByName")->click();
      QApplication::processEvents();
    } else {
      Key(view, Qt::Key_End);
      Key(view, Qt::Key_Home);
    }
  }
}
BENCHMARK(BM_PossibilitiesEntryGrid)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace qb
