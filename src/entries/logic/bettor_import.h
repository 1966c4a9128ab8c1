#pragma once
// Bringing participants in from another file: reading them into the import
// work copy, comparing each with the pool's participant of the same name, the
// user's choices per row and field, and applying them.
#include <array>
#include <istream>
#include <string>
#include <vector>

#include "core/pool_file_fields.h"
#include "core/pool_state.h"

namespace qb {

class Prompts;

// The whole file, as bytes; false with the reason when it cannot be read.
bool ReadImportFileBytes(const std::string& path, std::string& bytes, std::string& error);

// The header of a pool file read as an import source.
struct ImportFileHeader {
  bool found = false;  // "%Header`" with its product tag and version
  std::string product;
  std::string version;
};
// Skips what stands before "%Header`" and reads its fields; the reader then
// stands after the header.
ImportFileHeader ReadImportHeader(FieldReader& r);
// The versions an import reads without asking: "2.0", "2000.0", "2001.1".
bool IsImportVersion(const std::string& version);

// The participants ("%Bettor`" records) of a pool file, appended to
// ImportBettors with ImportMark set; every other record is passed over. A
// record that cannot be read is told and ends the read: those before it are
// taken. On a file of another product, a refused version or more
// participants than a pool holds the user is told, nothing is taken and
// false comes back.
bool ReadPoolFileBettors(std::string_view bytes, PoolState& s, Prompts& prompts);

// Empty, or what the user is told when an imported participant's text holds
// a character a pool file cannot hold (it would be saved as '?'): the first
// such participant and character. Nothing of such a file is imported.
std::string UnstorableImportText(const PoolState& s);

// Empties ImportBettors, before the participants of another file are read.
void ClearImportBettors(PoolState& s);

// One participant per line: name, e-mail, phone, information. Appends each to
// ImportBettors with ImportMark set; lines without a name are skipped.
// Returns the number of participants read.
int ReadCsvBettors(std::istream& in, PoolState& s);

// The text of a comma-delimited file as UTF-8: a file that is not UTF-8 is
// taken as Windows-1252, as such files are saved on Windows; a leading byte
// order mark is dropped.
std::string CsvTextAsUtf8(std::string_view bytes);

// Splits one comma-delimited line: quoted fields may hold commas, a doubled
// quote inside quotes is one quote, blanks around unquoted fields are dropped.
std::vector<std::string> SplitCsvLine(const std::string& line);

inline constexpr const char* kAddAsNew = "Add as new";
inline constexpr const char* kOverlay = "Overlay";
inline constexpr const char* kNewData = "New Data";
inline constexpr const char* kKeepCurrent = "Keep current";
inline constexpr const char* kNoChange = "No change";

// A row of the participant grid. Marks for e-mail, phone and info:
// "Y" overwrite, "N" keep, "ND" fill an empty field, "*" nothing to take.
struct BettorImportRow {
  std::string name;
  std::string action;
  int importIndex = 0;  // into ImportBettors
  int poolIndex = 0;    // into Bettors, 0 = no match
  std::array<std::string, 3> marks;
};

enum BettorField { kEMail = 0, kPhone = 1, kInfo = 2 };

// Rows for every marked import participant; rows with nothing to take are left out.
std::vector<BettorImportRow> FillBettorRows(const PoolState& s);
// Works out the marks (field < 0: all, setting the action) for a matched row.
void CompareBettorRow(const PoolState& s, BettorImportRow& row, int field);
void ClickBettorAction(const PoolState& s, BettorImportRow& row);
void ClickBettorMark(const PoolState& s, BettorImportRow& row, int field);
// Empty, or why the rows' new participants do not fit in the pool.
std::string CheckBettorRows(const PoolState& s, const std::vector<BettorImportRow>& rows);
// Adds and overlays as the rows say; sets PoolChanged. Returns the rows applied.
int ApplyBettorRows(PoolState& s, const std::vector<BettorImportRow>& rows);

}  // namespace qb
