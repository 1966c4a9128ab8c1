// File > Open of a pool of 10,000 entries of 64 teams through the main
// window on the offscreen platform: the file dialog's answer, the read, the
// scoring, the menus and caption, until the window has painted.
#include <benchmark/benchmark.h>

#include "../tests/standings/logic/possibility_pools.h"

#include <QApplication>
#include <QTemporaryDir>

#include "core/pool_file_writer.h"
#include "offscreen_app.h"
#include "shell/frmMain.h"
#include "shell/window_table.h"

namespace qb {
namespace {

void BM_OpenPoolWindow(benchmark::State& state) {
  bench::OffscreenApp();
  static QTemporaryDir dir;
  static TestContext* t = new TestContext;  // outlives Qt's teardown
  const std::string path = dir.filePath("Office.qbp").toStdString();
  {
    testing::PoolRecipe recipe;
    recipe.teams = 64;
    recipe.openGames = 15;
    recipe.entries = static_cast<int>(state.range(0));
    recipe.deletedShare = 0.02;
    PoolState pool = testing::MakeRandomPool(recipe, 2026);
    pool.Pool.PoolName = "Office";
    TestContext writer;
    writer.pool = pool;
    RecordingPoolFileHost host;
    PoolFileServices svc{host, writer.prompts, writer.random, writer.clock};
    if (!SaveFile1N(writer.pool, path, false, svc)) state.SkipWithError("no pool file");
  }
  t->pool.SoundStatus = "Off";
  auto* main = new frmMain(t->ctx, StandardWindows());
  main->MDIForm_Load();
  main->resize(1100, 750);
  main->show();
  QApplication::processEvents();
  for (auto _ : state) {
    t->files.Queue(path);
    main->RunCommand("mnuFileOpen");
    QApplication::processEvents();
    // Deleted entries are not saved: about 2% fewer come back.
    if (t->pool.NumEntries < state.range(0) * 9 / 10) {
      state.SkipWithError("the pool did not open");
      break;
    }
    state.PauseTiming();
    t->pool.PoolChanged = false;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenPoolWindow)->ArgName("entries")->Arg(10000)->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
}  // namespace qb
