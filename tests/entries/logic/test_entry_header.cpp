#include <gtest/gtest.h>

#include "entries/logic/entry_header.h"
#include "entries/logic/participants.h"
#include "pool_builder.h"

namespace qb {
namespace {

using testing::AddBettor;
using testing::AddEntry;

TEST(TypeAheadMatch, FindsTheFirstItemThatBeginsWithTheTypedText) {
  std::vector<std::string> items{"Bob Lane", "Bobby Ray", "Ann", "\xC3\x89mile", "bo"};
  struct Case {
    const char* typed;
    int position;
  } cases[] = {
      {"", -1},   {"B", 0},  {"bob", 0},      {"BOBB", 1},  {"Bobby Ray", 1},
      {"a", 2},   {"Ann", 2}, {"Anne", -1},   {"x", -1},    {"\xC3\xA9", 3},  // é finds É
      {"bo", 0},  // the first item wins over an exact later one
  };
  for (const Case& c : cases) EXPECT_EQ(TypeAheadMatch(items, c.typed), c.position) << c.typed;
  EXPECT_EQ(TypeAheadMatch({}, "a"), -1);
}

TEST(RoundEntryNumber, ReadsTheLeadingNumberAndRoundsHalvesToEven) {
  struct Case {
    const char* text;
    std::optional<int16_t> number;
  } cases[] = {
      {" 3", 3},        {"2.5", 2},      {"3.5", 4},     {"2.51", 3},       {"0.5", 0},
      {"", 0},          {"abc", 0},      {"7abc", 7},    {"1 2", 12},       {"-4", -4},
      {"32767", 32767}, {"32767.4", 32767}, {"32767.5", std::nullopt}, {"40000", std::nullopt},
      {"1e3", 1000},    {"1e999", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundEntryNumber(c.text), c.number) << c.text;
}

TEST(ProposeEntryNumber, IsOneAboveTheParticipantsHighestEntry) {
  PoolState s;
  int ann = AddBettor(s, "Ann");
  int bob = AddBettor(s, "Bob");
  AddEntry(s, ann, 1);
  AddEntry(s, ann, 5);
  AddEntry(s, bob, 9);
  AddEntry(s, ann, 2);
  int deleted = AddEntry(s, 0, 20);
  (void)deleted;
  EXPECT_EQ(ProposeEntryNumber(s, ann), " 6");
  EXPECT_EQ(ProposeEntryNumber(s, AddBettor(s, "Cy")), " 1");
  EXPECT_EQ(ProposeEntryNumber(s, 0), "1");
  EXPECT_EQ(ProposeEntryNumber(s, -1), "1");
}

class HeaderCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ann = AddBettor(s, "Ann");
    bob = AddBettor(s, "Bob");
    annFirst = AddEntry(s, ann, 1);
    annSecond = AddEntry(s, ann, 2);
    fresh = AddEntry(s, 0, 0);  // a new entry just grown by the entry selection
  }
  PoolState s;
  int ann = 0, bob = 0, annFirst = 0, annSecond = 0, fresh = 0;
};

TEST_F(HeaderCheckTest, RefusalsComeInOrderWithTheirMessagesAndFocus) {
  struct Case {
    int entry;
    const char* name;
    int selected;
    const char* number;
    HeaderRefusal refusal;
    const char* message;
    HeaderFocus focus;
  } cases[] = {
      {0, "Ann", 1, "3", HeaderRefusal::NoEntry, "Unexpected Error - No Entry is current",
       HeaderFocus::None},
      {9, "Ann", 1, "3", HeaderRefusal::NoEntry, "Unexpected Error - No Entry is current",
       HeaderFocus::None},
      {3, "", 0, "", HeaderRefusal::NoName, "Please pick a participant name or add a new one.",
       HeaderFocus::Name},
      {3, "  ", 0, "1", HeaderRefusal::NoName,
       "Please pick a participant name or add a new one.", HeaderFocus::Name},
      {3, "Ann", 1, "", HeaderRefusal::NoNumber, "Entry number is needed to add the entry.",
       HeaderFocus::Number},
      {3, "Ann", 1, "0", HeaderRefusal::NoNumber, "Entry number is needed to add the entry.",
       HeaderFocus::Number},
      {3, "Ann", 1, "abc", HeaderRefusal::NoNumber, "Entry number is needed to add the entry.",
       HeaderFocus::Number},
      {3, "Ann", 1, "0.6", HeaderRefusal::NoNumber, "Entry number is needed to add the entry.",
       HeaderFocus::Number},
      {3, "Ann", 1, "40000", HeaderRefusal::NoNumber, "Entry number is needed to add the entry.",
       HeaderFocus::Number},
      {3, "Ann", 1, " 2", HeaderRefusal::Duplicate, "Name 'Ann', entry number 2 already exists.",
       HeaderFocus::Number},
      // Rounded before the check: 2.5 would be stored as 2, beside Ann's #2.
      {3, "Ann", 1, "2.5", HeaderRefusal::Duplicate,
       "Name 'Ann', entry number 2 already exists.", HeaderFocus::Number},
      {3, "Ann", 0, "1", HeaderRefusal::Duplicate, "Name 'Ann', entry number 1 already exists.",
       HeaderFocus::Number},
  };
  for (const Case& c : cases) {
    HeaderCheck check = CheckEntryHeader(s, c.entry, c.name, c.selected, c.number);
    EXPECT_EQ(check.Refusal, c.refusal) << c.name << " " << c.number;
    EXPECT_EQ(check.Message, c.message) << c.name << " " << c.number;
    EXPECT_EQ(check.Focus, c.focus) << c.name << " " << c.number;
  }
}

TEST_F(HeaderCheckTest, AcceptedChecksNameTheParticipantAndTheStoredNumber) {
  struct Case {
    int entry;
    const char* name;
    int selected;
    const char* number;
    int bettor;
    int16_t stored;
  } cases[] = {
      {3, "Ann", 1, " 3", 1, 3},
      {3, "Ann", 1, "3.5", 1, 4},
      {1, "Ann", 1, "1", 1, 1},  // the entry's own number
      {3, "Bob", 2, "1", 2, 1},
      {3, "Bob", 0, "2", 2, 2},       // typed exactly like a listed name
      {3, "bob", 0, "1", 0, 1},       // another spelling: a new participant
      {3, "Carla", 0, "1", 0, 1},
      {3, "Carla", 1, "1", 0, 1},     // a stale selection does not rename the choice
      {3, "Ann", 0, "32767", 1, 32767},
  };
  for (const Case& c : cases) {
    HeaderCheck check = CheckEntryHeader(s, c.entry, c.name, c.selected, c.number);
    EXPECT_EQ(check.Refusal, HeaderRefusal::None) << c.name << " " << c.number << check.Message;
    EXPECT_EQ(check.Bettor, c.bettor) << c.name << " " << c.number;
    EXPECT_EQ(check.EntryNumber, c.stored) << c.name << " " << c.number;
  }
}

TEST_F(HeaderCheckTest, DeletedEntriesNeverClash) {
  s.Entries[annSecond].BettorIndex = 0;
  EXPECT_EQ(CheckEntryHeader(s, fresh, "Ann", ann, "2").Refusal, HeaderRefusal::None);
}

TEST_F(HeaderCheckTest, StoringANewNameAddsAParticipantWithOnlyThatName) {
  HeaderCheck check = CheckEntryHeader(s, fresh, "Carla", 0, "1");
  ASSERT_EQ(check.Refusal, HeaderRefusal::None);
  EXPECT_TRUE(StoreEntryHeader(s, fresh, "Carla", check));
  EXPECT_EQ(s.NumBettors, 3);
  EXPECT_EQ(s.Bettors[3].Name, "Carla");
  EXPECT_EQ(s.Bettors[3].Phone, "");
  EXPECT_EQ(s.Bettors[3].EMail, "");
  EXPECT_EQ(s.Bettors[3].Info, "");
  EXPECT_EQ(s.Entries[fresh].BettorIndex, 3);
  EXPECT_EQ(s.Entries[fresh].EntryNumber, 1);
}

TEST_F(HeaderCheckTest, StoringReportsWhetherAnythingChanged) {
  HeaderCheck same = CheckEntryHeader(s, annSecond, "Ann", ann, " 2");
  EXPECT_FALSE(StoreEntryHeader(s, annSecond, "Ann", same));
  HeaderCheck renumber = CheckEntryHeader(s, annSecond, "Ann", ann, "7");
  EXPECT_TRUE(StoreEntryHeader(s, annSecond, "Ann", renumber));
  EXPECT_EQ(s.Entries[annSecond].EntryNumber, 7);
  HeaderCheck move = CheckEntryHeader(s, annSecond, "Bob", bob, "7");
  EXPECT_TRUE(StoreEntryHeader(s, annSecond, "Bob", move));
  EXPECT_EQ(s.Entries[annSecond].BettorIndex, bob);

  HeaderCheck refused = CheckEntryHeader(s, fresh, "Ann", ann, "1");
  EXPECT_FALSE(StoreEntryHeader(s, fresh, "Ann", refused));
  EXPECT_EQ(s.Entries[fresh].BettorIndex, 0);
}

}  // namespace
}  // namespace qb
