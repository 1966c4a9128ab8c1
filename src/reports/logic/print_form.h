#pragma once
// What the print form shows for its document: the blank pool form handed to
// participants, the results so far, or one entry's picks with its scoring
// summary; and the pool's parameter panels on every document. Pure data, so
// the same contents go to the screen and to the printer.
#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "core/pool_state.h"

namespace qb {

// PrintEntry's document codes; an entry is its index in Entries (1 and up).
inline constexpr int kBlankPoolForm = -2;
inline constexpr int kResultsForm = -1;

inline constexpr const char* kPrintFormCaption = "Print Entry Form Preview";
inline constexpr const char* kDefaultInstructions =
    "Type instructions to pool participants here.";
inline constexpr const char* kFilledNotice =
    "Bracket has been filled with higher seeds!  Please mark your picks that are different "
    "than what is shown.";
inline constexpr const char* kBadDocumentText =
    "Unexpected error -- Print Entry is not properly set!";
inline constexpr const char* kTooLargeForPortraitText =
    "Form to large to fit on page in 'Portrait' mode!\r\nChange to 'Landscape'?";

enum class BoxColour { White, Yellow, LightOrange, Red };

struct WinnerBoxContents {
  std::string text;
  int16_t slot = 0;      // the team slot shown (Tag); 0 none
  std::string seed;      // txtWinnerSeed
  BoxColour colour = BoxColour::White;
  bool locked = false;   // a Bye game's advanced team
  bool lostPick = false; // an entry's pick that can no longer win: struck through
};

struct PrintFormContents {
  int document = 0;
  bool knownDocument = true;  // false: the bracket and teams only
  int numSlots = 0, numRounds = 0, numGames = 0;

  std::string fileName;  // lblFileName
  std::string header;    // lblHeader
  bool showHeader = false;
  bool showNameFrame = false;
  bool showInstructions = false;
  std::string instructions;
  bool showScoring = false;
  bool showFilled = false;

  std::vector<std::string> teamNames, teamSeeds;  // slot 1..slots
  std::vector<WinnerBoxContents> winners;         // game 1..games

  bool showTiebreaker = false;
  std::string tiebreakerType, tiebreakerAmount;

  // Cost and payouts panel, and the scoring rules per round (1..6).
  std::string costPerEntry, payouts;
  std::array<std::string, 7> roundPoints{}, seedFormula{};

  // Scoring summary of an entry: index 0 the totals, r round r.
  std::array<std::string, 8> gamesWon{}, pointsWon{}, upsets{};
};

// What the window shows when it loads for the document (PrintEntry). today
// dates the results header.
PrintFormContents LoadPrintForm(const PoolState& s, int document, const std::tm& today);

// "Fill with Higher Seeds": every empty winner box gets the better seed of its
// two contenders, earlier fills and the Bye games' teams kept. Only the blank
// pool form is filled: the results and an entry show what happened and what
// was picked. True when the form was filled.
bool FillWithHigherSeeds(const PoolState& s, PrintFormContents& c);

// The seed, a blank and the name; the name alone for a team without seed.
std::string TeamLabel(const PoolState& s, int slot);

// When the blank pool form closes, its instructions become the pool's (the
// pool is marked changed when they differ). Other documents change nothing.
void StoreInstructions(PoolState& s, const PrintFormContents& c);

// Today as the results header shows it: month/day/year.
std::string ShortDateText(const std::tm& t);

}  // namespace qb
