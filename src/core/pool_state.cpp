#include "core/pool_state.h"

#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "core/services.h"

namespace qb {

void PickMatrix::Resize(int maxGame, int maxEntry) {
  maxGame_ = std::max(maxGame, 0);
  maxEntry_ = std::max(maxEntry, 0);
  // A new vector, not assign: the picks of a pool of thousands of entries
  // must not stay allocated under the small one opened after it.
  std::vector<int16_t>(static_cast<size_t>(maxGame_ + 1) * (maxEntry_ + 1), 0).swap(data_);
}

void PickMatrix::ResizeEntries(int maxEntry) {
  if (maxGame_ < 0) {
    Resize(0, maxEntry);
    return;
  }
  maxEntry_ = std::max(maxEntry, 0);
  data_.resize(static_cast<size_t>(maxGame_ + 1) * (maxEntry_ + 1), 0);
}

void PickMatrix::EnsureSize(int maxGame, int maxEntry) {
  if (maxGame <= maxGame_ && maxEntry <= maxEntry_) return;
  if (maxGame <= maxGame_ && maxGame_ >= 0) {
    // More entries alone: the picks stay in place and the storage grows by
    // doubling, so adding entries one at a time stays linear.
    ResizeEntries(maxEntry);
    return;
  }
  PickMatrix grown;
  grown.Resize(std::max(maxGame, maxGame_), std::max(maxEntry, maxEntry_));
  for (int e = 0; e <= maxEntry_; ++e)
    for (int g = 0; g <= maxGame_; ++g) grown.at(g, e) = at(g, e);
  *this = std::move(grown);
}

PoolState::PoolState() {
  Entries.resize(2);
  Bettors.resize(2);
  Picks.Resize(1, 1);
  ImportEntries.resize(2);
  ImportBettors.resize(2);
  ImportPicks.Resize(1, 1);
  FillSeedMethodNames(*this);
}

void FillSeedMethodNames(PoolState& s) {
  s.SeedMethodName = {"<none>",
                      "Winner's Seed",
                      "Upsets Only - One point bonus",
                      "Upsets Only - Winner's Seed",
                      "Upsets Only - Difference in Seeds",
                      "Winner Seed divided by Loser Seed"};
  s.SeedMethodChoice[0] = s.SeedMethodName[0];
  for (int i = 1; i <= 5; ++i) s.SeedMethodChoice[i] = s.SeedMethodName[i] + " x Factor";
}

void ClearPool(PoolState& s) {
  PoolHeader& p = s.Pool;
  p.PoolId = 0;
  p.PoolName.clear();
  p.NumTeams = 0;
  p.CostPerEntry = Currency();
  p.SeedOption = false;
  p.SeedFactorAll = 0;
  p.SeedFormula = 0;
  p.TiebreakerUsed = true;
  p.TiebreakerType.clear();
  p.TiebreakerActual = 0;
  p.PayoutRounding = 0;
  p.HoldbackAmt = Currency();
  p.PoolInstructions.clear();
  p.DownloadSource.clear();
  for (int r = 1; r <= kMaxRounds; ++r) {
    p.RoundPoints[r] = 0;
    p.SeedMethod[r] = 0;
    p.SeedFactor[r] = 1.0f;
  }
  for (int i = 0; i <= kPayoutPlaces; ++i) {
    p.PayoutPct[i] = 0;
    p.PayoutFlag[i] = "No";
  }
  p.PayoutPct[1] = 100;
  p.Results.fill(0);
  p.ParmsFlag = "No";
  p.RoundByRound = false;
  p.RePair = false;
  p.WebPoolName.clear();
  p.Parms3Text2.clear();
  // A multiply flag left over from the last pool would multiply the next
  // pool's points, so it goes too. DualSided, ReportFileName, Parms3Flag and
  // Parms3Text stay.
  p.MultiplyByRound = false;

  s.NumSlots = 0;
  s.NumNonByeGames = 0;
  s.NumRounds = 0;
  s.NonByeGamesInRound.fill(0);
  s.GamesInRound.fill(0);
  s.NumGames = 0;
  s.NumEntries = 0;
  s.CurrentEntry = 0;
  s.NumPayoutPlaces = 0;
  s.RoundEnd.fill(0);
  s.ByeGame.fill(false);
  for (int n = 1; n <= kMaxSlots; ++n) s.Teams[n] = TeamRecord{};

  // New vectors rather than assign, which would keep a large pool's storage.
  std::vector<EntryRecord>(2).swap(s.Entries);
  std::vector<BettorRecord>(2).swap(s.Bettors);
  s.Picks.Resize(1, 1);
  s.NumBettors = 0;
  s.NumEntries = 0;
}

void ReturnFreedMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

void ClearEntryRecord(PoolState& s, int entry) {
  EntryRecord& e = s.Entries.at(static_cast<size_t>(entry));
  e.Tiebreaker = 0;
  e.BettorIndex = 0;
  e.Identity = 0;
  e.BettorName.clear();
  e.EntryNumber = 0;
  e.Points = 0;
  e.GamesWon = 0;
  e.PossiblePoints = 0;
  for (int r = 1; r <= kMaxRounds; ++r) {
    e.RoundPointsWon[r] = 0;
    e.RoundGamesWon[r] = 0;
  }
}

void ClearImportHeader(PoolState& s) {
  PoolHeader& p = s.ImportPool;
  p.CostPerEntry = Currency();
  p.PoolId = 0;
  p.PoolName.clear();
  p.HoldbackAmt = Currency();
  p.NumTeams = 0;
  p.PayoutRounding = -10;  // a value no file holds, so a missing record shows
  p.SeedFactorAll = 0;
  p.TiebreakerType.clear();
  p.PayoutPct.fill(0);
  for (int r = 1; r <= kMaxRounds; ++r) {
    p.RoundPoints[r] = 0;
    p.SeedFactor[r] = 0;
    p.SeedMethod[r] = 0;
  }
  for (int n = 1; n <= kMaxSlots; ++n) {
    s.ImportTeams[n].Number = static_cast<int16_t>(n);
    s.ImportTeams[n].Name.clear();
    s.ImportTeams[n].Seed = 0;
  }
}

void ClearImportPool(PoolState& s) {
  s.NumImportEntries = 0;
  s.NumImportBettors = 0;
  ClearImportHeader(s);
  std::vector<EntryRecord>(2).swap(s.ImportEntries);
  s.ImportPicks.Resize(1, 1);
  std::vector<BettorRecord>(2).swap(s.ImportBettors);
}

void EnsurePoolId(PoolState& s, Random& random) {
  if (s.Pool.PoolId != 0) return;
  int id = static_cast<int>(random.Next() * 30000.0 + 1.0);
  s.Pool.PoolId = static_cast<int16_t>(std::clamp(id, 1, 30000));
}

}  // namespace qb
