#include <gtest/gtest.h>

#include <random>

#include "entries/logic/pick_board.h"

namespace qb {
namespace {

// A pool with the bracket tables of `slots` slots (a power of two), teams
// "T1".. with seed = slot number unless given.
PoolState MakePool(int slots, bool rePair = false, bool roundByRound = false) {
  PoolState s;
  s.NumSlots = static_cast<int16_t>(slots);
  int rounds = 0;
  while ((1 << rounds) < slots) ++rounds;
  s.NumRounds = static_cast<int16_t>(rounds);
  s.NumGames = static_cast<int16_t>(slots - 1);
  for (int r = 1; r <= rounds; ++r) {
    s.GamesInRound[r] = static_cast<int16_t>(slots >> r);
    s.RoundEnd[r] = static_cast<int16_t>(s.RoundEnd[r - 1] + s.GamesInRound[r]);
    for (int g = s.RoundEnd[r - 1] + 1; g <= s.RoundEnd[r]; ++g) s.GameRound[g] = r;
  }
  for (int t = 1; t <= slots; ++t) {
    s.Teams[t].Number = t;
    s.Teams[t].Name = "T" + std::to_string(t);
    s.Teams[t].Seed = t;
  }
  s.Pool.RePair = rePair;
  s.Pool.RoundByRound = roundByRound;
  s.RoundByRoundOrRePair = rePair || roundByRound;
  return s;
}

void MakeBye(PoolState& s, int slot) {
  s.Teams[slot].Name = "Bye";
  s.Teams[slot].Seed = 0;
  s.ByeGame[(slot + 1) / 2] = true;
}

using Sounds = std::vector<std::string>;

TEST(PlacePickFixed, ALaterRoundPickCarriesTheTeamThroughItsPath) {
  PoolState s = MakePool(16);
  PickBoard b = EmptyBoard(s);
  b[10] = 7;  // another team held the round-2 box
  PlaceOutcome o = PlacePick(s, b, 5, 3, false, 0, 14);
  EXPECT_FALSE(o.refused);
  EXPECT_EQ(b[3], 5);
  EXPECT_EQ(b[10], 5);
  EXPECT_EQ(b[13], 5);  // its own path box, not the one dropped on
  EXPECT_EQ(b[14], 0);
  EXPECT_EQ(o.sounds, (Sounds{"start", "claves", "start"}));
}

TEST(PlacePickFixed, ReplacingAWinnerEmptiesItsLaterPicksOnly) {
  PoolState s = MakePool(16);
  PickBoard b = EmptyBoard(s);
  PlacePick(s, b, 5, 4, false, 0, 15);  // 5 to the final
  PlacePick(s, b, 7, 1, false, 0, 4);
  b[13] = 5;
  PickBoard before = b;
  PlaceOutcome o = PlacePick(s, b, 7, 2, false, 0, 10);
  EXPECT_EQ(b[10], 7);
  EXPECT_EQ(b[13], 0);
  EXPECT_EQ(b[15], 0);
  EXPECT_EQ(b[3], 5);  // round 1 stays
  EXPECT_EQ(o.sounds, (Sounds{"claves", "cork", "cork"}));
  (void)before;
}

TEST(PlacePickFixed, DraggingBackTakesTheLaterRoundsBackAndSidewaysDoesNot) {
  PoolState s = MakePool(16);
  PickBoard b = EmptyBoard(s);
  PlacePick(s, b, 5, 4, false, 0, 15);
  // From its round-3 box back onto a round-2 box.
  PickDropOutcome d = DropOnWinner(s, b, {DragSource::Winner, 13}, 9);
  EXPECT_TRUE(d.changed);
  EXPECT_EQ(b[3], 5);
  EXPECT_EQ(b[10], 5);
  EXPECT_EQ(b[13], 0);
  EXPECT_EQ(b[15], 0);

  // Sideways within round 1 onto a lower-numbered box: the later rounds stay.
  PickBoard c = EmptyBoard(s);
  PlacePick(s, c, 5, 3, false, 0, 13);
  DropOnWinner(s, c, {DragSource::Winner, 3}, 1);
  EXPECT_EQ(c[10], 5);
  EXPECT_EQ(c[13], 5);
}

TEST(PlacePickFixed, DropOnTheTeamColumnRemovesTheTeamEverywhere) {
  PoolState s = MakePool(8);
  PickBoard b = EmptyBoard(s);
  PlacePick(s, b, 3, 3, false, 0, 7);
  PickDropOutcome d = DropOnTeamColumn(s, b, {DragSource::Winner, 5});
  EXPECT_EQ(d.place.sounds, (Sounds{"cork", "cork", "cork"}));
  for (int g = 1; g <= 7; ++g) EXPECT_EQ(b[g], 0) << g;
}

TEST(PlacePickRoundByRound, OnlyTheTargetRoundIsWrittenAndRemovalIsPerRound) {
  PoolState s = MakePool(8, false, true);
  PickBoard b = EmptyBoard(s);
  PlacePick(s, b, 3, 2, false, 0, 6);
  EXPECT_EQ(b[2], 0);
  EXPECT_EQ(b[5], 3);  // its own path box of round 2
  b[2] = 3;
  DropOnTeamColumn(s, b, {DragSource::Winner, 5});
  EXPECT_EQ(b[5], 0);
  EXPECT_EQ(b[2], 3);
  // A backward drag moves the pick: its source box empties.
  b[7] = 3;
  DropOnWinner(s, b, {DragSource::Winner, 7}, 6);
  EXPECT_EQ(b[5], 3);
  EXPECT_EQ(b[7], 0);
}

TEST(PlacePickRePair, TheRulesOfAReparedBracket) {
  PoolState s = MakePool(8, true, false);
  PickBoard b = EmptyBoard(s);
  // Team 4 stands in round 1 box 1; team 3 (its partner) may not go to box 2.
  EXPECT_FALSE(PlacePick(s, b, 4, 1, false, 0, 1).refused);
  EXPECT_TRUE(PlacePick(s, b, 3, 1, false, 0, 2).refused);
  // Round 3 needs a round-2 pick first.
  EXPECT_TRUE(PlacePick(s, b, 4, 3, false, 1, 7).refused);
  // Into round 2, then not again into another round-2 box from round 1 ...
  EXPECT_FALSE(PlacePick(s, b, 4, 2, false, 1, 5).refused);
  EXPECT_TRUE(PlacePick(s, b, 4, 2, false, 1, 6).refused);
  // ... but moved within round 2, its old box empties.
  PlaceOutcome moved = PlacePick(s, b, 4, 2, false, 2, 6);
  EXPECT_FALSE(moved.refused);
  EXPECT_EQ(b[5], 0);
  EXPECT_EQ(b[6], 4);
  // A drop on a round heading does nothing, silently.
  PickBoard before = b;
  PickDropOutcome heading = DropOnRoundHeading(s, b, {DragSource::TeamName, 1}, 1);
  EXPECT_FALSE(heading.place.refused);
  EXPECT_EQ(b, before);
}

TEST(PickBoardByes, ByeGamesHoldTheirTeamAndNeverChange) {
  PoolState s = MakePool(8, true, false);
  MakeBye(s, 8);
  PickBoard b = EmptyBoard(s);
  EXPECT_EQ(b[4], 7);
  EXPECT_TRUE(PlacePick(s, b, 5, 1, true, 1, 4).refused);  // even backward
  DropOnTeamColumn(s, b, {DragSource::Winner, 4});
  EXPECT_EQ(b[4], 7);
  EXPECT_EQ(DraggedTeam(s, b, {DragSource::TeamName, 8}), 0);
  // The locked box carries nothing either, nor a "Bye" read from a file.
  EXPECT_EQ(DraggedTeam(s, b, {DragSource::Winner, 4}), 0);
  b[6] = 8;
  EXPECT_EQ(DraggedTeam(s, b, {DragSource::Winner, 6}), 0);
  b[6] = 0;
  ClearAllPicks(s, b);
  EXPECT_EQ(b[4], 7);
  EXPECT_EQ(b[1], 0);
}

TEST(FillWithHigherSeeds, SmallerSeedWinsTiesGoToTheUpperSlotThenTheLowerFeeder) {
  PoolState s = MakePool(8);
  PickBoard b = EmptyBoard(s);
  FillWithHigherSeeds(s, b);
  EXPECT_EQ(b, (PickBoard{0, 1, 3, 5, 7, 1, 5, 1}));

  for (int t = 1; t <= 8; ++t) s.Teams[t].Seed = 0;
  PickBoard c = EmptyBoard(s);
  FillWithHigherSeeds(s, c);
  EXPECT_EQ(c, (PickBoard{0, 1, 3, 5, 7, 3, 7, 7}));

  // Kept picks stay, even against the rule; a Bye slot is never chosen.
  PoolState t = MakePool(8);
  MakeBye(t, 7);
  t.Teams[8].Seed = 9;
  PickBoard d = EmptyBoard(t);
  d[1] = 2;
  FillWithHigherSeeds(t, d);
  EXPECT_EQ(d[1], 2);
  EXPECT_EQ(d[4], 8);
  EXPECT_EQ(d[6], 5);
}

// Random drops in the fixed bracket never leave a pick that is not in the
// feeder box on its path.
TEST(PlacePickFixed, RandomDropsKeepEveryPickBackedByItsFeeder) {
  for (int slots : {8, 16, 32}) {
    PoolState s = MakePool(slots);
    std::mt19937 rng(1234 + slots);
    PickBoard b = EmptyBoard(s);
    for (int step = 0; step < 3000; ++step) {
      int what = rng() % 4;
      int game = 1 + rng() % s.NumGames;
      DragSource src = (rng() % 2) ? DragSource{DragSource::TeamName, 1 + int(rng() % slots)}
                                   : DragSource{DragSource::Winner, 1 + int(rng() % s.NumGames)};
      if (what == 0)
        DropOnTeamColumn(s, b, src);
      else if (what == 1)
        DropOnRoundHeading(s, b, src, 1 + rng() % s.NumRounds);
      else
        DropOnWinner(s, b, src, game);
      for (int g = 1; g <= s.NumGames; ++g) {
        int t = b[g];
        if (t == 0) continue;
        int r = s.GameRound[g];
        ASSERT_EQ(g, s.RoundEnd[r - 1] + ((t + (1 << r) - 1) >> r)) << "off its path";
        if (r > 1) {
          int feeder = s.RoundEnd[r - 2] + ((t + (1 << (r - 1)) - 1) >> (r - 1));
          ASSERT_EQ(b[feeder], t) << "slots " << slots << " step " << step << " game " << g;
        }
      }
    }
  }
}

// Random drops with Byes in the re-paired and round-by-round modes: no team
// stands twice in one round when re-paired, a re-paired pick without round by
// round is backed by the team's pick in the round before, and the Bye games
// keep their team.
TEST(PlacePick, RandomDropsKeepTheRulesOfEveryMode) {
  struct Mode {
    bool rePair, roundByRound;
  };
  for (Mode m : {Mode{true, false}, Mode{true, true}, Mode{false, true}}) {
    for (int slots : {8, 16, 32}) {
      PoolState s = MakePool(slots, m.rePair, m.roundByRound);
      MakeBye(s, 2);
      MakeBye(s, slots - 1);
      std::mt19937 rng(99 + slots + 2 * m.rePair + m.roundByRound);
      PickBoard b = EmptyBoard(s);
      const PickBoard start = b;
      for (int step = 0; step < 3000; ++step) {
        int what = rng() % 4;
        int game = 1 + rng() % s.NumGames;
        DragSource src = (rng() % 2) ? DragSource{DragSource::TeamName, 1 + int(rng() % slots)}
                                     : DragSource{DragSource::Winner, 1 + int(rng() % s.NumGames)};
        int heading = 1 + rng() % (2 * s.NumRounds);
        if (what == 0)
          DropOnTeamColumn(s, b, src);
        else if (what == 1)
          DropOnRoundHeading(s, b, src, heading);
        else
          DropOnWinner(s, b, src, game);
        const std::string at = "slots " + std::to_string(slots) + " step " + std::to_string(step) +
                               (m.rePair ? " re-paired" : "") +
                               (m.roundByRound ? " round by round" : "");
        for (int g = 1; g <= s.NumGames; ++g) {
          if (s.ByeGame[g]) {
            ASSERT_EQ(b[g], start[g]) << at;
          }
          const int t = b[g];
          ASSERT_FALSE(t != 0 && IsByeSlot(s, t)) << at;
          if (t == 0 || !m.rePair) continue;
          const int r = s.GameRound[g];
          for (int h = g + 1; h <= s.RoundEnd[r]; ++h) ASSERT_NE(b[h], t) << at << " game " << g;
          if (r > 1 && !m.roundByRound) {
            bool backed = false;
            for (int h = s.RoundEnd[r - 2] + 1; h <= s.RoundEnd[r - 1]; ++h) backed |= b[h] == t;
            ASSERT_TRUE(backed) << at << " game " << g;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace qb
