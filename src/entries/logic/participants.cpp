#include "entries/logic/participants.h"

#include <algorithm>

namespace qb {

namespace {

bool AnyEntryPointsAt(const PoolState& s, int bettor) {
  for (int e = 1; e <= s.NumEntries && e < static_cast<int>(s.Entries.size()); ++e) {
    if (s.Entries[e].BettorIndex == bettor) return true;
  }
  return false;
}

// Bettors covers 0..NumBettors however it was sized before.
void FitBettors(PoolState& s) {
  if (static_cast<int>(s.Bettors.size()) < s.NumBettors + 1) s.Bettors.resize(s.NumBettors + 1);
}

}  // namespace

bool IsBlankText(const std::string& text) {
  return text.find_first_not_of(" \t") == std::string::npos;
}

const BettorRecord* BettorAt(const PoolState& s, int bettor) {
  if (bettor < 1 || bettor > s.NumBettors || bettor >= static_cast<int>(s.Bettors.size()))
    return nullptr;
  return &s.Bettors[bettor];
}

bool IsLiveBettor(const PoolState& s, int bettor) {
  const BettorRecord* b = BettorAt(s, bettor);
  return b && !b->Name.empty();
}

int EntryBettor(const PoolState& s, int entry) {
  if (entry < 1 || entry > s.NumEntries || entry >= static_cast<int>(s.Entries.size())) return 0;
  int bettor = s.Entries[entry].BettorIndex;
  return IsLiveBettor(s, bettor) ? bettor : 0;
}

int CountBettorEntries(const PoolState& s, int bettor) {
  return ComputeBettorEntryTotals(s, bettor).Count;
}

BettorEntryTotals ComputeBettorEntryTotals(const PoolState& s, int bettor) {
  BettorEntryTotals t;
  if (bettor < 1) return t;  // deleted entries carry index 0
  for (int e = 1; e <= s.NumEntries && e < static_cast<int>(s.Entries.size()); ++e) {
    const EntryRecord& entry = s.Entries[e];
    if (entry.BettorIndex != bettor) continue;
    ++t.Count;
    t.Cost += s.Pool.CostPerEntry;
    if (entry.Collected)
      t.Collected += s.Pool.CostPerEntry;
    else
      t.Owed += s.Pool.CostPerEntry;
  }
  return t;
}

std::vector<BettorListItem> ListedBettors(const PoolState& s) {
  std::vector<BettorListItem> items;
  for (int i = 1; i <= s.NumBettors; ++i) {
    if (IsLiveBettor(s, i)) items.push_back({s.Bettors[i].Name, i});
  }
  return items;
}

int ListPositionOf(const std::vector<BettorListItem>& items, int bettor) {
  if (bettor < 1) return -1;
  for (size_t k = 0; k < items.size(); ++k) {
    if (items[k].Index == bettor) return static_cast<int>(k);
  }
  return -1;
}

int ScrollAheadRow(int position, int count) {
  return position + 15 < count ? position + 15 : count - 1;
}

BettorNameCheck CheckBettorName(const PoolState& s, const std::string& name, int currentBettor) {
  if (IsBlankText(name)) return BettorNameCheck::Required;
  for (int i = 1; i <= s.NumBettors && i < static_cast<int>(s.Bettors.size()); ++i) {
    if (i != currentBettor && s.Bettors[i].Name == name) return BettorNameCheck::Exists;
  }
  return BettorNameCheck::Ok;
}

std::string BettorNameMessage(BettorNameCheck check) {
  switch (check) {
    case BettorNameCheck::Required: return "Bettor Name is required.";
    case BettorNameCheck::Exists: return "Bettor with this name already exists!";
    case BettorNameCheck::Ok: break;
  }
  return "";
}

int RecordForNewBettor(const PoolState& s) {
  for (int i = 1; i <= s.NumBettors && i < static_cast<int>(s.Bettors.size()); ++i) {
    if (s.Bettors[i].Name.empty() && !AnyEntryPointsAt(s, i)) return i;
  }
  return s.NumBettors + 1;
}

int StoreBettor(PoolState& s, int bettor, const std::string& name, const std::string& phone,
                const std::string& email, const std::string& info) {
  if (bettor < 1 || bettor > s.NumBettors) {
    bettor = RecordForNewBettor(s);
    s.NumBettors = static_cast<int16_t>(std::max<int>(s.NumBettors, bettor));
  }
  FitBettors(s);
  BettorRecord& b = s.Bettors[bettor];
  b.Name = name;
  b.Phone = phone;
  b.EMail = email;
  b.Info = info;
  return bettor;
}

int AddBettorByName(PoolState& s, const std::string& name) {
  s.NumBettors = static_cast<int16_t>(s.NumBettors + 1);
  FitBettors(s);
  s.Bettors[s.NumBettors] = BettorRecord{};
  s.Bettors[s.NumBettors].Name = name;
  return s.NumBettors;
}

void ClearBettorRecord(PoolState& s, int bettor) {
  if (bettor < 1 || bettor >= static_cast<int>(s.Bettors.size())) return;
  BettorRecord& b = s.Bettors[bettor];
  b.Name.clear();
  b.Info.clear();
  b.Phone.clear();
  b.EMail.clear();
}

int DeleteBettor(PoolState& s, int bettor) {
  if (!BettorAt(s, bettor)) return 0;
  const int count = CountBettorEntries(s, bettor);
  ClearBettorRecord(s, bettor);
  if (count == 0) return 0;
  int unknown = 0;
  for (int i = 1; i <= s.NumBettors && unknown == 0; ++i)
    if (i != bettor && IsLiveBettor(s, i) && s.Bettors[i].Name == kUnknownParticipant) unknown = i;
  if (unknown == 0) unknown = StoreBettor(s, 0, kUnknownParticipant, "", "", "");
  for (int e = 1; e <= s.NumEntries && e < static_cast<int>(s.Entries.size()); ++e) {
    EntryRecord& entry = s.Entries[e];
    if (entry.BettorIndex != bettor) continue;
    entry.BettorIndex = static_cast<int16_t>(unknown);
    entry.BettorName = kUnknownParticipant;
  }
  return count;
}

std::string DeleteBettorQuestion(const std::string& name, int entryCount) {
  std::string question = "Are you sure you want to delete " + name + "?";
  if (entryCount < 1) return question;
  std::string entries = entryCount == 1 ? "1 entry" : std::to_string(entryCount) + " entries";
  return name + " still has " + entries + ", which will be kept under \"" +
         kUnknownParticipant + "\".\n" + question;
}

}  // namespace qb
