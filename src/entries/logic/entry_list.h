#pragma once
// The entry selection's list: the pool's entries with their participant, and
// the deletion of an entry (its record stays, without a participant).
#include <string>
#include <vector>

#include "core/pool_state.h"

namespace qb {

struct EntryListItem {
  int Index = 0;  // in Entries
  std::string Name;
  int16_t EntryNumber = 0;
  float Points = 0;
  bool Collected = false;
};

// Entries that belong to a listed participant, by name (letter case aside) and
// entry number; `exclude` (an entry index) is left out.
std::vector<EntryListItem> ListedEntries(const PoolState& s, int exclude = 0);

// "Name  #3": how an entry is named in the lists and questions.
std::string EntryLabel(const EntryListItem& item);

// Deletes entry e the way the pool file knows: it keeps its record and picks
// without a participant (BettorIndex 0), so the other entries keep their
// numbers until the pool is saved. Marks the pool changed.
void DeleteEntry(PoolState& s, int entry);

// The stored payout amounts (PayoutAmt) after the pot changed with the entries,
// so the pool parameters compare what they show with current amounts.
void KeepPayoutAmountsCurrent(PoolState& s);

}  // namespace qb
