#include "entries/logic/editor_layout.h"

#include <algorithm>

namespace qb {

namespace {

// The collected box has its own row between the bracket and the scoring
// frames, so it stays in view when the frames are cut off.
constexpr int kCollectedRow = 300;
constexpr int kScoreFirstColumn = 1100;
constexpr int kScoreColumnPitch = 700;

}  // namespace

EditorLayout LayoutEntryEditor(const PoolState& s, bool numericTiebreaker) {
  EditorLayout l;
  BracketLayoutOptions o;
  o.numSlots = std::clamp<int>(s.NumSlots, 4, 64);
  o.numRounds = std::clamp<int>(s.NumRounds, 2, 6);
  o.dualSided = s.Pool.DualSided;
  o.rePair = s.Pool.RePair;
  o.showTiebreaker = numericTiebreaker;
  o.variant = BracketVariant::EntryEditor;
  o.editorPanelsHeight = kScoringFrameHeight + kStatsFrameHeight + kCollectedRow;
  l.bracket = ComputeBracketGeometry(o);
  l.width = l.bracket.width;
  l.height = l.bracket.height;

  // Wide enough for the entry's caption on the frame as well as the columns.
  const int scoreWidth = std::min(
      std::max(kScoreFirstColumn + (o.numRounds + 1) * kScoreColumnPitch + 300, 7000), l.width - 200);
  l.scoringFrame = {(l.width - scoreWidth) / 2,
                    l.height - kScoringFrameHeight - kStatsFrameHeight - 600, scoreWidth,
                    kScoringFrameHeight};
  // Below everything of the bracket (captions pushed under the tiebreaker
  // frame included), with the collected row between.
  int lowest = l.bracket.tiebreakerFrame ? l.bracket.tiebreakerFrame->bottom() : 0;
  for (const BracketItem& item : l.bracket.items) lowest = std::max(lowest, item.rect.bottom());
  const int shift = lowest + 50 + kCollectedRow - l.scoringFrame.top;
  if (shift > 0) {
    l.scoringFrame.top += shift;
    l.height += shift;
  }
  l.statsFrame = {l.scoringFrame.left, l.scoringFrame.bottom() + 100, scoreWidth,
                  kStatsFrameHeight};
  l.collected = {l.scoringFrame.left, l.scoringFrame.top - kCollectedRow + 20, 1500, 250};
  for (int r = 1; r <= o.numRounds + 1; ++r)
    l.scoreColumnLeft.push_back(kScoreFirstColumn + (r - 1) * kScoreColumnPitch);
  return l;
}

int HeightForScoring(const EditorLayout& l, bool showScoring) {
  if (showScoring) return l.scoringFrame.top + l.scoringFrame.height + l.statsFrame.height + 700;
  return l.scoringFrame.top + 200;
}

}  // namespace qb
