#pragma once
// Checking and storing the entry open in the entry editor, and taking a new
// entry out of the pool again.
#include <string>

#include "core/pool_state.h"
#include "entries/logic/pick_board.h"

namespace qb {

class Prompts;

enum class SaveCheck {
  Proceed,     // store it
  NeedHeader,  // no participant or entry number: the header dialog comes next
  Cancelled,   // the user answered Cancel or No to a question
};

// The questions before an entry is stored, in order. entryChanged: the editor's
// entry-changed flag. Bye games never count as missing picks.
SaveCheck CheckEntryBeforeSave(const PoolState& s, int entry, const PickBoard& board,
                               bool entryChanged, Prompts& prompts);

struct EntryFigures {
  float tiebreaker = 0;
  bool collected = false;
};

// Stores the board's picks and the figures of its scoring into the entry;
// returns the sound to play ("pswitch" when changed, else "start").
std::string StoreEntry(PoolState& s, int entry, const PickBoard& board, const EntryFigures& f,
                       bool entryChanged);

// Takes exactly `entry` out of Entries and Picks; later entries move down one.
void DiscardEntry(PoolState& s, int entry);

// Appends a new empty entry (Entries and Picks grow by one); returns its index.
int AppendNewEntry(PoolState& s);

}  // namespace qb
