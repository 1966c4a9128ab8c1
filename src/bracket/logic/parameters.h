#pragma once
// Rules of the pool parameters dialog, kept apart from its widgets: reading
// the typed numbers, the team count and dual-sided rules, the live payout
// figures, the change warning and the order in which OK stores.
#include <array>
#include <cstdint>
#include <string>

#include "core/currency.h"
#include "core/pool_state.h"
#include "core/prompts.h"

namespace qb {

class Random;

inline constexpr const char* kTeamCountRangeMessage =
    "Number of teams/players must be between 4 and 64.\n\rPlease correct";
inline constexpr const char* kTeamCountOkMessage =
    "Minimum of 4 and maximum of 64 teams\r\nmanaged by Quorvel Brakkon.";
inline constexpr const char* kEntriesWarning =
    "WARNING!  Entries have already been entered!\r\n"
    "Are you sure you want to change the parameters for this jackpot?";

// Typed numbers are read as their leading number (Val); empty or
// non-numeric text gives 0.
// A money amount as typed; a leading "$" is the currency sign, not text.
// Kept within a hundred million so pots and shares cannot overflow.
Currency ReadAmount(const std::string& text);
// A percentage of the pot as typed, kept within +-1000.
float ReadPercent(const std::string& text);
// Points and factors as typed, kept finite.
float ReadSingle(const std::string& text);
// The team count box's value as the pool keeps it: whole, 16 bits.
int16_t TeamCountOf(double value);

// Rounds of the bracket for a team count; 0 for a count that is not 4, 5..8,
// 9..16, 17..32 or 33..64 (so 4.5 fails while 5.5 passes).
int RoundsForTeamCount(double teams);
// Slots of the bracket for a stored team count; 0 outside 4..64.
int SlotsForTeamCount(int teams);

// What leaving the team count box does to the dual-sided box.
enum class DualSidedChange { Keep, Clear, Set };
DualSidedChange DualSidedForTeamCount(double teams, bool textChanged);
// A dual-sided bracket needs at least 5 teams.
bool DualSidedAllowed(double teams);

// The dialog's values, read from its boxes.
struct ParmsEdit {
  std::string PoolName;
  double Teams = 0;
  Currency CostPerEntry;
  std::array<float, kPayoutPlaces + 1> PayoutPct{};
  std::array<Currency, kPayoutPlaces + 1> PayoutAmt{};  // the figures shown
  Currency HoldbackAmt;
  int16_t PayoutRounding = 0;
  bool TiebreakerUsed = false;
  std::string TiebreakerType;
  std::array<float, kMaxRounds + 1> RoundPoints{};  // 1..7
  std::array<float, kMaxRounds + 1> SeedFactor{};   // 1..7
  std::array<int, kMaxRounds + 1> SeedMethod{};     // 1..7, item chosen; -1 none
  bool DualSided = false;
  bool RoundByRound = false;
  bool RePair = false;
};

// The live figures of the payout tab for the values being edited.
struct PayoutFigures {
  Currency Pot;
  std::array<Currency, kPayoutPlaces + 1> Amounts{};
  Currency TotalUnallocated;  // pot minus the six amounts
  double PctUnallocated = 0;  // 100 minus the six percentages
};
// Uses the cost typed in the dialog, not the stored one.
PayoutFigures ComputePayoutFigures(PoolState& s, const std::array<float, kPayoutPlaces + 1>& pct,
                                   Currency holdback, int rounding, Currency costPerEntry);

// True when a value that the entries depend on differs from the pool (the
// dual-sided option is left out).
bool DiffersFromPool(const ParmsEdit& e, const PoolState& s);

// The warning asked before storing into a pool that holds entries. Gives
// `previous` when the pool has no entries (OK stands for "not asked yet"),
// Yes when nothing differs.
MsgAnswer ConfirmChange(PoolState& s, Prompts& prompts, const ParmsEdit& e,
                        MsgAnswer previous);

// Writes the values into the pool in the dialog's storing order.
void StoreParameters(PoolState& s, const ParmsEdit& e);

// Empty, or why the amounts cannot be stored: a negative cost or holdback,
// a percentage outside 0..100 (the pool file refuses those on reading).
std::string CheckParmsAmounts(const ParmsEdit& e);

enum class ParmsOkOutcome {
  Refused,    // bad team count: the dialog stays open
  Cancelled,  // Cancel at the warning: the dialog stays open
  NotStored,  // No at the warning: the dialog closes, nothing stored
  Stored,
};

// OK of the dialog: checks the team count, asks the warning, stores and
// derives the bracket again. `changed` is the dialog's changed flag (cleared
// once stored); `answer` the warning's answer kept by the dialog.
ParmsOkOutcome RunParmsOk(PoolState& s, Prompts& prompts, Random& random, const ParmsEdit& e,
                          bool& changed, MsgAnswer& answer);

}  // namespace qb
