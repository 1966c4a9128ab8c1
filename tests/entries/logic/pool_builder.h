#pragma once
// Small pools of participants and entries for the participant and header tests.
#include <string>

#include "core/pool_state.h"

namespace qb::testing {

inline int AddBettor(PoolState& s, const std::string& name, const std::string& phone = "",
                     const std::string& email = "", const std::string& info = "") {
  s.NumBettors = static_cast<int16_t>(s.NumBettors + 1);
  if (static_cast<int>(s.Bettors.size()) < s.NumBettors + 1) s.Bettors.resize(s.NumBettors + 1);
  s.Bettors[s.NumBettors] = BettorRecord{name, info, phone, email, false};
  return s.NumBettors;
}

inline int AddEntry(PoolState& s, int bettor, int number, bool collected = false) {
  s.NumEntries = static_cast<int16_t>(s.NumEntries + 1);
  if (static_cast<int>(s.Entries.size()) < s.NumEntries + 1) s.Entries.resize(s.NumEntries + 1);
  EntryRecord& e = s.Entries[s.NumEntries];
  e = EntryRecord{};
  e.BettorIndex = static_cast<int16_t>(bettor);
  e.EntryNumber = static_cast<int16_t>(number);
  e.Collected = collected;
  return s.NumEntries;
}

inline void DeleteBettorRecord(PoolState& s, int bettor) { s.Bettors[bettor] = BettorRecord{}; }

}  // namespace qb::testing
