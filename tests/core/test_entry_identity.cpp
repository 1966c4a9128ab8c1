// Entry identities: a report's listed entry is found again after a rename,
// a renumbering or a discard before it, and never in a record made afresh,
// in a deleted entry or in another pool read into the same state.
#include <gtest/gtest.h>

#include <set>

#include "core/entry_identity.h"
#include "pool_file_test_support.h"

namespace qb {
namespace {

// Three live entries of two participants and a deleted one (index 3).
PoolState ThreeLiveEntries() {
  PoolState s;
  s.Bettors.resize(3);
  s.Bettors[1].Name = "Al";
  s.Bettors[2].Name = "Bo";
  s.NumBettors = 2;
  const int bettor[] = {0, 1, 2, 0, 1};
  s.Entries.resize(5);
  s.NumEntries = 4;
  for (int e = 1; e <= 4; ++e) {
    s.Entries[e].BettorIndex = static_cast<int16_t>(bettor[e]);
    s.Entries[e].EntryNumber = static_cast<int16_t>(e);
  }
  return s;
}

TEST(EntryIdentity, AListedEntryIsFoundAsLongAsItLivesInThePool) {
  struct Case {
    const char* what;
    void (*change)(PoolState&);
    int listed;  // index the report listed
    int found;   // index it is found at now; 0 refused
  };
  const Case cases[] = {
      {"unchanged", [](PoolState&) {}, 2, 2},
      {"participant renamed", [](PoolState& s) { s.Bettors[2].Name = "Bob"; }, 2, 2},
      {"renumbered", [](PoolState& s) { s.Entries[2].EntryNumber = 9; }, 2, 2},
      {"deleted", [](PoolState& s) { s.Entries[2].BettorIndex = 0; }, 2, 0},
      {"the entry before it taken out",
       [](PoolState& s) {
         s.Entries.erase(s.Entries.begin() + 1);
         --s.NumEntries;
       },
       4, 3},
      {"a record made afresh in its place under the same caption",
       [](PoolState& s) {
         s.Entries[4] = EntryRecord{};
         GiveEntryIdentity(s, 4);
         s.Entries[4].BettorIndex = 1;
         s.Entries[4].EntryNumber = 4;
       },
       4, 0},
      {"a new pool with the same entries", [](PoolState& s) {
         const PoolState again = ThreeLiveEntries();
         ClearPool(s);
         s.Bettors = again.Bettors;
         s.Entries = again.Entries;
         s.NumEntries = again.NumEntries;
         GiveEntryIdentities(s);
       },
       1, 0},
      {"an index not listed: the deleted entry", [](PoolState& s) {
         s.Entries[3].BettorIndex = 1;
       },
       3, 0},
      {"an index beyond the listing", [](PoolState&) {}, 7, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PoolState s = ThreeLiveEntries();
    const ListedEntryIds listed(s);
    c.change(s);
    EXPECT_EQ(listed.Find(s, c.listed), c.found);
  }
}

TEST(EntryIdentity, AStateWithoutEntryRecordsListsAndFindsNone) {
  for (const int count : {0, 3}) {
    SCOPED_TRACE(count);
    PoolState s;
    s.Entries.clear();
    s.NumEntries = static_cast<int16_t>(count);
    GiveEntryIdentities(s);
    EXPECT_EQ(s.LastEntryIdentity, 0u);
    EXPECT_EQ(FindLiveEntry(s, 1, 1), 0);
    const ListedEntryIds listed(s);
    EXPECT_EQ(listed.Find(s, 1), 0);
  }
}

class EntryIdentityRead : public qb::testing::PoolFileTest {};

TEST_F(EntryIdentityRead, EveryEntryReadGetsItsOwnAndAnotherReadNewOnes) {
  std::set<uint32_t> seen;
  for (int read = 0; read < 2; ++read) {
    ASSERT_TRUE(Read(qb::testing::Fixture("pool_5_teams.qbp")));
    for (int e = 1; e <= s.NumEntries; ++e) {
      EXPECT_NE(s.Entries[e].Identity, 0u);
      EXPECT_TRUE(seen.insert(s.Entries[e].Identity).second) << "entry " << e;
    }
  }
}

}  // namespace
}  // namespace qb
