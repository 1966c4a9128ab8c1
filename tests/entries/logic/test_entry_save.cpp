#include <gtest/gtest.h>

#include "core/bracket.h"
#include "core/prompts.h"
#include "entries/logic/entry_save.h"

namespace qb {
namespace {

// An 8-team pool with one entry whose header is complete.
struct SaveFixture : ::testing::Test {
  PoolState s;
  ScriptedPrompts prompts;
  int entry = 0;

  void SetUp() override {
    ClearPool(s);
    s.Pool.NumTeams = 8;
    for (int r = 1; r <= 7; ++r) s.Pool.RoundPoints[r] = static_cast<float>(r);
    for (int t = 1; t <= 8; ++t) {
      s.Teams[t].Number = static_cast<int16_t>(t);
      s.Teams[t].Name = "Team " + std::to_string(t);
      s.Teams[t].Seed = static_cast<int16_t>(t);
    }
    SetupBracketFromParameters(s, prompts);
    s.NumBettors = 1;
    s.Bettors.resize(2);
    s.Bettors[1].Name = "Ann";
    entry = AppendNewEntry(s);
    s.Entries[entry].BettorIndex = 1;
    s.Entries[entry].EntryNumber = 1;
  }
  PickBoard Full() {
    PickBoard b = EmptyBoard(s);
    FillWithHigherSeeds(s, b);
    return b;
  }
};

TEST_F(SaveFixture, NoParticipantOrNumberSendsToTheHeaderWithoutAMessage) {
  s.Entries[entry].EntryNumber = 0;
  EXPECT_EQ(CheckEntryBeforeSave(s, entry, Full(), true, prompts), SaveCheck::NeedHeader);
  EXPECT_EQ(prompts.beeps, 1);
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(SaveFixture, ResultsQuestionOnlyForAChangedEntry) {
  s.Pool.Results[1] = 1;
  EXPECT_EQ(CheckEntryBeforeSave(s, entry, Full(), false, prompts), SaveCheck::Proceed);
  EXPECT_TRUE(prompts.asked.empty());
  prompts.Queue(MsgAnswer::Cancel);
  EXPECT_EQ(CheckEntryBeforeSave(s, entry, Full(), true, prompts), SaveCheck::Cancelled);
  EXPECT_EQ(prompts.LastText(), "Results have been entered!  Do you really want to change this entry?");
}

TEST_F(SaveFixture, IncompleteEntryAsksYesNoButByeGamesAreNotMissing) {
  PickBoard b = Full();
  b[6] = 0;
  prompts.Queue(MsgAnswer::No);
  EXPECT_EQ(CheckEntryBeforeSave(s, entry, b, true, prompts), SaveCheck::Cancelled);
  EXPECT_EQ(prompts.LastText(), "Entry not completely filled.  Quit Anyway?");

  // Slots 7 and 8 both Byes: game 4 has no team and is not a missing pick.
  s.Teams[7].Name = "Bye";
  s.Teams[8].Name = "bye";
  SetupBracketFromParameters(s, prompts);
  PickBoard withByes = EmptyBoard(s);
  EXPECT_EQ(withByes[4], 0);
  FillWithHigherSeeds(s, withByes);
  ScriptedPrompts quiet;
  EXPECT_EQ(CheckEntryBeforeSave(s, entry, withByes, true, quiet), SaveCheck::Proceed);
  EXPECT_TRUE(quiet.asked.empty());
}

TEST_F(SaveFixture, RoundByRoundQuestionsInOrder) {
  s.Pool.RoundByRound = true;
  SetupBracketFromParameters(s, prompts);
  PickBoard b = EmptyBoard(s);
  b[1] = 1;
  b[5] = 1;  // rounds 1 and 2 with no result: silent
  EXPECT_EQ(CheckEntryBeforeSave(s, entry, b, true, prompts), SaveCheck::Proceed);
  EXPECT_TRUE(prompts.asked.empty());
  b[7] = 1;  // round 3: more than one round ahead
  prompts.Queue(MsgAnswer::Cancel);
  EXPECT_EQ(CheckEntryBeforeSave(s, entry, b, true, prompts), SaveCheck::Cancelled);
  EXPECT_TRUE(prompts.AnyTextContains("Picks entered more than one round in advance!"));

  // Three decided games without picks: one question each; Cancel at the second stops.
  PickBoard none = EmptyBoard(s);
  s.Pool.Results[2] = 3;
  s.Pool.Results[3] = 5;
  s.Pool.Results[4] = 7;
  ScriptedPrompts p2;
  p2.Queue(MsgAnswer::OK);
  p2.Queue(MsgAnswer::Cancel);
  EXPECT_EQ(CheckEntryBeforeSave(s, entry, none, true, p2), SaveCheck::Cancelled);
  EXPECT_EQ(p2.asked.size(), 2u);
}

TEST_F(SaveFixture, StoreKeepsTheScoringFiguresThemselves) {
  s.Pool.Results[1] = 1;
  s.Pool.RoundPoints[1] = 1920;  // "1,920.00" on the panel
  SetupBracketFromParameters(s, prompts);
  s.PoolChanged = false;
  EXPECT_EQ(StoreEntry(s, entry, Full(), {12.5f, true}, false), "start");
  EXPECT_FALSE(s.PoolChanged);
  EXPECT_EQ(s.Entries[entry].Points, 1920.0f);
  EXPECT_EQ(s.Entries[entry].RoundPointsWon[1], 1920.0f);
  EXPECT_EQ(s.Entries[entry].GamesWon, 1);
  EXPECT_EQ(s.Entries[entry].Tiebreaker, 12.5f);
  EXPECT_TRUE(s.Entries[entry].Collected);
  EXPECT_EQ(s.Picks(7, entry), 1);
  EXPECT_EQ(StoreEntry(s, entry, Full(), {}, true), "pswitch");
  EXPECT_TRUE(s.PoolChanged);
}

TEST_F(SaveFixture, DiscardTakesOutExactlyThatEntry) {
  int second = AppendNewEntry(s);
  s.Entries[second].EntryNumber = 2;
  s.Picks(1, second) = 2;
  int third = AppendNewEntry(s);
  s.Entries[third].EntryNumber = 3;
  s.Picks(1, third) = 1;
  DiscardEntry(s, second);
  EXPECT_EQ(s.NumEntries, 2);
  EXPECT_EQ(s.Entries[1].EntryNumber, 1);
  EXPECT_EQ(s.Entries[2].EntryNumber, 3);
  EXPECT_EQ(s.Picks(1, 2), 1);
}

}  // namespace
}  // namespace qb
