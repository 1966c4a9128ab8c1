// libFuzzer target: any bytes as a file of entries (.qbp, .qbe or .qbi, by the
// first byte) brought into a small pool: the read, the list of entries and
// clicks on it, the participants' list, and both applies. What is imported
// must score, and the pool must still write a file that reads back as itself.
// fuzz-sources: src/core src/bracket/logic src/entries/logic
// fuzz-seeds: tests/fixtures/import_4_teams.qbp
// fuzz-dict: fuzz/pool_file.dict
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/scoring.h"
#include "entries/logic/bettor_import.h"
#include "entries/logic/entry_import.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qb::PoolState s;
  fuzz::OpenPool(s);
  static const char* const kNames[] = {"Entries.qbp", "Entries.qbe", "Entries.qbi"};
  const std::string name = kNames[size > 0 ? data[0] % 3 : 0];
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  qb::ScriptedPrompts prompts;  // every question gets its default answer

  s.ImportFileList = {name};
  qb::ClearImportPool(s);
  s.ImportBettorsBase = 0;
  s.LoadErrors.clear();
  s.NumLoadErrors = 0;
  if (!qb::ReadImportBytes(s, bytes, name, prompts)) return 0;

  std::vector<qb::ImportEntryRow> rows = qb::FillImportRows(s);
  if (rows.size() != static_cast<size_t>(s.NumImportEntries)) __builtin_trap();
  fuzz::Choices choices(data + size - std::min<size_t>(size, 16), std::min<size_t>(size, 16));
  for (qb::ImportEntryRow& row : rows) {
    const unsigned c = choices.Next();
    if (c & 1) qb::ClickImportAccept(row);
    if (c & 2) qb::ClickImportReplace(s, row);
    if (c & 4) qb::ClickImportCollected(row);
  }
  if (const unsigned c = choices.Next(); c & 1) qb::MarkAllImportCollected(rows, c & 2);
  qb::UpdateImportTotals(s, rows);
  if (!qb::AnyImportAccepted(rows) || !qb::CheckImportRows(s, rows).empty()) return 0;

  qb::MarkImportParticipants(s, rows);
  s.BettorImportFromEntries = true;
  std::vector<qb::BettorImportRow> bettorRows = qb::FillBettorRows(s);
  if (!qb::CheckBettorRows(s, bettorRows).empty()) return 0;
  qb::ApplyBettorRows(s, bettorRows);
  s.BettorImportFromEntries = false;
  const int before = s.NumEntries;
  const int stored = qb::ApplyImportRows(s, rows);
  if (s.NumEntries > before + stored) __builtin_trap();

  qb::ScoreAllEntries(s);
  fuzz::ExpectFileReadsBack(s);
  return 0;
}
