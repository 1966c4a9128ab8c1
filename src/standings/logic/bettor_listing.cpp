#include "standings/logic/bettor_listing.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/text_format.h"
#include "standings/logic/analysis_common.h"

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
  grid.SetVisible(false);
  grid.SetRow(1);
  grid.SetRowSel(grid.Rows() - 1);
  grid.SetCol(column);
  grid.Sort(column <= 3 ? flexSortStringNoCaseAscending : flexSortNumericDescending);
  grid.SetRow(0);
  grid.SetCol(0);
  grid.SetColSel(grid.Cols() - 1);
  grid.SetVisible(true);
  grid.Tag = " By " + choiceText;
}

void EntryPicksListing::Fill(Grid& grid, const PoolState& s, const TextMeasure& measure) {
  const int R = std::clamp<int>(s.NumRounds, 0, kMaxRounds);
  const int entries = HeldEntryCount(s), games = HeldGameCount(s);
  lineHeight_ = measure.LineHeight();

  // Every team's name measured once; a row's picks are as wide as their
  // names and the separators between them.
  std::array<int, kMaxSlots + 1> nameWidth{};
  for (int t = 0; t <= std::min<int>(s.NumSlots, kMaxSlots); ++t)
    nameWidth[t] = s.Teams[t].Name.empty() ? 0 : measure.Width(s.Teams[t].Name);
  const int separatorWidth = measure.Width(", ");

  struct Line {
    std::string id, caption, round, picks, key;
    int width = 0;
  };
  std::vector<Line> lines;
  std::array<std::string, kMaxRounds + 1> picks;
  std::array<int, kMaxRounds + 1> widths{}, count{};
  const std::array<std::string, kMaxRounds + 1> ordinals = [] {
    std::array<std::string, kMaxRounds + 1> o;
    for (int r = 1; r <= kMaxRounds; ++r) o[r] = OrdinalText(r);
    return o;
  }();
  for (int e = 1; e <= entries; ++e) {
    if (!IsLiveEntry(s, e)) continue;
    for (int r = 1; r <= R; ++r) picks[r].clear(), widths[r] = 0, count[r] = 0;
    for (int g = 1; g <= games; ++g) {
      const int r = s.GameRound[g];
      if (r < 1 || r > R) continue;
      const int p = PickedSlot(s, g, e);
      if (count[r]++ > 0) picks[r] += ", ", widths[r] += separatorWidth;
      picks[r] += s.Teams[p].Name;
      widths[r] += nameWidth[p];
    }
    const std::string prefix = ParticipantName(s, e) + PadText(std::to_string(s.Entries[e].EntryNumber), 7);
    const size_t first = lines.size();
    for (int r = 1; r <= R + 1; ++r) {
      Line line;
      line.key = prefix + PadText(std::to_string(lines.size() + 1), 7);
      if (r <= R) {
        line.round = ordinals[r];
        line.picks = std::move(picks[r]);
        line.width = widths[r];
      }
      lines.push_back(std::move(line));
    }
    lines[first].id = std::to_string(e);
    lines[first].caption = EntryCaption(s, e);
  }
  std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
    return Grid::CompareNoCase(a.key, b.key) < 0;
  });

  grid.SetVisible(false);
  grid.SetFixedRows(0);
  grid.SetFixedCols(0);
  grid.SetCols(5);
  grid.SetRows(1 + static_cast<int>(lines.size()));
  grid.SetFixedRows(1);
  const char* headers[] = {"Entry ID", "Name and Entry", "Rnd", "Winners Picked", "Sort fields"};
  const int colWidths[] = {0, 2200, 500, 6000, 0};
  for (int c = 0; c < 5; ++c) {
    grid.SetTextMatrix(0, c, headers[c]);
    grid.SetColWidth(c, colWidths[c]);
  }
  textWidth_.assign(grid.Rows(), 0);
  int row = 1;
  for (Line& line : lines) {
    grid.SetTextMatrix(row, 0, line.id);
    grid.SetTextMatrix(row, 1, line.caption);
    grid.SetTextMatrix(row, 2, line.round);
    grid.SetTextMatrix(row, 3, line.picks);
    grid.SetTextMatrix(row, 4, line.key);
    textWidth_[row] = line.width;
    if (!line.round.empty())
      grid.SetRowHeight(row, Lines(line.width, colWidths[kPicksColumn]) * lineHeight_);
    ++row;
  }
  SetupGrid(grid, 0, -1, 2, 2);
  grid.SetVisible(true);
}

void EntryPicksListing::FitToWidth(Grid& grid, int gridWidth) const {
  if (grid.Cols() < 5) return;
  const bool visible = grid.Visible();
  grid.SetVisible(false);
  const int width = std::max(
      gridWidth - grid.ColWidth(1) - grid.ColWidth(2) - grid.ColWidth(4) - 300, 1);
  grid.SetColWidth(kPicksColumn, width);
  const int rows = std::min(grid.Rows(), static_cast<int>(textWidth_.size()));
  for (int row = 1; row < rows; ++row)
    grid.SetRowHeight(row, Lines(1.1 * textWidth_[row], width) * (lineHeight_ + 50));
  grid.SetVisible(visible);
}

}  // namespace qb
