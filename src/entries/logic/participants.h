#pragma once
// Rules of the participant list: which participants are listed, what their
// entries cost, name checks, and which record a new participant takes.
// A deleted participant keeps its record with the four text fields empty.
#include <cstdint>
#include <string>
#include <vector>

#include "core/currency.h"
#include "core/pool_state.h"

namespace qb {

// True when the text holds nothing but blanks and tabs.
bool IsBlankText(const std::string& text);

// The participant record, or nullptr when the index is outside 1..NumBettors.
const BettorRecord* BettorAt(const PoolState& s, int bettor);

// A participant that is listed: within 1..NumBettors and its name not empty.
bool IsLiveBettor(const PoolState& s, int bettor);

// The participant an entry belongs to; 0 when it has none: a deleted entry,
// an entry whose participant was deleted, or an index outside the list.
int EntryBettor(const PoolState& s, int entry);

// Entries 1..NumEntries that belong to the participant.
int CountBettorEntries(const PoolState& s, int bettor);

struct BettorEntryTotals {
  int Count = 0;
  Currency Cost;
  Currency Collected;
  Currency Owed;
};
BettorEntryTotals ComputeBettorEntryTotals(const PoolState& s, int bettor);

// One line of a participant list: the name and its index in Bettors.
struct BettorListItem {
  std::string Name;
  int Index = 0;
};
// Every participant with a name, in index order.
std::vector<BettorListItem> ListedBettors(const PoolState& s);
// Position (from 0) of the participant in the list, -1 when not listed.
int ListPositionOf(const std::vector<BettorListItem>& items, int bettor);

// Which row to select first so that the row at `position` is shown with the
// rows that follow it: 15 further down, or the last row.
int ScrollAheadRow(int position, int count);

enum class BettorNameCheck { Ok, Required, Exists };
// A name is required (blanks alone do not count) and may not be spelt exactly
// like another participant's; `currentBettor` may keep its own name.
BettorNameCheck CheckBettorName(const PoolState& s, const std::string& name, int currentBettor);
// User text of a refused check; empty for Ok.
std::string BettorNameMessage(BettorNameCheck check);

// The record a new participant takes: the first deleted record that no entry
// still points at, else a new record at NumBettors + 1. Reusing a record an
// entry points at would hand that entry to the new participant.
int RecordForNewBettor(const PoolState& s);

// Stores the four text fields into participant `bettor`; 0 stores a new
// participant in RecordForNewBettor. Returns the index stored.
int StoreBettor(PoolState& s, int bettor, const std::string& name, const std::string& phone,
                const std::string& email, const std::string& info);

// Appends a participant with only a name; returns its index.
int AddBettorByName(PoolState& s, const std::string& name);

// Empties the four text fields of the participant; the record stays.
void ClearBettorRecord(PoolState& s, int bettor);

// Name under which entries without a participant are kept; the pool file
// reader gives it to an entry that names nobody.
inline constexpr const char* kUnknownParticipant = "Unknown Participant";

// Deletes the participant (ClearBettorRecord). Its entries stay in the pool,
// listed, counted and in the pot, under the participant "Unknown Participant"
// (the first of that name, or a new one), as they come back when the file is
// opened again. Returns the number of entries moved.
int DeleteBettor(PoolState& s, int bettor);

// Question asked before deleting a participant; it names the entries that
// would be kept under "Unknown Participant".
std::string DeleteBettorQuestion(const std::string& name, int entryCount);

}  // namespace qb
