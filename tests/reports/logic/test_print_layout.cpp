#include "reports/logic/print_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace qb {
namespace {

PrintLayout Layout(int slots, bool dual, bool rePair = false, bool tiebreaker = false) {
  int rounds = 0;
  while ((1 << rounds) < slots) ++rounds;
  return ComputePrintLayout({slots, rounds, dual, rePair, tiebreaker});
}

const TwipRect& Box(const PrintLayout& l, int game) {
  const PrintItem* item = l.Find(PrintPart::Winner, game);
  EXPECT_NE(item, nullptr) << "txtWinner(" << game << ")";
  static const TwipRect none{};
  return item ? item->rect : none;
}

std::string Describe(const PrintItem& i) {
  std::ostringstream out;
  out << static_cast<int>(i.part) << "(" << i.index << ") " << i.rect.left << "," << i.rect.top
      << " " << i.rect.width << "x" << i.rect.height;
  return out.str();
}

// ---- pinned coordinates

struct SizeCase {
  int slots;
  bool dual;
  int width, sizedHeight;
};

TEST(PrintLayout, WindowSizeByBracketSize) {
  const SizeCase cases[] = {
      {4, false, 11000, 4850},  {4, true, 11000, 4350},   {8, false, 11000, 5850},
      {8, true, 11000, 4850},   {16, false, 11000, 7850}, {16, true, 13000, 5850},
      {32, false, 11000, 11850}, {32, true, 15000, 7850}, {64, false, 11000, 19600},
      {64, true, 15300, 11850},
  };
  for (const auto& c : cases) {
    PrintLayout l = Layout(c.slots, c.dual);
    EXPECT_EQ(l.width, c.width) << c.slots << (c.dual ? " dual" : "");
    EXPECT_EQ(l.sizedHeight, c.sizedHeight) << c.slots << (c.dual ? " dual" : "");
    EXPECT_GE(l.height, l.sizedHeight);
  }
  // Where the logo panel fits beside the bracket, the form keeps its size.
  EXPECT_EQ(Layout(32, false).height, 11850);
  EXPECT_EQ(Layout(64, true).height, 11850);
  // A short bracket takes the logo panel below the filled notice.
  PrintLayout small = Layout(8, false);
  const TwipRect& logo = small.Find(PrintPart::Logo)->rect;
  EXPECT_EQ(logo.top, small.Find(PrintPart::Filled)->rect.bottom());
  EXPECT_EQ(small.height, logo.bottom() + 600);
}

TEST(PrintLayout, NoLayoutForABracketOutsideFourToSixtyFour) {
  EXPECT_EQ(ComputePrintLayout({2, 1, false, false, false}).width, 0);
  EXPECT_EQ(ComputePrintLayout({128, 7, false, false, false}).width, 0);
  EXPECT_EQ(ComputePrintLayout({16, 3, false, false, false}).width, 0);
  EXPECT_TRUE(ComputePrintLayout({0, 0, true, false, false}).items.empty());
}

TEST(PrintLayout, TeamRowsOfAFirstRoundGameStandCloser) {
  PrintLayout l = Layout(8, false);
  const int tops[] = {3000, 3230, 3520, 3730};
  for (int j = 1; j <= 4; ++j) {
    EXPECT_EQ(l.Find(PrintPart::TeamName, j)->rect.top, tops[j - 1]);
    EXPECT_EQ(l.Find(PrintPart::TeamSeed, j)->rect.top, tops[j - 1]);
    EXPECT_EQ(l.Find(PrintPart::TeamId, j)->rect.top, tops[j - 1]);
  }
  EXPECT_EQ(l.Find(PrintPart::TeamId, 1)->text, "1.");
  EXPECT_EQ(Layout(16, false).Find(PrintPart::TeamId, 12)->text, " 12.");
  PrintLayout dual = Layout(16, true);
  const PrintItem* rightTop = dual.Find(PrintPart::TeamName, 9);
  EXPECT_EQ(rightTop->rect.top, 3020);
  EXPECT_TRUE(rightTop->mirrored);
  EXPECT_EQ(rightTop->rect.left, 13000 - 600 - 1400);
}

TEST(PrintLayout, RightHalfTeamRowsAndHeadingsStandWhereTheDesignMirrorsThem) {
  // Left = W - Left - K with K 660 (number), 1400 (name) and 315 (seed); the
  // right half's headings are placed from its top seed box.
  for (int slots : {4, 8, 16, 32, 64}) {
    SCOPED_TRACE(slots);
    PrintLayout l = Layout(slots, true);
    const int W = l.width, R = l.numRounds;
    for (int j = slots / 2 + 1; j <= slots; ++j) {
      const TwipRect& id = l.Find(PrintPart::TeamId, j)->rect;
      const TwipRect& name = l.Find(PrintPart::TeamName, j)->rect;
      const TwipRect& seed = l.Find(PrintPart::TeamSeed, j)->rect;
      EXPECT_EQ(id.left, W - 0 - 660) << j;
      EXPECT_EQ(name.left, W - 600 - 1400) << j;
      EXPECT_EQ(seed.left, W - 2040 - 315) << j;
      // Raised by half the rows, the first-round pairs still drawn closer.
      const int top = 3000 + (j - 1) * 250 + (j % 2 == 0 ? -20 : 20) - slots * 125;
      EXPECT_EQ(id.top, top) << j;
      EXPECT_EQ(name.top, top) << j;
      EXPECT_EQ(seed.top, top) << j;
      // Neighbours touch rather than cover each other.
      EXPECT_EQ(seed.right(), name.left) << j;
      EXPECT_EQ(name.right(), id.left) << j;
    }
    for (int r = R + 1; r <= 2 * R - 1; ++r) {
      EXPECT_EQ(l.Find(PrintPart::RoundHeading, r)->rect.left,
                W - 2040 - 315 - (2 * R - r) * 1005 - 100)
          << r;
      EXPECT_EQ(l.Find(PrintPart::BottomHeading, r)->rect.left,
                l.Find(PrintPart::RoundHeading, r)->rect.left)
          << r;
    }
  }
}

TEST(PrintLayout, EightSlotsSingleSided) {
  PrintLayout l = Layout(8, false, false, true);
  const TwipRect expected[] = {{2540, 3120, 950, 200}, {2540, 3620, 950, 200},
                               {2540, 4120, 950, 200}, {2540, 4620, 950, 200},
                               {3540, 3370, 950, 200}, {3540, 4370, 950, 200},
                               {4540, 3870, 950, 200}};
  for (int g = 1; g <= 7; ++g) EXPECT_EQ(Box(l, g), expected[g - 1]) << "game " << g;
  const TwipRect& tb = l.Find(PrintPart::Tiebreaker)->rect;
  EXPECT_EQ(tb.left, 4840);
  EXPECT_EQ(tb.top, 4570);
}

TEST(PrintLayout, ChampionBox) {
  for (int rounds = 2; rounds <= 6; ++rounds) {
    PrintLayout l = Layout(1 << rounds, false);
    const TwipRect& c = Box(l, (1 << rounds) - 1);
    EXPECT_EQ(c.left, 2540 + (rounds - 1) * 1000);
    EXPECT_EQ(c.top, 3120 + 250 * ((1 << (rounds - 1)) - 1));
  }
  EXPECT_EQ(Box(Layout(64, false), 63).top, 10870);
  // Dual-sided: centred, 1000 above the finalists.
  EXPECT_EQ(Box(Layout(16, true), 15).top, 2870);
  EXPECT_EQ(Box(Layout(32, true), 31).top, 3870);
  EXPECT_EQ(Box(Layout(64, true), 63).top, 5870);
  EXPECT_EQ(Box(Layout(16, true), 15).left, (13000 - 950) / 2);
}

TEST(PrintLayout, SmallDualSidedChampionStandsBelowThePanels) {
  // By its design place (2120 and 2370) it would stand inside the cost and
  // payouts panel; it moves just below it, still above the finalists.
  for (int slots : {4, 8}) {
    PrintLayout l = Layout(slots, true, false, true);
    const TwipRect& champion = Box(l, slots - 1);
    const TwipRect& parms = l.Find(PrintPart::ParmsFrame)->rect;
    EXPECT_GE(champion.top, parms.bottom()) << slots;
    EXPECT_LT(champion.bottom(), Box(l, slots - 2).top) << slots;
    // The tiebreaker frame keeps its place, 1000 below the finalists.
    EXPECT_EQ(l.Find(PrintPart::Tiebreaker)->rect.top, Box(l, slots - 2).top + 1000) << slots;
  }
}

TEST(PrintLayout, SixtyFourDualSidedMirrorsOnTheCappedWidth) {
  PrintLayout l = Layout(64, true);
  EXPECT_EQ(Box(l, 61).left, 6540);
  EXPECT_EQ(Box(l, 61).right(), 7490);
  EXPECT_EQ(Box(l, 62).left, 7880);
  EXPECT_EQ(Box(l, 62).right(), 8830);
  EXPECT_EQ(Box(l, 63).left, 7175);
  EXPECT_EQ(Box(l, 63).right(), 8125);
}

std::vector<std::string> Headings(const PrintLayout& l) {
  std::vector<std::string> out;
  for (const PrintItem* h : l.All(PrintPart::RoundHeading)) out.push_back(h->text);
  return out;
}

TEST(PrintLayout, RoundHeadings) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Headings(Layout(4, false)), (V{"Finals", "Champion"}));
  EXPECT_EQ(Headings(Layout(8, false)), (V{"Semi-Finals", "Finals", "Champion"}));
  EXPECT_EQ(Headings(Layout(64, false)),
            (V{"Round 2", "Round 3", "Round 4", "Semi-Finals", "Finals", "Champion"}));
  EXPECT_EQ(Headings(Layout(16, true)), (V{"Round 2", "Semi-Finals", "Finals", "Champion",
                                           "Finals", "Semi-Finals", "Round 2"}));
  // Every heading has its twin below, but the centred champion heading.
  PrintLayout dual = Layout(16, true);
  EXPECT_EQ(dual.Find(PrintPart::BottomHeading, 4), nullptr);
  EXPECT_EQ(dual.All(PrintPart::BottomHeading).size(), 6u);
  const TwipRect& champion = dual.Find(PrintPart::RoundHeading, 4)->rect;
  EXPECT_EQ(champion.left, (13000 - 1005) / 2);
  EXPECT_EQ(champion.top, 2760 + 500);
  for (int r : {1, 2, 3, 5, 6, 7})
    EXPECT_EQ(dual.Find(PrintPart::BottomHeading, r)->text,
              dual.Find(PrintPart::RoundHeading, r)->text);
  // One row below the last team row on the left.
  EXPECT_EQ(dual.Find(PrintPart::BottomHeading, 1)->rect.top,
            dual.Find(PrintPart::TeamName, 8)->rect.top + 200);
}

TEST(PrintLayout, HeadingsStepTheirOwnWidth) {
  PrintLayout l = Layout(64, false);
  int drift1 = l.Find(PrintPart::RoundHeading, 1)->rect.left - Box(l, 1).left;
  int drift6 = l.Find(PrintPart::RoundHeading, 6)->rect.left - Box(l, 63).left;
  EXPECT_EQ(drift6 - drift1, 25);
}

TEST(PrintLayout, BottomHeadingOfTheLastColumnGivesWayToTheTiebreaker) {
  EXPECT_EQ(Layout(8, false, false, true).Find(PrintPart::BottomHeading, 3), nullptr);
  EXPECT_NE(Layout(8, false, false, false).Find(PrintPart::BottomHeading, 3), nullptr);
  EXPECT_EQ(Layout(8, false, false, false).Find(PrintPart::Tiebreaker), nullptr);
}

TEST(PrintLayout, PictureOnlyOnTheDualSidedSixtyFourSlotForm) {
  for (int slots : {4, 8, 16, 32, 64})
    for (bool dual : {false, true})
      EXPECT_EQ(Layout(slots, dual).Find(PrintPart::Picture) != nullptr, dual && slots == 64);
}

TEST(PrintLayout, NoticeTooLowForTheBracketIsWiderAndHalfAsHigh) {
  PrintLayout l = Layout(32, false);
  const TwipRect& filled = l.Find(PrintPart::Filled)->rect;
  EXPECT_EQ(filled.width, 2 * 1815);
  EXPECT_EQ(filled.height, 1935 / 2);
  PrintLayout tall = Layout(64, false);
  EXPECT_EQ(tall.Find(PrintPart::Filled)->rect.height, 1935);
}

TEST(PrintLayout, FitScaleShrinksUniformlyAndNeverEnlarges) {
  EXPECT_DOUBLE_EQ(FitScale(11000, 4850, 15000, 11000), 1.0);
  EXPECT_DOUBLE_EQ(FitScale(11000, 11000, 11000, 11000), 1.0);
  EXPECT_DOUBLE_EQ(FitScale(11000, 19600, 11000, 9800), 0.5);   // too high
  EXPECT_DOUBLE_EQ(FitScale(15300, 11850, 10200, 15000), 10200.0 / 15300);  // too wide
  EXPECT_DOUBLE_EQ(FitScale(0, 100, 100, 100), 1.0);
}

// ---- lines

std::vector<BracketLine> Lines(std::initializer_list<BracketLine> l) { return l; }

TEST(PrintLayout, LinesOfEightSlotsSingleSided) {
  PrintLayout l = Layout(8, false);
  EXPECT_EQ(l.joins, Lines({{3500, 3360, 3500, 3860}, {3500, 4360, 3500, 4860},
                            {4500, 3610, 4500, 4610}}));
  EXPECT_EQ(l.underlines, Lines({{2500, 3360, 3500, 3360},
                                 {2500, 3860, 3500, 3860},
                                 {3500, 3610, 4500, 3610},
                                 {2500, 4360, 3500, 4360},
                                 {2500, 4860, 3500, 4860},
                                 {3500, 4610, 4500, 4610},
                                 {4500, 4110, 5500, 4110}}));
}

TEST(PrintLayout, LinesOfEightSlotsDualSided) {
  PrintLayout l = Layout(8, true);
  EXPECT_EQ(l.joins, Lines({{3500, 3360, 3500, 3860}, {7552, 3360, 7552, 3860}}));
  const TwipRect& champion = Box(l, 7);
  const int y = champion.bottom() + 50;
  EXPECT_EQ(l.underlines, Lines({{2500, 3360, 3500, 3360},
                                 {2500, 3860, 3500, 3860},
                                 {3500, 3610, 4500, 3610},
                                 {8552, 3360, 7552, 3360},
                                 {8552, 3860, 7552, 3860},
                                 {7552, 3610, 6552, 3610},
                                 {5025, y, 5975, y}}));
}

TEST(PrintLayout, LinesOfFourSlots) {
  PrintLayout single = Layout(4, false);
  EXPECT_EQ(single.joins, Lines({{3500, 3360, 3500, 3860}}));
  EXPECT_EQ(single.underlines, Lines({{2500, 3360, 3500, 3360},
                                      {2500, 3860, 3500, 3860},
                                      {3500, 3610, 4500, 3610}}));
  EXPECT_EQ(Box(single, 3), (TwipRect{3540, 3370, 950, 200}));
  // Dual-sided: no join, but both finalists are underlined like every box.
  PrintLayout dual = Layout(4, true);
  EXPECT_TRUE(dual.joins.empty());
  const int y = Box(dual, 3).bottom() + 50;
  EXPECT_EQ(dual.underlines, Lines({{2500, 3360, 3500, 3360},
                                    {8552, 3360, 7552, 3360},
                                    {5025, y, 5975, y}}));
}

// ---- properties on every size

struct Variant {
  int slots;
  bool dual, rePair, tiebreaker;
};

std::vector<Variant> AllVariants() {
  std::vector<Variant> v;
  for (int slots : {4, 8, 16, 32, 64})
    for (bool dual : {false, true})
      for (bool rePair : {false, true})
        for (bool tiebreaker : {false, true}) v.push_back({slots, dual, rePair, tiebreaker});
  return v;
}

std::string Name(const Variant& v) {
  return std::to_string(v.slots) + (v.dual ? " dual" : " single") + (v.rePair ? " re-paired" : "") +
         (v.tiebreaker ? " tiebreaker" : "");
}

int CentreY(const TwipRect& r) { return r.top + r.height / 2; }

TEST(PrintLayoutProperties, EveryBoxHalfwayBetweenItsFeeders) {
  for (const Variant& v : AllVariants()) {
    PrintLayout l = Layout(v.slots, v.dual, v.rePair, v.tiebreaker);
    const int S = v.slots;
    int first = 1, feeders = 1;
    for (int games = S / 2; games >= 1; games /= 2) {
      if (first > 1) {
        for (int m = 1; m <= games; ++m) {
          int g = first + m - 1;
          if (v.dual && g == S - 1) continue;
          const TwipRect& a = Box(l, feeders + 2 * m - 2);
          const TwipRect& b = Box(l, feeders + 2 * m - 1);
          EXPECT_EQ(2 * CentreY(Box(l, g)), CentreY(a) + CentreY(b)) << Name(v) << " game " << g;
        }
        feeders = first;
      } else {
        // The first round's boxes stand between their two team rows (the rows
        // of a game are drawn 40 twips closer, so within 10 twips of halfway).
        for (int m = 1; m <= games; ++m) {
          int rows = CentreY(l.Find(PrintPart::TeamName, 2 * m - 1)->rect) +
                     CentreY(l.Find(PrintPart::TeamName, 2 * m)->rect);
          EXPECT_LE(std::abs(2 * CentreY(Box(l, m)) - rows), 10) << Name(v) << " game " << m;
        }
      }
      first += games;
    }
    if (v.dual) {
      // The finalists face each other; the champion is centred between them.
      const TwipRect& a = Box(l, S - 3);
      const TwipRect& b = Box(l, S - 2);
      EXPECT_EQ(a.top, b.top) << Name(v);
      EXPECT_EQ(b.left, l.width - a.left - 880) << Name(v);
      const TwipRect& c = Box(l, S - 1);
      EXPECT_LE(std::abs(c.left + c.width / 2 - l.width / 2), 1) << Name(v);
      EXPECT_LT(c.bottom(), a.top) << Name(v);
    }
  }
}

TEST(PrintLayoutProperties, CountsOfJoinsAndUnderlines) {
  for (const Variant& v : AllVariants()) {
    PrintLayout l = Layout(v.slots, v.dual, v.rePair, v.tiebreaker);
    size_t joins = v.rePair ? 0 : v.dual ? std::max(0, v.slots / 2 - 2) : v.slots / 2 - 1;
    EXPECT_EQ(l.joins.size(), joins) << Name(v);
    EXPECT_EQ(l.underlines.size(), static_cast<size_t>(v.slots - 1)) << Name(v);
  }
}

TEST(PrintLayoutProperties, EveryBoxUnderlinedAndEveryJoinMeetsTwoUnderlines) {
  for (const Variant& v : AllVariants()) {
    PrintLayout l = Layout(v.slots, v.dual, v.rePair, v.tiebreaker);
    std::set<size_t> used;
    for (int g = 1; g < v.slots; ++g) {
      const TwipRect& b = Box(l, g);
      int below = v.dual && g == v.slots - 1 ? 50 : 40;
      bool found = false;
      for (size_t n = 0; n < l.underlines.size(); ++n) {
        const BracketLine& u = l.underlines[n];
        int lo = std::min(u.x1, u.x2), hi = std::max(u.x1, u.x2);
        if (u.y1 == u.y2 && u.y1 == b.bottom() + below && lo <= b.left && hi >= b.right() &&
            hi - lo <= 1000) {
          EXPECT_TRUE(used.insert(n).second) << Name(v) << " underline " << n << " twice";
          found = true;
        }
      }
      EXPECT_TRUE(found) << Name(v) << " game " << g;
    }
    auto endsOnUnderline = [&](int x, int y) {
      for (const BracketLine& u : l.underlines)
        if (u.y1 == y && (u.x1 == x || u.x2 == x)) return true;
      return false;
    };
    for (const BracketLine& j : l.joins) {
      EXPECT_EQ(j.x1, j.x2);
      EXPECT_TRUE(endsOnUnderline(j.x1, j.y1)) << Name(v);
      EXPECT_TRUE(endsOnUnderline(j.x1, j.y2)) << Name(v);
      EXPECT_TRUE(endsOnUnderline(j.x1, (j.y1 + j.y2) / 2)) << Name(v);
    }
  }
}

bool Overlap(const TwipRect& a, const TwipRect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

// Controls that no document shows together.
bool Alternatives(PrintPart a, PrintPart b) {
  auto pair = [&](PrintPart x, PrintPart y) { return (a == x && b == y) || (a == y && b == x); };
  return pair(PrintPart::Header, PrintPart::NameFrame) ||
         pair(PrintPart::Instructions, PrintPart::ScoringFrame) ||
         pair(PrintPart::Filled, PrintPart::Picture);
}

bool Crosses(const BracketLine& line, const TwipRect& r) {
  int x1 = std::min(line.x1, line.x2), x2 = std::max(line.x1, line.x2);
  int y1 = std::min(line.y1, line.y2), y2 = std::max(line.y1, line.y2);
  return x1 < r.right() && x2 > r.left && y1 < r.bottom() && y2 > r.top &&
         (x1 == x2 ? x1 > r.left && x1 < r.right() : y1 > r.top && y1 < r.bottom());
}

TEST(PrintLayoutProperties, NothingCoversAnything) {
  for (const Variant& v : AllVariants()) {
    PrintLayout l = Layout(v.slots, v.dual, v.rePair, v.tiebreaker);
    for (size_t i = 0; i < l.items.size(); ++i) {
      const PrintItem& a = l.items[i];
      EXPECT_GE(a.rect.left, 0) << Name(v) << " " << Describe(a);
      EXPECT_GE(a.rect.top, 0) << Name(v) << " " << Describe(a);
      EXPECT_LE(a.rect.right(), l.width) << Name(v) << " " << Describe(a);
      EXPECT_LE(a.rect.bottom(), l.height) << Name(v) << " " << Describe(a);
      for (size_t j = i + 1; j < l.items.size(); ++j) {
        const PrintItem& b = l.items[j];
        if (Alternatives(a.part, b.part)) continue;
        EXPECT_FALSE(Overlap(a.rect, b.rect)) << Name(v) << ": " << Describe(a) << " and "
                                              << Describe(b);
      }
      for (const auto* lines : {&l.joins, &l.underlines})
        for (const BracketLine& line : *lines)
          EXPECT_FALSE(Crosses(line, a.rect))
              << Name(v) << ": line " << line.x1 << "," << line.y1 << "-" << line.x2 << ","
              << line.y2 << " crosses " << Describe(a);
    }
  }
}

TEST(PrintLayoutProperties, RightHalfMirrorsTheLeft) {
  for (int slots : {8, 16, 32, 64}) {
    PrintLayout l = Layout(slots, true);
    for (const PrintItem& item : l.items) {
      if (item.part != PrintPart::TeamName && item.part != PrintPart::Winner) continue;
      if (item.mirrored) {
        EXPECT_GT(item.rect.left, l.width / 2) << slots << " " << Describe(item);
      } else if (!(item.part == PrintPart::Winner && item.index == slots - 1)) {
        EXPECT_LT(item.rect.right(), l.width / 2) << slots << " " << Describe(item);
      }
    }
    EXPECT_EQ(l.All(PrintPart::TeamName).size(), static_cast<size_t>(slots));
    EXPECT_EQ(l.All(PrintPart::Winner).size(), static_cast<size_t>(slots - 1));
  }
}

}  // namespace
}  // namespace qb
