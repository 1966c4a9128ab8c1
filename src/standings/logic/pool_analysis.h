#pragma once
// The pool analysis by team: how often the live entries picked each team to
// win a game of each round, laid out as the analysis window's team grid, its
// sort choices and the cell from which the entries with a pick are shown.
#include <cstdint>
#include <string>
#include <vector>

#include "core/pool_state.h"
#include "platform/grid.h"

namespace qb {

// Picks per team slot 0..slots and round 0..rounds, over the live entries;
// round 0 is the sum over all rounds. 32-bit counts: 32,767 entries picking
// one team in six rounds still fit.
class PickTally {
 public:
  PickTally(int slots, int rounds);
  int Slots() const { return slots_; }
  int Rounds() const { return rounds_; }
  int32_t At(int slot, int round) const { return counts_[Index(slot, round)]; }
  void Add(int slot, int round) {
    ++counts_[Index(slot, round)];
    ++counts_[Index(slot, 0)];
  }

 private:
  size_t Index(int slot, int round) const;
  int slots_, rounds_;
  std::vector<int32_t> counts_;
};

// Counts every pick of every live entry; empty picks and picks of deleted
// entries count nowhere.
PickTally CountTeamPicks(const PoolState& s);

// The stage a winner of a round-r game reaches, in a bracket of `rounds`
// rounds: "Champ", "Runner-up", "Semis", "3rd Round", "2nd Round", " 4th Round".
std::string RoundName(int round, int rounds);
// The team's name, with " - " and its seed in Str form when it has one.
std::string TeamCaption(const TeamRecord& t);
// The pot less the holdback, as a plain number, never below 0: the pot
// counts live entries.
std::string PotAvailableText(const PoolState& s);

// Team grid layout: three header rows, two fixed columns; team slot t on
// row t + 2 before any sort; round r owns the columns 2(R - r) + 3 and + 4;
// the last, hidden column holds the slot.
inline constexpr int kTeamHeaderRows = 3;
inline int TeamSlotColumn(int rounds) {
  return 2 * rounds + 3;
}
inline int RoundOfTeamColumn(int col, int rounds) {
  return rounds - (col - 3) / 2;
}

// Fills the team grid from the tally; liveEntries divides the averages and
// shares (left empty when it is 0). Returns the sort choices in their order.
std::vector<std::string> FillTeamGrid(Grid& grid, const PoolState& s, const PickTally& tally,
                                      int32_t liveEntries);
// The column that sort choice k orders on.
int TeamSortColumn(int choice);
// Orders the team rows by choice k (the team name as text from A, every
// other column by number from the highest), numbers them 1.. down the grid,
// leaves the current cell in column 0 of the last row and sets the Tag.
void SortTeamGrid(Grid& grid, int choice, const std::string& choiceText);

// What Show Entries does with the grid's current cell.
struct ShowEntriesChoice {
  bool refused = false;  // a header, number, team or average cell
  int16_t team = 0;
  int16_t round = 0;
  bool Opens() const { return !refused && team != 0 && round != 0; }
};
inline constexpr const char* kSelectTeamRoundText =
    "Please select a team/round for which to display the entries!";
// Reads the team and round of the current cell; moves the current cell to
// the row's hidden slot column, as reading it does.
ShowEntriesChoice ChooseTeamAndRound(Grid& grid, int rounds);

}  // namespace qb
