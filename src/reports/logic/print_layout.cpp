#include "reports/logic/print_layout.h"

#include <algorithm>

#include "core/text_format.h"

namespace qb {

namespace {

// Panels above the bracket (Left, Top, Width, Height). Heights are trimmed so
// that the panels meet the ones below them and the headings at 2760.
constexpr TwipRect kFileName{120, 0, 4545, 480};
constexpr TwipRect kHeader{4740, 0, 5955, 600};
constexpr TwipRect kNameFrame{4740, 0, 6195, 600};
constexpr TwipRect kInstructions{120, 690, 6615, 1050};
constexpr TwipRect kScoringFrame{120, 600, 6615, 1140};
constexpr TwipRect kParmsFrame{120, 1740, 6630, 1020};
constexpr TwipRect kRoundScoring{6780, 600, 4095, 2055};
// The instructions box's design height, which the form's minimum height counts.
constexpr int kInstructionsDesignHeight = 1095;

// Team rows: the slot number label, the name and seed boxes; K moves each to
// the right half of a dual-sided bracket (Left = W - Left - K).
constexpr int kIdWidth = 495;
constexpr int kNameLeft = 600, kNameWidth = 1440;
constexpr int kSeedLeft = 2040, kSeedWidth = 372;
constexpr int kTeamIdK = 660, kTeamNameK = 1400, kTeamSeedK = 315;
// On the right the seed box would reach 17 twips into the name box and the
// name box 100 into the number: they are narrowed to touch instead, so that
// every left edge stays where the mirror puts it.
// Right-hand Left is W - Left - K, so a box ends where the next one begins
// at W - (its Left + K).
constexpr int kRightSeedWidth = (kSeedLeft + kTeamSeedK) - (kNameLeft + kTeamNameK);  // 355
constexpr int kRightNameWidth = (kNameLeft + kTeamNameK) - kTeamIdK;                  // 1340
constexpr int kWinnerMirrorK = 880;

constexpr int kHeadingHeight = 360;
constexpr int kBottomHeadingHeight = 255;
constexpr int kColumnHeadingHeight = 240;

constexpr int kTiebreakerWidth = 1875, kTiebreakerHeight = 1692;
constexpr int kLogoWidth = 2115, kLogoHeight = 1815;
constexpr int kFilledWidth = 1815, kFilledHeight = 1935;
constexpr int kPictureWidth = 1800, kPictureHeight = 1350;

// Lines: the first join of the left half and the offset of the right half's.
constexpr int kJoinX0 = 3500;
constexpr int kUnderlineY0 = 3360;
constexpr int kJoinRightOffset = 3448;

// The champion box of a small dual-sided bracket would stand inside the cost
// and payouts panel; it keeps this much room below the panel instead.
constexpr int kClearOfPanels = 35;

void CentreOver(TwipRect& control, const TwipRect& reference) {
  control.left = reference.left + reference.width / 2 - control.width / 2;
}

}  // namespace

const PrintItem* PrintLayout::Find(PrintPart part, int index) const {
  for (const auto& item : items)
    if (item.part == part && item.index == index) return &item;
  return nullptr;
}

std::vector<const PrintItem*> PrintLayout::All(PrintPart part) const {
  std::vector<const PrintItem*> out;
  for (const auto& item : items)
    if (item.part == part) out.push_back(&item);
  return out;
}

double FitScale(double formWidth, double formHeight, double pageWidth, double pageHeight) {
  if (formWidth <= 0 || formHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) return 1;
  return std::min({1.0, pageWidth / formWidth, pageHeight / formHeight});
}

std::string PrintHeadingText(int column, int rounds) {
  int d = column <= rounds ? rounds - column : column - rounds;
  int next = column <= rounds ? column + 1 : 2 * rounds - column + 1;
  if (column == rounds) return "Champion";
  if (d == 1) return "Finals";
  if (d == 2) return "Semi-Finals";
  return "Round" + Str(next);
}

PrintLayout ComputePrintLayout(const PrintLayoutOptions& o) {
  PrintLayout L;
  const int S = o.numSlots;
  const int R = o.numRounds;
  L.numSlots = S;
  L.numRounds = R;
  L.dualSided = o.dualSided;
  if (S < 4 || S > 64 || R < 2 || (1 << R) != S) return L;
  const int G = S - 1;
  const int half = S * kPrintRowPitch / 2;
  const bool dual = o.dualSided;

  // Window size.
  int height = (S + 1) * kPrintRowPitch + kPrintTeamTop + 600;
  int width = kPrintColumnWidth * R + 3500;
  if (dual) {
    width = 2 * width - 2000;
    height -= S * kPrintRowPitch / 2;
  }
  height = std::min(height, 19600);
  width = std::clamp(width, 11000, 15300);
  const int W = width;
  L.sizedHeight = height;

  auto add = [&](PrintPart part, int index, TwipRect rect, std::string text = {},
                 bool mirrored = false) -> PrintItem& {
    L.items.push_back({part, index, rect, std::move(text), mirrored});
    return L.items.back();
  };

  // Panels above the bracket; which of them a document shows is its own choice.
  add(PrintPart::FileName, 0, kFileName);
  add(PrintPart::Header, 0, kHeader);
  add(PrintPart::NameFrame, 0, kNameFrame);
  add(PrintPart::Instructions, 0, kInstructions);
  add(PrintPart::ScoringFrame, 0, kScoringFrame);
  add(PrintPart::ParmsFrame, 0, kParmsFrame);
  add(PrintPart::RoundScoring, 0, kRoundScoring);
  add(PrintPart::ColumnHeading, 1, {0, kPrintHeadingTop, 600, kColumnHeadingHeight}, "Nbr");
  add(PrintPart::ColumnHeading, 2, {600, kPrintHeadingTop, 1095, kColumnHeadingHeight},
      "Team Name");
  add(PrintPart::ColumnHeading, 3, {2040, kPrintHeadingTop, 480, kColumnHeadingHeight}, "Seed");

  // Team rows: the two slots of a first-round game stand 40 twips closer
  // together than neighbouring games.
  std::vector<TwipRect> seedBoxes(S + 1), nameBoxes(S + 1);
  for (int j = 1; j <= S; ++j) {
    int top = kPrintTeamTop;
    if (j > 1) top += (j - 1) * kPrintRowPitch + (j % 2 == 0 ? -20 : 20);
    TwipRect id{0, top, kIdWidth, kPrintBoxHeight};
    TwipRect name{kNameLeft, top, kNameWidth, kPrintBoxHeight};
    TwipRect seed{kSeedLeft, top, kSeedWidth, kPrintBoxHeight};
    bool right = dual && j > S / 2;
    if (right) {
      for (auto [r, k] : {std::pair{&id, kTeamIdK}, {&name, kTeamNameK}, {&seed, kTeamSeedK}}) {
        r->left = W - r->left - k;
        r->top -= half;
      }
      seed.width = kRightSeedWidth;
      name.width = kRightNameWidth;
    }
    add(PrintPart::TeamId, j, id, j == 1 ? "1." : Str(j) + ".", right);
    add(PrintPart::TeamName, j, name, {}, right);
    add(PrintPart::TeamSeed, j, seed, {}, right);
    nameBoxes[j] = name;
    seedBoxes[j] = seed;
  }

  // Winner boxes, round by round and top to bottom, each halfway between its
  // two feeders; in a dual-sided bracket the lower half of a round is mirrored
  // and the champion is centred above the finalists.
  std::vector<TwipRect> boxes(G + 1);
  std::vector<bool> mirroredBox(G + 1, false);
  int championTop = 0;  // before it is moved clear of the panels
  {
    int g = 0;
    for (int k = 1; k <= R; ++k) {
      int games = S >> k;
      for (int m = 1; m <= games; ++m) {
        ++g;
        TwipRect box{kPrintWinnerLeft + (k - 1) * kPrintColumnWidth,
                     kPrintWinnerTop + kPrintRowPitch * ((2 * m - 1) * (1 << (k - 1)) - 1),
                     kPrintWinnerWidth, kPrintBoxHeight};
        if (dual && k == R) {
          box.top = boxes[g - 1].top - 1000;
          box.left = (W - box.width) / 2;
        } else if (dual && m > games / 2) {
          box.left = W - box.left - kWinnerMirrorK;
          box.top -= half;
          mirroredBox[g] = true;
        }
        boxes[g] = box;
      }
    }
    championTop = boxes[G].top;
    if (dual) boxes[G].top = std::max(boxes[G].top, kParmsFrame.bottom() + kClearOfPanels);
    for (int n = 1; n <= G; ++n) add(PrintPart::Winner, n, boxes[n], {}, mirroredBox[n]);
  }

  // Tiebreaker frame below the champion; in a dual-sided bracket as far below
  // the finalists as the champion box was designed above them.
  TwipRect tiebreaker{0, 0, kTiebreakerWidth, kTiebreakerHeight};
  if (dual) {
    tiebreaker.top = 2 * boxes[G - 1].top - championTop;
    tiebreaker.left = (W - kTiebreakerWidth) / 2 + 40;
  } else {
    tiebreaker.top = boxes[G].top + 700;
    tiebreaker.left = boxes[G].left + 300;
  }

  // Round headings above and below every column of winner boxes.
  const int bottomTop = kPrintBoxHeight + nameBoxes[dual ? S / 2 : S].top;
  std::vector<TwipRect> headings(2 * R), bottoms(2 * R);
  std::vector<bool> bottomShown(2 * R, true);
  for (int r = 1; r <= R; ++r) {
    headings[r] = {2520 + (r - 1) * kPrintHeadingWidth, kPrintHeadingTop, kPrintHeadingWidth,
                   kHeadingHeight};
    bottoms[r] = {headings[r].left, bottomTop, kPrintHeadingWidth, kBottomHeadingHeight};
    if (dual && r == R) {
      headings[r].left = (W - kPrintHeadingWidth) / 2;
      headings[r].top += 500;
      bottomShown[r] = false;
    }
  }
  if (dual) {
    for (int r = R + 1; r <= 2 * R - 1; ++r) {
      int left = seedBoxes[S / 2 + 1].left - (2 * R - r) * kPrintHeadingWidth - 100;
      headings[r] = {left, kPrintHeadingTop, kPrintHeadingWidth, kHeadingHeight};
      bottoms[r] = {left, bottomTop, kPrintHeadingWidth, kBottomHeadingHeight};
    }
  }
  // The last column's bottom heading gives way to the tiebreaker frame.
  if (o.numericTiebreaker && bottoms[R].bottom() > tiebreaker.top &&
      tiebreaker.bottom() > bottoms[R].top)
    bottomShown[R] = false;
  const int columns = dual ? 2 * R - 1 : R;
  for (int r = 1; r <= columns; ++r) {
    std::string text = PrintHeadingText(r, R);
    add(PrintPart::RoundHeading, r, headings[r], text, r > R);
    if (bottomShown[r]) add(PrintPart::BottomHeading, r, bottoms[r], text, r > R);
  }

  // Lines: for every game from the second round on a join between its two
  // feeders' underlines, each box underlined 40 twips below it.
  {
    const int xr = W - kJoinRightOffset;
    auto drawGame = [&](int r, int i, bool right) {
      int x = right ? xr - (r - 2) * kPrintColumnWidth : kJoinX0 + (r - 2) * kPrintColumnWidth;
      int y1 = (i - (1 << r)) * kPrintRowPitch + kUnderlineY0 - kPrintRowPitch +
               (1 << (r - 2)) * kPrintRowPitch;
      if (right) y1 -= half;
      int y2 = y1 + (1 << (r - 1)) * kPrintRowPitch;
      L.joins.push_back({x, y1, x, y2});
      int outer = right ? x + kPrintColumnWidth : x - kPrintColumnWidth;
      if (r == 2) {
        L.underlines.push_back({outer, y1, x, y1});
        L.underlines.push_back({outer, y2, x, y2});
      }
      int mid = (y1 + y2) / 2;
      L.underlines.push_back({x, mid, right ? x - kPrintColumnWidth : x + kPrintColumnWidth, mid});
    };
    for (int r = 2; r <= R + 1; ++r) {
      for (int i = 4; i <= S; ++i) {
        if (dual && i > S / 2) {
          if (r < R && i % (1 << r) == 0) drawGame(r, i, true);
        } else if (r <= R && i % (1 << r) == 0) {
          drawGame(r, i, false);
        }
      }
    }
    if (dual) {
      if (R == 2) {
        // Four slots: the finalists play no earlier game, yet are underlined
        // like every other box.
        for (int n = 1; n <= 2; ++n) {
          const TwipRect& b = boxes[n];
          int y = b.top + 240;
          if (mirroredBox[n])
            L.underlines.push_back({xr + kPrintColumnWidth, y, xr, y});
          else
            L.underlines.push_back({kJoinX0 - kPrintColumnWidth, y, kJoinX0, y});
        }
      }
      const TwipRect& c = boxes[G];
      int y = c.top + c.height + 50;
      L.underlines.push_back({c.left, y, c.left + c.width, y});
    }
    if (o.rePair) L.joins.clear();
  }

  // Panels placed by the bracket: the logo, the filled notice and the picture.
  TwipRect logo{0, 0, kLogoWidth, kLogoHeight};
  TwipRect filled{0, 0, kFilledWidth, kFilledHeight};
  CentreOver(logo, tiebreaker);
  CentreOver(filled, tiebreaker);
  logo.top = headings[R].top + 500;
  filled.top = tiebreaker.bottom() + 200;
  if (filled.bottom() > bottomTop) {
    filled.width = 2 * kFilledWidth;
    filled.height = kFilledHeight / 2;
    CentreOver(filled, tiebreaker);
  }
  if (logo.bottom() > tiebreaker.top - 1000) {
    logo.top = filled.bottom();
    height = logo.bottom() + 600;
  }
  if (o.numericTiebreaker) {
    add(PrintPart::Tiebreaker, 0, tiebreaker);
    height = std::max(height, tiebreaker.bottom() + kInstructionsDesignHeight + 2500);
  } else {
    height = std::max(height, kInstructionsDesignHeight + 2500);
  }
  add(PrintPart::Logo, 0, logo);
  add(PrintPart::Filled, 0, filled);
  if (dual && R == 6) {
    // Stops above the bottom headings; the picture is drawn to fit.
    TwipRect picture{0, tiebreaker.bottom() + 30, kPictureWidth, kPictureHeight};
    CentreOver(picture, tiebreaker);
    picture.height = std::min(picture.height, bottomTop - picture.top);
    add(PrintPart::Picture, 0, picture);
  }

  L.width = W;
  L.height = height;
  return L;
}

}  // namespace qb
