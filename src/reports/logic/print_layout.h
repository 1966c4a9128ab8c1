#pragma once
// Where everything of the printed bracket form stands, in twips from the
// form's top left: the panels above the bracket, the team rows, one winner box
// per game, the round headings, the tiebreaker frame, the logo, the filled
// notice, the picture and the lines. The layout depends only on the bracket's
// size, the dual-sided option, re-pairing and whether the pool has a numeric
// tiebreaker; what the boxes show is filled in by the print form.
//
// The design measures are trimmed by a few twips where neighbours would
// otherwise cover each other (rows, headings and panels touch instead), and
// whatever would cover a text is moved clear of it, so every text on the
// printed form stays readable.
#include <optional>
#include <string>
#include <vector>

#include "bracket/logic/bracket_geometry.h"

namespace qb {

enum class PrintPart {
  FileName,      // lblFileName: the title line
  Header,        // lblHeader: entry or results header (not on the blank form)
  NameFrame,     // fraName: name, phone and e-mail lines (blank form only)
  Instructions,  // txtInstructions (blank form and results)
  ScoringFrame,  // fraScoring: an entry's scoring summary (entries only)
  ParmsFrame,    // FraParms: cost per entry and payouts
  RoundScoring,  // Frame1: points and seed bonus per round
  ColumnHeading, // "Nbr", "Team Name", "Seed" (1..3) over the team column
  TeamId,        // lblTeamId(slot)
  TeamName,      // txtTeamName(slot)
  TeamSeed,      // txtTeamSeed(slot)
  Winner,        // txtWinner(game); the last game's box is the champion's
  RoundHeading,  // lblRound(column)
  BottomHeading, // lblBottomRound(column)
  Tiebreaker,    // fraTiebreaker (numeric tiebreakers only)
  Logo,          // fraLogo
  Filled,        // lblFilled: shown only once the blank form is filled
  Picture,       // picEgg (dual-sided 64-slot brackets); never shown with the notice
};

struct PrintItem {
  PrintPart part = PrintPart::FileName;
  int index = 0;
  TwipRect rect;
  std::string text;    // headings and slot numbers; empty for boxes and panels
  bool mirrored = false;  // in the right half of a dual-sided bracket
};

struct PrintLayoutOptions {
  int numSlots = 0;   // 4, 8, 16, 32 or 64
  int numRounds = 0;  // 2..6
  bool dualSided = false;
  bool rePair = false;             // no fixed paths: the joins are not shown
  bool numericTiebreaker = false;  // the tiebreaker frame is shown
};

struct PrintLayout {
  int numSlots = 0;
  int numRounds = 0;
  bool dualSided = false;
  int width = 0;   // of the whole form
  int height = 0;
  // The height the bracket's size alone gives, before the logo panel and the
  // tiebreaker may make the form taller.
  int sizedHeight = 0;
  std::vector<PrintItem> items;  // shown items only
  // Vertical joins (creation order of the bracket's columns, left half then
  // right half per column) and underlines; joins is empty when re-pairing.
  std::vector<BracketLine> joins;
  std::vector<BracketLine> underlines;

  const PrintItem* Find(PrintPart part, int index = 0) const;
  std::vector<const PrintItem*> All(PrintPart part) const;
};

// Design measures of the form, in twips.
inline constexpr int kPrintColumnWidth = 1000;  // RoundColumnWidth
inline constexpr int kPrintRowPitch = 250;
inline constexpr int kPrintBoxHeight = 200;
inline constexpr int kPrintWinnerWidth = 950;
inline constexpr int kPrintTeamTop = 3000;
inline constexpr int kPrintWinnerLeft = 2540;
inline constexpr int kPrintWinnerTop = 3120;
inline constexpr int kPrintHeadingWidth = 1005;
inline constexpr int kPrintHeadingTop = 2760;

// The form for a bracket of 4 to 64 slots; an empty layout (width 0) for
// anything else.
PrintLayout ComputePrintLayout(const PrintLayoutOptions& options);

// How much a form of the given size is shrunk to fit a page (all in the same
// unit): uniformly, never enlarged, 1 when it fits.
double FitScale(double formWidth, double formHeight, double pageWidth, double pageHeight);

// Caption of heading column r: "Champion", "Finals", "Semi-Finals" or
// "Round" and the next round's number; columns above rounds are the right
// half of a dual-sided bracket.
std::string PrintHeadingText(int column, int rounds);

}  // namespace qb
