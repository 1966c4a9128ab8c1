#include "entries/logic/entry_list.h"

#include <algorithm>
#include <cctype>

#include "core/payout.h"
#include "core/text_format.h"
#include "entries/logic/participants.h"

namespace qb {

namespace {

std::string Lower(std::string t) {
  for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return t;
}

}  // namespace

std::vector<EntryListItem> ListedEntries(const PoolState& s, int exclude) {
  std::vector<EntryListItem> items;
  const int n = std::min<int>(s.NumEntries, static_cast<int>(s.Entries.size()) - 1);
  for (int e = 1; e <= n; ++e) {
    if (e == exclude) continue;
    const int bettor = EntryBettor(s, e);
    if (bettor == 0) continue;
    const EntryRecord& r = s.Entries[e];
    items.push_back({e, s.Bettors[bettor].Name, r.EntryNumber, r.Points, r.Collected});
  }
  std::stable_sort(items.begin(), items.end(), [](const EntryListItem& a, const EntryListItem& b) {
    const std::string la = Lower(a.Name), lb = Lower(b.Name);
    if (la != lb) return la < lb;
    return a.EntryNumber < b.EntryNumber;
  });
  return items;
}

std::string EntryLabel(const EntryListItem& item) {
  return item.Name + "  #" + NumberText(static_cast<float>(item.EntryNumber));
}

void DeleteEntry(PoolState& s, int entry) {
  if (entry < 1 || entry > s.NumEntries || entry >= static_cast<int>(s.Entries.size())) return;
  s.Entries[entry].BettorIndex = 0;
  s.PoolChanged = true;
  ComputeCollectedTotals(s);
  KeepPayoutAmountsCurrent(s);
}

void KeepPayoutAmountsCurrent(PoolState& s) {
  ComputePrizePool(s, s.Pool.PayoutPct, s.PayoutAmt, s.Pool.HoldbackAmt, s.Pool.PayoutRounding);
}

}  // namespace qb
