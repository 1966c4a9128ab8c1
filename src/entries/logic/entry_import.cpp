#include "entries/logic/entry_import.h"

#include <cctype>
#include <filesystem>
#include <limits>
#include <unordered_map>

#include "core/entry_identity.h"
#include "core/pool_file_fields.h"
#include "core/pool_file_format.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "entries/logic/bettor_import.h"
#include "entries/logic/participants.h"

namespace qb {

namespace {

constexpr int kMaxCount = kMaxPoolRecords;

std::string YesNo(bool v) { return v ? kYes : kNo; }

bool ContainsNoCase(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return false;
  for (size_t i = 0; i + part.size() <= text.size(); ++i) {
    size_t k = 0;
    while (k < part.size() &&
           std::tolower(static_cast<unsigned char>(text[i + k])) ==
               std::tolower(static_cast<unsigned char>(part[k])))
      ++k;
    if (k == part.size()) return true;
  }
  return false;
}

// "Bye" is the same slot in any spelling of its case.
bool SameTeamName(const std::string& a, const std::string& b) {
  if (a == b) return true;
  auto isBye = [](const std::string& n) {
    return n.size() == 3 && std::tolower(static_cast<unsigned char>(n[0])) == 'b' &&
           std::tolower(static_cast<unsigned char>(n[1])) == 'y' &&
           std::tolower(static_cast<unsigned char>(n[2])) == 'e';
  };
  return isBye(a) && isBye(b);
}

std::string TeamText(const TeamRecord& t) { return t.Name + ", seed " + NumberText(float(t.Seed)); }
std::string Number(double v) { return NumberText(v); }
std::string Money(Currency c) { return NumberText(c.ToDouble()); }

// The import's participants by name: the first of each name.
using BettorsByName = std::unordered_map<std::string, int>;

BettorsByName ImportBettorsByName(const PoolState& s) {
  BettorsByName byName;
  for (int i = 1; i <= s.NumImportBettors; ++i) byName.try_emplace(s.ImportBettors[i].Name, i);
  return byName;
}

// The participant an imported entry names: looked up over the whole import,
// appended when the import has none of that name.
int ImportBettorFor(PoolState& s, BettorsByName& byName, const std::string& name) {
  if (auto found = byName.find(name); found != byName.end()) return found->second;
  if (s.NumImportBettors >= kMaxCount) throw TooManyRecords("participants");
  s.NumImportBettors = static_cast<int16_t>(s.NumImportBettors + 1);
  if (static_cast<int>(s.ImportBettors.size()) < s.NumImportBettors + 1)
    s.ImportBettors.resize(static_cast<size_t>(s.NumImportBettors) + 1);
  s.ImportBettors[s.NumImportBettors] = BettorRecord{};
  s.ImportBettors[s.NumImportBettors].Name = name;
  byName.emplace(name, s.NumImportBettors);
  return s.NumImportBettors;
}

class ImportReader {
 public:
  ImportReader(PoolState& s, FieldReader& r, Prompts& prompts, const std::string& fileName,
               bool v1)
      : s_(s), r_(r), prompts_(prompts), fileName_(fileName), v1_(v1),
        bettorsByName_(ImportBettorsByName(s)) {}

  bool Run() {
    std::string_view tag;
    while (r_.Next(tag)) {
      const std::string t(tag);
      try {
        if (!ReadRecord(t)) return false;
      } catch (const TooManyRecords& e) {
        prompts_.Beep();
        prompts_.Show("The files to import hold " + std::string(e.what()) +
                          ", more than a pool can hold.\nImport will be aborted!",
                      MsgIcon::Critical);
        return false;
      } catch (const std::exception& e) {
        prompts_.Beep();
        prompts_.Show("Error in processing the " + t + " record.\n\n" + e.what(),
                      MsgIcon::Exclamation);
        return false;
      }
    }
    if (!parmsRead_) return WrongTeamCount();  // nothing to tell the bracket by
    if (const std::string why = UnstorableImportText(s_); !why.empty()) {
      prompts_.Beep();
      prompts_.Show(why, MsgIcon::Exclamation);
      return false;
    }
    CompareImportParameters(s_, fileName_, read_);
    return true;
  }

 private:
  bool WrongTeamCount() {
    prompts_.Beep();
    prompts_.Show(
        "Number of Teams/Players in import file\ndoes not equal that of open jackpot file.\n"
        "File cannot be imported!",
        MsgIcon::Critical);
    return false;
  }

  // False when the import stops.
  bool ReadRecord(const std::string& tag) {
    PoolHeader& p = s_.ImportPool;
    if (tag == kTagParms) return ReadParms();
    if (tag == kTagParms2 && !v1_) {
      p.PoolInstructions = r_.ReadString();
      p.DownloadSource = r_.ReadString();
      p.ReportFileName = r_.ReadString();
    } else if (tag == kTagParms3 && !v1_) {
      p.Parms3Flag = r_.ReadBoolean();
      p.Parms3Text = r_.ReadString();
      p.RoundByRound = r_.ReadBoolean();
      p.RePair = r_.ReadBoolean();
      p.WebPoolName = r_.ReadString();
      p.Parms3Text2 = r_.ReadString();
      for (int r = 1; r <= kMaxRounds; ++r) {
        p.SeedMethod[r] = r_.ReadSingle();
        p.SeedFactor[r] = r_.ReadSingle();
      }
      read_.parms3 = true;
    } else if (tag == kTagRPoint) {
      for (int r = 1; r <= kMaxRounds; ++r) p.RoundPoints[r] = r_.ReadSingle();
      read_.roundPoints = true;
    } else if (tag == kTagPayout) {
      for (int i = 0; i <= kPayoutPlaces; ++i) {
        p.PayoutPct[i] = r_.ReadSingle();
        p.PayoutFlag[i] = r_.ReadString();
      }
      read_.payouts = true;
    } else if (tag == kTagTeam) {
      const int16_t n = r_.ReadInteger();
      if (n < 1 || n > kMaxSlots) throw FieldError(kSubscriptOutOfRange);
      TeamRecord& team = s_.ImportTeams[n];
      team.Number = n;
      team.Name = r_.ReadString();
      team.Seed = r_.ReadInteger();
    } else if (tag == kTagWinner) {
      for (int g = 1; g <= s_.NumGames; ++g) p.Results[g] = r_.ReadInteger();
    } else if (tag == kTagBettor && !v1_) {
      ReadBettor();
    } else if (tag == kTagEntHdr) {
      ReadEntryHeader();
    } else if (tag == kTagEntPck) {
      return ReadPicks();
    }
    return true;
  }

  bool ReadParms() {
    PoolHeader& p = s_.ImportPool;
    p.PoolId = r_.ReadInteger();
    p.PoolName = r_.ReadString();
    p.NumTeams = r_.ReadInteger();
    p.CostPerEntry = r_.ReadCurrency();
    p.SeedOption = r_.ReadBoolean();
    p.SeedFactorAll = r_.ReadSingle();
    p.TiebreakerUsed = r_.ReadBoolean();
    p.TiebreakerType = r_.ReadString();
    p.PayoutRounding = r_.ReadInteger();
    p.ParmsFlag = r_.ReadString();
    p.HoldbackAmt = r_.ReadCurrency();
    p.TiebreakerActual = r_.ReadSingle();
    p.DualSided = r_.ReadBoolean();
    if (!v1_) {
      p.SeedFormula = r_.ReadInteger();
      p.MultiplyByRound = r_.ReadBoolean();
    }
    parmsRead_ = true;
    if (p.NumTeams != s_.Pool.NumTeams) return WrongTeamCount();
    return true;
  }

  void ReadBettor() {
    BettorRecord b;
    b.Name = r_.ReadString();
    b.Info = r_.ReadString();
    b.EMail = r_.ReadString();
    b.Phone = r_.ReadString();
    if (b.Name.empty()) return;
    // One person in several files is one participant; a later file only
    // fills in what an earlier one left empty.
    BettorRecord& known = s_.ImportBettors[ImportBettorFor(s_, bettorsByName_, b.Name)];
    if (known.Info.empty()) known.Info = b.Info;
    if (known.EMail.empty()) known.EMail = b.EMail;
    if (known.Phone.empty()) known.Phone = b.Phone;
  }

  void ReadEntryHeader() {
    if (s_.NumImportEntries >= kMaxCount) throw TooManyRecords("entries");
    EntryRecord e;
    e.BettorName = r_.ReadString();
    if (e.BettorName.empty()) e.BettorName = "Unknown Participant";
    e.EntryNumber = r_.ReadInteger();
    e.Tiebreaker = r_.ReadSingle();
    if (!v1_) e.Collected = r_.ReadBoolean();
    e.BettorIndex = static_cast<int16_t>(ImportBettorFor(s_, bettorsByName_, e.BettorName));
    s_.NumImportEntries = static_cast<int16_t>(s_.NumImportEntries + 1);
    if (static_cast<int>(s_.ImportEntries.size()) < s_.NumImportEntries + 1)
      s_.ImportEntries.resize(static_cast<size_t>(s_.NumImportEntries) + 1);
    s_.ImportEntries[s_.NumImportEntries] = e;
    entryInFile_ = true;
  }

  bool ReadPicks() {
    if (!entryInFile_) {
      prompts_.Beep();
      prompts_.Beep();
      prompts_.Show("Invalid Entry record found!\nImport will be aborted!", MsgIcon::Critical);
      return false;
    }
    const int e = s_.NumImportEntries;
    s_.ImportPicks.EnsureSize(s_.NumGames + 1, e + 1);
    for (int g = 1; g <= s_.NumGames; ++g) {
      const int16_t pick = r_.ReadInteger();
      // A pick outside the bracket would point past the teams.
      if (pick < 0 || pick > s_.NumSlots) throw FieldError(kSubscriptOutOfRange);
      s_.ImportPicks(g, e) = pick;
    }
    return true;
  }

  PoolState& s_;
  FieldReader& r_;
  Prompts& prompts_;
  const std::string& fileName_;
  const bool v1_;
  bool parmsRead_ = false;
  bool entryInFile_ = false;
  ImportRecordsRead read_{false, false, false};
  BettorsByName bettorsByName_;
};

}  // namespace

void AddErrorLine(PoolState& s, ImportFileCheck& check, const std::string& line) {
  s.LoadErrors.push_back(line);
  s.NumLoadErrors = static_cast<int32_t>(s.LoadErrors.size());
  check.hasErrors = true;
}

void AddDifferenceLine(PoolState& s, ImportFileCheck& check, const std::string& label, int index,
                       const std::string& importValue, const std::string& currentValue) {
  if (!check.hasErrors) AddErrorLine(s, check, "Errors below found in file " + check.fileName);
  std::string line = label;
  if (index != 0) line += " " + std::to_string(index);
  line += ": '" + importValue + "' in import file, '" + currentValue + "' in current file";
  AddErrorLine(s, check, line);
}

void CompareImportParameters(PoolState& s, const std::string& fileName,
                             const ImportRecordsRead& read) {
  ImportFileCheck check{fileName};
  for (int n = 1; n <= s.NumSlots; ++n) {
    const TeamRecord& imp = s.ImportTeams[n];
    const TeamRecord& cur = s.Teams[n];
    if (!SameTeamName(imp.Name, cur.Name) || imp.Seed != cur.Seed)
      AddDifferenceLine(s, check, "Team & Seed", n, TeamText(imp), TeamText(cur));
  }
  if (ContainsNoCase(fileName, ".qbi")) return;  // an entry file carries only the bracket

  const PoolHeader& i = s.ImportPool;
  const PoolHeader& c = s.Pool;
  auto differ = [&](const char* label, int index, const std::string& a, const std::string& b) {
    if (a != b) AddDifferenceLine(s, check, label, index, a, b);
  };
  differ("File Name", 0, i.PoolName, c.PoolName);
  differ("Cost Per Share", 0, Money(i.CostPerEntry), Money(c.CostPerEntry));
  differ("HoldBack Amount", 0, Money(i.HoldbackAmt), Money(c.HoldbackAmt));
  differ("Payout Rounding", 0, Number(i.PayoutRounding), Number(c.PayoutRounding));
  differ("Tiebreaker Option", 0, YesNo(i.TiebreakerUsed), YesNo(c.TiebreakerUsed));
  differ("Tiebreaker Type", 0, i.TiebreakerType, c.TiebreakerType);
  differ("Dual Sided", 0, YesNo(i.DualSided), YesNo(c.DualSided));
  if (read.roundPoints) {
    for (int r = 1; r <= kMaxRounds; ++r)
      differ("Round Points", r, Number(i.RoundPoints[r]), Number(c.RoundPoints[r]));
  }
  if (read.payouts) {
    differ("Booby Prize Percent", 0, Number(i.PayoutPct[0]), Number(c.PayoutPct[0]));
    for (int p = 1; p <= kPayoutPlaces; ++p)
      differ("Payout Percent", p, Number(i.PayoutPct[p]), Number(c.PayoutPct[p]));
  }
  if (read.parms3) {
    for (int r = 1; r <= kMaxRounds; ++r) {
      differ("Seed Based Option", r, Number(i.SeedMethod[r]), Number(c.SeedMethod[r]));
      differ("Seed Factor", r, Number(i.SeedFactor[r]), Number(c.SeedFactor[r]));
    }
    differ("Round by Round", 0, YesNo(i.RoundByRound), YesNo(c.RoundByRound));
    differ("Re-Pair", 0, YesNo(i.RePair), YesNo(c.RePair));
  }
}

bool ReadImportBytes(PoolState& s, std::string_view bytes, const std::string& fileName,
                     Prompts& prompts) {
  ClearImportHeader(s);
  s.ImportBettorsBase = s.NumImportBettors;
  FieldReader r(bytes);
  const ImportFileHeader h = ReadImportHeader(r);
  if (!h.found || h.product != kProductTag) {
    prompts.Beep();
    prompts.Show("Not a Quorvel Brakkon file.  Cannot import file " + fileName,
                 MsgIcon::Exclamation);
    return false;
  }
  if (!IsImportVersion(h.version)) {
    prompts.Beep();
    MsgAnswer a = prompts.Ask(
        "Software does not support the version specified in the file!\n"
        "You could experience problems loading the file!\n"
        "If it is a file from an earlier version of Quorvel Brakkon, \n"
        "try opening it as the main pool file then saving it.\n"
        "Do you wish to continue?",
        MsgButtons::YesNo, MsgIcon::Exclamation, 2);
    if (a != MsgAnswer::Yes) return false;
  }
  // The oldest layout has shorter records; read as the newer one it would
  // only fail.
  return ImportReader(s, r, prompts, fileName, h.version == kVersionOld).Run();
}

bool ReadImportFile(PoolState& s, int index, Prompts& prompts) {
  std::string name;
  if (index >= 0 && index < static_cast<int>(s.ImportFileList.size()))
    name = s.ImportFileList[index];
  if (name.empty()) {
    prompts.Beep();
    prompts.Show("No file selected");
    return false;
  }
  std::filesystem::path path(name);
  if (path.is_relative() && !s.ImportFolder.empty()) path = std::filesystem::path(s.ImportFolder) / path;
  std::string bytes, error;
  if (!ReadImportFileBytes(path.string(), bytes, error)) {
    prompts.Beep();
    prompts.Show("Unable to read file " + name + "\n\n" + error, MsgIcon::Exclamation);
    return false;
  }
  return ReadImportBytes(s, bytes, name, prompts);
}

// ---------------------------------------------------------------- rows

int FindReplaceableEntry(const PoolState& s, const std::string& name, int entryNumber) {
  for (int e = 1; e <= s.NumEntries && e < static_cast<int>(s.Entries.size()); ++e) {
    const int bettor = EntryBettor(s, e);
    if (bettor != 0 && s.Bettors[bettor].Name == name && s.Entries[e].EntryNumber == entryNumber)
      return e;
  }
  return 0;
}

std::vector<ImportEntryRow> FillImportRows(const PoolState& s) {
  std::vector<ImportEntryRow> rows;
  for (int i = 1; i <= s.NumImportEntries; ++i) {
    const EntryRecord& e = s.ImportEntries.at(i);
    ImportEntryRow row;
    row.importEntry = i;
    row.nameEntry = e.BettorName + " / " + std::to_string(e.EntryNumber);
    row.tiebreaker = !s.Pool.TiebreakerUsed ? kUnknown : e.Tiebreaker != 0 ? kYes : kNo;
    for (int g = 1; g <= s.NumGames; ++g) {
      const bool picked = i <= s.ImportPicks.MaxEntry() && g <= s.ImportPicks.MaxGame() &&
                          s.ImportPicks(g, i) != 0;
      if (!picked && !s.ByeGame[g]) ++row.missingPicks;
    }
    row.fileCollected = YesNo(e.Collected);
    row.collected = row.fileCollected;
    rows.push_back(row);
  }
  return rows;
}

void ClickImportAccept(ImportEntryRow& row) {
  row.accept = row.accept == kAccept ? kReject : kAccept;
}

std::string ClickImportReplace(const PoolState& s, ImportEntryRow& row) {
  if (row.replace == kReplace) {
    // The entry is new again: its payment is the file's, not the replaced entry's.
    row.replace = kNew;
    row.poolEntry = 0;
    row.collected = row.fileCollected;
    return "";
  }
  const EntryRecord& e = s.ImportEntries.at(row.importEntry);
  const int target = FindReplaceableEntry(s, e.BettorName, e.EntryNumber);
  if (target == 0) {
    return "There is no Entry Number" + Str(e.EntryNumber) + " for " + e.BettorName +
           " on file\nCannot change to be a 'Replace'";
  }
  row.replace = kReplace;
  row.poolEntry = target;
  if (s.Entries[target].Collected) row.collected = kPreviously;
  return "";
}

std::string ClickImportCollected(ImportEntryRow& row) {
  if (row.collected == kPreviously)
    return "This entry was already marked as collected\nand cannot be changed here.";
  row.collected = row.collected == kYes ? kNo : kYes;
  return "";
}

void MarkAllImportCollected(std::vector<ImportEntryRow>& rows, bool collected) {
  for (ImportEntryRow& row : rows)
    if (row.collected != kPreviously) row.collected = collected ? kYes : kNo;
}

ImportTotals UpdateImportTotals(const PoolState& s, const std::vector<ImportEntryRow>& rows) {
  ImportTotals t;
  for (const ImportEntryRow& row : rows) {
    if (row.accept == kReject) {
      ++t.rejected;
      continue;
    }
    if (row.replace == kReplace)
      ++t.replacing;
    else
      ++t.added;
    if (row.collected != kNo) ++t.collected;
  }
  t.cost = s.Pool.CostPerEntry * (t.replacing + t.added);
  t.collectedAmount = s.Pool.CostPerEntry * t.collected;
  return t;
}

bool AnyImportAccepted(const std::vector<ImportEntryRow>& rows) {
  for (const ImportEntryRow& row : rows)
    if (row.accept != kReject) return true;
  return false;
}

namespace {

// What OK does with each accepted row, worked out once: the check counts it
// and the apply carries it out, so the two cannot part and the 16-bit counts
// never pass what the check allowed.
struct PlannedRow {
  const ImportEntryRow* row = nullptr;
  int replaces = 0;        // the pool entry overwritten; 0: appended
  std::string bettorName;  // of an appended entry
  int bettor = 0;          // its participant in the pool; 0: newBettors[newBettor]
  int newBettor = -1;
};

struct ImportPlan {
  std::vector<PlannedRow> rows;
  std::vector<std::string> newBettors;  // in the order the rows first name them
  int appended = 0;
};

// The participant name an imported entry goes under: the participant import
// may have renamed it ("Name*").
const std::string& ImportedBettorName(const PoolState& s, const EntryRecord& imp) {
  if (imp.BettorIndex >= 1 && imp.BettorIndex <= s.NumImportBettors &&
      imp.BettorIndex < static_cast<int>(s.ImportBettors.size()))
    return s.ImportBettors[imp.BettorIndex].Name;
  return imp.BettorName;
}

ImportPlan PlanImportRows(const PoolState& s, const std::vector<ImportEntryRow>& rows) {
  // The first live participant of each name; looked up once per row, as a
  // search per row would make a large import grow with the square of its size.
  std::unordered_map<std::string, int> bettors;
  for (int b = 1; b <= s.NumBettors && b < static_cast<int>(s.Bettors.size()); ++b)
    if (!s.Bettors[b].Name.empty()) bettors.try_emplace(s.Bettors[b].Name, b);
  std::unordered_map<std::string, int> newByName;

  ImportPlan plan;
  for (const ImportEntryRow& row : rows) {
    if (row.accept == kReject) continue;
    const EntryRecord& imp = s.ImportEntries.at(row.importEntry);
    PlannedRow& p = plan.rows.emplace_back();
    p.row = &row;
    // The row was checked when it became a Replace; its entry is taken only
    // while it is still that participant's entry of that number.
    if (row.replace == kReplace) {
      const int e = row.poolEntry;
      const int bettor = EntryBettor(s, e);
      if (bettor != 0 && s.Bettors[bettor].Name == imp.BettorName &&
          s.Entries[e].EntryNumber == imp.EntryNumber)
        p.replaces = e;
    }
    if (p.replaces != 0) continue;
    ++plan.appended;
    p.bettorName = ImportedBettorName(s, imp);
    if (auto known = bettors.find(p.bettorName); known != bettors.end()) {
      p.bettor = known->second;
      continue;
    }
    // Rows of one new name share the participant the first of them brings.
    auto [added, first] =
        newByName.try_emplace(p.bettorName, static_cast<int>(plan.newBettors.size()));
    if (first) plan.newBettors.push_back(p.bettorName);
    p.newBettor = added->second;
  }
  return plan;
}

void StoreImportedEntry(PoolState& s, const ImportEntryRow& row, int target) {
  const EntryRecord& imp = s.ImportEntries.at(row.importEntry);
  EntryRecord& e = s.Entries[target];
  e.EntryNumber = imp.EntryNumber;
  e.Tiebreaker = imp.Tiebreaker;
  e.Collected = row.collected != kNo;
  s.Picks.EnsureSize(s.NumGames + 1, target + 1);
  for (int g = 1; g <= s.NumGames; ++g) {
    const bool stored = row.importEntry <= s.ImportPicks.MaxEntry() && g <= s.ImportPicks.MaxGame();
    s.Picks(g, target) = stored ? s.ImportPicks(g, row.importEntry) : 0;
  }
}

}  // namespace

std::string CheckImportRows(const PoolState& s, const std::vector<ImportEntryRow>& rows) {
  const ImportPlan plan = PlanImportRows(s, rows);
  if (s.NumEntries + plan.appended > kMaxCount)
    return "The pool cannot hold more than " + std::to_string(kMaxCount) +
           " entries.\nReject some entries and try again.";
  if (s.NumBettors + static_cast<int>(plan.newBettors.size()) > kMaxCount)
    return "The pool cannot hold more than " + std::to_string(kMaxCount) +
           " participants.\nReject some entries and try again.";
  return "";
}

void MarkImportParticipants(PoolState& s, const std::vector<ImportEntryRow>& rows) {
  for (int i = 1; i <= s.NumImportBettors; ++i) s.ImportBettors[i].ImportMark = false;
  for (const ImportEntryRow& row : rows) {
    if (row.accept == kReject) continue;
    const int b = s.ImportEntries.at(row.importEntry).BettorIndex;
    if (b >= 1 && b <= s.NumImportBettors) s.ImportBettors[b].ImportMark = true;
  }
}

int ApplyImportRows(PoolState& s, const std::vector<ImportEntryRow>& rows) {
  const ImportPlan plan = PlanImportRows(s, rows);
  std::vector<int> newBettors;
  newBettors.reserve(plan.newBettors.size());
  for (const std::string& name : plan.newBettors) newBettors.push_back(AddBettorByName(s, name));

  // The entries and the pick matrix grow once, for every appended entry.
  s.Entries.reserve(static_cast<size_t>(s.NumEntries) + plan.appended + 2);
  s.Picks.EnsureSize(s.NumGames + 1, s.NumEntries + plan.appended + 1);
  for (const PlannedRow& p : plan.rows) {
    int target = p.replaces;
    if (target == 0) {
      s.NumEntries = static_cast<int16_t>(s.NumEntries + 1);
      if (static_cast<int>(s.Entries.size()) < s.NumEntries + 2)
        s.Entries.resize(static_cast<size_t>(s.NumEntries) + 2);
      target = s.NumEntries;
      s.Entries[target] = EntryRecord{};
      GiveEntryIdentity(s, target);
      s.Entries[target].BettorIndex =
          static_cast<int16_t>(p.bettor != 0 ? p.bettor : newBettors[p.newBettor]);
      s.Entries[target].BettorName = p.bettorName;
    }
    StoreImportedEntry(s, *p.row, target);
  }
  s.PoolChanged = true;
  return static_cast<int>(plan.rows.size());
}

}  // namespace qb
