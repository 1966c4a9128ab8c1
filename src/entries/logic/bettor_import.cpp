#include "entries/logic/bettor_import.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <unordered_map>

#include "core/cp1252.h"
#include "core/pool_file_format.h"
#include "core/prompts.h"
#include "entries/logic/participants.h"

namespace qb {

namespace {

constexpr int kMaxImportBettors = std::numeric_limits<int16_t>::max();

// Appends one participant to ImportBettors; false when the list is full.
bool AppendImportBettor(PoolState& s, BettorRecord b) {
  if (s.NumImportBettors >= kMaxImportBettors) return false;
  s.NumImportBettors = static_cast<int16_t>(s.NumImportBettors + 1);
  if (static_cast<int>(s.ImportBettors.size()) < s.NumImportBettors + 1)
    s.ImportBettors.resize(static_cast<size_t>(s.NumImportBettors) + 1);
  s.ImportBettors[s.NumImportBettors] = std::move(b);
  return true;
}

std::string TrimBlanks(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

const std::string& ImportField(const BettorRecord& b, int field) {
  switch (field) {
    case kEMail:
      return b.EMail;
    case kPhone:
      return b.Phone;
    default:
      return b.Info;
  }
}

std::string& PoolField(BettorRecord& b, int field) {
  return const_cast<std::string&>(ImportField(b, field));
}

std::string MarkFor(const PoolState& s, const BettorImportRow& row, int field) {
  const std::string& imported = ImportField(s.ImportBettors.at(row.importIndex), field);
  const std::string& current = ImportField(s.Bettors.at(row.poolIndex), field);
  if (!imported.empty() && imported != current) return current.empty() ? "ND" : "Y";
  return "*";
}

void ActionFromMarks(BettorImportRow& row, const char* otherwise) {
  bool anyY = false, anyND = false;
  for (const auto& m : row.marks) {
    anyY |= m == "Y";
    anyND |= m == "ND";
  }
  row.action = anyY ? kOverlay : anyND ? kNewData : otherwise;
}

// Every name the pool's participants hold, with the first index of each.
std::unordered_map<std::string, int> PoolBettorsByName(const PoolState& s) {
  std::unordered_map<std::string, int> byName;
  byName.reserve(static_cast<size_t>(std::max<int>(s.NumBettors, 0)));
  for (int j = 1; j <= s.NumBettors; ++j) byName.try_emplace(s.Bettors.at(j).Name, j);
  return byName;
}

bool IsUtf8(std::string_view t) {
  size_t i = 0;
  while (i < t.size()) {
    const auto c = static_cast<unsigned char>(t[i]);
    int follow = c < 0x80           ? 0
                 : (c >> 5) == 0x6  ? 1
                 : (c >> 4) == 0xE  ? 2
                 : (c >> 3) == 0x1E ? 3
                                    : -1;
    if (follow < 0 || (follow == 1 && c < 0xC2)) return false;
    if (i + follow >= t.size() && follow > 0) return false;  // cut short at the end
    for (int k = 1; k <= follow; ++k)
      if ((static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) return false;
    i += follow + 1;
  }
  return true;
}

}  // namespace

std::string CsvTextAsUtf8(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return IsUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
}

std::vector<std::string> SplitCsvLine(const std::string& line) {
  std::vector<std::string> fields;
  size_t i = 0;
  const size_t n = line.size();
  while (true) {
    std::string field;
    while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i < n && line[i] == '"') {
      ++i;
      while (i < n) {
        if (line[i] == '"') {
          if (i + 1 < n && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
      // Anything between the closing quote and the comma is dropped.
      while (i < n && line[i] != ',') ++i;
    } else {
      size_t start = i;
      while (i < n && line[i] != ',') ++i;
      field = TrimBlanks(line.substr(start, i - start));
    }
    fields.push_back(field);
    if (i >= n) break;
    ++i;  // the comma
  }
  return fields;
}

int ReadCsvBettors(std::istream& in, PoolState& s) {
  int read = 0;
  std::string line;
  while (std::getline(in, line)) {
    // Files from other systems end lines with CR LF, or CR alone.
    size_t start = 0;
    while (start <= line.size()) {
      size_t cr = line.find('\r', start);
      std::string part =
          line.substr(start, cr == std::string::npos ? std::string::npos : cr - start);
      std::vector<std::string> f = SplitCsvLine(part);
      f.resize(4);
      // A quoted name of blanks alone would list as an empty line.
      if (!IsBlankText(f[0])) {
        BettorRecord b;
        b.Name = f[0];
        b.EMail = f[1];
        b.Phone = f[2];
        b.Info = f[3];
        b.ImportMark = true;
        if (!AppendImportBettor(s, std::move(b))) return read;
        ++read;
      }
      if (cr == std::string::npos) break;
      start = cr + 1;
    }
  }
  return read;
}

bool ReadImportFileBytes(const std::string& path, std::string& bytes, std::string& error) {
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = std::strerror(errno != 0 ? errno : ENOENT);
    return false;
  }
  bytes.clear();
  char buf[65536];
  while (in.read(buf, sizeof buf) || in.gcount() > 0) bytes.append(buf, in.gcount());
  if (in.bad()) {
    error = "The file could not be read to its end.";
    return false;
  }
  return true;
}

ImportFileHeader ReadImportHeader(FieldReader& r) {
  ImportFileHeader h;
  std::string_view field;
  bool tag = false;
  while (!tag && r.Next(field)) tag = field == kTagHeader;
  if (!tag) return h;
  try {
    h.product = r.ReadString();
    h.version = r.ReadString();
    r.ReadRaw();  // the date of the save
  } catch (const FieldError&) {
    return h;  // a header cut short is no header
  }
  h.found = true;
  return h;
}

bool IsImportVersion(const std::string& version) {
  return version == kVersionWithoutEntries || version == kVersion2000 || version == kVersionFull;
}

std::string UnstorableImportText(const PoolState& s) {
  for (int i = 1; i <= s.NumImportBettors && i < static_cast<int>(s.ImportBettors.size()); ++i) {
    const BettorRecord& b = s.ImportBettors[i];
    for (const std::string* text : {&b.Name, &b.EMail, &b.Phone, &b.Info}) {
      const std::string ch = FirstCharacterOutsideCp1252(*text);
      if (ch.empty()) continue;
      return "The participant \"" + b.Name + "\" holds the character \"" + ch +
             "\", which a pool file cannot hold.\nNothing will be imported.";
    }
  }
  return "";
}

void ClearImportBettors(PoolState& s) {
  s.NumImportBettors = 0;
  s.ImportBettorsBase = 0;
  s.ImportBettors.assign(2, BettorRecord{});
}

bool ReadPoolFileBettors(std::string_view bytes, PoolState& s, Prompts& prompts) {
  FieldReader r(bytes);
  const ImportFileHeader h = ReadImportHeader(r);
  if (!h.found || h.product != kProductTag) {
    prompts.Beep();
    prompts.Show("File is not a Quorvel Brakkon file.\nNothing will be imported.",
                 MsgIcon::Exclamation);
    return false;
  }
  if (!IsImportVersion(h.version)) {
    prompts.Beep();
    MsgAnswer a = prompts.Ask(
        "File created from later version of Quorvel Brakkon!\n"
        "You may experience problems loading the file!\n"
        "If it is a file from an earlier version of Quorvel Brakkon, \n"
        "try opening it as the main pool file then saving it.\n"
        "Do you wish to continue?",
        MsgButtons::YesNo, MsgIcon::Exclamation, 2);
    if (a != MsgAnswer::Yes) return false;
  }
  // A record that cannot be read ends the read; those read before it are offered.
  std::vector<BettorRecord> read;
  std::string_view field;
  while (r.Next(field)) {
    if (field != kTagBettor) continue;
    BettorRecord b;
    try {
      b.Name = r.ReadString();
      b.Info = r.ReadString();
      b.EMail = r.ReadString();
      b.Phone = r.ReadString();
    } catch (const FieldError& e) {
      prompts.Beep();
      prompts.Show("Error in processing the " + std::string(kTagBettor) + " record.\n\n" +
                       e.what(),
                   MsgIcon::Exclamation);
      break;
    }
    if (b.Name.empty()) continue;  // never written for a live participant
    b.ImportMark = true;
    read.push_back(std::move(b));
  }
  if (s.NumImportBettors + read.size() > static_cast<size_t>(kMaxImportBettors)) {
    prompts.Beep();
    prompts.Show("The file holds " + std::string(TooManyRecords("participants").what()) +
                     ", more than a pool can hold.\nNothing will be imported.",
                 MsgIcon::Exclamation);
    return false;
  }
  for (BettorRecord& b : read) AppendImportBettor(s, std::move(b));
  return true;
}

void CompareBettorRow(const PoolState& s, BettorImportRow& row, int field) {
  if (row.poolIndex < 1) return;
  if (field >= 0) {
    row.marks[field] = MarkFor(s, row, field);
    return;
  }
  for (int f = 0; f < 3; ++f) row.marks[f] = MarkFor(s, row, f);
  ActionFromMarks(row, kNoChange);
}

std::vector<BettorImportRow> FillBettorRows(const PoolState& s) {
  std::vector<BettorImportRow> rows;
  const std::unordered_map<std::string, int> pool = PoolBettorsByName(s);
  for (int i = 1; i <= s.NumImportBettors; ++i) {
    const BettorRecord& b = s.ImportBettors.at(i);
    if (!b.ImportMark) continue;
    BettorImportRow row;
    row.name = b.Name;
    row.importIndex = i;
    if (auto found = pool.find(b.Name); found != pool.end()) row.poolIndex = found->second;
    if (row.poolIndex == 0) {
      row.action = kAddAsNew;
    } else {
      CompareBettorRow(s, row, -1);
      if (row.action == kNoChange) continue;
    }
    rows.push_back(row);
  }
  return rows;
}

void ClickBettorAction(const PoolState& s, BettorImportRow& row) {
  if (row.poolIndex < 1) return;
  if (row.action == kOverlay || row.action == kNewData) {
    row.action = kKeepCurrent;
    for (auto& m : row.marks)
      if (m == "Y" || m == "ND") m = "N";
  } else if (row.action == kKeepCurrent) {
    for (int f = 0; f < 3; ++f) row.marks[f] = MarkFor(s, row, f);
    ActionFromMarks(row, kNewData);
  }
}

void ClickBettorMark(const PoolState& s, BettorImportRow& row, int field) {
  if (row.poolIndex < 1 || field < 0 || field > 2) return;
  std::string& m = row.marks[field];
  if (m == "Y" || m == "ND")
    m = "N";
  else if (m == "N")
    m = MarkFor(s, row, field);
  ActionFromMarks(row, kKeepCurrent);
}

std::string CheckBettorRows(const PoolState& s, const std::vector<BettorImportRow>& rows) {
  int added = 0;
  for (const BettorImportRow& row : rows)
    if (row.action == kAddAsNew) ++added;
  if (s.NumBettors + added > kMaxImportBettors)
    return "The pool cannot hold more than " + std::to_string(kMaxImportBettors) +
           " participants.\nNothing will be imported.";
  return "";
}

int ApplyBettorRows(PoolState& s, const std::vector<BettorImportRow>& rows) {
  int applied = 0;
  // Names as the file stores them: two that store alike would merge on reopening.
  std::unordered_map<std::string, int> taken;
  for (int j = 1; j <= s.NumBettors; ++j) taken.try_emplace(StoredName(s.Bettors[j].Name), j);
  for (const BettorImportRow& row : rows) {
    if (row.importIndex < 1 || row.importIndex > s.NumImportBettors) continue;
    BettorRecord& imported = s.ImportBettors[row.importIndex];
    if (row.action == kAddAsNew) {
      std::string name = imported.Name;
      while (taken.count(StoredName(name))) name += "*";
      s.NumBettors = static_cast<int16_t>(s.NumBettors + 1);
      s.Bettors.resize(static_cast<size_t>(s.NumBettors) + 2);
      taken.emplace(StoredName(name), s.NumBettors);
      BettorRecord& b = s.Bettors[s.NumBettors];
      b = BettorRecord{};
      b.Name = name;
      b.EMail = imported.EMail;
      b.Phone = imported.Phone;
      b.Info = imported.Info;
      imported.Name = name;  // the entry import finds it under this name
      ++applied;
    } else if ((row.action == kOverlay || row.action == kNewData) && row.poolIndex >= 1 &&
               row.poolIndex <= s.NumBettors) {
      for (int f = 0; f < 3; ++f) {
        if (row.marks[f] == "Y" || row.marks[f] == "ND")
          PoolField(s.Bettors[row.poolIndex], f) = ImportField(imported, f);
      }
      ++applied;
    }
  }
  s.PoolChanged = true;
  return applied;
}

}  // namespace qb
