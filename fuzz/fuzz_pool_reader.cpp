// libFuzzer target: any bytes read as a pool file. The reader must only ever
// give load errors or messages. What reads must score, and write a file that
// reads back to the same file.
// fuzz-sources: src/core
// fuzz-seeds: tests/fixtures
// fuzz-dict: fuzz/pool_file.dict
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/scoring.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  qb::PoolState s;
  fuzz::Reader first;
  first.host.useFileWithErrors = size % 2 == 0;
  if (!first.Read(s, bytes)) return 0;

  qb::ScoreAllEntries(s);
  fuzz::ExpectFileReadsBack(s);
  return 0;
}
