#include "reports/logic/print_form.h"

#include <gtest/gtest.h>

#include "core/bracket.h"
#include "entries/logic/bracket_pool.h"

namespace qb {
namespace {

using testing::AddPoolBettor;
using testing::AddPoolEntry;
using testing::MakeBracketPool;

std::tm Today() {
  std::tm t{};
  t.tm_mday = 10;
  t.tm_mon = 11;
  t.tm_year = 126;
  return t;
}

class PrintFormTest : public ::testing::Test {
 protected:
  PoolState s;
  PrintFormContents Load(int document) { return LoadPrintForm(s, document, Today()); }
};

TEST_F(PrintFormTest, BlankFormWithoutInstructionsShowsTheDefaultSentenceAndStoresIt) {
  MakeBracketPool(s, 8);
  s.Pool.PoolName = "Office & Friends";
  PrintFormContents c = Load(kBlankPoolForm);
  EXPECT_EQ(c.fileName, "Office & Friends");
  EXPECT_EQ(c.instructions, "Type instructions to pool participants here.");
  EXPECT_TRUE(c.showInstructions);
  EXPECT_TRUE(c.showNameFrame);
  EXPECT_FALSE(c.showHeader);
  EXPECT_FALSE(c.showScoring);
  EXPECT_FALSE(c.showFilled);
  s.PoolChanged = false;
  StoreInstructions(s, c);
  EXPECT_EQ(s.Pool.PoolInstructions, "Type instructions to pool participants here.");
  EXPECT_TRUE(s.PoolChanged);
  // Unchanged instructions leave the pool unchanged.
  s.PoolChanged = false;
  StoreInstructions(s, Load(kBlankPoolForm));
  EXPECT_FALSE(s.PoolChanged);
}

TEST_F(PrintFormTest, ResultsAndEntriesNeverChangeTheInstructions) {
  MakeBracketPool(s, 8);
  s.Pool.PoolInstructions = "Hand in by Friday.";
  AddPoolEntry(s, AddPoolBettor(s, "Ann"), 1);
  for (int document : {kResultsForm, 1}) {
    PrintFormContents c = Load(document);
    c.instructions = "typed over";
    s.PoolChanged = false;
    StoreInstructions(s, c);
    EXPECT_EQ(s.Pool.PoolInstructions, "Hand in by Friday.");
    EXPECT_FALSE(s.PoolChanged);
  }
}

TEST_F(PrintFormTest, ByeGamesAdvanceThePartnerLockedOnLightOrange) {
  MakeBracketPool(s, 7);  // slot 8 is a Bye against slot 7
  PrintFormContents c = Load(kBlankPoolForm);
  const WinnerBoxContents& bye = c.winners[4];
  EXPECT_EQ(bye.text, "Team 7");  // the name without seed
  EXPECT_EQ(bye.slot, 7);
  EXPECT_EQ(bye.seed, "7");
  EXPECT_TRUE(bye.locked);
  EXPECT_EQ(bye.colour, BoxColour::LightOrange);
  for (int g : {1, 2, 3, 5, 6, 7}) {
    EXPECT_EQ(c.winners[g].slot, 0) << g;
    EXPECT_FALSE(c.winners[g].locked) << g;
  }
  EXPECT_EQ(c.teamNames[8], "Bye");
  EXPECT_EQ(c.teamSeeds[8], "0");
}

TEST_F(PrintFormTest, FillKeepsByesAndEarlierFillsAndASecondFillChangesNothing) {
  MakeBracketPool(s, 7);
  s.Teams[3].Seed = 0;  // unseeded beats any seed, equal seeds go to the first contender
  PrintFormContents c = Load(kBlankPoolForm);
  ASSERT_TRUE(FillWithHigherSeeds(s, c));
  EXPECT_EQ(c.winners[4].text, "Team 7");
  EXPECT_TRUE(c.winners[4].locked);
  EXPECT_EQ(c.winners[1].text, "1 Team 1");
  EXPECT_EQ(c.winners[2].text, "Team 3");  // seed 0 against seed 4
  EXPECT_EQ(c.winners[2].slot, 3);
  // Round 2: the lower feeder is the first contender; seed 0 beats seed 1.
  EXPECT_EQ(c.winners[5].slot, 3);
  EXPECT_EQ(c.winners[6].slot, 5);
  EXPECT_EQ(c.winners[7].slot, 3);
  EXPECT_TRUE(c.showFilled);
  PrintFormContents again = c;
  FillWithHigherSeeds(s, again);
  for (int g = 1; g <= 7; ++g) EXPECT_EQ(again.winners[g].text, c.winners[g].text) << g;
}

TEST_F(PrintFormTest, EqualSeedsGoToTheFirstContender) {
  MakeBracketPool(s, 4);
  for (int t = 1; t <= 4; ++t) s.Teams[t].Seed = 2;
  PrintFormContents c = Load(kBlankPoolForm);
  FillWithHigherSeeds(s, c);
  EXPECT_EQ(c.winners[1].slot, 1);
  EXPECT_EQ(c.winners[2].slot, 3);
  EXPECT_EQ(c.winners[3].slot, 3);  // the lower feeder's team
}

TEST_F(PrintFormTest, FillOnlyOnTheBlankPoolForm) {
  MakeBracketPool(s, 8);
  AddPoolEntry(s, AddPoolBettor(s, "Ann"), 1, {1});
  for (int document : {kResultsForm, 1}) {
    PrintFormContents c = Load(document);
    PrintFormContents before = c;
    EXPECT_FALSE(FillWithHigherSeeds(s, c)) << document;
    for (int g = 1; g <= 7; ++g) EXPECT_EQ(c.winners[g].text, before.winners[g].text);
    EXPECT_FALSE(c.showFilled);
  }
}

TEST_F(PrintFormTest, EntryHeaderPicksScoringAndColours) {
  MakeBracketPool(s, 8);
  int ann = AddPoolBettor(s, "Ann O'Neil");
  // Picks: game 1 slot 1 (won), game 2 slot 4 (lost), game 3 nothing,
  // game 4 slot 7 (open), game 5 slot 1 (open), game 6 slot 7, final slot 4 (out).
  int e = AddPoolEntry(s, ann, 12, {1, 4, 0, 7, 1, 7, 4});
  s.Entries[e].Tiebreaker = 141;
  s.Pool.TiebreakerUsed = true;
  s.Pool.TiebreakerType = "Points in Final - Winner";
  ScriptedPrompts prompts;
  SetupBracketFromParameters(s, prompts);
  s.Pool.Results[1] = 1;
  s.Pool.Results[2] = 3;
  ResetTeamAdvance(s);
  PrintFormContents c = Load(e);
  EXPECT_EQ(c.header, "Entry # 12 for Ann O'Neil");
  EXPECT_TRUE(c.showHeader);
  EXPECT_TRUE(c.showScoring);
  EXPECT_FALSE(c.showInstructions);
  EXPECT_FALSE(c.showNameFrame);
  EXPECT_FALSE(c.showFilled);
  EXPECT_EQ(c.winners[1].text, "1 Team 1");
  EXPECT_EQ(c.winners[1].colour, BoxColour::Yellow);
  EXPECT_TRUE(c.winners[2].lostPick);
  EXPECT_EQ(c.winners[2].colour, BoxColour::White);  // the colour stays
  EXPECT_EQ(c.winners[3].text, " ");
  EXPECT_EQ(c.winners[3].colour, BoxColour::Red);
  EXPECT_EQ(c.winners[4].colour, BoxColour::White);
  EXPECT_FALSE(c.winners[4].lostPick);
  EXPECT_TRUE(c.winners[7].lostPick);  // slot 4 is out of the tournament
  EXPECT_TRUE(c.showTiebreaker);
  EXPECT_EQ(c.tiebreakerType, "Points in Final - Winner");
  EXPECT_EQ(c.tiebreakerAmount, "141");
  EXPECT_EQ(c.gamesWon[0], "1");
  EXPECT_EQ(c.pointsWon[0], "10");
  EXPECT_EQ(c.gamesWon[1], "1");
  EXPECT_EQ(c.gamesWon[2], "0");
}

TEST_F(PrintFormTest, RePairedPickThatScoredIsShownCorrect) {
  MakeBracketPool(s, 8);
  s.Pool.RePair = true;
  ScriptedPrompts prompts;
  SetupBracketFromParameters(s, prompts);
  // Round 2 re-paired: slot 1 won the second game of the round, not the first.
  int e = AddPoolEntry(s, AddPoolBettor(s, "Di"), 1, {1, 3, 5, 7, 1, 5, 1});
  for (int g = 1; g <= 4; ++g) s.Pool.Results[g] = static_cast<int16_t>(2 * g - 1);
  s.Pool.Results[6] = 1;
  ResetTeamAdvance(s);
  PrintFormContents c = Load(e);
  EXPECT_EQ(c.gamesWon[2], "1");
  EXPECT_EQ(c.winners[5].colour, BoxColour::Yellow);
  EXPECT_FALSE(c.winners[5].lostPick);
}

TEST_F(PrintFormTest, UpsetsPerRoundAndInTotal) {
  MakeBracketPool(s, 8);  // seeds 1..8 by slot
  int e = AddPoolEntry(s, AddPoolBettor(s, "Bo"), 1, {2, 3, 6, 8, 2, 8, 8});
  PrintFormContents c = Load(e);
  // Round 1: 2 over 1, 6 over 5 and 8 over 7 are upsets; 3 over 4 is not.
  EXPECT_EQ(c.upsets[1], " 3 -  75%");
  EXPECT_EQ(c.upsets[2], " 2 -  100%");
  EXPECT_EQ(c.upsets[3], " 1 -  100%");
  EXPECT_EQ(c.upsets[0], " 6 -  86%");
  int none = AddPoolEntry(s, 1, 2, {1, 3, 5, 7, 1, 5, 1});
  PrintFormContents n = Load(none);
  for (int r = 0; r <= 3; ++r) EXPECT_EQ(n.upsets[r], " 0 -  0%") << r;
}

TEST_F(PrintFormTest, UpsetPercentagesCountGamesWithoutAByeAndRoundHalfUp) {
  MakeBracketPool(s, 7);  // slot 8 is a Bye: three real games in the first round
  ASSERT_EQ(s.NonByeGamesInRound[1], 3);
  int one = AddPoolEntry(s, AddPoolBettor(s, "Cy"), 1, {2, 3, 5, 7});
  int two = AddPoolEntry(s, 1, 2, {2, 4, 5, 7});
  EXPECT_EQ(Load(one).upsets[1], " 1 -  33%");
  EXPECT_EQ(Load(two).upsets[1], " 2 -  67%");
}

TEST_F(PrintFormTest, ResultsShowTheWinnersLabelsAndTheActualTiebreaker) {
  MakeBracketPool(s, 7);
  s.Pool.PoolName = "Pool";
  s.Pool.TiebreakerUsed = true;
  s.Pool.TiebreakerType = "Points in Final - Winner";
  ScriptedPrompts prompts;
  SetupBracketFromParameters(s, prompts);
  s.Pool.Results[1] = 2;
  s.Pool.TiebreakerActual = 77;
  PrintFormContents c = Load(kResultsForm);
  EXPECT_EQ(c.fileName, "Results for Pool");
  EXPECT_EQ(c.header, " -- As of 12/10/2026");
  EXPECT_EQ(c.instructions, " ");
  EXPECT_TRUE(c.showInstructions);
  EXPECT_FALSE(c.showNameFrame);
  EXPECT_EQ(c.winners[1].text, "2 Team 2");
  EXPECT_EQ(c.winners[2].text, " ");
  // The Bye game has no recorded winner: its advanced team is written over.
  EXPECT_EQ(c.winners[4].text, " ");
  EXPECT_EQ(c.tiebreakerAmount, "77");
}

TEST_F(PrintFormTest, AnyOtherDocumentShowsTheBracketAndTeamsOnly) {
  MakeBracketPool(s, 8);
  for (int document : {0, -3, 5}) {
    PrintFormContents c = Load(document);
    EXPECT_FALSE(c.knownDocument) << document;
    EXPECT_FALSE(c.showInstructions || c.showScoring || c.showHeader || c.showNameFrame);
    EXPECT_EQ(c.teamNames[1], "Team 1");
  }
}

TEST_F(PrintFormTest, ParameterPanels) {
  MakeBracketPool(s, 16);
  s.Pool.RoundPoints[2] = 0;
  s.Pool.PayoutPct = {5, 50, 30, 20, 0, 0};
  s.Pool.CostPerEntry = Currency::FromDouble(5);
  ScriptedPrompts prompts;
  SetupBracketFromParameters(s, prompts);
  PrintFormContents c = Load(kBlankPoolForm);
  EXPECT_EQ(c.roundPoints[1], "10.00");
  EXPECT_EQ(c.roundPoints[2], ".00");
  EXPECT_EQ(c.roundPoints[4], "40.00");
  EXPECT_EQ(c.roundPoints[5], "");  // 4 rounds: rows 5 and 6 stay empty
  EXPECT_EQ(c.payouts, " 1st- 50%   2nd- 30%   3rd- 20%  Booby- 5%  ");
  EXPECT_EQ(c.costPerEntry, "$5.00");
  s.Pool.PayoutPct = {5, 0, 0, 0, 0, 0};
  SetupBracketFromParameters(s, prompts);
  EXPECT_EQ(Load(kBlankPoolForm).payouts, "Booby- 5%  ");
}

TEST(TeamLabelText, SeedBlankAndNameOrTheNameAlone) {
  PoolState s;
  s.Teams[3] = {3, "Rovers", 4, true};
  s.Teams[4] = {4, "Town", 0, true};
  EXPECT_EQ(TeamLabel(s, 3), "4 Rovers");
  EXPECT_EQ(TeamLabel(s, 4), "Town");
  EXPECT_EQ(TeamLabel(s, 200), "");
}

}  // namespace
}  // namespace qb
