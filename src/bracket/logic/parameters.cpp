#include "bracket/logic/parameters.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/bracket.h"
#include "core/payout.h"
#include "core/services.h"
#include "core/text_format.h"

namespace qb {

namespace {

constexpr double kMaxAmount = 100000000.0;
constexpr double kMaxPercent = 1000.0;

float ClampToSingle(double v) {
  constexpr double kMax = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(v, -kMax, kMax));
}

}  // namespace

Currency ReadAmount(const std::string& text) {
  size_t i = text.find_first_not_of(" \t");
  std::string rest = text;
  if (i != std::string::npos && text[i] == '$') rest = text.substr(i + 1);
  double v = std::clamp(Val(rest), -kMaxAmount, kMaxAmount);
  return Currency::FromDouble(v);
}

float ReadPercent(const std::string& text) {
  return static_cast<float>(std::clamp(Val(text), -kMaxPercent, kMaxPercent));
}

float ReadSingle(const std::string& text) { return ClampToSingle(Val(text)); }

int16_t TeamCountOf(double value) {
  double v = std::clamp(value, -32768.0, 32767.0);
  return static_cast<int16_t>(std::nearbyint(v));
}

int RoundsForTeamCount(double teams) {
  if (teams == 4) return 2;
  if (teams >= 5 && teams <= 8) return 3;
  if (teams >= 9 && teams <= 16) return 4;
  if (teams >= 17 && teams <= 32) return 5;
  if (teams >= 33 && teams <= 64) return 6;
  return 0;
}

int SlotsForTeamCount(int teams) {
  int rounds = RoundsForTeamCount(teams);
  return rounds == 0 ? 0 : 1 << rounds;
}

DualSidedChange DualSidedForTeamCount(double teams, bool textChanged) {
  if (teams < 8) return DualSidedChange::Clear;
  if (teams > 31 && textChanged) return DualSidedChange::Set;
  return DualSidedChange::Keep;
}

bool DualSidedAllowed(double teams) { return teams >= 5; }

PayoutFigures ComputePayoutFigures(PoolState& s, const std::array<float, kPayoutPlaces + 1>& pct,
                                   Currency holdback, int rounding, Currency costPerEntry) {
  // The pot is counted from the pool's entries at the cost being typed; the
  // stored cost is put back whatever happens.
  struct CostSwap {
    PoolState& s;
    Currency stored;
    ~CostSwap() { s.Pool.CostPerEntry = stored; }
  } swap{s, s.Pool.CostPerEntry};
  s.Pool.CostPerEntry = costPerEntry;

  PayoutFigures f;
  f.Pot = ComputePot(s);
  ComputePrizePool(s, pct, f.Amounts, holdback, rounding);
  Currency paid;
  float pctLeft = 100;
  for (int i = 0; i <= kPayoutPlaces; ++i) {
    paid += f.Amounts[i];
    pctLeft -= pct[i];
  }
  f.TotalUnallocated = f.Pot - paid;
  // Single-precision sums such as 33.3 + 33.3 + 33.4 miss 100 by a hair.
  f.PctUnallocated = std::round(static_cast<double>(pctLeft) * 10000.0) / 10000.0;
  if (f.PctUnallocated == 0) f.PctUnallocated = 0;  // no "-0"
  return f;
}

bool DiffersFromPool(const ParmsEdit& e, const PoolState& s) {
  const PoolHeader& p = s.Pool;
  if (e.CostPerEntry != p.CostPerEntry) return true;
  if (e.Teams != p.NumTeams) return true;
  if (e.PoolName != p.PoolName) return true;
  for (int i = 0; i <= kPayoutPlaces; ++i) {
    if (e.PayoutPct[i] != p.PayoutPct[i]) return true;
    if (e.PayoutAmt[i] != s.PayoutAmt[i]) return true;
  }
  if (e.HoldbackAmt != p.HoldbackAmt) return true;
  if (e.PayoutRounding != p.PayoutRounding) return true;
  for (int r = 1; r <= kMaxRounds; ++r) {
    if (e.SeedFactor[r] != p.SeedFactor[r]) return true;
    if (static_cast<float>(e.SeedMethod[r]) != p.SeedMethod[r]) return true;
  }
  if (e.TiebreakerUsed != p.TiebreakerUsed) return true;
  if (e.TiebreakerType != p.TiebreakerType) return true;
  for (int r = 1; r <= kMaxRounds; ++r) {
    if (e.RoundPoints[r] != p.RoundPoints[r]) return true;
  }
  if (e.RoundByRound != p.RoundByRound) return true;
  if (e.RePair != p.RePair) return true;
  return false;
}

MsgAnswer ConfirmChange(PoolState& s, Prompts& prompts, const ParmsEdit& e,
                        MsgAnswer previous) {
  if (s.NumEntries < 1) return previous;
  if (!DiffersFromPool(e, s)) return MsgAnswer::Yes;
  prompts.Beep();
  return prompts.Ask(kEntriesWarning, MsgButtons::YesNoCancel, MsgIcon::Exclamation);
}

void StoreParameters(PoolState& s, const ParmsEdit& e) {
  PoolHeader& p = s.Pool;
  p.CostPerEntry = e.CostPerEntry;
  p.NumTeams = TeamCountOf(e.Teams);
  p.PoolName = e.PoolName;
  for (int i = 0; i <= kPayoutPlaces; ++i) {
    p.PayoutPct[i] = e.PayoutPct[i];
    s.PayoutAmt[i] = e.PayoutAmt[i];
  }
  p.HoldbackAmt = e.HoldbackAmt;
  p.PayoutRounding = e.PayoutRounding;
  p.TiebreakerUsed = e.TiebreakerUsed;
  p.TiebreakerType = e.TiebreakerType;
  for (int r = 1; r <= kMaxRounds; ++r) {
    p.RoundPoints[r] = e.RoundPoints[r];
    p.SeedFactor[r] = e.SeedFactor[r];
    if (e.SeedMethod[r] >= 0) p.SeedMethod[r] = static_cast<float>(e.SeedMethod[r]);
  }
  p.DualSided = e.DualSided;
  p.RoundByRound = e.RoundByRound;
  p.RePair = e.RePair;
}

std::string CheckParmsAmounts(const ParmsEdit& e) {
  if (e.CostPerEntry < Currency()) return "The cost per entry cannot be negative.";
  if (e.HoldbackAmt < Currency()) return "The holdback amount cannot be negative.";
  for (float pct : e.PayoutPct)
    if (!(pct >= 0 && pct <= 100))
      return "A payout percentage must lie between 0 and 100; the pool file holds no other.";
  return "";
}

ParmsOkOutcome RunParmsOk(PoolState& s, Prompts& prompts, Random& random, const ParmsEdit& e,
                          bool& changed, MsgAnswer& answer) {
  EnsurePoolId(s, random);
  if (e.Teams < 4 || e.Teams > 64) {
    prompts.Beep();
    prompts.Show(kTeamCountOkMessage, MsgIcon::None);
    return ParmsOkOutcome::Refused;
  }
  if (const std::string why = CheckParmsAmounts(e); !why.empty()) {
    prompts.Beep();
    prompts.Show(why, MsgIcon::Exclamation);
    return ParmsOkOutcome::Refused;
  }
  answer = ConfirmChange(s, prompts, e, answer);
  s.DialogCancelled = false;
  if (answer == MsgAnswer::Cancel) {
    s.DialogCancelled = true;
    return ParmsOkOutcome::Cancelled;
  }
  if (answer == MsgAnswer::No) return ParmsOkOutcome::NotStored;

  const bool teamsChanged = TeamCountOf(e.Teams) != s.Pool.NumTeams;
  const int oldSlots = s.NumSlots;
  StoreParameters(s, e);
  // Results are kept by game number; another bracket size numbers the games
  // differently, so the old winners would land on the wrong games.
  if (SlotsForTeamCount(s.Pool.NumTeams) != oldSlots) s.Pool.Results.fill(0);
  SetupBracketFromParameters(s, prompts);
  if (changed) s.PoolChanged = true;
  changed = false;
  if (teamsChanged) {
    // Empty, but with room for every entry index in use (deleted ones too).
    s.Picks.Resize(s.NumGames + 1, std::max(1, s.NumEntries + 1));
  }
  return ParmsOkOutcome::Stored;
}

}  // namespace qb
