#include "standings/logic/pool_analysis.h"

#include <stdexcept>

#include "core/payout.h"
#include "core/text_format.h"
#include "standings/logic/analysis_common.h"
#include "standings/logic/payouts.h"
#include "standings/logic/report_grid.h"

namespace qb {

PickTally::PickTally(int slots, int rounds)
    : slots_(std::max(slots, 0)),
      rounds_(std::max(rounds, 0)),
      counts_(static_cast<size_t>(slots_ + 1) * (rounds_ + 1), 0) {}

size_t PickTally::Index(int slot, int round) const {
  if (slot < 0 || slot > slots_ || round < 0 || round > rounds_)
    throw std::out_of_range("pick tally outside its slots or rounds");
  return static_cast<size_t>(slot) * (rounds_ + 1) + round;
}

PickTally CountTeamPicks(const PoolState& s) {
  PickTally tally(s.NumSlots, s.NumRounds);
  const int entries = HeldEntryCount(s), games = HeldGameCount(s);
  for (int e = 1; e <= entries; ++e) {
    if (!IsLiveEntry(s, e)) continue;
    for (int g = 1; g <= games; ++g) {
      const int p = PickedSlot(s, g, e);
      const int r = s.GameRound[g];
      if (p != 0 && r >= 1 && r <= tally.Rounds()) tally.Add(p, r);
    }
  }
  return tally;
}

std::string RoundName(int round, int rounds) {
  if (round == rounds) return "Champ";
  if (round == rounds - 1) return "Runner-up";
  if (round == rounds - 2) return "Semis";
  if (round == 2) return "3rd Round";
  if (round == 1) return "2nd Round";
  return Str(round + 1) + "th Round";
}

std::string TeamCaption(const TeamRecord& t) {
  return t.Seed != 0 ? t.Name + " - " + Str(t.Seed) : t.Name;
}

std::string PotAvailableText(const PoolState& s) {
  // The pot the winners share: a holdback above the entry money leaves none.
  return NumberText(PoolPot(s, CountLiveEntries(s)).ToDouble());
}

std::vector<std::string> FillTeamGrid(Grid& grid, const PoolState& s, const PickTally& tally,
                                      int32_t liveEntries) {
  const int R = tally.Rounds(), slots = tally.Slots();
  std::vector<std::string> choices{"Team Name", "Average Wins"};
  grid.SetVisible(false);
  grid.SetFixedRows(0);
  grid.SetFixedCols(0);
  grid.SetCols(2 * R + 4);
  grid.SetRows(slots + kTeamHeaderRows);
  grid.SetFixedRows(kTeamHeaderRows);
  grid.SetFixedCols(2);
  grid.SetMergeCells(flexMergeFree);
  for (int t = 1; t <= slots; ++t)
    if (IsByeSlot(s.Teams[t])) grid.SetRowHeight(t + 2, 0);
  grid.SetColWidth(0, 300);
  grid.SetColWidth(1, 1800);
  grid.SetColWidth(2, 700);
  for (int c = 3; c <= 2 * R + 2; ++c) grid.SetColWidth(c, 550);
  grid.SetColWidth(TeamSlotColumn(R), 0);

  const char* team[] = {"", "Team", ""};
  const char* average[] = {"", "Average", "Wins"};
  for (int row = 0; row < kTeamHeaderRows; ++row) {
    grid.SetMergeRow(row, true);
    grid.SetTextMatrix(row, 1, team[row]);
    grid.SetTextMatrix(row, 2, average[row]);
    for (int c = 1; c <= 2 * R + 2; ++c) grid.SetCellAlignmentAt(row, c, flexAlignCenterCenter);
    for (int c = 3; c <= 2 * R + 2; ++c) {
      const int r = RoundOfTeamColumn(c, R);
      std::string text;
      if (row == 0) text = "Times Picked to Advance to:";
      if (row == 1) text = RoundName(r, R);
      if (row == 2) text = c % 2 ? "#" : "%";
      grid.SetTextMatrix(row, c, text);
      if (row == 1 && c % 2 == 0) choices.push_back("Advance to " + RoundName(r, R));
    }
  }
  for (int c = 0; c < grid.Cols(); ++c) grid.SetMergeCol(c, false);

  const double n = liveEntries;
  for (int t = 1; t <= slots; ++t) {
    const int row = t + 2;
    grid.SetMergeRow(row, false);
    grid.SetTextMatrix(row, TeamSlotColumn(R), std::to_string(t));
    grid.SetTextMatrix(row, 1, TeamCaption(s.Teams[t]));
    if (liveEntries != 0)
      grid.SetTextMatrix(row, 2, FormatAmount(RoundValue(tally.At(t, 0) / n, -2)));
    for (int r = R; r >= 1; --r) {
      const int c = 2 * (R - r) + 3;
      grid.SetTextMatrix(row, c, std::to_string(tally.At(t, r)));
      if (liveEntries != 0)
        grid.SetTextMatrix(row, c + 1, Str(RoundValue(tally.At(t, r) / n * 100, 0)) + "%");
      grid.SetCellAlignmentAt(row, c + 1, flexAlignRightCenter);
    }
  }
  grid.SetVisible(true);
  return choices;
}

int TeamSortColumn(int choice) {
  return choice <= 2 ? choice + 1 : 2 * (choice - 2) + 3;
}

void SortTeamGrid(Grid& grid, int choice, const std::string& choiceText) {
  if (choice < 0 || grid.Rows() <= kTeamHeaderRows) return;
  const int col = TeamSortColumn(choice);
  if (col >= grid.Cols()) return;
  SortGridRows(grid, kTeamHeaderRows, col,
               choice == 0 ? flexSortStringNoCaseAscending : flexSortNumericDescending);
  NumberRows(grid, kTeamHeaderRows, 0);
  grid.SetRow(grid.Rows() - 1);
  grid.SetCol(0);
  grid.Tag = " By " + choiceText;
}

ShowEntriesChoice ChooseTeamAndRound(Grid& grid, int rounds) {
  ShowEntriesChoice choice;
  if (grid.Row() < kTeamHeaderRows || grid.Col() < 3) {
    choice.refused = true;
    return choice;
  }
  choice.round = static_cast<int16_t>(RoundOfTeamColumn(grid.Col(), rounds));
  const int slotCol = TeamSlotColumn(rounds);
  if (slotCol >= grid.Cols()) return choice;
  grid.SetCol(slotCol);
  bool ok = false;
  const double slot = GridNumber(grid.Text(), &ok);
  choice.team = ok && slot >= 1 && slot <= kMaxSlots ? static_cast<int16_t>(slot) : 0;
  return choice;
}

}  // namespace qb
