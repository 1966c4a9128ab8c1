#pragma once
// Where the entry editor's parts stand, in twips: the shared bracket layout
// (team column, winner columns, captions, lines, tiebreaker frame) and, below
// it, the collected box and the two scoring frames.
#include <vector>

#include "bracket/logic/bracket_geometry.h"
#include "core/pool_state.h"

namespace qb {

struct EditorLayout {
  BracketGeometry bracket;
  int width = 0;   // of the window's drawing area
  int height = 0;  // with the scoring frames shown
  TwipRect collected;
  TwipRect scoringFrame, statsFrame;
  // Left of the columns inside the scoring frames: element r-1 for round r,
  // element NumRounds for the totals.
  std::vector<int> scoreColumnLeft;
};

inline constexpr int kScoringFrameHeight = 1150;
inline constexpr int kStatsFrameHeight = 850;

// numericTiebreaker: the tiebreaker frame is shown and may make the window taller.
EditorLayout LayoutEntryEditor(const PoolState& s, bool numericTiebreaker);

// Height of the drawing area with the scoring frames shown or cut off.
int HeightForScoring(const EditorLayout& l, bool showScoring);

}  // namespace qb
