#include <gtest/gtest.h>

#include "bracket_pool.h"
#include "core/payout.h"
#include "entries/logic/entry_list.h"

namespace qb {
namespace {

using namespace qb::testing;

TEST(EntryList, ByNameThenNumberWithoutDeletedEntriesOrParticipants) {
  PoolState s;
  MakeBracketPool(s, 8);
  int zed = AddPoolBettor(s, "zed");
  int ann = AddPoolBettor(s, "Ann");
  int gone = AddPoolBettor(s, "Gone");
  AddPoolEntry(s, zed, 1);
  AddPoolEntry(s, ann, 2);
  AddPoolEntry(s, ann, 1);
  int deleted = AddPoolEntry(s, ann, 3);
  s.Entries[deleted].BettorIndex = 0;
  AddPoolEntry(s, gone, 1);
  s.Bettors[gone] = BettorRecord{};  // a deleted participant keeps its record empty

  std::vector<EntryListItem> items = ListedEntries(s);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].Index, 3);
  EXPECT_EQ(items[1].Index, 2);
  EXPECT_EQ(items[2].Index, 1);
  EXPECT_EQ(EntryLabel(items[0]), "Ann  #1");

  std::vector<EntryListItem> others = ListedEntries(s, 2);
  ASSERT_EQ(others.size(), 2u);
  EXPECT_EQ(others[0].Index, 3);
}

TEST(EntryList, DeleteKeepsTheRecordAndItsPicksWithoutAParticipant) {
  PoolState s;
  MakeBracketPool(s, 8);
  s.Pool.CostPerEntry = Currency::FromDouble(5);
  int ann = AddPoolBettor(s, "Ann");
  AddPoolEntry(s, ann, 1, {1, 3, 5, 7});
  int second = AddPoolEntry(s, ann, 2, {2});
  s.Entries[second].Collected = true;
  ComputeCollectedTotals(s);
  ASSERT_EQ(s.CollectedTotal, Currency::FromDouble(5));

  DeleteEntry(s, second);
  EXPECT_EQ(s.NumEntries, 2);
  EXPECT_EQ(s.Entries[second].BettorIndex, 0);
  EXPECT_EQ(s.Picks(1, second), 2);
  EXPECT_TRUE(s.PoolChanged);
  EXPECT_EQ(s.CollectedTotal, Currency());
  EXPECT_EQ(s.OwedTotal, Currency::FromDouble(5));
  DeleteEntry(s, 9);  // outside the entries: nothing
  EXPECT_EQ(s.NumEntries, 2);
}

}  // namespace
}  // namespace qb
