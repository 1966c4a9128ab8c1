// Reading, scoring and writing a 64-team pool of 10,000 entries.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "core/bracket.h"
#include "core/pool_file_reader.h"
#include "core/pool_file_writer.h"
#include "core/prompts.h"
#include "core/scoring.h"
#include "core/services.h"
#include "entries/logic/bettor_import.h"
#include "entries/logic/entry_import.h"

namespace qb {
namespace {

constexpr int kEntries = 10000;
constexpr int kBettors = 2500;

std::tm BenchNow() {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 2;
  t.tm_mday = 15;
  return t;
}

struct Services {
  RecordingPoolFileHost host;
  ScriptedPrompts prompts;
  FixedRandom random{0.5};
  FixedClock clock{BenchNow()};
  PoolFileServices svc{host, prompts, random, clock};
};

// Every entry picks a whole bracket; the first two rounds are played.
void MakeBigPool(PoolState& s, Services& services) {
  ClearPool(s);
  PoolHeader& p = s.Pool;
  p.PoolId = 4242;
  p.PoolName = "Company bracket";
  p.NumTeams = 64;
  p.CostPerEntry = Currency::FromDouble(10);
  p.TiebreakerType = "Points Final Game - Both Teams";
  for (int r = 1; r <= 6; ++r) {
    p.RoundPoints[r] = static_cast<float>(1 << (r - 1));
    p.SeedMethod[r] = r == 1 ? 1 : 4;
    p.SeedFactor[r] = 0.5f;
  }
  p.PayoutPct[1] = 60;
  p.PayoutPct[2] = 30;
  p.PayoutPct[3] = 10;
  for (int n = 1; n <= 64; ++n) {
    s.Teams[n].Number = static_cast<int16_t>(n);
    s.Teams[n].Name = "Team " + std::to_string(n);
    s.Teams[n].Seed = static_cast<int16_t>((n - 1) % 16 + 1);
  }
  SetupBracketFromParameters(s, services.prompts);
  uint32_t state = 12345;
  auto coin = [&] {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 1;
  };
  auto playBracket = [&](auto pickOf) {
    std::array<int16_t, kMaxGames + 1> w{};
    for (int g = 1; g <= s.NumGames; ++g) {
      int a = s.Games[g].Feeder1, b = s.Games[g].Feeder2;
      if (s.GameRound[g] > 1) a = w[a], b = w[b];
      w[g] = static_cast<int16_t>(coin() ? a : b);
      pickOf(g, w[g]);
    }
  };
  playBracket([&](int g, int16_t team) { p.Results[g] = g <= s.RoundEnd[2] ? team : 0; });
  s.NumBettors = kBettors;
  s.Bettors.assign(kBettors + 1, BettorRecord{});
  for (int b = 1; b <= kBettors; ++b) {
    s.Bettors[b].Name = "Participant " + std::to_string(b);
    s.Bettors[b].EMail = "p" + std::to_string(b) + "@example.com";
  }
  s.NumEntries = kEntries;
  s.Entries.assign(kEntries + 1, EntryRecord{});
  s.Picks.Resize(s.NumGames + 1, kEntries + 1);
  for (int e = 1; e <= kEntries; ++e) {
    s.Entries[e].BettorIndex = static_cast<int16_t>((e - 1) % kBettors + 1);
    s.Entries[e].EntryNumber = static_cast<int16_t>((e - 1) / kBettors + 1);
    s.Entries[e].Tiebreaker = static_cast<float>(100 + e % 60);
    playBracket([&](int g, int16_t team) { s.Picks(g, e) = team; });
  }
}

const std::string& BigPoolText() {
  static const std::string text = [] {
    PoolState s;
    Services services;
    MakeBigPool(s, services);
    return PoolFileText(s, PoolFileLayout::Full, BenchNow());
  }();
  return text;
}

void BM_ReadPoolFile(benchmark::State& state) {
  const std::string& text = BigPoolText();
  Services services;
  for (auto _ : state) {
    PoolState s;
    s.PoolFilePath = "/pools/Company.qbp";
    std::istringstream in(text);
    if (!ReadPoolFile(s, in, services.svc)) state.SkipWithError("the pool did not read");
    benchmark::DoNotOptimize(s.NumEntries);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadPoolFile)->Unit(benchmark::kMillisecond);

void BM_ScoreAllEntries(benchmark::State& state) {
  PoolState s;
  Services services;
  MakeBigPool(s, services);
  for (auto _ : state) {
    ScoreAllEntries(s);
    benchmark::DoNotOptimize(s.Entries[kEntries].Points);
  }
}
BENCHMARK(BM_ScoreAllEntries)->Unit(benchmark::kMillisecond);

void BM_WritePoolFile(benchmark::State& state) {
  PoolState s;
  Services services;
  MakeBigPool(s, services);
  for (auto _ : state) {
    std::string text = PoolFileText(s, PoolFileLayout::Full, BenchNow());
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_WritePoolFile)->Unit(benchmark::kMillisecond);

// The whole save on disk: the new file flushed, the backup, the rename.
void BM_SaveFile1N(benchmark::State& state) {
  PoolState s;
  Services services;
  MakeBigPool(s, services);
  auto dir = std::filesystem::temp_directory_path() / ("qb-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  s.PoolFilePath = (dir / "Company.qbp").string();
  for (auto _ : state) {
    if (!SaveFile1N(s, s.PoolFilePath, true, services.svc)) state.SkipWithError("save failed");
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SaveFile1N)->Unit(benchmark::kMillisecond);

// Bringing the 10,000 entries into a pool of the same bracket without them:
// the read, the rows, the participants' rows and both applies. It should cost
// about what opening the file costs.
void BM_ImportEntries(benchmark::State& state) {
  const std::string& text = BigPoolText();
  PoolState empty;
  Services services;
  MakeBigPool(empty, services);
  empty.NumEntries = 0;
  empty.Entries.assign(2, EntryRecord{});
  empty.NumBettors = 0;
  empty.Bettors.assign(2, BettorRecord{});
  empty.Picks.Resize(empty.NumGames + 1, 1);
  for (auto _ : state) {
    PoolState s = empty;
    s.ImportFileList = {"Company.qbp"};
    if (!ReadImportBytes(s, text, "Company.qbp", services.prompts))
      state.SkipWithError("the file did not read");
    std::vector<ImportEntryRow> rows = FillImportRows(s);
    MarkImportParticipants(s, rows);
    ApplyBettorRows(s, FillBettorRows(s));
    if (ApplyImportRows(s, rows) != kEntries) state.SkipWithError("entries missing");
    benchmark::DoNotOptimize(s.NumEntries);
  }
}
BENCHMARK(BM_ImportEntries)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qb
