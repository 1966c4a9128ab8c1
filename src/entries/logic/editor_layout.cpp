#include "entries/logic/editor_layout.h"

#include <algorithm>

#include "core/text_format.h"

namespace qb {

namespace {

constexpr int kCaptionTop = 100;
constexpr int kHeadingTop = 350;
constexpr int kTeamTop = 600;  // lblTeamId(1)
constexpr int kIdLeft = 100, kIdWidth = 400;
constexpr int kNameLeft = 500, kNameWidth = 1500;
constexpr int kSeedLeft = 2020, kSeedWidth = 420;
constexpr int kWinnerLeft = 2600;
// Half-way between the two slots of the first game.
constexpr int kWinnerTop = kTeamTop + 125;
constexpr int kWinnerWidth = 1500, kWinnerSeedWidth = 420;
constexpr int kCaptionWidth = kColumnPitch - 20;
constexpr int kScoringHeight = 1150;
constexpr int kStatsHeight = 850;
constexpr int kScoreFirstColumn = 1100;
constexpr int kScoreColumnPitch = 700;
constexpr int kTiebreakerWidth = 1300, kTiebreakerHeight = 950;

TwipRect Mirrored(const TwipRect& r, int windowWidth, int lift) {
  return TwipRect{windowWidth - r.left - r.width, r.top - lift, r.width, r.height};
}

int CenterY(const TwipRect& r) { return r.top + r.height / 2; }

}  // namespace

std::string RoundCaptionText(int q, int numRounds) {
  if (q > numRounds) return " --- Champion --- ";
  if (q == numRounds) return " ------ Finals ------ ";
  if (q == numRounds - 1) return " -- Semi-Finals -- ";
  return " ---- Round" + Str(q) + " ---- ";
}

EditorLayout LayoutEntryEditor(const PoolState& s, bool numericTiebreaker) {
  EditorLayout l;
  const int slots = std::clamp<int>(s.NumSlots, 0, kMaxSlots);
  const int rounds = std::clamp<int>(s.NumRounds, 0, kMaxRounds);
  const int games = std::clamp<int>(s.NumGames, 0, kMaxGames);
  const bool dual = s.Pool.DualSided && slots >= 4;
  const int half = slots * kRowPitch / 2;

  l.height = (slots + 1) * kRowPitch + kTeamTop + kScoringHeight + kStatsHeight + 800;
  l.width = rounds * kColumnPitch + 3500;
  if (dual) {
    l.width = 2 * l.width - 2600;
    l.height -= half;
  }
  l.width = std::max(l.width, kMinEditorWidth);
  const int w = l.width;

  // Team column.
  l.teamId.resize(slots + 1);
  l.teamName.resize(slots + 1);
  l.teamSeed.resize(slots + 1);
  for (int t = 1; t <= slots; ++t) {
    int top = kTeamTop + (t - 1) * kRowPitch + (t % 2 == 1 ? 20 : -20);
    l.teamId[t] = {kIdLeft, top, kIdWidth, kBoxHeight};
    l.teamName[t] = {kNameLeft, top, kNameWidth, kBoxHeight};
    l.teamSeed[t] = {kSeedLeft, top, kSeedWidth, kBoxHeight};
    if (dual && t > slots / 2) {
      l.teamId[t] = Mirrored(l.teamId[t], w, half);
      l.teamName[t] = Mirrored(l.teamName[t], w, half);
      l.teamSeed[t] = Mirrored(l.teamSeed[t], w, half);
    }
  }

  // Winner columns: game k of round r half-way between the boxes feeding it.
  l.winner.resize(games + 1);
  l.winnerSeed.resize(games + 1);
  for (int r = 1; r <= rounds; ++r) {
    const int left = kWinnerLeft + (r - 1) * kColumnPitch;
    for (int g = s.RoundEnd[r - 1] + 1; g <= s.RoundEnd[r] && g <= games; ++g) {
      const int k = g - s.RoundEnd[r - 1];
      const int top = kWinnerTop + (k * (1 << r) - (1 << (r - 1)) - 1) * kRowPitch;
      l.winner[g] = {left, top, kWinnerWidth, kBoxHeight};
      l.winnerSeed[g] = {left + kWinnerWidth, top, kWinnerSeedWidth, kBoxHeight};
      if (dual && r < rounds && k > s.GamesInRound[r] / 2) {
        l.winner[g] = Mirrored(l.winner[g], w, half);
        l.winnerSeed[g] = Mirrored(l.winnerSeed[g], w, half);
      }
    }
  }
  const int final = games;
  if (dual && final >= 1 && slots / 2 <= games) {
    const int top = kWinnerTop + (l.winner[slots / 2].top - kWinnerTop) / 2 + 200;
    l.winner[final].top = top;
    l.winnerSeed[final].top = top;
  }

  // Captions over and under the columns.
  l.roundCaption.resize(dual ? 2 * rounds : rounds + 1);
  l.bottomCaption.resize(l.roundCaption.size());
  l.teamCaption = {{kIdLeft, kCaptionTop, kSeedLeft + kSeedWidth - kIdLeft, kBoxHeight},
                   RoundCaptionText(1, rounds), 0};
  const char* headings[] = {"Nbr", "Team Name", "Seed"};
  const TwipRect headingBoxes[] = {{kIdLeft, kHeadingTop, kIdWidth, kBoxHeight},
                                   {kNameLeft, kHeadingTop, kNameWidth, kBoxHeight},
                                   {kSeedLeft, kHeadingTop, kSeedWidth, kBoxHeight}};
  for (int i = 0; i < 3; ++i) {
    l.teamHeadings.push_back({headingBoxes[i], headings[i], 0});
    if (dual) l.teamHeadings.push_back({Mirrored(headingBoxes[i], w, 0), headings[i], 0});
  }
  // Bottom captions share one line under the lowest winner box: first-round
  // boxes reach into the next column.
  int lowest = 0;
  for (int g = 1; g <= games; ++g) lowest = std::max(lowest, l.winner[g].bottom());
  if (dual && slots >= 2) lowest = std::max(lowest, l.teamName[slots / 2].bottom());
  for (int r = 1; r <= rounds; ++r) {
    // As wide as the column pitch: a caption's dashes may be cut at its ends.
    const TwipRect top{kWinnerLeft + (r - 1) * kColumnPitch + (kWinnerWidth - kCaptionWidth) / 2,
                       kCaptionTop, kCaptionWidth, kBoxHeight};
    TwipRect bottom = top;
    bottom.top = lowest + 200;
    const std::string text = RoundCaptionText(r + 1, rounds);
    l.roundCaption[r] = {top, text, r};
    l.bottomCaption[r] = {bottom, text, r};
    if (dual && r < rounds) {
      l.roundCaption[2 * rounds - r] = {Mirrored(top, w, 0), text, r};
      l.bottomCaption[2 * rounds - r] = {Mirrored(bottom, w, 0), text, r};
    }
  }

  // Connector lines, only where the paths are fixed.
  if (!s.Pool.RePair) {
    auto feederBox = [&](int r, int g, int which) -> TwipRect {
      if (r == 1) {
        int t = 2 * g - 1 + which;
        TwipRect b = l.teamName[t];
        TwipRect seed = l.teamSeed[t];
        int left = std::min(b.left, seed.left);
        return {left, b.top, std::max(b.right(), seed.right()) - left, b.height};
      }
      const int k = g - s.RoundEnd[r - 1];
      const int f = s.RoundEnd[r - 2] + 2 * k - 1 + which;
      TwipRect b = l.winner[f], seed = l.winnerSeed[f];
      int left = std::min(b.left, seed.left);
      return {left, b.top, std::max(b.right(), seed.right()) - left, b.height};
    };
    for (int r = 1; r <= rounds; ++r) {
      for (int g = s.RoundEnd[r - 1] + 1; g <= s.RoundEnd[r] && g <= games; ++g) {
        if (dual && g == final) continue;  // the halves' winners meet the final box directly
        const TwipRect box = l.winner[g];
        const bool right = dual && box.left > w / 2;
        // Work on the left-hand picture; the right half is its mirror image.
        auto unmirror = [&](TwipRect b) { return right ? Mirrored(b, w, 0) : b; };
        const TwipRect target = unmirror(box);
        const TwipRect a = unmirror(feederBox(r, g, 0));
        const TwipRect b = unmirror(feederBox(r, g, 1));
        const int x = target.left - 80;
        std::vector<TwipLine> part;
        if (a.right() < x) {
          part.push_back({a.right(), CenterY(a), x, CenterY(a)});
          part.push_back({b.right(), CenterY(b), x, CenterY(b)});
          part.push_back({x, CenterY(a), x, CenterY(b)});
        } else {
          part.push_back({x, a.bottom(), x, b.top});
        }
        part.push_back({x, CenterY(target), target.left, CenterY(target)});
        for (TwipLine line : part) {
          if (right) line = {w - line.x1, line.y1, w - line.x2, line.y2};
          l.lines.push_back(line);
        }
      }
    }
  }

  // Tiebreaker frame below the final, moved aside (or down) off any box it
  // would cover; the collected box in the free row over the final's column.
  if (final >= 1) {
    TwipRect frame{l.winner[final].left + 300, l.winner[final].top + 700, kTiebreakerWidth,
                   kTiebreakerHeight};
    for (int pass = 0; pass < 2 * kMaxGames; ++pass) {
      const TwipRect* hit = nullptr;
      auto check = [&](const TwipRect& b) {
        if (!hit && frame.left < b.right() && b.left < frame.right() && frame.top < b.bottom() &&
            b.top < frame.bottom())
          hit = &b;
      };
      for (int g = 1; g <= games; ++g) {
        check(l.winner[g]);
        check(l.winnerSeed[g]);
      }
      for (int t = 1; t <= slots; ++t) {
        check(l.teamId[t]);
        check(l.teamName[t]);
        check(l.teamSeed[t]);
      }
      for (const Caption& c : l.bottomCaption) check(c.box);
      if (!hit) break;
      if (hit->right() + 100 + frame.width <= w)
        frame.left = hit->right() + 100;
      else
        frame.top = hit->bottom() + 100;
    }
    l.tiebreakerFrame = frame;
    l.collected = {l.winner[final].left, kHeadingTop, kWinnerWidth, 250};
  }
  if (numericTiebreaker) {
    const int needed = l.tiebreakerFrame.bottom() + kScoringHeight + kStatsHeight + 900;
    if (needed > l.height) l.height = needed;
  }
  // Wide enough for the entry's caption on the frame as well as the columns.
  const int scoreWidth =
      std::min(std::max(kScoreFirstColumn + (rounds + 1) * kScoreColumnPitch + 300, 7000), w - 200);
  l.scoringFrame = {(w - scoreWidth) / 2, l.height - kScoringHeight - kStatsHeight - 600,
                    scoreWidth, kScoringHeight};
  l.statsFrame = {l.scoringFrame.left, l.scoringFrame.bottom() + 100, scoreWidth, kStatsHeight};
  for (int r = 1; r <= rounds + 1; ++r)
    l.scoreColumnLeft.push_back(kScoreFirstColumn + (r - 1) * kScoreColumnPitch);
  return l;
}

int HeightForScoring(const EditorLayout& l, bool showScoring) {
  if (showScoring) return l.scoringFrame.top + l.scoringFrame.height + l.statsFrame.height + 700;
  return l.scoringFrame.top + 200;
}

}  // namespace qb
