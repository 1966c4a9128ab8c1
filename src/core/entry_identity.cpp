#include "core/entry_identity.h"

namespace qb {

namespace {

bool IsLiveWith(const PoolState& s, int e, uint32_t identity) {
  const EntryRecord& r = s.Entries[e];
  return r.BettorIndex > 0 && r.Identity == identity;
}

}  // namespace

void GiveEntryIdentity(PoolState& s, int e) {
  s.Entries.at(static_cast<size_t>(e)).Identity = ++s.LastEntryIdentity;
}

void GiveEntryIdentities(PoolState& s) {
  for (int e = 1; e <= HeldEntries(s); ++e)
    if (s.Entries[e].BettorIndex > 0 && s.Entries[e].Identity == 0) GiveEntryIdentity(s, e);
}

int FindLiveEntry(const PoolState& s, int index, uint32_t identity) {
  if (identity == 0) return 0;
  const int n = HeldEntries(s);
  if (index >= 1 && index <= n && IsLiveWith(s, index, identity)) return index;
  // A discard moves the entries after it down by one.
  for (int e = 1; e <= n; ++e)
    if (IsLiveWith(s, e, identity)) return e;
  return 0;
}

ListedEntryIds::ListedEntryIds(PoolState& s) {
  GiveEntryIdentities(s);
  const int n = HeldEntries(s);
  ids_.assign(static_cast<size_t>(n) + 1, 0);
  for (int e = 1; e <= n; ++e)
    if (s.Entries[e].BettorIndex > 0) ids_[e] = s.Entries[e].Identity;
}

void ListedEntryIds::Remember(int index, uint32_t identity) {
  if (index < 1) return;
  if (static_cast<int>(ids_.size()) <= index) ids_.resize(static_cast<size_t>(index) + 1, 0);
  ids_[index] = identity;
}

int ListedEntryIds::Find(const PoolState& s, int index) const {
  if (index < 1 || index >= static_cast<int>(ids_.size())) return 0;
  return FindLiveEntry(s, index, ids_[index]);
}

}  // namespace qb
