#pragma once
// What the analysis and listing reports share: which entries are live, the
// picks they hold and how an entry is named. Every report only reads the
// pool; a pool read from a damaged file (counts beyond the arrays, picks or
// participant indexes outside the bracket) gives fewer figures, never a crash.
#include <cstdint>
#include <string>

#include "core/pool_state.h"

namespace qb {

// Entries 1..n that both Entries and Picks hold.
int HeldEntryCount(const PoolState& s);
// Games 1..n that the bracket and Picks both hold.
int HeldGameCount(const PoolState& s);
// An entry with a participant; 0 marks a deleted entry.
inline bool IsLiveEntry(const PoolState& s, int e) {
  return s.Entries[e].BettorIndex > 0;
}
// Live entries counted from the entries themselves: the stored count of
// deleted entries may be stale after a deletion.
int32_t CountLiveEntries(const PoolState& s);
// The slot an entry picked to win a game, 0 when none or outside the bracket.
int PickedSlot(const PoolState& s, int game, int entry);
// The entry's participant's name, empty when the index points nowhere.
const std::string& ParticipantName(const PoolState& s, int e);
// Participant name, " #" and the entry number: "Al #2".
std::string EntryCaption(const PoolState& s, int e);
// Said when a report's row stands for an entry no longer in the pool.
inline constexpr const char* kEntryGoneText =
    "This entry is no longer in the pool.\r\nPlease open the report again!";
// A "Bye" slot, whatever its case.
bool IsByeSlot(const TeamRecord& t);

}  // namespace qb
