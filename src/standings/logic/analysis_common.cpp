#include "standings/logic/analysis_common.h"

#include <algorithm>
#include <string>

#include "platform/grid.h"

namespace qb {

int HeldEntryCount(const PoolState& s) {
  return std::min(HeldEntries(s), std::max(s.Picks.MaxEntry(), 0));
}

int HeldGameCount(const PoolState& s) {
  return std::clamp(static_cast<int>(s.NumGames), 0, std::min(kMaxGames, s.Picks.MaxGame()));
}

int32_t CountLiveEntries(const PoolState& s) {
  const int n = HeldEntryCount(s);
  int32_t live = 0;
  for (int e = 1; e <= n; ++e) live += IsLiveEntry(s, e);
  return live;
}

int PickedSlot(const PoolState& s, int game, int entry) {
  const int p = s.Picks(game, entry);
  return p >= 1 && p <= s.NumSlots && p <= kMaxSlots ? p : 0;
}

const std::string& ParticipantName(const PoolState& s, int e) {
  static const std::string kNone;
  const int b = s.Entries[e].BettorIndex;
  return b > 0 && b < static_cast<int>(s.Bettors.size()) ? s.Bettors[b].Name : kNone;
}

std::string EntryCaption(const PoolState& s, int e) {
  return ParticipantName(s, e) + " #" + std::to_string(s.Entries[e].EntryNumber);
}

bool IsByeSlot(const TeamRecord& t) {
  return Grid::CompareNoCase(t.Name, "Bye") == 0;
}

}  // namespace qb
