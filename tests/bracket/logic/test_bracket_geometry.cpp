#include <gtest/gtest.h>

#include <set>
#include <string>

#include "bracket/logic/bracket_geometry.h"

namespace qb {
namespace {

int RoundsFor(int slots) {
  int r = 0;
  while ((1 << r) < slots) ++r;
  return r;
}

BracketGeometry Layout(int slots, bool dual, bool rePair = false, bool tiebreaker = false,
                       BracketVariant variant = BracketVariant::Results, int panels = 0) {
  return ComputeBracketGeometry(
      {slots, RoundsFor(slots), dual, rePair, tiebreaker, variant, panels});
}

bool Overlap(const TwipRect& a, const TwipRect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool IsBox(BracketPart p) {
  return p == BracketPart::TeamId || p == BracketPart::TeamName || p == BracketPart::TeamSeed ||
         p == BracketPart::Winner || p == BracketPart::WinnerSeed;
}

struct SizeCase {
  int slots;
  bool dual;
  BracketVariant variant;
  int panels;
  int width;
  int height;
};

class WindowSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(WindowSize, FollowsTheRowsAndColumns) {
  const SizeCase& c = GetParam();
  BracketGeometry g = Layout(c.slots, c.dual, false, false, c.variant, c.panels);
  EXPECT_EQ(g.width, c.width);
  EXPECT_EQ(g.height, c.height);
}

// Height: (slots + 1) x 250 + the top of the first team row (570) + 300 for the
// results window, + the scoring panels + 800 for the entry editor; dual-sided
// halves it by slots x 125.
INSTANTIATE_TEST_SUITE_P(
    Sizes, WindowSize,
    ::testing::Values(SizeCase{4, false, BracketVariant::Results, 0, 5900, 2120},
                      SizeCase{8, false, BracketVariant::Results, 0, 7100, 3120},
                      SizeCase{64, false, BracketVariant::Results, 0, 10700, 17120},
                      SizeCase{32, true, BracketVariant::Results, 0, 2 * 9500 - 3100, 9120 - 4000},
                      SizeCase{64, true, BracketVariant::Results, 0, 18300, 17120 - 8000},
                      SizeCase{4, false, BracketVariant::EntryEditor, 1000, 8500, 3620},
                      SizeCase{64, false, BracketVariant::EntryEditor, 1000, 10700, 18620},
                      SizeCase{64, true, BracketVariant::EntryEditor, 1000, 18800, 10620}));

TEST(BracketGeometry, DrawsEveryRowAndEveryGameOnce) {
  for (int slots : {4, 8, 16, 32, 64}) {
    for (bool dual : {false, true}) {
      BracketGeometry g = Layout(slots, dual);
      SCOPED_TRACE(std::to_string(slots) + (dual ? " dual" : ""));
      EXPECT_EQ(g.All(BracketPart::TeamName).size(), static_cast<size_t>(slots));
      EXPECT_EQ(g.All(BracketPart::TeamSeed).size(), static_cast<size_t>(slots));
      EXPECT_EQ(g.All(BracketPart::TeamId).size(), static_cast<size_t>(slots));
      EXPECT_EQ(g.All(BracketPart::Winner).size(), static_cast<size_t>(slots - 1));
      EXPECT_EQ(g.All(BracketPart::WinnerSeed).size(), static_cast<size_t>(slots - 1));
      EXPECT_EQ(g.Find(BracketPart::TeamId, slots)->text, std::to_string(slots) + ".");
      std::set<int> columns;
      for (auto* w : g.All(BracketPart::Winner)) {
        EXPECT_EQ(w->rect.height, 200);
        if (!w->mirrored) columns.insert(w->rect.left);
      }
      EXPECT_EQ(columns.size(), static_cast<size_t>(g.numRounds));
      for (auto* item : g.All(BracketPart::TeamName)) EXPECT_EQ(item->rect.height, 200);
    }
  }
}

TEST(BracketGeometry, NoBoxCoversAnotherAndAllStayInTheWindow) {
  for (int slots : {4, 8, 16, 32, 64}) {
    for (bool dual : {false, true}) {
      for (BracketVariant v : {BracketVariant::Results, BracketVariant::EntryEditor}) {
        BracketGeometry g = Layout(slots, dual, false, true, v);
        SCOPED_TRACE(std::to_string(slots) + (dual ? " dual" : "") +
                     (v == BracketVariant::EntryEditor ? " editor" : ""));
        std::vector<std::pair<std::string, TwipRect>> rects;
        for (const auto& item : g.items) {
          // A 4-slot bracket is too short for the captions over its floating final.
          if (slots == 4 && dual && !IsBox(item.part)) continue;
          rects.push_back({std::to_string(static_cast<int>(item.part)) + "(" +
                               std::to_string(item.index) + ")",
                           item.rect});
        }
        rects.push_back({"frame", *g.tiebreakerFrame});
        for (size_t i = 0; i < rects.size(); ++i) {
          const TwipRect& r = rects[i].second;
          EXPECT_GE(r.left, 0) << rects[i].first;
          EXPECT_GE(r.top, 0) << rects[i].first;
          EXPECT_LE(r.right(), g.width) << rects[i].first;
          EXPECT_LE(r.bottom(), g.height) << rects[i].first;
          for (size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(Overlap(r, rects[j].second)) << rects[i].first << " " << rects[j].first;
        }
      }
    }
  }
}

TEST(BracketGeometry, NoLayoutWithoutABracket) {
  for (auto [slots, rounds] : {std::pair{0, 0}, {2, 1}, {8, 2}, {128, 7}}) {
    BracketGeometry g = ComputeBracketGeometry({slots, rounds});
    EXPECT_TRUE(g.items.empty());
    EXPECT_EQ(g.width, 0);
    EXPECT_TRUE(ComputeSetupGeometry(slots, rounds, false).items.empty());
  }
}

TEST(BracketGeometry, PairsOfAFirstRoundGameStandCloser) {
  BracketGeometry g = Layout(8, false);
  auto top = [&](int s) { return g.Find(BracketPart::TeamName, s)->rect.top; };
  EXPECT_EQ(top(1), kTeamTop);
  EXPECT_EQ(top(2), kTeamTop + 230);
  EXPECT_EQ(top(3), kTeamTop + 520);
  EXPECT_EQ(top(4), kTeamTop + 730);
  EXPECT_EQ(top(4) - top(3), 210);
  EXPECT_EQ(top(5) - top(4), 290);
  for (int s = 1; s <= 8; ++s) {
    EXPECT_EQ(g.Find(BracketPart::TeamId, s)->rect.top, top(s));
    EXPECT_EQ(g.Find(BracketPart::TeamSeed, s)->rect.top, top(s));
  }
}

TEST(BracketGeometry, EachWinnerBoxStandsHalfWayBetweenItsFeeders) {
  BracketGeometry g = Layout(64, false);
  auto box = [&](int game) { return g.Find(BracketPart::Winner, game)->rect; };
  EXPECT_EQ(box(1).left, kWinnerLeft);
  EXPECT_EQ(box(1).top, kWinnerTop);
  int first = 1;
  for (int r = 1; r <= 6; ++r) {
    int games = 64 >> r;
    EXPECT_EQ(FirstGameOfRound(64, r), first);
    for (int k = 1; k <= games; ++k) {
      TwipRect b = box(first + k - 1);
      EXPECT_EQ(b.left, kWinnerLeft + (r - 1) * 1200);
      EXPECT_EQ(b.top, kWinnerTop + (k * (1 << r) - (1 << (r - 1)) - 1) * 250);
      EXPECT_EQ(g.Find(BracketPart::WinnerSeed, first + k - 1)->rect.top, b.top);
      if (r > 1) {
        int f = FirstGameOfRound(64, r - 1) + 2 * k - 2;
        EXPECT_EQ(b.top * 2, box(f).top + box(f + 1).top);
      }
    }
    first += games;
  }
}

TEST(BracketGeometry, DualSidedFoldsTheLowerHalfToTheRight) {
  BracketGeometry g = Layout(16, true);
  const int W = g.width;
  BracketGeometry single = Layout(16, false);
  for (int s = 1; s <= 16; ++s) {
    for (auto [part, w] : {std::pair{BracketPart::TeamId, 400}, {BracketPart::TeamName, 1500},
                           {BracketPart::TeamSeed, 420}}) {
      const TwipRect& r = g.Find(part, s)->rect;
      const TwipRect& one = single.Find(part, s)->rect;
      if (s <= 8) {
        EXPECT_EQ(r, one);
      } else {
        EXPECT_EQ(r.left, W - one.left - w);
        EXPECT_EQ(r.top, one.top - 16 * 125);
        // Level with its left-hand partner; the top slot of the template stands 20 higher.
        int partner = g.Find(part, s - 8)->rect.top;
        EXPECT_EQ(r.top, s == 9 ? partner + 20 : partner);
      }
    }
  }
  // Games of the lower half of each round but the last are mirrored.
  for (int game : {5, 6, 7, 8, 11, 12, 14}) {
    const TwipRect& r = g.Find(BracketPart::Winner, game)->rect;
    const TwipRect& one = single.Find(BracketPart::Winner, game)->rect;
    EXPECT_EQ(r.left, W - one.left - 1500) << game;
    EXPECT_EQ(r.top, one.top - 2000) << game;
    EXPECT_EQ(g.Find(BracketPart::WinnerSeed, game)->rect.left,
              W - single.Find(BracketPart::WinnerSeed, game)->rect.left - 420);
  }
  // The final keeps its column, between the two finalists and above them.
  const TwipRect& fin = g.Find(BracketPart::Winner, 15)->rect;
  EXPECT_EQ(fin.left, single.Find(BracketPart::Winner, 15)->rect.left);
  EXPECT_EQ(fin.top, (g.Find(BracketPart::Winner, 8)->rect.top - kWinnerTop) / 2 + 200);
  const TwipRect& left = g.Find(BracketPart::Winner, 13)->rect;
  const TwipRect& right = g.Find(BracketPart::Winner, 14)->rect;
  EXPECT_EQ(left.top, right.top);
  EXPECT_LT(fin.bottom(), left.top);
  EXPECT_LT(left.left, fin.left);
  EXPECT_GT(right.right(), fin.right());
}

TEST(BracketGeometry, CaptionsNameTheRoundTheColumnPlaysNext) {
  EXPECT_EQ(RoundCaptionText(0, 2), " -- Semi-Finals -- ");
  EXPECT_EQ(RoundCaptionText(1, 2), " ------ Finals ------ ");
  EXPECT_EQ(RoundCaptionText(2, 2), " --- Champion --- ");
  EXPECT_EQ(RoundCaptionText(0, 6), " ---- Round 1 ---- ");
  EXPECT_EQ(RoundCaptionText(3, 6), " ---- Round 4 ---- ");
  EXPECT_EQ(RoundCaptionText(4, 6), " -- Semi-Finals -- ");

  BracketGeometry g = Layout(16, true);
  std::vector<std::string> top;
  for (int i = 1; i <= 7; ++i) top.push_back(g.Find(BracketPart::RoundCaption, i)->text);
  EXPECT_EQ(top, (std::vector<std::string>{" ---- Round 2 ---- ", " -- Semi-Finals -- ",
                                           " ------ Finals ------ ", " --- Champion --- ",
                                           " ------ Finals ------ ", " -- Semi-Finals -- ",
                                           " ---- Round 2 ---- "}));
  EXPECT_TRUE(g.Find(BracketPart::RoundCaption, 5)->mirrored);
  EXPECT_EQ(g.Find(BracketPart::RoundCaption, 5)->round, 3);
  EXPECT_EQ(g.Find(BracketPart::RoundCaption, 8), nullptr);
  EXPECT_EQ(g.Find(BracketPart::TeamCaption, 2)->text, " ---- Round 1 ---- ");
  // Bottom captions stand under the lowest row of the folded bracket.
  int lowest = g.Find(BracketPart::TeamName, 8)->rect.bottom();
  for (auto* c : g.All(BracketPart::BottomRoundCaption)) EXPECT_GT(c->rect.top, lowest);

  EXPECT_EQ(RoundOfCaption(1, 4), 1);
  EXPECT_EQ(RoundOfCaption(4, 4), 4);
  EXPECT_EQ(RoundOfCaption(5, 4), 3);
  EXPECT_EQ(RoundOfCaption(7, 4), 1);
}

TEST(BracketGeometry, LinesJoinEveryGameToItsFeedersUnlessRePaired) {
  for (int slots : {4, 8, 32}) {
    for (bool dual : {false, true}) {
      SCOPED_TRACE(std::to_string(slots) + (dual ? " dual" : ""));
      BracketGeometry g = Layout(slots, dual);
      EXPECT_TRUE(Layout(slots, dual, true).lines.empty());
      // Four lines per first-round game, two per later game.
      EXPECT_EQ(g.lines.size(), static_cast<size_t>(4 * (slots / 2) + 2 * (slots / 2 - 1)));
      for (const auto& l : g.lines) EXPECT_TRUE(l.x1 == l.x2 || l.y1 == l.y2);
      // Every later game has a vertical line to each feeder and one to the game it feeds.
      for (int game = slots / 2 + 1; game < slots; ++game) {
        const TwipRect& b = g.Find(BracketPart::Winner, game)->rect;
        int touching = 0;
        for (const auto& l : g.lines) {
          if (l.x1 != l.x2 || l.x1 < b.left || l.x1 > b.right()) continue;
          if (l.y2 == b.top || l.y1 == b.bottom()) ++touching;
        }
        EXPECT_EQ(touching, game == slots - 1 ? 2 : 3) << "game " << game;
      }
    }
  }
}

TEST(BracketGeometry, TiebreakerFrameStandsByTheFinal) {
  for (bool dual : {false, true}) {
    BracketGeometry g = Layout(8, dual, false, true);
    const TwipRect& fin = g.Find(BracketPart::Winner, 7)->rect;
    ASSERT_TRUE(g.tiebreakerFrame);
    EXPECT_EQ(g.tiebreakerFrame->left, fin.left + 300);
    EXPECT_EQ(g.tiebreakerFrame->top, fin.top + 700);
    EXPECT_GE(g.height, g.tiebreakerFrame->bottom() + 600);
  }
  EXPECT_FALSE(Layout(8, false).tiebreakerFrame);
  // A small bracket grows to hold the frame; a large one already does.
  EXPECT_GT(Layout(4, false, false, true).height, Layout(4, false).height);
  EXPECT_EQ(Layout(64, false, false, true).height, Layout(64, false).height);
  // The entry editor keeps room for its scoring panels below the frame.
  BracketGeometry editor = Layout(4, false, false, true, BracketVariant::EntryEditor, 2000);
  EXPECT_EQ(editor.height, editor.tiebreakerFrame->bottom() + 2000 + 900);
}

TEST(SetupGeometry, RowsOf300AndAColumnOfLinesPerRound) {
  BracketGeometry g = ComputeSetupGeometry(16, 4, false);
  for (int s = 2; s <= 16; ++s)
    EXPECT_EQ(g.Find(BracketPart::TeamName, s)->rect.top -
                  g.Find(BracketPart::TeamName, s - 1)->rect.top,
              300);
  for (int i = 1; i <= 4; ++i) EXPECT_NE(g.Find(BracketPart::Label, i), nullptr);
  // Three lines per game and the champion's line.
  EXPECT_EQ(g.lines.size(), 3u * 15 + 1);
  int rightmost = 0;
  for (const auto& l : g.lines) rightmost = std::max({rightmost, l.x1, l.x2});
  EXPECT_LE(rightmost, g.width);

  BracketGeometry d = ComputeSetupGeometry(16, 4, true);
  EXPECT_LT(d.height, g.height);
  for (int s = 9; s <= 16; ++s) {
    const TwipRect& r = d.Find(BracketPart::TeamName, s)->rect;
    const TwipRect& partner = d.Find(BracketPart::TeamName, s - 8)->rect;
    EXPECT_EQ(r.top, partner.top);
    EXPECT_EQ(r.left, d.width - partner.left - partner.width);
  }
  // Both halves' games, and one line joining the halves with the champion's mark.
  EXPECT_EQ(d.lines.size(), 3u * 14 + 2);
}

}  // namespace
}  // namespace qb
