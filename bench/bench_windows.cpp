// The entry and participant lists at the file's largest size (32,767 entries
// and participants): opening them and moving across them from the keyboard.
// Runs on the offscreen platform; every step includes the repaint it causes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "core/bracket.h"
#include "entries/frmEntryHeader.h"
#include "entries/frmSelectBettor.h"
#include "entries/frmSelectEntry.h"
#include "platform/app_context.h"

namespace qb {
namespace {

constexpr int kLargest = 32767;

TestContext& BigPool() {
  static TestContext* t = [] {
    auto* c = new TestContext;
    PoolState& s = c->pool;
    ClearPool(s);
    s.Pool.NumTeams = 8;
    for (int n = 1; n <= 8; ++n) s.Teams[n].Name = "Team " + std::to_string(n);
    SetupBracketFromParameters(s, c->prompts);
    s.NumBettors = kLargest;
    s.Bettors.resize(kLargest + 1);
    s.NumEntries = kLargest;
    s.Entries.resize(kLargest + 1);
    s.Picks.EnsureSize(s.NumGames + 1, kLargest);
    for (int i = 1; i <= kLargest; ++i) {
      // Names of differing lengths, some long, as real lists have.
      s.Bettors[i].Name = "Participant " + std::to_string(i) + std::string(i % 23, 'x');
      s.Entries[i].BettorIndex = static_cast<int16_t>(i);
      s.Entries[i].EntryNumber = 1;
      s.Entries[i].Points = static_cast<float>(i % 97);
    }
    s.CurrentBettor = 0;
    s.CurrentEntry = 0;
    return c;
  }();
  return *t;
}

void Settle() {
  QApplication::processEvents();
}

void BM_SelectEntryOpen(benchmark::State& state) {
  TestContext& t = BigPool();
  for (auto _ : state) {
    frmSelectEntry w(t.ctx);
    w.show();
    Settle();
  }
}
BENCHMARK(BM_SelectEntryOpen)->Unit(benchmark::kMillisecond)->Iterations(3);

// End, then Home, then type-to-find of a name far down the list.
void BM_SelectEntryKeys(benchmark::State& state) {
  TestContext& t = BigPool();
  frmSelectEntry w(t.ctx);
  w.show();
  Settle();
  auto* list = w.findChild<QTreeWidget*>("lstEntries");
  const int step = static_cast<int>(state.range(0));
  for (auto _ : state) {
    if (step == 0) {
      QTest::keyClick(list, Qt::Key_End);
      Settle();
      QTest::keyClick(list, Qt::Key_Home);
    } else {
      list->keyboardSearch(QString());
      QTest::keyClicks(list, "Participant 9999");
    }
    Settle();
  }
}
BENCHMARK(BM_SelectEntryKeys)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SelectBettorOpen(benchmark::State& state) {
  TestContext& t = BigPool();
  for (auto _ : state) {
    frmSelectBettor w(t.ctx);
    w.show();
    Settle();
  }
}
BENCHMARK(BM_SelectBettorOpen)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SelectBettorKeys(benchmark::State& state) {
  TestContext& t = BigPool();
  frmSelectBettor w(t.ctx);
  w.show();
  Settle();
  auto* list = w.findChild<QListWidget*>("lstBettors");
  for (auto _ : state) {
    QTest::keyClick(list, Qt::Key_End);
    Settle();
    QTest::keyClick(list, Qt::Key_Home);
    Settle();
  }
}
BENCHMARK(BM_SelectBettorKeys)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

// The entry header of one entry, its participant box holding every name.
void BM_EntryHeaderOpen(benchmark::State& state) {
  TestContext& t = BigPool();
  t.pool.EditEntryNumber = 1;
  for (auto _ : state) {
    frmEntryHeader w(t.ctx);
    w.show();
    Settle();
  }
  t.pool.EditEntryNumber = 0;
}
BENCHMARK(BM_EntryHeaderOpen)->Unit(benchmark::kMillisecond)->Iterations(3);

// A name typed into it, key by key, and its list opened.
void BM_EntryHeaderKeys(benchmark::State& state) {
  TestContext& t = BigPool();
  t.pool.EditEntryNumber = 1;
  frmEntryHeader w(t.ctx);
  w.show();
  Settle();
  auto* box = w.findChild<QComboBox*>("comEntryName");
  for (auto _ : state) {
    box->setEditText("");
    if (state.range(0) == 0) {
      QTest::keyClicks(box, "Participant 3000");
    } else {
      box->showPopup();
      Settle();
      box->hidePopup();
    }
    Settle();
  }
  t.pool.EditEntryNumber = 0;
}
BENCHMARK(BM_EntryHeaderKeys)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace qb

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
