#include <gtest/gtest.h>

#include "core/pool_state.h"
#include "core/prompts.h"
#include "core/services.h"

namespace qb {
namespace {

TEST(ClearPool, GivesAnEmptyNewPoolAndKeepsTheCarriedFields) {
  PoolState s;
  s.Pool.DualSided = true;
  s.Pool.MultiplyByRound = true;
  s.Pool.ReportFileName = "r.txt";
  s.Pool.PoolName = "Office";
  s.Pool.Results[5] = 9;
  s.NumEntries = 3;
  s.NumBettors = 2;
  s.Entries.resize(4);
  s.Teams[7].Name = "Gators";
  ClearPool(s);

  EXPECT_EQ(s.Pool.PayoutPct, (std::array<float, 6>{0, 100, 0, 0, 0, 0}));
  for (const auto& f : s.Pool.PayoutFlag) EXPECT_EQ(f, "No");
  for (int r = 1; r <= 7; ++r) EXPECT_EQ(s.Pool.SeedFactor[r], 1.0f);
  EXPECT_TRUE(s.Pool.TiebreakerUsed);
  EXPECT_EQ(s.Pool.ParmsFlag, "No");
  EXPECT_EQ(s.Pool.PoolName, "");
  EXPECT_EQ(s.Pool.Results[5], 0);
  EXPECT_EQ(s.NumEntries, 0);
  EXPECT_EQ(s.NumBettors, 0);
  EXPECT_EQ(s.Entries.size(), 2u);
  EXPECT_EQ(s.Bettors.size(), 2u);
  EXPECT_EQ(s.Picks.MaxGame(), 1);
  EXPECT_EQ(s.Picks.MaxEntry(), 1);
  EXPECT_EQ(s.Teams[7].Name, "");
  EXPECT_TRUE(s.Pool.DualSided);
  EXPECT_FALSE(s.Pool.MultiplyByRound);
  EXPECT_EQ(s.Pool.ReportFileName, "r.txt");
}

// A large pool closed leaves nothing of its storage behind for the next one.
TEST(ClearPool, ReleasesTheStorageOfALargePool) {
  PoolState s;
  s.NumEntries = 30000;
  s.Entries.resize(30001);
  s.Bettors.resize(30001);
  s.Picks.Resize(127, 30000);
  s.ImportEntries.resize(30001);
  s.ImportBettors.resize(30001);
  s.ImportPicks.Resize(127, 30000);
  ClearPool(s);
  ClearImportPool(s);
  EXPECT_LT(s.Entries.capacity(), 100u);
  EXPECT_LT(s.Bettors.capacity(), 100u);
  EXPECT_LT(s.ImportEntries.capacity(), 100u);
  EXPECT_LT(s.ImportBettors.capacity(), 100u);
  EXPECT_LT(s.Picks.Capacity(), 100u);
  EXPECT_LT(s.ImportPicks.Capacity(), 100u);
}

TEST(HeldEntries, AreThoseBothTheCountAndTheRecordsHold) {
  struct Case {
    const char* what;
    size_t records;  // Entries' size, element 0 included
    int count;       // NumEntries
    int held;
  };
  const Case cases[] = {
      {"no records at all", 0, 0, 0},
      {"no records at all, a count of three", 0, 3, 0},
      {"element 0 only", 1, 3, 0},
      {"fewer counted than held", 5, 3, 3},
      {"more counted than held", 5, 9, 4},
      {"a count below 0", 5, -2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PoolState s;
    s.Entries.resize(c.records);
    s.NumEntries = static_cast<int16_t>(c.count);
    EXPECT_EQ(HeldEntries(s), c.held);
  }
}

TEST(ClearEntryRecord, KeepsTheCollectedFlag) {
  PoolState s;
  s.Entries[1].Collected = true;
  s.Entries[1].BettorIndex = 4;
  s.Entries[1].Points = 12;
  s.Entries[1].RoundPointsWon[3] = 2;
  ClearEntryRecord(s, 1);
  EXPECT_TRUE(s.Entries[1].Collected);
  EXPECT_EQ(s.Entries[1].BettorIndex, 0);
  EXPECT_EQ(s.Entries[1].Points, 0);
  EXPECT_EQ(s.Entries[1].RoundPointsWon[3], 0);
}

TEST(ClearImportHeader, SetsTheSentinelRoundingAndNumbersTheSlots) {
  PoolState s;
  s.ImportPool.SeedFactor[2] = 3;
  ClearImportHeader(s);
  EXPECT_EQ(s.ImportPool.PayoutRounding, -10);
  EXPECT_EQ(s.ImportTeams[5].Number, 5);
  EXPECT_EQ(s.ImportPool.SeedFactor[2], 0);
}

TEST(ClearImportPool, EmptiesTheWorkCopies) {
  PoolState s;
  s.NumImportEntries = 4;
  s.ImportEntries.resize(6);
  ClearImportPool(s);
  EXPECT_EQ(s.NumImportEntries, 0);
  EXPECT_EQ(s.ImportEntries.size(), 2u);
  EXPECT_EQ(s.ImportPicks.MaxEntry(), 1);
}

TEST(EnsurePoolId, KeepsAnIdAndDrawsOneInRange) {
  PoolState s;
  s.Pool.PoolId = 1234;
  FixedRandom high(0.99999999);
  EnsurePoolId(s, high);
  EXPECT_EQ(s.Pool.PoolId, 1234);
  for (double v : {0.0, 0.5, 0.99999999}) {
    s.Pool.PoolId = 0;
    FixedRandom r(v);
    EnsurePoolId(s, r);
    EXPECT_GE(s.Pool.PoolId, 1);
    EXPECT_LE(s.Pool.PoolId, 30000);
  }
}

TEST(PickMatrix, GrowingEntriesKeepsPicksAndBoundsAreChecked) {
  PickMatrix m;
  m.Resize(7, 1);
  m(3, 1) = 5;
  m.ResizeEntries(4);
  EXPECT_EQ(m(3, 1), 5);
  EXPECT_EQ(m(7, 4), 0);
  EXPECT_THROW(m.at(8, 1), std::out_of_range);
  EXPECT_THROW(m.at(1, 5), std::out_of_range);
}

TEST(ScriptedPrompts, RecordsAndAnswersInOrderThenFallsBackToTheDefault) {
  ScriptedPrompts p;
  p.Queue(MsgAnswer::No);
  EXPECT_EQ(p.Ask("a", MsgButtons::YesNoCancel, MsgIcon::Question), MsgAnswer::No);
  EXPECT_EQ(p.Ask("b", MsgButtons::OKCancel, MsgIcon::Exclamation, 2), MsgAnswer::Cancel);
  EXPECT_EQ(p.unanswered, 1);
  EXPECT_TRUE(p.AnyTextContains("b"));
}

}  // namespace
}  // namespace qb
