// libFuzzer target: any bytes read as a pool file. The reader must only ever
// give load errors or messages. What reads must score, and write a file that
// reads back to the same file.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/pool_file_reader.h"
#include "core/pool_file_writer.h"
#include "core/prompts.h"
#include "core/scoring.h"
#include "core/services.h"

namespace {

std::tm Now() {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mday = 1;
  return t;
}

struct Reader {
  qb::RecordingPoolFileHost host;
  qb::ScriptedPrompts prompts;  // every question gets its default: go on reading
  qb::FixedRandom random{0.25};
  qb::FixedClock clock{Now()};
  qb::PoolFileServices svc{host, prompts, random, clock};

  bool Read(qb::PoolState& s, const std::string& bytes) {
    s.PoolFilePath = "/pools/fuzz.qbp";
    std::istringstream in(bytes);
    return qb::ReadPoolFile(s, in, svc);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  qb::PoolState s;
  Reader first;
  first.host.useFileWithErrors = size % 2 == 0;
  if (!first.Read(s, bytes)) return 0;

  qb::ScoreAllEntries(s);
  const std::string written = qb::PoolFileText(s, qb::PoolFileLayout::Full, Now());

  qb::PoolState again;
  Reader second;
  if (!second.Read(again, written)) __builtin_trap();             // our own file must read
  if (!second.host.shownErrors.empty()) __builtin_trap();         // without a load error
  if (qb::PoolFileText(again, qb::PoolFileLayout::Full, Now()) != written) __builtin_trap();
  return 0;
}
