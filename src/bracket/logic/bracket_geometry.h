#pragma once
// Where every box, caption and line of a drawn bracket stands, in twips.
// The results window and the entry editor share one layout (rows 250 apart,
// round columns 1200 apart, boxes 200 high, dual-sided halves mirrored); the
// bracket setup window has its own, with 300-twip rows and 350-twip columns of
// lines. The bracket view draws whatever geometry it is handed.
#include <optional>
#include <string>
#include <vector>

namespace qb {

enum class BracketPart {
  None,                // the window background
  TeamId,              // lblTeamId(slot)
  TeamName,            // txtTeamName(slot)
  TeamSeed,            // txtTeamSeed(slot)
  Winner,              // txtWinner(game)
  WinnerSeed,          // txtWinnerSeed(game)
  RoundCaption,        // lblRound(i): i = 1..rounds, mirrored columns above rounds
  BottomRoundCaption,  // lblBottomRound(i), indexed as lblRound
  TeamCaption,         // lblRound0 (1), and its mirrored twin (2) in a dual-sided bracket
  Heading,             // "Nbr", "Team Name", "Seed" over the team column (1..3)
  Label,               // Label1..Label4 of the setup window
};

struct TwipRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const TwipRect&) const = default;
};

struct BracketItem {
  BracketPart part = BracketPart::None;
  int index = 0;
  TwipRect rect;
  std::string text;       // captions and labels; empty for boxes
  int round = 0;          // winner boxes: their game's round; captions: the round they stand over
  bool mirrored = false;  // stands in the right half of a dual-sided bracket
};

struct BracketLine {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool operator==(const BracketLine&) const = default;
};

struct BracketGeometry {
  int numSlots = 0;
  int numRounds = 0;
  bool dualSided = false;
  int width = 0;   // of the window's bracket area
  int height = 0;
  std::vector<BracketItem> items;
  std::vector<BracketLine> lines;
  std::optional<TwipRect> tiebreakerFrame;  // fraTiebreaker, when shown

  const BracketItem* Find(BracketPart part, int index) const;
  std::vector<const BracketItem*> All(BracketPart part) const;
};

enum class BracketVariant { Results, EntryEditor };

struct BracketLayoutOptions {
  int numSlots = 0;   // NumSlots: 4, 8, 16, 32 or 64
  int numRounds = 0;  // NumRounds: 2..6
  bool dualSided = false;
  bool rePair = false;          // no fixed paths: no connector lines
  bool showTiebreaker = false;  // a numeric tiebreaker: the frame is placed by the final
  BracketVariant variant = BracketVariant::Results;
  // Entry editor only: the heights of its scoring frames, which stand below the bracket.
  int editorPanelsHeight = 0;
};

// Design measures of the shared layout, in twips.
inline constexpr int kRowPitch = 250;
inline constexpr int kColumnPitch = 1200;
inline constexpr int kBoxHeight = 200;
inline constexpr int kTeamIdWidth = 400;
inline constexpr int kTeamNameWidth = 1500;
inline constexpr int kTeamSeedWidth = 420;
inline constexpr int kWinnerWidth = 1500;
inline constexpr int kWinnerSeedWidth = 420;
inline constexpr int kTeamTop = 570;       // lblTeamId(1), txtTeamName(1), txtTeamSeed(1)
inline constexpr int kWinnerLeft = 2800;   // txtWinner(1)
inline constexpr int kWinnerTop = 685;     // txtWinner(1), half-way between slots 1 and 2
inline constexpr int kTiebreakerFrameWidth = 1300;
inline constexpr int kTiebreakerFrameHeight = 1300;

// The results window's or the entry editor's bracket.
BracketGeometry ComputeBracketGeometry(const BracketLayoutOptions& options);

// The bracket setup window: team rows and the lines of the empty bracket.
BracketGeometry ComputeSetupGeometry(int numSlots, int numRounds, bool dualSided);

// Caption of a column: 0 the team column, r the column of round r's winners.
// A column is named by the round its teams play next; the last one holds the champion.
std::string RoundCaptionText(int column, int rounds);

// The round a caption lblRound(i) stands for; indices above rounds are the
// mirrored columns of a dual-sided bracket.
int RoundOfCaption(int captionIndex, int rounds);

// First game of round r (games are numbered round by round from 1).
int FirstGameOfRound(int numSlots, int round);

}  // namespace qb
