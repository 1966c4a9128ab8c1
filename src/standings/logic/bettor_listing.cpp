#include "standings/logic/bettor_listing.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/text_format.h"
#include "standings/logic/analysis_common.h"
#include "standings/logic/report_grid.h"

namespace qb {
namespace {

int BettorCount(const PoolState& s) {
  return std::clamp<int>(s.NumBettors, 0, std::max(static_cast<int>(s.Bettors.size()) - 1, 0));
}

// Lines of a text of width w in a column: the wrap estimate of the listing.
int Lines(double w, int columnWidth) {
  return columnWidth > 0 ? static_cast<int>(std::floor(w / columnWidth)) + 1 : 1;
}

}  // namespace

BettorTotals ComputeBettorTotals(const PoolState& s) {
  BettorTotals t;
  const int bettors = std::max<int>(s.NumBettors, 0);
  t.EntryCount.assign(bettors + 2, 0);
  t.AmountOwed.assign(bettors + 2, Currency());
  const int entries = HeldEntryCount(s);
  for (int e = 1; e <= entries; ++e) {
    const EntryRecord& rec = s.Entries[e];
    const int b = rec.BettorIndex;
    if (b <= 0 || b > bettors + 1) continue;
    ++t.EntryCount[b];
    if (!rec.Collected) t.AmountOwed[b] += s.Pool.CostPerEntry;
  }
  return t;
}

void FillBettorGrid(Grid& grid, const PoolState& s, const BettorTotals& totals) {
  grid.SetVisible(false);
  grid.SetFixedRows(0);
  grid.SetFixedCols(0);
  grid.SetCols(6);
  grid.SetRows(1);
  grid.SetFixedRows(1);
  const char* headers[] = {"ID", "Name", "E-Mail", "Phone", "# Entries", "Amt Owed"};
  const int widths[] = {0, 2200, 2500, 1500, 750, 800};
  for (int c = 0; c < 6; ++c) {
    grid.SetTextMatrix(0, c, headers[c]);
    grid.SetColWidth(c, widths[c]);
  }
  grid.SetRowHeight(0, 2 * kGridDefaultRowHeight);
  const int bettors = BettorCount(s);
  int rows = 1;
  for (int b = 1; b <= bettors; ++b) rows += !s.Bettors[b].Name.empty();
  grid.SetRows(rows);
  int row = 1;
  for (int b = 1; b <= bettors; ++b) {
    const BettorRecord& p = s.Bettors[b];
    if (p.Name.empty()) continue;
    const bool counted = b < static_cast<int>(totals.EntryCount.size());
    grid.SetTextMatrix(row, 0, std::to_string(b));
    grid.SetTextMatrix(row, 1, p.Name);
    grid.SetTextMatrix(row, 2, p.EMail);
    grid.SetTextMatrix(row, 3, p.Phone);
    grid.SetTextMatrix(row, 4, std::to_string(counted ? totals.EntryCount[b] : 0));
    grid.SetTextMatrix(row, 5, NumberText(counted ? totals.AmountOwed[b].ToDouble() : 0.0));
    ++row;
  }
  SetupGrid(grid, 0, -1, 4, 5);
  grid.SetVisible(true);
}

void SortBettorGrid(Grid& grid, int column, const std::string& choiceText) {
  if (grid.Rows() < 2 || column < 1 || column > 5 || column >= grid.Cols()) return;
  SortGridRows(grid, 1, column,
               column <= 3 ? flexSortStringNoCaseAscending : flexSortNumericDescending);
  grid.SetRow(0);
  grid.SetCol(0);
  grid.SetColSel(grid.Cols() - 1);
  grid.Tag = " By " + choiceText;
}

void EntryPicksListing::Fill(Grid& grid, const PoolState& s, const TextMeasure& measure,
                             int gridWidth) {
  const int R = std::clamp<int>(s.NumRounds, 0, kMaxRounds);
  const int entries = HeldEntryCount(s), games = HeldGameCount(s);
  const int blockRows = R + 1;
  lineHeight_ = measure.LineHeight();
  fittedWidth_ = 0;

  // A row's sort key is the participant's name, the entry number and the
  // row's position in entry order, each number right-aligned in 7
  // characters. Within a block only the position differs, so sorting the
  // blocks on name and number, entry order breaking ties, puts the rows in
  // key order; each key is folded to lower case once, not per comparison.
  struct Block {
    int entry;
    std::string prefix, folded;
  };
  std::vector<Block> blocks;
  for (int e = 1; e <= entries; ++e) {
    if (!IsLiveEntry(s, e)) continue;
    Block b{e, ParticipantName(s, e) + PadText(std::to_string(s.Entries[e].EntryNumber), 7), {}};
    b.folded = b.prefix;
    for (char& ch : b.folded)
      if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    blocks.push_back(std::move(b));
  }
  std::vector<int> filledAt(blocks.size());  // position of each block in entry order
  for (size_t i = 0; i < blocks.size(); ++i) filledAt[i] = static_cast<int>(i);
  std::vector<int> order = filledAt;
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return blocks[a].folded < blocks[b].folded; });

  grid.SetVisible(false);
  grid.SetFixedRows(0);
  grid.SetFixedCols(0);
  grid.SetCols(5);
  grid.SetRows(1 + static_cast<int>(blocks.size()) * blockRows);
  grid.SetFixedRows(1);
  const char* headers[] = {"Entry ID", "Name and Entry", "Rnd", "Winners Picked", "Sort fields"};
  const int colWidths[] = {0, 2200, 500, 6000, 0};
  for (int c = 0; c < 5; ++c) {
    grid.SetTextMatrix(0, c, headers[c]);
    grid.SetColWidth(c, colWidths[c]);
  }
  textWidth_.assign(grid.Rows(), 0);

  // Every team's name measured once; a row's picks are as wide as their
  // names and the separators between them.
  std::array<int, kMaxSlots + 1> nameWidth{};
  for (int t = 0; t <= std::min<int>(s.NumSlots, kMaxSlots); ++t)
    nameWidth[t] = s.Teams[t].Name.empty() ? 0 : measure.Width(s.Teams[t].Name);
  const int separatorWidth = measure.Width(", ");
  std::array<std::string, kMaxRounds + 1> ordinals;
  for (int r = 1; r <= R; ++r) ordinals[r] = OrdinalText(r);

  std::array<std::string, kMaxRounds + 1> picks;
  std::array<int, kMaxRounds + 1> widths{}, count{};
  int row = 1;
  for (int i : order) {
    const Block& b = blocks[i];
    const int e = b.entry;
    for (int r = 1; r <= R; ++r) picks[r].clear(), widths[r] = 0, count[r] = 0;
    for (int g = 1; g <= games; ++g) {
      const int r = s.GameRound[g];
      if (r < 1 || r > R) continue;
      const int p = PickedSlot(s, g, e);
      if (count[r]++ > 0) picks[r] += ", ", widths[r] += separatorWidth;
      picks[r] += s.Teams[p].Name;
      widths[r] += nameWidth[p];
    }
    grid.SetTextMatrix(row, 0, std::to_string(e));
    grid.SetTextMatrix(row, 1, EntryCaption(s, e));
    // The rounds, then the separator with its key alone.
    for (int r = 1; r <= blockRows; ++r, ++row) {
      grid.SetTextMatrix(row, 4,
                         b.prefix + PadText(std::to_string(filledAt[i] * blockRows + r), 7));
      if (r > R) continue;
      grid.SetTextMatrix(row, 2, ordinals[r]);
      grid.SetTextMatrix(row, 3, picks[r]);
      textWidth_[row] = widths[r];
      grid.SetRowHeight(row, Lines(widths[r], colWidths[kPicksColumn]) * lineHeight_);
    }
  }
  SetupGrid(grid, 0, -1, 2, 2);
  if (gridWidth > 0) FitToWidth(grid, gridWidth);
  grid.SetVisible(true);
}

void EntryPicksListing::FitToWidth(Grid& grid, int gridWidth) {
  if (grid.Cols() < 5 || gridWidth == fittedWidth_) return;
  fittedWidth_ = gridWidth;
  const bool visible = grid.Visible();
  grid.SetVisible(false);
  const int width =
      std::max(gridWidth - grid.ColWidth(1) - grid.ColWidth(2) - grid.ColWidth(4) - 300, 1);
  grid.SetColWidth(kPicksColumn, width);
  const int rows = std::min(grid.Rows(), static_cast<int>(textWidth_.size()));
  for (int row = 1; row < rows; ++row)
    grid.SetRowHeight(row, Lines(1.1 * textWidth_[row], width) * (lineHeight_ + 50));
  grid.SetVisible(visible);
}

}  // namespace qb
