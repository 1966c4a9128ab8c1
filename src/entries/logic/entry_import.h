#pragma once
// Bringing entries in from other pool files: reading each file into the
// import work copies with its checks, listing how it differs from the open
// pool, the rows the user accepts, rejects, replaces and marks collected,
// and adding the accepted entries to the pool.
#include <string>
#include <string_view>
#include <vector>

#include "core/currency.h"
#include "core/pool_state.h"

namespace qb {

class Prompts;

// The differences of one import file, as they go into LoadErrors.
struct ImportFileCheck {
  std::string fileName;
  bool hasErrors = false;  // the heading line of this file stands
};

// Appends one line to LoadErrors and marks the file as having errors.
void AddErrorLine(PoolState& s, ImportFileCheck& check, const std::string& line);
// One difference: the file's heading line first (once per file), then the
// label, the index (0: none) and both values in single quotes.
void AddDifferenceLine(PoolState& s, ImportFileCheck& check, const std::string& label, int index,
                       const std::string& importValue, const std::string& currentValue);

// Which of the optional parameter records the file held.
struct ImportRecordsRead {
  bool parms3 = true;
  bool roundPoints = true;
  bool payouts = true;
};

// Compares ImportTeams with Teams (names and seeds) and, unless the file name
// holds ".qbi", ImportPool with Pool; each difference through AddDifferenceLine.
void CompareImportParameters(PoolState& s, const std::string& fileName,
                             const ImportRecordsRead& read = {});

// Reads the file of ImportFileList at `index` (from 0; a relative name lies
// in ImportFolder) into the import work copies. False when the import is to
// stop; the user has then been told why.
bool ReadImportFile(PoolState& s, int index, Prompts& prompts);
// The same for the bytes of a file.
bool ReadImportBytes(PoolState& s, std::string_view bytes, const std::string& fileName,
                     Prompts& prompts);

// --- the rows of the import grid
inline constexpr const char* kAccept = "Accept";
inline constexpr const char* kReject = "Reject";
inline constexpr const char* kNew = "New";
inline constexpr const char* kReplace = "Replace";
inline constexpr const char* kYes = "Yes";
inline constexpr const char* kNo = "No";
inline constexpr const char* kPreviously = "Previously";
inline constexpr const char* kUnknown = "Unknown";

struct ImportEntryRow {
  int importEntry = 0;     // into ImportEntries
  std::string nameEntry;   // "Name / Entry Nbr"
  std::string accept = kAccept;
  std::string replace = kNew;
  std::string tiebreaker;  // "Yes", "No", or "Unknown" when the pool uses none
  int missingPicks = 0;
  std::string collected;      // "Yes", "No", or "Previously" (locked)
  std::string fileCollected;  // the file's own value
  int poolEntry = 0;          // the entry a Replace overwrites
};

// One row per imported entry, each accepted as a new entry.
std::vector<ImportEntryRow> FillImportRows(const PoolState& s);
// The live pool entry of that participant name and entry number; 0 for none.
int FindReplaceableEntry(const PoolState& s, const std::string& name, int entryNumber);

// The toggles; each returns the message of a refused change (empty when done).
void ClickImportAccept(ImportEntryRow& row);
std::string ClickImportReplace(const PoolState& s, ImportEntryRow& row);
std::string ClickImportCollected(ImportEntryRow& row);
// Sets "Collected?" on every row that may still change.
void MarkAllImportCollected(std::vector<ImportEntryRow>& rows, bool collected);

struct ImportTotals {
  int rejected = 0;
  int replacing = 0;
  int added = 0;
  int collected = 0;   // accepted rows collected, "Previously" included
  Currency cost;       // accepted rows times the cost per entry
  Currency collectedAmount;
};
ImportTotals UpdateImportTotals(const PoolState& s, const std::vector<ImportEntryRow>& rows);

// True when some row is not rejected.
bool AnyImportAccepted(const std::vector<ImportEntryRow>& rows);
// Empty, or why the accepted rows cannot be added: counts the entries and
// participants that ApplyImportRows would make of them.
std::string CheckImportRows(const PoolState& s, const std::vector<ImportEntryRow>& rows);
// Marks for the participant import exactly the participants of accepted rows.
void MarkImportParticipants(PoolState& s, const std::vector<ImportEntryRow>& rows);
// Replaces or appends every accepted row's entry; sets PoolChanged. Returns
// the entries stored. A Replace overwrites the entry its row names while that
// is still the participant's entry of that number, else the entry is
// appended; an appended entry's participant is found by name or made, once
// for all the rows that name it.
int ApplyImportRows(PoolState& s, const std::vector<ImportEntryRow>& rows);

}  // namespace qb
