#include <gtest/gtest.h>

#include "bracket_pool.h"
#include "entries/logic/editor_layout.h"

namespace qb {
namespace {

using testing::MakeBracketPool;

bool Overlap(const TwipRect& a, const TwipRect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

struct SizeCase {
  int teams;
  bool dual;
  int width;
};

TEST(EditorLayout, WindowWidthFromTheRoundsWithItsMinimum) {
  for (const SizeCase& c : {SizeCase{4, false, 8500}, SizeCase{8, false, 8500},
                            SizeCase{32, false, 9500}, SizeCase{64, false, 10700},
                            SizeCase{64, true, 18800}, SizeCase{4, true, 9200}}) {
    PoolState s;
    MakeBracketPool(s, c.teams, c.dual);
    EXPECT_EQ(LayoutEntryEditor(s, false).width, c.width) << c.teams << (c.dual ? " dual" : "");
  }
}

TEST(EditorLayout, DualSidedIsLowerByHalfTheRows) {
  PoolState single, dual;
  MakeBracketPool(single, 64, false);
  MakeBracketPool(dual, 64, true);
  EXPECT_EQ(LayoutEntryEditor(single, false).height - LayoutEntryEditor(dual, false).height, 8000);
}

TEST(EditorLayout, SlotsOfOneGameStandCloserAndWinnersHalfWayBetweenTheirFeeders) {
  PoolState s;
  MakeBracketPool(s, 16);
  EditorLayout l = LayoutEntryEditor(s, false);
  EXPECT_EQ(l.teamName[2].top - l.teamName[1].top, 210);
  EXPECT_EQ(l.teamName[3].top - l.teamName[2].top, 290);
  for (int g = 1; g <= s.RoundEnd[1]; ++g)
    EXPECT_EQ(l.winner[g].top * 2, l.teamName[2 * g - 1].top + l.teamName[2 * g].top) << g;
  for (int r = 2; r <= s.NumRounds; ++r) {
    for (int g = s.RoundEnd[r - 1] + 1; g <= s.RoundEnd[r]; ++g) {
      int k = g - s.RoundEnd[r - 1];
      int a = s.RoundEnd[r - 2] + 2 * k - 1;
      EXPECT_EQ(l.winner[g].top * 2, l.winner[a].top + l.winner[a + 1].top) << g;
      EXPECT_EQ(l.winner[g].left - l.winner[a].left, 1200);
    }
  }
}

TEST(EditorLayout, DualSidedMirrorsTheLowerHalfBesideTheUpperAndCentresTheFinal) {
  PoolState s;
  MakeBracketPool(s, 32, true);
  EditorLayout l = LayoutEntryEditor(s, false);
  const int half = s.NumSlots / 2;
  for (int t = 1; t <= half; ++t) {
    EXPECT_EQ(l.teamName[t + half].top, l.teamName[t].top);
    EXPECT_EQ(l.teamName[t + half].left, l.width - l.teamName[t].left - 1500);
  }
  const TwipRect final = l.winner[s.NumGames];
  EXPECT_NEAR(final.left + final.width / 2, l.width / 2, 100);
  EXPECT_GT(final.top, l.winner[s.RoundEnd[s.NumRounds - 1] - 1].top);
}

TEST(EditorLayout, NoTwoBoxesOverlapAndAllStandAboveTheScoring) {
  for (int teams : {4, 8, 13, 32, 64}) {
    for (bool dual : {false, true}) {
      PoolState s;
      MakeBracketPool(s, teams, dual);
      s.NumericTiebreaker = true;
      EditorLayout l = LayoutEntryEditor(s, true);
      std::vector<TwipRect> boxes;
      for (int t = 1; t <= s.NumSlots; ++t) {
        boxes.push_back(l.teamId[t]);
        boxes.push_back(l.teamName[t]);
        boxes.push_back(l.teamSeed[t]);
      }
      for (int g = 1; g <= s.NumGames; ++g) {
        boxes.push_back(l.winner[g]);
        boxes.push_back(l.winnerSeed[g]);
      }
      for (size_t i = 1; i < l.roundCaption.size(); ++i) boxes.push_back(l.roundCaption[i].box);
      for (size_t i = 1; i < l.bottomCaption.size(); ++i) boxes.push_back(l.bottomCaption[i].box);
      boxes.push_back(l.tiebreakerFrame);
      boxes.push_back(l.collected);
      boxes.push_back(l.scoringFrame);
      boxes.push_back(l.statsFrame);
      for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_GE(boxes[i].left, 0);
        EXPECT_LE(boxes[i].right(), l.width) << teams << " box " << i;
        EXPECT_LE(boxes[i].bottom(), l.height) << teams << " box " << i;
        for (size_t j = i + 1; j < boxes.size(); ++j)
          EXPECT_FALSE(Overlap(boxes[i], boxes[j]))
              << teams << (dual ? " dual" : "") << ": boxes " << i << " and " << j;
      }
    }
  }
}

TEST(EditorLayout, CaptionsNameTheRoundTheColumnsTeamsPlay) {
  EXPECT_EQ(RoundCaptionText(1, 6), " ---- Round 1 ---- ");
  EXPECT_EQ(RoundCaptionText(4, 6), " ---- Round 4 ---- ");
  EXPECT_EQ(RoundCaptionText(5, 6), " -- Semi-Finals -- ");
  EXPECT_EQ(RoundCaptionText(6, 6), " ------ Finals ------ ");
  EXPECT_EQ(RoundCaptionText(7, 6), " --- Champion --- ");

  PoolState s;
  MakeBracketPool(s, 16, true);
  EditorLayout l = LayoutEntryEditor(s, false);
  ASSERT_EQ(l.roundCaption.size(), 8u);
  EXPECT_EQ(l.roundCaption[4].text, " --- Champion --- ");
  // The mirrored headings on the right drop into the same rounds.
  for (int i = 5; i <= 7; ++i) EXPECT_EQ(l.roundCaption[i].round, 8 - i);
  EXPECT_EQ(l.roundCaption[5].text, l.roundCaption[3].text);
}

TEST(EditorLayout, ConnectorLinesOnlyForFixedPaths) {
  PoolState s;
  MakeBracketPool(s, 8);
  EXPECT_FALSE(LayoutEntryEditor(s, false).lines.empty());
  s.Pool.RePair = true;
  EXPECT_TRUE(LayoutEntryEditor(s, false).lines.empty());
}

TEST(EditorLayout, TiebreakerMakesRoomAndScoringCanBeCutOff) {
  PoolState s;
  MakeBracketPool(s, 4);
  EditorLayout plain = LayoutEntryEditor(s, false);
  EditorLayout withTiebreaker = LayoutEntryEditor(s, true);
  EXPECT_GT(withTiebreaker.height, plain.height);
  EXPECT_GE(withTiebreaker.scoringFrame.top, withTiebreaker.tiebreakerFrame.bottom());
  EXPECT_EQ(HeightForScoring(plain, false), plain.scoringFrame.top + 200);
  EXPECT_EQ(HeightForScoring(plain, true), plain.height + 100);
}

}  // namespace
}  // namespace qb
