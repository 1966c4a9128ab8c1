#include <gtest/gtest.h>

#include "entries/logic/participants.h"
#include "pool_builder.h"

namespace qb {
namespace {

using testing::AddBettor;
using testing::AddEntry;

TEST(BettorEntryTotals, CountsCostCollectedAndOwedOfTheParticipantsEntriesOnly) {
  PoolState s;
  s.Pool.CostPerEntry = Currency::FromDouble(5.0);
  int ann = AddBettor(s, "Ann");
  int bob = AddBettor(s, "Bob");
  AddEntry(s, ann, 1, true);
  AddEntry(s, ann, 2);
  AddEntry(s, bob, 1, true);
  AddEntry(s, ann, 3);
  AddEntry(s, 0, 4, true);  // a deleted entry counts for nobody

  BettorEntryTotals t = ComputeBettorEntryTotals(s, ann);
  EXPECT_EQ(t.Count, 3);
  EXPECT_EQ(t.Cost, Currency::FromDouble(15));
  EXPECT_EQ(t.Collected, Currency::FromDouble(5));
  EXPECT_EQ(t.Owed, Currency::FromDouble(10));

  BettorEntryTotals none = ComputeBettorEntryTotals(s, 0);
  EXPECT_EQ(none.Count, 0);
  EXPECT_EQ(none.Cost, Currency());
}

TEST(BettorEntryTotals, IgnoreEntryRecordsBeyondTheEntryCount) {
  PoolState s;
  int ann = AddBettor(s, "Ann");
  AddEntry(s, ann, 1);
  s.Entries.resize(5);
  s.Entries[3].BettorIndex = static_cast<int16_t>(ann);  // a record not in use
  EXPECT_EQ(CountBettorEntries(s, ann), 1);
}

TEST(ListedBettors, LeaveOutDeletedParticipantsAndKeepIndexOrder) {
  PoolState s;
  AddBettor(s, "Cy");
  AddBettor(s, "Ann");
  AddBettor(s, "");
  AddBettor(s, "Bob");
  auto items = ListedBettors(s);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].Name, "Cy");
  EXPECT_EQ(items[1].Index, 2);
  EXPECT_EQ(items[2].Name, "Bob");
  EXPECT_EQ(items[2].Index, 4);
  EXPECT_EQ(ListPositionOf(items, 4), 2);
  EXPECT_EQ(ListPositionOf(items, 3), -1);
  EXPECT_EQ(ListPositionOf(items, 0), -1);
}

TEST(ScrollAheadRow, ShowsFifteenFollowingRowsOrStopsAtTheLast) {
  struct Case {
    int position, count, row;
  } cases[] = {{0, 40, 15}, {29, 40, 39}, {24, 40, 39}, {23, 40, 38}, {0, 1, 0}, {3, 10, 9}};
  for (const Case& c : cases)
    EXPECT_EQ(ScrollAheadRow(c.position, c.count), c.row) << c.position << " of " << c.count;
}

TEST(CheckBettorName, RequiresANameAndRefusesTheExactSpellingOfAnother) {
  PoolState s;
  int ann = AddBettor(s, "Ann Lee");
  AddBettor(s, "Bob");
  struct Case {
    const char* name;
    int current;
    BettorNameCheck result;
  } cases[] = {
      {"", 0, BettorNameCheck::Required},
      {"   ", 0, BettorNameCheck::Required},
      {"Ann Lee", 0, BettorNameCheck::Exists},
      {"Bob", ann, BettorNameCheck::Exists},
      {"ann lee", 0, BettorNameCheck::Ok},  // another letter case is another name
      {"Ann Lee", ann, BettorNameCheck::Ok},  // keeping its own name
      {"Ann Lee ", 0, BettorNameCheck::Ok},
      {"Cy", 0, BettorNameCheck::Ok},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckBettorName(s, c.name, c.current), c.result) << "'" << c.name << "'";
  EXPECT_EQ(BettorNameMessage(BettorNameCheck::Required), "Bettor Name is required.");
  EXPECT_EQ(BettorNameMessage(BettorNameCheck::Exists), "Bettor with this name already exists!");
}

TEST(NewBettorRecord, ReusesADeletedRecordThatNoEntryPointsAt) {
  PoolState s;
  for (const char* n : {"A", "B", "C", "D", "E"}) AddBettor(s, n);
  ClearBettorRecord(s, 3);
  EXPECT_EQ(RecordForNewBettor(s), 3);
  EXPECT_EQ(StoreBettor(s, 0, "F", "555", "f@x", "new"), 3);
  EXPECT_EQ(s.NumBettors, 5);
  EXPECT_EQ(s.Bettors[3].Name, "F");
  EXPECT_EQ(s.Bettors[3].Phone, "555");
  EXPECT_EQ(s.Bettors[3].EMail, "f@x");
  EXPECT_EQ(s.Bettors[3].Info, "new");
}

TEST(NewBettorRecord, NeverTakesARecordALiveEntryStillPointsAt) {
  PoolState s;
  s.Pool.CostPerEntry = Currency::FromDouble(5.0);
  int a = AddBettor(s, "A");
  int b = AddBettor(s, "B");
  int c = AddBettor(s, "C");
  int bEntry = AddEntry(s, b, 1, true);
  AddEntry(s, a, 1);
  ClearBettorRecord(s, b);
  ClearBettorRecord(s, c);

  // B's entry still points at B's record: the newcomer skips it and takes C's.
  EXPECT_EQ(RecordForNewBettor(s), c);
  int added = StoreBettor(s, 0, "New", "", "", "");
  EXPECT_EQ(added, c);
  EXPECT_EQ(CountBettorEntries(s, added), 0);
  EXPECT_EQ(ComputeBettorEntryTotals(s, added).Collected, Currency());

  // With every deleted record still referenced, a new record is appended.
  EXPECT_EQ(RecordForNewBettor(s), 4);
  EXPECT_EQ(StoreBettor(s, 0, "Newer", "", "", ""), 4);
  EXPECT_EQ(s.NumBettors, 4);
  EXPECT_EQ(s.Entries[bEntry].BettorIndex, b);
  EXPECT_EQ(s.Bettors[b].Name, "");
}

TEST(NewBettorRecord, AppendsToAPoolWithNoParticipants) {
  PoolState s;  // Bettors sized as after ClearPool
  EXPECT_EQ(StoreBettor(s, 0, "Ann", "", "", ""), 1);
  EXPECT_EQ(AddBettorByName(s, "Bob"), 2);
  EXPECT_EQ(s.NumBettors, 2);
  ASSERT_GE(s.Bettors.size(), 3u);
  EXPECT_EQ(s.Bettors[2].Name, "Bob");
  EXPECT_EQ(s.Bettors[2].Phone, "");
}

TEST(EntryBettor, AnEntryOfADeletedParticipantHasNone) {
  PoolState s;
  int a = AddBettor(s, "A");
  int b = AddBettor(s, "B");
  int ea = AddEntry(s, a, 1);
  int eb = AddEntry(s, b, 1);
  int gone = AddEntry(s, 0, 2);
  int wild = AddEntry(s, 9, 1);
  ClearBettorRecord(s, b);
  EXPECT_EQ(EntryBettor(s, ea), a);
  EXPECT_EQ(EntryBettor(s, eb), 0);
  EXPECT_EQ(EntryBettor(s, gone), 0);
  EXPECT_EQ(EntryBettor(s, wild), 0);
  EXPECT_EQ(EntryBettor(s, 0), 0);
  EXPECT_EQ(EntryBettor(s, 99), 0);
}

TEST(ClearBettorRecord, EmptiesTheTextFieldsAndKeepsTheRecord) {
  PoolState s;
  int a = AddBettor(s, "A", "1", "a@x", "info");
  AddBettor(s, "B");
  ClearBettorRecord(s, a);
  EXPECT_EQ(s.NumBettors, 2);
  EXPECT_EQ(s.Bettors[a].Name, "");
  EXPECT_EQ(s.Bettors[a].Phone, "");
  EXPECT_EQ(s.Bettors[a].EMail, "");
  EXPECT_EQ(s.Bettors[a].Info, "");
  EXPECT_FALSE(IsLiveBettor(s, a));
  ClearBettorRecord(s, 40);  // outside the list: nothing happens
}

// The entries of a deleted participant stay listed, counted and in the pot,
// under one participant of the name the file gives them when it is reopened.
TEST(DeleteBettor, KeepsTheEntriesUnderUnknownParticipant) {
  PoolState s;
  s.Pool.CostPerEntry = Currency::FromDouble(5.0);
  int ann = AddBettor(s, "Ann");
  int bob = AddBettor(s, "Bob");
  int cy = AddBettor(s, "Cy");
  AddEntry(s, ann, 1, true);
  AddEntry(s, ann, 2);
  AddEntry(s, bob, 1);
  EXPECT_EQ(DeleteBettor(s, cy), 0);  // no entries: nobody new
  EXPECT_EQ(s.NumBettors, 3);

  EXPECT_EQ(DeleteBettor(s, ann), 2);
  const int unknown = s.Entries[1].BettorIndex;
  EXPECT_NE(unknown, ann);
  EXPECT_EQ(unknown, cy);  // Cy's record was free
  EXPECT_EQ(s.Bettors[unknown].Name, "Unknown Participant");
  EXPECT_FALSE(IsLiveBettor(s, ann));
  const BettorEntryTotals t = ComputeBettorEntryTotals(s, unknown);
  EXPECT_EQ(t.Count, 2);
  EXPECT_EQ(t.Collected, Currency::FromDouble(5.0));
  EXPECT_EQ(t.Owed, Currency::FromDouble(5.0));

  EXPECT_EQ(DeleteBettor(s, bob), 1);  // the same Unknown Participant takes Bob's
  EXPECT_EQ(s.Entries[3].BettorIndex, unknown);
  EXPECT_EQ(CountBettorEntries(s, unknown), 3);
  for (int e = 1; e <= 3; ++e) EXPECT_EQ(EntryBettor(s, e), unknown);
}

TEST(DeleteBettorQuestion, NamesTheEntriesThatLoseTheirParticipant) {
  EXPECT_EQ(DeleteBettorQuestion("Ann", 0), "Are you sure you want to delete Ann?");
  EXPECT_EQ(DeleteBettorQuestion("Ann", 1),
            "Ann still has 1 entry, which will be kept under \"Unknown Participant\".\n"
            "Are you sure you want to delete Ann?");
  EXPECT_EQ(DeleteBettorQuestion("Ann", 3),
            "Ann still has 3 entries, which will be kept under \"Unknown Participant\".\n"
            "Are you sure you want to delete Ann?");
}

}  // namespace
}  // namespace qb
