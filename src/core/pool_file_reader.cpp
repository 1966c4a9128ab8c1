#include "core/pool_file_reader.h"

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <unordered_map>

#include "core/bracket.h"
#include "core/entry_identity.h"
#include "core/file_replace.h"
#include "core/pool_file_writer.h"
#include "core/pool_file_format.h"
#include "core/prompts.h"
#include "core/scoring.h"
#include "core/services.h"

namespace qb {
namespace {

constexpr int kMaxCount = kMaxPoolRecords;
// Money a pool can hold: a billion per entry still leaves room to add up
// 32767 entries and split the pot without overflowing.
constexpr double kMaxMoney = 1e9;

enum class Rec { None, Parms, Parms2, Parms3, RPoint, Payout, Team, Winner, Bettor, EntHdr, EntPck };

Rec RecordOf(std::string_view tag, bool v1) {
  if (tag.size() != 8 || tag[0] != '%') return Rec::None;
  if (tag == kTagParms) return Rec::Parms;
  if (tag == kTagRPoint) return Rec::RPoint;
  if (tag == kTagPayout) return Rec::Payout;
  if (tag == kTagTeam) return Rec::Team;
  if (tag == kTagWinner) return Rec::Winner;
  if (tag == kTagEntHdr) return Rec::EntHdr;
  if (tag == kTagEntPck) return Rec::EntPck;
  if (v1) return Rec::None;  // the older layout has no such records
  if (tag == kTagParms2) return Rec::Parms2;
  if (tag == kTagParms3) return Rec::Parms3;
  if (tag == kTagBettor) return Rec::Bettor;
  return Rec::None;
}

// Any record's tag, whatever the layout: met inside a record, it means the
// record was cut short.
bool IsAnyTag(std::string_view field) {
  return RecordOf(field, false) != Rec::None || field == kTagHeader;
}

void FailOpen(PoolState& s, PoolFileServices& svc) {
  ClearPool(s);
  s.PoolFilePath.clear();
  s.OpenFileName.clear();
  s.PoolChanged = false;
  s.DialogCancelled = true;
  svc.host.RefreshCaption();
}

void ShowProcessingError(PoolState& s, PoolFileServices& svc, std::string_view tag,
                         const std::string& description) {
  svc.host.RestorePointer();
  svc.prompts.Beep();
  svc.prompts.Show("Error in processing the " + std::string(tag) + " record.\n\n\r" + description);
  s.DialogCancelled = true;
}

// Picks bounds after a read: games 0..NumGames + 1 by entries 0..NumEntries + 1.
void FitPicksToBracket(PoolState& s) {
  const int games = s.NumGames + 1;
  const int entries = s.NumEntries + 1;
  if (s.Entries.size() < static_cast<size_t>(entries)) s.Entries.resize(entries);
  if (s.Picks.MaxGame() == games && s.Picks.MaxEntry() == entries) return;
  PickMatrix fitted;
  fitted.Resize(games, entries);
  for (int e = 0; e <= std::min(entries, s.Picks.MaxEntry()); ++e)
    for (int g = 0; g <= std::min(games, s.Picks.MaxGame()); ++g) fitted(g, e) = s.Picks(g, e);
  s.Picks = std::move(fitted);
}

class RecordReader {
 public:
  RecordReader(PoolState& s, FieldReader& r, PoolFileServices& svc, bool v1)
      : s_(s), r_(r), svc_(svc), v1_(v1) {}

  void Run() {
    s_.LoadErrors.clear();
    s_.NumLoadErrors = 0;
    std::string_view tag;
    for (r_.ForgetNul(); r_.Next(tag); r_.ForgetNul()) {
      if (r_.LastStartedLine()) lineTag_ = tag;
      if (r_.MetNul()) {
        // A damaged tag, or a damaged field past the end of a record: the
        // line is reported once and the rest of it skipped.
        if (v1_) return ShowProcessingError(s_, svc_, r_.Shown(lineTag_), kNullCharacter);
        AddLoadError(lineTag_, kNullCharacter);
        SkipRestOfLine();
        continue;
      }
      const Rec rec = RecordOf(tag, v1_);
      if (rec == Rec::None) {
        // A tag cut off by the end of the file: the records after it are lost.
        ReportCutShort(tag);
        continue;  // also the empty last field of a line
      }
      if (rec != Rec::Parms2 && rec != Rec::Parms3) ++counter_;
      badValue_.clear();
      try {
        if (!ReadRecord(rec)) return;
      } catch (const TooManyRecords& e) {
        // Every further record would fail the same way: the file is of no use.
        svc_.host.RestorePointer();
        svc_.prompts.Beep();
        svc_.prompts.Show("This file holds " + std::string(e.what()) +
                              ", more than a pool can hold.\n\rThe file cannot be opened.",
                          MsgIcon::Exclamation);
        s_.DialogCancelled = true;
        return;
      } catch (const FieldError& e) {
        if (v1_) return ShowProcessingError(s_, svc_, tag, Why(e.what()));
        AddLoadError(tag, Why(e.what()));
        cutReported_ = cutReported_ || r_.EndedInsideQuotes();
        if (rec == Rec::Parms) parmsCutShort_ = true;
        // A record cut short: the field that failed may be the next record's tag.
        if (!e.atEnd && AtNextRecord()) r_.Unread();
        continue;
      } catch (const std::exception& e) {
        return ShowProcessingError(s_, svc_, tag, e.what());
      }
      if (!badValue_.empty() || r_.MetNul()) {
        if (v1_) return ShowProcessingError(s_, svc_, tag, Why(badValue_));
        AddLoadError(tag, Why(badValue_));
      }
      // The record's last text ran to the end of the file: it and what followed are cut off.
      ReportCutShort(tag);
    }
    if (parmsCutShort_) {
      // The bracket still has the shape of the parameters before the damaged
      // record: give it the shape of what was read.
      SetupBracketFromParameters(s_, svc_.prompts);
      if (s_.DialogCancelled) return;
    }
    DropWhatTheBracketCannotHold(parmsCutShort_);
    // The older multiply option applies to the points and factors read, not to
    // the zeros that stood when "%Parms `" came; the final set-up applies it.
    if (multiplyByRound_) s_.Pool.MultiplyByRound = true;

    if (s_.NumLoadErrors > 0) {
      svc_.prompts.Beep();
      svc_.host.RestorePointer();
      const bool useFile = svc_.host.ShowLoadErrors(s_.LoadErrors);
      s_.DialogCancelled = !useFile;
      if (!useFile) ClearPool(s_);
    }
  }

 private:
  void ReportCutShort(std::string_view tag) {
    if (v1_ || cutReported_ || !r_.EndedInsideQuotes()) return;
    cutReported_ = true;
    AddLoadError(tag, kInputPastEnd);
  }

  // A NUL met in the record is the cause of whatever else went wrong in it.
  std::string Why(const std::string& description) const {
    return r_.MetNul() ? kNullCharacter : description;
  }

  void SkipRestOfLine() {
    std::string_view field;
    while (r_.Next(field)) {
      if (r_.LastStartedLine()) return r_.Unread();
    }
  }

  // The field read last is the next record's tag: the record was cut short.
  // Every record starts a line, and none of its fields does, so a text that
  // merely reads like a tag (a participant's "%Bettor`") is a text.
  bool AtNextRecord() const { return r_.LastStartedLine() && IsAnyTag(r_.Last()); }

  void AddLoadError(std::string_view tag, const std::string& description) {
    s_.LoadErrors.push_back("Header record # " + std::to_string(counter_) + " " +
                            r_.Shown(tag) + " - " + description);
    s_.NumLoadErrors = static_cast<int32_t>(s_.LoadErrors.size());
  }

  // A value no pool can hold becomes 0 and the record is reported once;
  // the rest of the record is still read.
  template <typename T>
  T Checked(T value, bool inRange, const char* why) {
    if (inRange) return value;
    if (badValue_.empty()) badValue_ = why;
    return T{};
  }
  // So does a field that is no number. A record cut short, whose field is the
  // next record's tag, or the end of the file, ends the record instead.
  template <typename F>
  auto Soft(F read) -> decltype(read()) {
    try {
      return read();
    } catch (const FieldError& e) {
      if (v1_ || e.atEnd || AtNextRecord()) throw;
      if (badValue_.empty()) badValue_ = e.what();
      return {};
    }
  }
  int16_t Int() { return Soft([&] { return r_.ReadInteger(); }); }
  std::string Str() {
    std::string text = r_.ReadString();
    if (AtNextRecord()) throw FieldError(kTypeMismatch);
    if (r_.MetNul()) std::erase(text, '\0');  // the record is reported; the text is kept
    return text;
  }
  float Single() { return Soft([&] { return r_.ReadSingle(); }); }
  bool Bool() { return Soft([&] { return r_.ReadBoolean(); }); }
  // A team slot as a winner or pick: 0..NumSlots.
  int16_t ReadSlot() {
    int16_t v = Int();
    return Checked(v, v >= 0 && v <= s_.NumSlots, kSubscriptOutOfRange);
  }
  Currency ReadMoney() {
    Currency v = Soft([&] { return r_.ReadCurrency(); });
    return Checked(v, std::fabs(v.ToDouble()) <= kMaxMoney, kValueOutOfRange);
  }

  // False when the load stops.
  bool ReadRecord(Rec rec) {
    PoolHeader& p = s_.Pool;
    switch (rec) {
      case Rec::Parms: return ReadParms();
      case Rec::Parms2:
        p.PoolInstructions = Str();
        p.DownloadSource = Str();
        p.ReportFileName = Str();
        return true;
      case Rec::Parms3:
        p.Parms3Flag = Bool();
        p.Parms3Text = Str();
        p.RoundByRound = Bool();
        p.RePair = Bool();
        p.WebPoolName = Str();
        p.Parms3Text2 = Str();
        for (int r = 1; r <= kMaxRounds; ++r) {
          p.SeedMethod[r] = Single();
          p.SeedFactor[r] = Single();
        }
        return true;
      case Rec::RPoint:
        for (int r = 1; r <= kMaxRounds; ++r) p.RoundPoints[r] = Single();
        return true;
      case Rec::Payout:
        for (int i = 0; i <= kPayoutPlaces; ++i) {
          const float pct = Single();
          p.PayoutPct[i] = Checked(pct, pct >= 0 && pct <= 100, kValueOutOfRange);
          p.PayoutFlag[i] = Str();
        }
        return true;
      case Rec::Team: return ReadTeam();
      case Rec::Winner:
        for (int g = 1; g <= s_.NumGames; ++g) p.Results[g] = ReadSlot();
        return true;
      case Rec::Bettor: {
        BettorRecord& b = AddBettor();
        s_.CurrentBettor = s_.NumBettors;
        b.Name = Str();
        bettorIndex_.try_emplace(b.Name, s_.NumBettors);
        b.Info = Str();
        b.EMail = Str();
        b.Phone = Str();
        return true;
      }
      case Rec::EntHdr: return ReadEntryHeader();
      case Rec::EntPck: return ReadPicks();
      case Rec::None: return true;
    }
    return true;
  }

  // Winners and picks read for a larger bracket than the one the file ends
  // with cannot be scored or written: they become 0.
  void DropWhatTheBracketCannotHold(bool bracketChanged) {
    FitPicksToBracket(s_);
    auto& results = s_.Pool.Results;
    for (int g = 1; g <= kMaxGames; ++g)
      if (g > s_.NumGames || results[g] < 0 || results[g] > s_.NumSlots) results[g] = 0;
    // Picks were checked against the bracket as they were read; only a bracket
    // set up again since can leave one outside it.
    if (!bracketChanged) return;
    for (int e = 1; e <= s_.NumEntries; ++e) {
      for (int g = 1; g <= s_.NumGames; ++g) {
        int16_t& pick = s_.Picks(g, e);
        if (pick < 0 || pick > s_.NumSlots) pick = 0;
      }
    }
  }

  bool ReadParms() {
    PoolHeader& p = s_.Pool;
    p.PoolId = Int();
    p.PoolName = Str();
    p.NumTeams = Int();
    p.CostPerEntry = ReadMoney();
    p.SeedOption = Bool();
    p.SeedFactorAll = Single();
    p.TiebreakerUsed = Bool();
    p.TiebreakerType = Str();
    const int16_t rounding = Int();
    p.PayoutRounding = Checked(rounding, rounding >= -10 && rounding <= 10, kValueOutOfRange);
    p.ParmsFlag = Str();
    p.HoldbackAmt = ReadMoney();
    p.TiebreakerActual = Single();
    p.DualSided = Bool();
    if (!v1_) {
      p.SeedFormula = Int();
      p.MultiplyByRound = Bool();
    }
    multiplyByRound_ = p.MultiplyByRound;
    p.MultiplyByRound = false;
    SetupBracketFromParameters(s_, svc_.prompts);
    if (s_.DialogCancelled) {
      svc_.host.RestorePointer();
      return false;
    }
    s_.NumEntries = 0;
    s_.Entries.assign(2, EntryRecord{});
    s_.Picks.Resize(s_.NumGames + 1, 1);
    EnsurePoolId(s_, svc_.random);
    parmsCutShort_ = false;
    return true;
  }

  bool ReadTeam() {
    const int16_t n = Int();
    if (n < 0 || n > kMaxSlots || (n == 0 && !v1_)) throw FieldError(kSubscriptOutOfRange);
    if (n == 0) {  // slot 0 is never used
      Str();
      Int();
      return true;
    }
    TeamRecord& t = s_.Teams[n];
    t.Number = n;
    t.Name = Str();
    t.Seed = Int();
    return true;
  }

  BettorRecord& AddBettor() {
    if (s_.NumBettors >= kMaxCount) throw TooManyRecords("participants");
    ++s_.NumBettors;
    if (s_.Bettors.size() < static_cast<size_t>(s_.NumBettors) + 1)
      s_.Bettors.resize(static_cast<size_t>(s_.NumBettors) + 1);
    BettorRecord& b = s_.Bettors[s_.NumBettors];
    b = BettorRecord{};
    return b;
  }

  bool ReadEntryHeader() {
    if (s_.NumEntries >= kMaxCount) throw TooManyRecords("entries");
    ++s_.NumEntries;
    if (s_.Entries.size() < static_cast<size_t>(s_.NumEntries) + 1)
      s_.Entries.resize(static_cast<size_t>(s_.NumEntries) + 1);
    s_.Entries[s_.NumEntries] = EntryRecord{};
    GiveEntryIdentity(s_, s_.NumEntries);
    // The participant is found (or added) before the rest is read, so an
    // entry whose header is damaged keeps a participant and its picks.
    try {
      s_.Entries[s_.NumEntries].BettorName = Str();
    } catch (const FieldError&) {
      AssignParticipant(s_.Entries[s_.NumEntries]);
      throw;
    }
    AssignParticipant(s_.Entries[s_.NumEntries]);
    EntryRecord& entry = s_.Entries[s_.NumEntries];
    entry.EntryNumber = Int();
    entry.Tiebreaker = Single();
    if (!v1_) entry.Collected = Bool();
    return true;
  }

  void AssignParticipant(EntryRecord& e) {
    if (e.BettorName.empty()) e.BettorName = "Unknown Participant";
    auto found = bettorIndex_.find(e.BettorName);
    if (found != bettorIndex_.end()) {
      e.BettorIndex = found->second;
      return;
    }
    AddBettor().Name = e.BettorName;
    bettorIndex_.emplace(e.BettorName, s_.NumBettors);
    e.BettorIndex = s_.NumBettors;
  }

  bool ReadPicks() {
    if (s_.NumEntries == 0) {
      // Picks with no entry to belong to: the file is damaged beyond use.
      svc_.prompts.Beep();
      svc_.prompts.Beep();
      svc_.host.RestorePointer();
      svc_.prompts.Show("Invalid Entry record found!\r\nImport will be aborted!",
                        MsgIcon::Critical);
      s_.DialogCancelled = true;
      return false;
    }
    const int e = s_.NumEntries;
    // The storage grows by doubling, so reading many entries stays linear;
    // the bound stays exact, so the matrix needs no fitting at the end.
    if (s_.Picks.MaxEntry() < e + 1) s_.Picks.ResizeEntries(e + 1);
    for (int g = 1; g <= s_.NumGames; ++g) s_.Picks(g, e) = ReadSlot();
    return true;
  }

  PoolState& s_;
  FieldReader& r_;
  PoolFileServices& svc_;
  const bool v1_;
  long counter_ = 0;
  std::string badValue_;  // why a value of the record was refused
  bool parmsCutShort_ = false;
  bool cutReported_ = false;  // the end of the file inside a text is told once
  bool multiplyByRound_ = false;
  std::string_view lineTag_ = kTagHeader;  // the first field of the line being read
  std::unordered_map<std::string, int16_t> bettorIndex_;
};

bool IsKnownVersion(const std::string& v) {
  return v == kVersionWithoutEntries || v == kVersionOld || v == kVersionFull ||
         v == kVersion2000;
}

void ReadAll(std::istream& in, std::string& bytes) {
  // In one piece when the size is known; a stream of unknown size in parts.
  const std::streampos start = in.tellg();
  if (start != std::streampos(-1) && in.seekg(0, std::ios::end)) {
    const std::streamoff size = in.tellg() - start;
    in.seekg(start);
    if (size > 0) {
      bytes.resize(static_cast<size_t>(size));
      in.read(bytes.data(), size);
      bytes.resize(static_cast<size_t>(in.gcount()));
    }
  }
  in.clear(in.rdstate() & std::ios::badbit);
  char buf[65536];
  while (in.read(buf, sizeof buf) || in.gcount() > 0) bytes.append(buf, in.gcount());
}

void UnableToRead(PoolState& s, PoolFileServices& svc, const std::string& description) {
  svc.host.RestorePointer();
  svc.prompts.Beep();
  svc.prompts.Show("Unable to read file\n\n\r" + description);
  FailOpen(s, svc);
}

// Yes or OK goes on reading, with the hourglass again.
bool AskToGoOn(PoolFileServices& svc, const std::string& question, MsgButtons buttons,
               MsgIcon icon) {
  svc.host.RestorePointer();
  svc.prompts.Beep();
  MsgAnswer a = svc.prompts.Ask(question, buttons, icon);
  if (a != MsgAnswer::Yes && a != MsgAnswer::OK) return false;
  svc.host.ShowHourglass();
  return true;
}

bool ReadPoolBytes(PoolState& s, std::string_view bytes, PoolFileServices& svc) {
  FieldReader r(bytes);
  std::string_view field;
  bool found = false;
  while (!found && r.Next(field)) found = field == kTagHeader;
  std::string product;
  if (found) {
    try {
      product = r.ReadString();
    } catch (const FieldError&) {
      found = false;
    }
  }
  if (!found || product != kProductTag) {
    svc.host.RestorePointer();
    svc.prompts.Beep();
    svc.prompts.Show("Not a Quorvel Brakkon file!\n\r\nFile cannot be used with this program!",
                     MsgIcon::Exclamation);
    FailOpen(s, svc);
    return false;
  }
  std::string version;
  try {
    version = r.ReadString();
    r.ReadRaw();  // the date of the save, not used
  } catch (const FieldError& e) {
    ShowProcessingError(s, svc, kTagHeader, e.what());
    FailOpen(s, svc);
    return false;
  }

  if (!IsKnownVersion(version)) {
    if (!AskToGoOn(svc,
                   "File created with a later version of Quorvel Brakkon!\n\n\r"
                   "You may experience problems loading the file!\n\rDo you wish to continue?",
                   MsgButtons::YesNo, MsgIcon::Exclamation)) {
      FailOpen(s, svc);
      return false;
    }
    version = kVersionFull;
  }
  if (version == kVersionOld) {
    if (!AskToGoOn(svc,
                   "This is a file from an older version of Quorvel Brakkon.\n\r"
                   "It will be translated to version 2.0 if you choose OK.",
                   MsgButtons::OKCancel, MsgIcon::None)) {
      FailOpen(s, svc);
      return false;
    }
    ReadPoolRecordsV1(s, r, svc);
  } else {
    ReadPoolRecords(s, r, svc);
  }
  if (s.DialogCancelled) {
    // Nothing of what was read is to be saved by the close.
    ClearPool(s);
    s.PoolChanged = false;
    svc.host.mnuFileClose_Click();
    FailOpen(s, svc);  // after the close, which clears DialogCancelled on its way
    return false;
  }

  EnsurePoolId(s, svc.random);
  SetupBracketFromParameters(s, svc.prompts);
  if (s.DialogCancelled) {
    FailOpen(s, svc);
    return false;
  }
  FitPicksToBracket(s);
  // Reading made each participant current in turn; no one is in use yet.
  s.CurrentBettor = 0;
  svc.host.AddMRU(s.PoolFilePath);
  s.SoundPlayed = 0;
  svc.host.PlaySoundEffect("fileopn");
  s.PoolChanged = false;
  svc.host.EnableFileCommands();
  svc.host.RefreshCaption();
  return true;
}

}  // namespace

void ReadPoolRecords(PoolState& s, FieldReader& r, PoolFileServices& svc) {
  RecordReader(s, r, svc, false).Run();
}

void ReadPoolRecordsV1(PoolState& s, FieldReader& r, PoolFileServices& svc) {
  RecordReader(s, r, svc, true).Run();
}

bool ReadPoolFile(PoolState& s, std::istream& in, PoolFileServices& svc) {
  ClearPool(s);
  svc.host.ShowHourglass();
  s.OpenFileName = s.PoolFilePath;
  bool loaded = false;
  try {
    std::string bytes;
    ReadAll(in, bytes);
    if (in.bad()) {
      UnableToRead(s, svc, "The file could not be read to its end.");
    } else {
      loaded = ReadPoolBytes(s, bytes, svc);
    }
  } catch (const std::exception& e) {
    ShowProcessingError(s, svc, kTagHeader, e.what());
    FailOpen(s, svc);
  }
  svc.host.RestorePointer();
  return loaded;
}

bool OpenPoolFile(PoolState& s, PoolFileServices& svc) {
  s.DialogCancelled = false;
  ClearPool(s);
  // The pool that was open is gone: there is nothing left to save.
  s.PoolChanged = false;
  svc.host.DisableFileCommands();
  if (s.PoolFilePath.empty()) {
    svc.prompts.Beep();
    svc.prompts.Show("No file selected");
    s.DialogCancelled = true;
    return false;
  }
  std::error_code ec;
  if (std::filesystem::is_directory(s.PoolFilePath, ec)) {
    UnableToRead(s, svc, std::make_error_code(std::errc::is_a_directory).message());
    return false;
  }
  RemoveStaleTemporaryFiles(FileBehind(s.PoolFilePath));
  RemoveStaleTemporaryFiles(BackupFileName(s.PoolFilePath));
  errno = 0;
  std::ifstream in(s.PoolFilePath, std::ios::binary);
  if (!in) {
    int err = errno != 0 ? errno : ENOENT;
    UnableToRead(s, svc, std::error_code(err, std::generic_category()).message());
    return false;
  }
  if (!ReadPoolFile(s, in, svc)) return false;
  // Every list shows the entries' points as the results stand.
  ScoreAllEntries(s);
  return true;
}

}  // namespace qb
