// libFuzzer target: any bytes as a comma-delimited file of participants,
// brought into a small pool: the list, clicks on its cells, and the apply.
// No participant's name may be taken twice afterwards, and the pool must
// still write a file that reads back as itself.
// fuzz-sources: src/core src/bracket/logic src/entries/logic
// fuzz-seeds: tests/fixtures/participants.csv tests/fixtures/participants_cp1252.csv
#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>

#include "entries/logic/bettor_import.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qb::PoolState s;
  fuzz::OpenPool(s);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::istringstream in(qb::CsvTextAsUtf8(bytes));
  qb::ClearImportBettors(s);
  const int read = qb::ReadCsvBettors(in, s);
  if (read != s.NumImportBettors) __builtin_trap();

  std::vector<qb::BettorImportRow> rows = qb::FillBettorRows(s);
  // The last bytes choose which cells are clicked.
  fuzz::Choices choices(data + size - std::min<size_t>(size, 16), std::min<size_t>(size, 16));
  for (qb::BettorImportRow& row : rows) {
    const unsigned c = choices.Next();
    if (c & 1) qb::ClickBettorAction(s, row);
    if (c & 2) qb::ClickBettorMark(s, row, static_cast<int>((c >> 2) % 3));
  }
  if (!qb::CheckBettorRows(s, rows).empty()) return 0;
  qb::ApplyBettorRows(s, rows);

  std::set<std::string> names;
  for (int b = 1; b <= s.NumBettors; ++b) {
    const std::string& name = s.Bettors[b].Name;
    if (!name.empty() && !names.insert(name).second) __builtin_trap();
  }
  fuzz::ExpectFileReadsBack(s);
  return 0;
}
