#pragma once
// What the fuzz targets share: fixed services, the open pool they bring files
// into, and the check that a pool writes a file that reads back as itself.
#include <sstream>
#include <string>

#include "core/pool_file_reader.h"
#include "core/pool_file_writer.h"
#include "core/prompts.h"
#include "core/services.h"

namespace fuzz {

inline std::tm Now() {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mday = 1;
  return t;
}

struct Reader {
  qb::RecordingPoolFileHost host;
  qb::ScriptedPrompts prompts;  // every question gets its default answer
  qb::FixedRandom random{0.25};
  qb::FixedClock clock{Now()};
  qb::PoolFileServices svc{host, prompts, random, clock};

  bool Read(qb::PoolState& s, const std::string& bytes) {
    s.PoolFilePath = "/pools/fuzz.qbp";
    std::istringstream in(bytes);
    return qb::ReadPoolFile(s, in, svc);
  }
};

// Four teams, two participants with one entry each; the bracket the import
// seeds are made for.
inline const char* const kOpenPool =
    "\"%Header`\",\"QuorvelBrakkon\",\"2001.1\",#2026-12-10 12:00:00#\r\n"
    "\"%Parms `\",77,\"Office\",4,5,#FALSE#,0,#TRUE#,\"Points in Final - Winner\",0,\"No\",0,0,"
    "#FALSE#,0,#FALSE#\r\n"
    "\"%RPoint`\",1,2,0,0,0,0,0,\r\n"
    "\"%Payout`\",0,\"No\",100,\"No\",0,\"No\",0,\"No\",0,\"No\",0,\"No\",\r\n"
    "\"%Team  `\",1,\"Gators\",1\r\n\"%Team  `\",2,\"Owls\",2\r\n"
    "\"%Team  `\",3,\"Hawks\",3\r\n\"%Team  `\",4,\"Bears\",4\r\n"
    "\"%Winner`\",1,0,0,\r\n"
    "\"%Bettor`\",\"Ann\",\"\",\"ann@x.org\",\"\"\r\n"
    "\"%Bettor`\",\"Bob\",\"\",\"bob@x.org\",\"555\"\r\n"
    "\"%EntHdr`\",\"Ann\",1,40,#TRUE#\r\n\"%EntPck`\",1,3,1,\r\n"
    "\"%EntHdr`\",\"Bob\",1,38,#FALSE#\r\n\"%EntPck`\",2,4,4,\r\n";

inline void OpenPool(qb::PoolState& s) {
  Reader r;
  if (!r.Read(s, kOpenPool)) __builtin_trap();
}

// The pool must write a file that reads back, without a load error, to the
// same file.
inline void ExpectFileReadsBack(const qb::PoolState& s) {
  const std::string written = qb::PoolFileText(s, qb::PoolFileLayout::Full, Now());
  qb::PoolState again;
  Reader second;
  if (!second.Read(again, written)) __builtin_trap();
  if (!second.host.shownErrors.empty()) __builtin_trap();
  if (qb::PoolFileText(again, qb::PoolFileLayout::Full, Now()) != written) __builtin_trap();
}

// Choices the input makes beside its bytes: one byte a choice, 0 once spent.
class Choices {
 public:
  Choices(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  unsigned Next() { return pos_ < size_ ? data_[pos_++] : 0; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace fuzz
