#pragma once
// Rules of the entry header: whose entry it is and which number it carries
// for that participant. Type-ahead over the participant names, the proposed
// entry number, and the checks of OK in the order the user meets them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/pool_state.h"

namespace qb {

inline constexpr const char* kNoEntryCurrent = "Unexpected Error - No Entry is current";

// Position of the first item that begins with the typed text, letter case
// aside; -1 when none does or nothing is typed.
int TypeAheadMatch(const std::vector<std::string>& items, const std::string& typed);

// The entry number box's value rounded half to even as a stored entry number
// is; nullopt when it does not fit one (below -32768 or above 32767).
std::optional<int16_t> RoundEntryNumber(const std::string& text);

// Proposed entry number text for a new entry of the participant: " " and the
// highest number of its entries plus one (" 1" when it has none); "1" for no
// participant.
std::string ProposeEntryNumber(const PoolState& s, int bettor);

// An entry is current when it lies within 1..NumEntries.
bool IsEntryCurrent(const PoolState& s, int entry);

enum class HeaderRefusal { None, NoEntry, NoName, NoNumber, Duplicate };
enum class HeaderFocus { None, Name, Number };

struct HeaderCheck {
  HeaderRefusal Refusal = HeaderRefusal::None;
  std::string Message;
  HeaderFocus Focus = HeaderFocus::None;
  // The participant the entry goes to; 0 when the name text is a new one.
  int Bettor = 0;
  int16_t EntryNumber = 0;
};

// Checks what OK would store into entry `currentEntry`. `selectedBettor` is
// the participant chosen in the list (0 when the text matches none); a
// typed text spelt exactly like a listed name is that participant.
HeaderCheck CheckEntryHeader(const PoolState& s, int currentEntry, const std::string& nameText,
                             int selectedBettor, const std::string& numberText);

// Stores an accepted check: adds the participant named by `nameText` when the
// check found none, then the participant and number into the entry. Returns
// true when a participant was added or a stored value changed.
bool StoreEntryHeader(PoolState& s, int currentEntry, const std::string& nameText,
                      const HeaderCheck& check);

}  // namespace qb
