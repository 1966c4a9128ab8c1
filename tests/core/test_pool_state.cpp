#include <gtest/gtest.h>

#include <array>

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

// A report finds the entries it listed by who they are, not by their names.
TEST(RememberedEntries, FindTheListedEntryWhateverChangedAndNothingInItsPlace) {
  auto pool = [] {
    PoolState s;
    s.NumEntries = 4;
    s.Entries.resize(5);
    for (int e = 1; e <= 4; ++e) {
      s.Entries[e].BettorIndex = 1;
      s.Entries[e].EntryNumber = static_cast<int16_t>(e);
    }
    return s;
  };
  struct Case {
    const char* what;
    void (*change)(PoolState&);
    std::array<int, 5> found;  // Find for listed entries 0..4
  };
  const Case cases[] = {
      {"nothing", [](PoolState&) {}, {0, 1, 2, 3, 4}},
      {"renamed and renumbered",
       [](PoolState& s) {
         s.Entries[2].BettorName = "Renamed";
         s.Entries[2].EntryNumber = 9;
       },
       {0, 1, 2, 3, 4}},
      {"deleted", [](PoolState& s) { s.Entries[3].BettorIndex = 0; }, {0, 1, 2, 0, 4}},
      {"an entry before it removed",
       [](PoolState& s) {
         s.Entries.erase(s.Entries.begin() + 2);
         s.NumEntries = 3;
       },
       {0, 1, 0, 2, 3}},
      {"the last removed and a new one in its place",
       [](PoolState& s) { s.Entries[4] = EntryRecord{}, s.Entries[4].BettorIndex = 1; },
       {0, 1, 2, 3, 0}},
      {"another pool",
       [](PoolState& s) {
         ClearPool(s);
         s.NumEntries = 4;
         s.Entries.resize(5);
         for (int e = 1; e <= 4; ++e) s.Entries[e].BettorIndex = 1;
         for (int e = 1; e <= 4; ++e) EntryIdentity(s, e);
       },
       {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PoolState s = pool();
    RememberedEntries listed;
    listed.Remember(s);
    c.change(s);
    for (int e = 0; e <= 4; ++e) EXPECT_EQ(listed.Find(s, e), c.found[e]) << e;
    EXPECT_EQ(listed.Find(s, 5), 0);
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
