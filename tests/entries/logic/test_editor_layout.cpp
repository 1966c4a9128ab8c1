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

TEST(EditorLayout, TheEditorsOwnPartsStandClearOfTheBracketAndInTheWindow) {
  for (int teams : {4, 8, 13, 32, 64}) {
    for (bool dual : {false, true}) {
      for (bool tiebreaker : {false, true}) {
        PoolState s;
        MakeBracketPool(s, teams, dual);
        EditorLayout l = LayoutEntryEditor(s, tiebreaker);
        std::vector<TwipRect> bracket;
        for (const BracketItem& item : l.bracket.items) bracket.push_back(item.rect);
        if (l.bracket.tiebreakerFrame) bracket.push_back(*l.bracket.tiebreakerFrame);
        const std::vector<TwipRect> own = {l.collected, l.scoringFrame, l.statsFrame};
        const std::string what =
            std::to_string(teams) + (dual ? " dual" : "") + (tiebreaker ? " tiebreaker" : "");
        for (const TwipRect& r : bracket) {
          EXPECT_LE(r.right(), l.width) << what;
          EXPECT_LE(r.bottom(), l.height) << what;
        }
        for (size_t i = 0; i < own.size(); ++i) {
          EXPECT_GE(own[i].left, 0) << what;
          EXPECT_LE(own[i].right(), l.width) << what;
          EXPECT_LE(own[i].bottom(), l.height) << what;
          for (size_t j = i + 1; j < own.size(); ++j)
            EXPECT_FALSE(Overlap(own[i], own[j])) << what;
          for (size_t j = 0; j < bracket.size(); ++j)
            EXPECT_FALSE(Overlap(own[i], bracket[j])) << what << ": own part " << i
                                                      << " and bracket part " << j;
        }
      }
    }
  }
}

TEST(EditorLayout, TiebreakerMakesRoomAndScoringCanBeCutOff) {
  PoolState s;
  MakeBracketPool(s, 4);
  EditorLayout plain = LayoutEntryEditor(s, false);
  EditorLayout withTiebreaker = LayoutEntryEditor(s, true);
  EXPECT_GT(withTiebreaker.height, plain.height);
  ASSERT_TRUE(withTiebreaker.bracket.tiebreakerFrame);
  EXPECT_GE(withTiebreaker.collected.top, withTiebreaker.bracket.tiebreakerFrame->bottom());
  EXPECT_EQ(HeightForScoring(plain, false), plain.scoringFrame.top + 200);
  EXPECT_EQ(HeightForScoring(plain, true), plain.height + 100);
}

}  // namespace
}  // namespace qb
