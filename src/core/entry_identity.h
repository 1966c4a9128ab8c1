#pragma once
// Which entry a report row stands for. A row keeps the entry's index, but an
// index is taken again (an entry discarded and a new one appended in its
// place, another pool opened) and the row's caption goes stale with a rename
// or a renumbering. So every entry record gets an identity when it comes into
// the pool: a serial number unique for the life of the PoolState, never
// stored in the pool file. A record made afresh starts without one (0), so it
// is never taken for an entry a report listed before it existed.
#include <cstdint>
#include <vector>

#include "core/pool_state.h"

namespace qb {

// Gives entry e a new identity.
void GiveEntryIdentity(PoolState& s, int e);
// Gives every live entry that has none its own (a pool assembled record by
// record); what already has one keeps it.
void GiveEntryIdentities(PoolState& s);
// The index of the live entry (BettorIndex above 0) with that identity,
// looked for at index first and then among all entries; 0 when it is deleted
// or no longer in the pool, or the identity is 0.
int FindLiveEntry(const PoolState& s, int index, uint32_t identity);

// The identities of the live entries as a report listed them, by their index
// at that moment.
class ListedEntryIds {
 public:
  ListedEntryIds() = default;
  // Gives identities where they are missing, then remembers them.
  explicit ListedEntryIds(PoolState& s);
  // Lists the entry that had that identity at index.
  void Remember(int index, uint32_t identity);
  // The index now of the entry listed at index; 0 when none was listed there
  // or it is no longer a live entry of the pool.
  int Find(const PoolState& s, int index) const;

 private:
  std::vector<uint32_t> ids_;  // by index; 0 for none
};

}  // namespace qb
