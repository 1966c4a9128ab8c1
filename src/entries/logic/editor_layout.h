#pragma once
// Where the entry editor's boxes stand, in twips: the team column, the winner
// columns (rows 250 apart, round columns 1200 apart, boxes 200 high, the two
// slots of a first-round game 20 closer), the dual-sided fold, the captions,
// the connector lines, the tiebreaker frame and the two scoring frames.
#include <string>
#include <vector>

#include "core/pool_state.h"

namespace qb {

struct TwipRect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
};

struct TwipLine {
  int x1, y1, x2, y2;
};

// Captions of one heading control: its box and text; round is the round a
// drop on it places into (0 for the team column).
struct Caption {
  TwipRect box;
  std::string text;
  int round = 0;
};

struct EditorLayout {
  int width = 0;   // of the window's drawing area
  int height = 0;  // with the scoring frames shown
  std::vector<TwipRect> teamId, teamName, teamSeed;  // 1..NumSlots, 0 unused
  std::vector<TwipRect> winner, winnerSeed;          // 1..NumGames, 0 unused
  // lblRound(i): 1..NumRounds, and NumRounds+1..2*NumRounds-1 over the mirrored
  // right-hand columns of a dual-sided bracket; 0 unused.
  std::vector<Caption> roundCaption;
  std::vector<Caption> bottomCaption;  // the same indices
  Caption teamCaption;                 // lblRound0
  std::vector<Caption> teamHeadings;   // "Nbr", "Team Name", "Seed" (both sides when dual)
  std::vector<TwipLine> lines;         // only without re-pairing
  TwipRect tiebreakerFrame;
  TwipRect collected;
  TwipRect scoringFrame, statsFrame;
  // Left of the columns inside the scoring frames: element r-1 for round r,
  // element NumRounds for the totals.
  std::vector<int> scoreColumnLeft;
};

inline constexpr int kRowPitch = 250;
inline constexpr int kColumnPitch = 1200;
inline constexpr int kBoxHeight = 200;
inline constexpr int kMinEditorWidth = 8500;

// The caption over the column of the teams that play round q (q = NumRounds + 1
// is the champion's column).
std::string RoundCaptionText(int q, int numRounds);

// numericTiebreaker: the tiebreaker frame is shown and may make the window taller.
EditorLayout LayoutEntryEditor(const PoolState& s, bool numericTiebreaker);

// Height of the drawing area with the scoring frames shown or cut off.
int HeightForScoring(const EditorLayout& l, bool showScoring);

}  // namespace qb
