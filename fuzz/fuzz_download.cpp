// libFuzzer target: any bytes read as the download list and as a downloaded
// results file for pools of every size. Reading must only ever give a list,
// mismatches or a read error; winners that go into the pool are team slots
// of its bracket.
// fuzz-sources: src/core src/web/logic
// fuzz-libs: -lcurl
// fuzz-seeds: tests/fixtures
// fuzz-dict: fuzz/download.dict
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/bracket.h"
#include "core/prompts.h"
#include "web/logic/download.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  qb::DownloadList list = qb::ReadDownloadList(bytes);
  if (!list.headerFound && !list.choices.empty()) __builtin_trap();

  qb::PoolState pool;
  qb::ScriptedPrompts prompts;
  pool.Pool.NumTeams = static_cast<int16_t>(4 + (size ? data[0] % 61 : 0));
  qb::SetupBracketFromParameters(pool, prompts);
  for (int n = 1; n <= pool.NumSlots; ++n) {
    pool.Teams[n].Name = "Team " + std::to_string(n);
    pool.Teams[n].Seed = static_cast<int16_t>(n % 17);
  }
  const bool compare = size % 2 == 0;
  qb::DownloadedResults r = qb::ReadDownloadedResults(bytes, pool, compare);
  if (r.readError) {
    if (qb::DownloadReadErrorMessage(r).empty()) __builtin_trap();
    return 0;
  }
  if (r.mismatchLines.size() > static_cast<size_t>(pool.NumSlots)) __builtin_trap();
  if (!compare && !r.mismatchLines.empty()) __builtin_trap();
  if (!r.hasWinners) return 0;
  qb::MergeDownloadedResults(pool, r);
  for (int g = 1; g <= pool.NumGames; ++g)
    if (pool.Pool.Results[g] < 0 || pool.Pool.Results[g] > pool.NumSlots) __builtin_trap();
  return 0;
}
