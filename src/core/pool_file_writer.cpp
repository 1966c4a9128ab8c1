#include "core/pool_file_writer.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "core/file_replace.h"
#include "core/pool_file_fields.h"
#include "core/pool_file_format.h"
#include "core/prompts.h"
#include "core/services.h"

namespace qb {
namespace fs = std::filesystem;

namespace {

void Unquote(std::string& text) { std::replace(text.begin(), text.end(), '"', '\''); }

int SlotsToWrite(const PoolState& s) { return std::clamp<int>(s.NumSlots, 0, kMaxSlots); }
int GamesToWrite(const PoolState& s) { return std::clamp<int>(s.NumGames, 0, kMaxGames); }

class Hourglass {
 public:
  explicit Hourglass(PoolFileHost& host) : host_(host) { host_.ShowHourglass(); }
  ~Hourglass() { host_.RestorePointer(); }

 private:
  PoolFileHost& host_;
};

bool RefuseWithoutTeams(PoolState& s, PoolFileServices& svc) {
  if (s.Pool.NumTeams >= 4 && s.Pool.NumTeams <= 64) return false;
  svc.prompts.Beep();
  svc.prompts.Show(
      "Cannot save file without the number of teams set.\n\r"
      "Use the 'Pool Parameter' tool to set the number of teams.",
      MsgIcon::Exclamation);
  s.DialogCancelled = true;
  return true;
}

bool ReportSaveFailure(PoolState& s, PoolFileServices& svc, const std::string& fileName,
                       const std::string& description) {
  svc.host.RestorePointer();
  svc.prompts.Beep();
  svc.prompts.Show("Unable to save file " + fileName + "\n\r\n" + description +
                       "\n\r\nThe file on disk has not been changed.",
                   MsgIcon::Exclamation);
  s.DialogCancelled = true;
  return false;
}

std::error_code ReadWholeFile(const fs::path& path, std::string& bytes) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return ec ? ec : std::make_error_code(std::errc::no_such_file_or_directory);
  if (fs::is_directory(path, ec)) return std::make_error_code(std::errc::is_a_directory);
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::make_error_code(std::errc::permission_denied);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) return std::make_error_code(std::errc::io_error);
  return {};
}

bool SamePath(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  if (fs::path(a).lexically_normal() == fs::path(b).lexically_normal()) return true;
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

}  // namespace

std::string PoolFileText(const PoolState& s, PoolFileLayout layout, const std::tm& now) {
  const bool full = layout == PoolFileLayout::Full;
  const PoolHeader& p = s.Pool;
  const int games = GamesToWrite(s);
  std::string out;
  out.reserve(4096 + (full ? static_cast<size_t>(std::max<int>(s.NumEntries, 0)) * (games * 3 + 64)
                           : 0));
  FieldWriter w(out);

  w.Tag(kTagHeader).String(kProductTag);
  w.String(full ? kVersionFull : kVersionWithoutEntries).Date(now).EndLine();

  w.Tag(kTagParms).Integer(p.PoolId).String(p.PoolName).Integer(p.NumTeams);
  w.Money(p.CostPerEntry).Boolean(p.SeedOption).Single(p.SeedFactorAll);
  w.Boolean(p.TiebreakerUsed).String(p.TiebreakerType).Integer(p.PayoutRounding);
  w.String(p.ParmsFlag).Money(p.HoldbackAmt).Single(p.TiebreakerActual).Boolean(p.DualSided);
  w.Integer(p.SeedFormula).Boolean(p.MultiplyByRound).EndLine();

  if (full) {
    w.Tag(kTagParms2).String(p.PoolInstructions).String(p.DownloadSource);
    w.String(p.ReportFileName).EndLine();
    w.Tag(kTagParms3).Boolean(p.Parms3Flag).String(p.Parms3Text).Boolean(p.RoundByRound);
    w.Boolean(p.RePair).String(p.WebPoolName).String(p.Parms3Text2);
    for (int r = 1; r <= kMaxRounds; ++r) w.Single(p.SeedMethod[r]).Single(p.SeedFactor[r]);
    w.EndLoopLine();
  }

  w.Tag(kTagRPoint);
  for (int r = 1; r <= kMaxRounds; ++r) w.Single(p.RoundPoints[r]);
  w.EndLoopLine();

  w.Tag(kTagPayout);
  for (int i = 0; i <= kPayoutPlaces; ++i) w.Single(p.PayoutPct[i]).String(p.PayoutFlag[i]);
  w.EndLoopLine();

  for (int n = 1; n <= SlotsToWrite(s); ++n) {
    w.Tag(kTagTeam).Integer(n).String(s.Teams[n].Name).Integer(s.Teams[n].Seed).EndLine();
  }
  if (!full) return out;

  w.Tag(kTagWinner);
  for (int g = 1; g <= games; ++g) w.Integer(p.Results[g]);
  w.EndLoopLine();

  for (int b = 1; b <= s.NumBettors; ++b) {
    const BettorRecord& bettor = s.Bettors.at(static_cast<size_t>(b));
    if (bettor.Name.empty()) continue;
    w.Tag(kTagBettor).String(bettor.Name).String(bettor.Info).String(bettor.EMail);
    w.String(bettor.Phone).EndLine();
  }

  for (int e = 1; e <= s.NumEntries; ++e) {
    const EntryRecord& entry = s.Entries.at(static_cast<size_t>(e));
    if (entry.BettorIndex == 0) continue;
    const bool known = entry.BettorIndex > 0 && entry.BettorIndex <= s.NumBettors;
    const std::string& name =
        known ? s.Bettors.at(static_cast<size_t>(entry.BettorIndex)).Name : entry.BettorName;
    w.Tag(kTagEntHdr).String(name).Integer(entry.EntryNumber).Single(entry.Tiebreaker);
    w.Boolean(entry.Collected).EndLine();
    w.Tag(kTagEntPck);
    for (int g = 1; g <= games; ++g) w.Integer(s.Picks.at(g, e));
    w.EndLoopLine();
  }
  return out;
}

void ReplaceDoubleQuotes(PoolState& s, PoolFileLayout layout) {
  PoolHeader& p = s.Pool;
  Unquote(p.PoolName);
  Unquote(p.TiebreakerType);
  Unquote(p.ParmsFlag);
  for (std::string& flag : p.PayoutFlag) Unquote(flag);
  for (int n = 1; n <= SlotsToWrite(s); ++n) Unquote(s.Teams[n].Name);
  if (layout == PoolFileLayout::WithoutEntries) return;
  for (std::string* text : {&p.PoolInstructions, &p.DownloadSource, &p.ReportFileName,
                            &p.Parms3Text, &p.WebPoolName, &p.Parms3Text2})
    Unquote(*text);
  const int bettors = std::min<int>(s.NumBettors, static_cast<int>(s.Bettors.size()) - 1);
  for (int b = 1; b <= bettors; ++b) {
    BettorRecord& bettor = s.Bettors[static_cast<size_t>(b)];
    if (bettor.Name.empty()) continue;
    for (std::string* text : {&bettor.Name, &bettor.Info, &bettor.EMail, &bettor.Phone})
      Unquote(*text);
  }
}

fs::path BackupFileName(const fs::path& fileName) {
  fs::path backup = fileName;
  std::string ext = fileName.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
    return static_cast<char>(std::tolower(c));
  });
  if (ext == ".bkp") {
    backup += ".bkp";  // never the file itself
  } else {
    backup.replace_extension(".bkp");
  }
  return backup;
}

void MakeAutoBackup(PoolState& s, const std::string& fileName, PoolFileServices& svc) {
  s.DialogCancelled = false;
  std::error_code ec;
  if (fs::is_regular_file(fileName, ec)) {
    // The save replaces the file by a new one, so the old one can simply keep
    // a second name: nothing is copied.
    if (!LinkBeside(FileBehind(fileName), BackupFileName(fileName))) return;
  }
  std::string previous;
  ec = ReadWholeFile(fileName, previous);
  if (ec == std::errc::no_such_file_or_directory) return;  // never saved: nothing to keep
  if (!ec) ec = ReplaceFileContents(BackupFileName(fileName), previous);
  if (!ec) return;
  svc.host.RestorePointer();
  svc.prompts.Beep();
  MsgAnswer answer = svc.prompts.Ask("Error in creating backup of current file.\n\r " +
                                         std::to_string(ec.value()) + "  " + ec.message() +
                                         "\n\r\nSave file anyway?",
                                     MsgButtons::OKCancel, MsgIcon::Exclamation, 2);
  s.DialogCancelled = answer != MsgAnswer::OK;
}

bool SaveFile1N(PoolState& s, const std::string& fileName, bool makeBackup,
                PoolFileServices& svc) {
  if (RefuseWithoutTeams(s, svc)) return false;
  s.DialogCancelled = false;
  ReplaceDoubleQuotes(s, PoolFileLayout::Full);

  const fs::path file = FileBehind(fileName);
  fs::path written;
  {
    Hourglass hourglass(svc.host);
    std::string text;
    try {
      text = PoolFileText(s, PoolFileLayout::Full, svc.clock.Now());
    } catch (const std::exception& e) {
      return ReportSaveFailure(s, svc, fileName, e.what());
    }
    if (std::error_code ec = WriteFileBeside(file, text, written))
      return ReportSaveFailure(s, svc, fileName, ec.message());
  }
  // The new file is complete before the old one is touched.
  if (makeBackup) {
    MakeAutoBackup(s, fileName, svc);
    if (s.DialogCancelled) {
      std::error_code ignored;
      fs::remove(written, ignored);
      return false;
    }
  }
  if (std::error_code ec = MoveOver(written, file))
    return ReportSaveFailure(s, svc, fileName, ec.message());

  if (!s.PoolFilePath.empty()) svc.host.AddMRU(s.PoolFilePath);
  s.SoundPlayed = 0;
  svc.host.PlaySoundEffect("camera");
  // A copy under another name leaves the open pool's own file unsaved.
  if (SamePath(fileName, s.PoolFilePath)) s.PoolChanged = false;
  return true;
}

bool WritePoolFileWithoutEntries(PoolState& s, const std::string& exportFileName,
                                 PoolFileServices& svc) {
  if (RefuseWithoutTeams(s, svc)) return false;
  s.DialogCancelled = false;
  ReplaceDoubleQuotes(s, PoolFileLayout::WithoutEntries);
  Hourglass hourglass(svc.host);
  std::string text = PoolFileText(s, PoolFileLayout::WithoutEntries, svc.clock.Now());
  if (std::error_code ec = ReplaceFileContents(exportFileName, text))
    return ReportSaveFailure(s, svc, exportFileName, ec.message());
  return true;
}

}  // namespace qb
