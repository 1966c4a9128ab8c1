// File > Open of a pool of 10,000 entries of 64 teams through the main
// window on the offscreen platform: the file dialog's answer, the read, the
// scoring, the menus and caption, until the window has painted.
#include <benchmark/benchmark.h>

#include "../tests/standings/logic/possibility_pools.h"

#include <QApplication>
#include <QPushButton>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <QTemporaryDir>

#include "core/pool_file_writer.h"
#include "offscreen_app.h"
#include "shell/frmMain.h"
#include "shell/window_table.h"
#include "standings/frmPossibilities.h"

namespace qb {
namespace {

// A pool file of that many entries of 64 teams in the folder, each entry
// deleted by the chance deletedShare before the save, which keeps none of
// the deleted ones.
std::string WritePool(const QTemporaryDir& dir, const char* name, int entries,
                      double deletedShare) {
  testing::PoolRecipe recipe;
  recipe.teams = 64;
  recipe.openGames = 15;
  recipe.entries = entries;
  recipe.deletedShare = deletedShare;
  TestContext writer;
  writer.pool = testing::MakeRandomPool(recipe, 2026);
  writer.pool.Pool.PoolName = "Office";
  RecordingPoolFileHost host;
  PoolFileServices svc{host, writer.prompts, writer.random, writer.clock};
  const std::string path = dir.filePath(name).toStdString();
  return SaveFile1N(writer.pool, path, false, svc) ? path : std::string();
}

// The main window, shown, on a context that outlives Qt's teardown.
frmMain& MainWindow(TestContext*& t) {
  bench::OffscreenApp();
  t = new TestContext;
  t->pool.SoundStatus = "Off";
  auto* main = new frmMain(t->ctx, StandardWindows());
  main->MDIForm_Load();
  main->resize(1100, 750);
  main->show();
  QApplication::processEvents();
  return *main;
}

void BM_OpenPoolWindow(benchmark::State& state) {
  static QTemporaryDir dir;
  const std::string path = WritePool(dir, "Office.qbp", static_cast<int>(state.range(0)), 0.02);
  if (path.empty()) state.SkipWithError("no pool file");
  TestContext* t = nullptr;
  frmMain* main = &MainWindow(t);
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

// What the program keeps of a large pool once a small one is open: the
// possibilities run of 10,000 entries, its window closed, then File > Open
// of a pool of 20 entries. Reports the resident memory before, at the
// largest and after, in MB.
long ResidentMb() {
  long pages = 0, resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE) / (1024 * 1024);
}

void BM_MemoryAfterLargePool(benchmark::State& state) {
  static QTemporaryDir dir;
  const std::string large = WritePool(dir, "Large.qbp", 10000, 0),
                    small = WritePool(dir, "Small.qbp", 20, 0);
  TestContext* t = nullptr;
  frmMain* main = &MainWindow(t);
  const long start = ResidentMb();
  long peak = 0, after = 0;
  for (auto _ : state) {
    t->files.Queue(large);
    main->RunCommand("mnuFileOpen");
    main->RunCommand("mnuReportsPossible");
    if (auto* w = dynamic_cast<frmPossibilities*>(main->ActiveChild())) {
      w->findChild<QPushButton*>("cmdProcessing")->click();
      w->WaitForRun();
      if (w->ProcessingStatus() != "Completed") state.SkipWithError("the run did not complete");
    } else {
      state.SkipWithError("no possibilities window");
    }
    QApplication::processEvents();
    peak = std::max(peak, ResidentMb());
    t->pool.PoolChanged = false;
    t->files.Queue(small);
    main->RunCommand("mnuFileOpen");
    for (int i = 0; i < 3; ++i) {
      QApplication::processEvents();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    after = ResidentMb();
  }
  state.counters["start_MB"] = static_cast<double>(start);
  state.counters["peak_MB"] = static_cast<double>(peak);
  state.counters["after_MB"] = static_cast<double>(after);
}
BENCHMARK(BM_MemoryAfterLargePool)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace qb
