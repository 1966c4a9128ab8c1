#include "bracket/logic/bracket_geometry.h"

#include <algorithm>

namespace qb {

namespace {

// Captions stand in two staggered rows, so neighbouring columns, which are
// narrower than their texts, never overlap.
constexpr int kCaptionRowA = 30;
constexpr int kCaptionRowB = 240;
constexpr int kCaptionHeight = 200;
constexpr int kCaptionWidth = kWinnerSeedWidth + kWinnerWidth;
constexpr int kTeamColumnWidth = kTeamIdWidth + kTeamNameWidth + kTeamSeedWidth;

int CentreY(const TwipRect& r) {
  return r.top + r.height / 2;
}

TwipRect Mirror(const TwipRect& r, int windowWidth) {
  return {windowWidth - r.left - r.width, r.top, r.width, r.height};
}

void AddVertical(std::vector<BracketLine>& lines, int x, int y1, int y2) {
  lines.push_back({x, y1, x, y2});
}

void AddHorizontal(std::vector<BracketLine>& lines, int x1, int x2, int y) {
  lines.push_back({x1, y, x2, y});
}

// A winner box joined to one of its feeder boxes above or below it: a vertical
// line through the part of their widths they share.
void JoinVertically(std::vector<BracketLine>& lines, const TwipRect& game, const TwipRect& feeder) {
  int from = std::max(game.left, feeder.left);
  int to = std::min(game.right(), feeder.right());
  if (from >= to) return;
  int x = (from + to) / 2;
  if (feeder.top < game.top)
    AddVertical(lines, x, feeder.bottom(), game.top);
  else
    AddVertical(lines, x, game.bottom(), feeder.top);
}

}  // namespace

const BracketItem* BracketGeometry::Find(BracketPart part, int index) const {
  for (const auto& item : items)
    if (item.part == part && item.index == index) return &item;
  return nullptr;
}

std::vector<const BracketItem*> BracketGeometry::All(BracketPart part) const {
  std::vector<const BracketItem*> out;
  for (const auto& item : items)
    if (item.part == part) out.push_back(&item);
  return out;
}

int FirstGameOfRound(int slots, int round) {
  int first = 1;
  for (int r = 1; r < round; ++r) first += slots >> r;
  return first;
}

std::string RoundCaptionText(int column, int rounds) {
  if (column >= rounds) return " --- Champion --- ";
  if (column == rounds - 1) return " ------ Finals ------ ";
  if (column == rounds - 2) return " -- Semi-Finals -- ";
  return " ---- Round " + std::to_string(column + 1) + " ---- ";
}

int RoundOfCaption(int captionIndex, int rounds) {
  return captionIndex > rounds ? 2 * rounds - captionIndex : captionIndex;
}

BracketGeometry ComputeBracketGeometry(const BracketLayoutOptions& o) {
  BracketGeometry g;
  const int S = o.numSlots;
  const int R = o.numRounds;
  g.numSlots = S;
  g.numRounds = R;
  g.dualSided = o.dualSided;
  // Only a real bracket (4 to 64 slots, a round for every halving) has a layout.
  if (S < 4 || S > 64 || (1 << R) != S) return g;
  const int half = S * kRowPitch / 2;

  // Window size.
  int width = R * kColumnPitch + 3500;
  int height;
  if (o.variant == BracketVariant::Results) {
    width = std::max(width, 5000);
    height = (S + 1) * kRowPitch + kTeamTop + 300;
    if (o.dualSided) {
      width = 2 * width - 3100;
      height -= half;
    }
  } else {
    height = (S + 1) * kRowPitch + kTeamTop + o.editorPanelsHeight + 800;
    if (o.dualSided) {
      width = 2 * width - 2600;
      height -= half;
    }
    width = std::max(width, 8500);
  }
  g.width = width;
  const int W = width;
  auto place = [&](BracketItem item, bool mirror) {
    if (mirror) {
      item.rect = Mirror(item.rect, W);
      item.mirrored = true;
    }
    g.items.push_back(std::move(item));
  };

  // Team column: the two slots of a first-round game stand 40 closer than neighbouring games.
  for (int s = 1; s <= S; ++s) {
    int top = kTeamTop;
    if (s > 1) top += (s - 1) * kRowPitch + (s % 2 == 1 ? 20 : -20);
    bool right = o.dualSided && s > S / 2;
    if (right) top -= half;
    place({BracketPart::TeamId, s, {0, top, kTeamIdWidth, kBoxHeight}, std::to_string(s) + ".", 0},
          right);
    place({BracketPart::TeamName, s, {kTeamIdWidth, top, kTeamNameWidth, kBoxHeight}, "", 0},
          right);
    place({BracketPart::TeamSeed,
           s,
           {kTeamIdWidth + kTeamNameWidth, top, kTeamSeedWidth, kBoxHeight},
           "",
           0},
          right);
  }

  // Winner columns, the seed box to the left of each winner box (mirrored: to its right).
  int game = 0;
  for (int r = 1; r <= R; ++r) {
    int games = S >> r;
    for (int k = 1; k <= games; ++k) {
      ++game;
      int left = kWinnerLeft + (r - 1) * kColumnPitch;
      int top = kWinnerTop + (k * (1 << r) - (1 << (r - 1)) - 1) * kRowPitch;
      bool right = o.dualSided && r < R && k > games / 2;
      if (right) top -= half;
      place({BracketPart::Winner, game, {left, top, kWinnerWidth, kBoxHeight}, "", r}, right);
      place({BracketPart::WinnerSeed,
             game,
             {left - kWinnerSeedWidth, top, kWinnerSeedWidth, kBoxHeight},
             "",
             r},
            right);
    }
  }
  if (o.dualSided) {
    // The final stands between the halves, above the two finalists.
    const int finalTop =
        (g.Find(BracketPart::Winner, S / 2)->rect.top - g.Find(BracketPart::Winner, 1)->rect.top) /
            2 +
        200;
    for (auto& item : g.items)
      if ((item.part == BracketPart::Winner || item.part == BracketPart::WinnerSeed) &&
          item.index == S - 1)
        item.rect.top = finalTop;
  }

  // The tiebreaker frame below and right of the final.
  if (o.showTiebreaker) {
    const TwipRect& fin = g.Find(BracketPart::Winner, S - 1)->rect;
    g.tiebreakerFrame =
        TwipRect{fin.left + 300, fin.top + 700, kTiebreakerFrameWidth, kTiebreakerFrameHeight};
  }

  // Captions over and under every column; in a small bracket the frame reaches
  // below the last row, and the bottom captions go under it.
  const BracketItem* lastRow = g.Find(BracketPart::TeamName, o.dualSided ? S / 2 : S);
  int bottomRowA = lastRow->rect.top + kRowPitch;
  if (g.tiebreakerFrame && g.tiebreakerFrame->bottom() > bottomRowA)
    bottomRowA = std::max(bottomRowA, g.tiebreakerFrame->bottom() + 50);
  const int bottomRowB = bottomRowA + kCaptionHeight + 10;
  place({BracketPart::TeamCaption,
         1,
         {0, kCaptionRowA, kTeamColumnWidth, kCaptionHeight},
         RoundCaptionText(0, R),
         0},
        false);
  if (o.dualSided)
    place({BracketPart::TeamCaption,
           2,
           {0, kCaptionRowA, kTeamColumnWidth, kCaptionHeight},
           RoundCaptionText(0, R),
           0},
          true);
  const char* headings[] = {"Nbr", "Team Name", "Seed"};
  const int headingLefts[] = {0, kTeamIdWidth, kTeamIdWidth + kTeamNameWidth};
  const int headingWidths[] = {kTeamIdWidth, kTeamNameWidth, kTeamSeedWidth};
  for (int i = 0; i < 3; ++i)
    place({BracketPart::Heading,
           i + 1,
           {headingLefts[i], kCaptionRowB, headingWidths[i], kCaptionHeight},
           headings[i],
           0},
          false);
  for (int c = 1; c <= R; ++c) {
    int left = kWinnerLeft + (c - 1) * kColumnPitch - kWinnerSeedWidth;
    bool rowA = c % 2 == 1;
    std::string text = RoundCaptionText(c, R);
    TwipRect over{left, rowA ? kCaptionRowA : kCaptionRowB, kCaptionWidth, kCaptionHeight};
    TwipRect under{left, rowA ? bottomRowA : bottomRowB, kCaptionWidth, kCaptionHeight};
    place({BracketPart::RoundCaption, c, over, text, c}, false);
    place({BracketPart::BottomRoundCaption, c, under, text, c}, false);
    if (o.dualSided && c < R) {
      int twin = 2 * R - c;
      place({BracketPart::RoundCaption, twin, over, text, c}, true);
      place({BracketPart::BottomRoundCaption, twin, under, text, c}, true);
    }
  }

  // Connector lines, only where the bracket has fixed paths.
  if (!o.rePair) {
    for (int k = 1; k <= S / 2; ++k) {
      const TwipRect& a = g.Find(BracketPart::TeamSeed, 2 * k - 1)->rect;
      const TwipRect& b = g.Find(BracketPart::TeamSeed, 2 * k)->rect;
      const BracketItem* seed = g.Find(BracketPart::WinnerSeed, k);
      int outer = seed->mirrored ? a.left : a.right();
      int inner = seed->mirrored ? seed->rect.right() : seed->rect.left;
      int mid = (outer + inner) / 2;
      AddHorizontal(g.lines, outer, mid, CentreY(a));
      AddHorizontal(g.lines, outer, mid, CentreY(b));
      AddVertical(g.lines, mid, CentreY(a), CentreY(b));
      AddHorizontal(g.lines, mid, inner, CentreY(seed->rect));
    }
    for (int r = 2; r <= R; ++r) {
      int first = FirstGameOfRound(S, r);
      int feederFirst = FirstGameOfRound(S, r - 1);
      for (int k = 1; k <= (S >> r); ++k) {
        const TwipRect& box = g.Find(BracketPart::Winner, first + k - 1)->rect;
        JoinVertically(g.lines, box, g.Find(BracketPart::Winner, feederFirst + 2 * k - 2)->rect);
        JoinVertically(g.lines, box, g.Find(BracketPart::Winner, feederFirst + 2 * k - 1)->rect);
      }
    }
  }

  // The window grows to hold the frame (the entry editor's panels stand below it).
  if (g.tiebreakerFrame) {
    int needed = o.variant == BracketVariant::Results
                     ? g.tiebreakerFrame->bottom() + 600
                     : g.tiebreakerFrame->bottom() + o.editorPanelsHeight + 900;
    height = std::max(height, needed);
  }
  g.height = height;
  return g;
}

BracketGeometry ComputeSetupGeometry(int slots, int rounds, bool dualSided) {
  // Rows 300 apart, a 350-twip column of lines per round right of the team column.
  constexpr int kRow = 300;
  constexpr int kColumn = 350;
  constexpr int kBox = 255;
  constexpr int kFirstRow = 1020;
  constexpr int kIdLeft = 100, kIdWidth = 400;
  constexpr int kNameLeft = 500, kNameWidth = 1800;
  constexpr int kSeedLeft = 2300, kSeedWidth = 450;
  constexpr int kColumnRight = kSeedLeft + kSeedWidth;

  BracketGeometry g;
  const int S = slots;
  const int R = rounds;
  g.numSlots = S;
  g.numRounds = R;
  g.dualSided = dualSided;
  if (S < 4 || S > 64 || (1 << R) != S) return g;
  const int rowsShown = dualSided ? S / 2 : S;
  int width = dualSided ? 2 * (kColumnRight + R * kColumn) : kColumnRight + (R + 1) * kColumn + 150;
  width = std::max(width, 5000);
  g.width = width;
  g.height = kFirstRow + rowsShown * kRow + 300;

  g.items.push_back({BracketPart::Label,
                     4,
                     {kIdLeft, 20, width - 2 * kIdLeft, 670},
                     "Type \"Bye\" for an empty slot. Drag a name onto another to swap them; "
                     "Alt+Insert and Alt+Delete shift the names down or up.",
                     0});
  g.items.push_back({BracketPart::Label, 1, {kIdLeft, 700, kIdWidth, kBox}, "Nbr", 0});
  g.items.push_back({BracketPart::Label, 2, {kNameLeft, 700, kNameWidth, kBox}, "Team Name", 0});
  g.items.push_back({BracketPart::Label, 3, {kSeedLeft, 700, kSeedWidth, kBox}, "Seed", 0});

  for (int s = 1; s <= S; ++s) {
    bool right = dualSided && s > S / 2;
    int row = right ? s - 1 - S / 2 : s - 1;
    int top = kFirstRow + row * kRow;
    BracketItem id{
        BracketPart::TeamId, s, {kIdLeft, top, kIdWidth, kBox}, std::to_string(s) + ".", 0};
    BracketItem name{BracketPart::TeamName, s, {kNameLeft, top, kNameWidth, kBox}, "", 0};
    BracketItem seed{BracketPart::TeamSeed, s, {kSeedLeft, top, kSeedWidth, kBox}, "", 0};
    for (BracketItem* item : {&id, &name, &seed}) {
      if (right) {
        item->rect = Mirror(item->rect, width);
        item->mirrored = true;
      }
      g.items.push_back(*item);
    }
  }

  // The empty bracket: each pair joined one column further right, round by round.
  // Each half is drawn from the left and mirrored for the right half.
  auto mirrorX = [&](int x, bool right) { return right ? width - x : x; };
  std::vector<int> outs(S + 1);  // y of the line leaving each slot or game, by position
  for (int s = 1; s <= S; ++s) outs[s] = CentreY(g.Find(BracketPart::TeamName, s)->rect);
  int count = S;
  for (int r = 1; r <= R; ++r) {
    bool finalOfDual = dualSided && r == R;
    int x0 = kColumnRight + (r - 1) * kColumn;
    int x1 = kColumnRight + r * kColumn;
    for (int k = 1; k <= count / 2; ++k) {
      int ya = outs[2 * k - 1];
      int yb = outs[2 * k];
      if (finalOfDual) {
        // The two halves meet in the middle.
        AddHorizontal(g.lines, x0, width - x0, ya);
        AddVertical(g.lines, width / 2, ya - kRow, ya);
        outs[k] = ya;
        continue;
      }
      bool right = dualSided && k > count / 4;
      AddHorizontal(g.lines, mirrorX(x0, right), mirrorX(x1, right), ya);
      AddHorizontal(g.lines, mirrorX(x0, right), mirrorX(x1, right), yb);
      AddVertical(g.lines, mirrorX(x1, right), ya, yb);
      outs[k] = (ya + yb) / 2;
    }
    count /= 2;
  }
  if (!dualSided) {
    int x = kColumnRight + R * kColumn;
    AddHorizontal(g.lines, x, x + kColumn, outs[1]);
  }
  return g;
}

}  // namespace qb
