#include "standings/logic/payouts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/payout.h"
#include "core/text_format.h"
#include "standings/logic/report_grid.h"
#include "standings/logic/standings.h"

namespace qb {

namespace {

Currency Share(Currency pot, double pct) {
  return Currency::FromDouble(pot.ToDouble() * pct / 100);
}

// A rounding power from a damaged file would round every amount away.
int SaneRounding(int n) {
  return std::clamp(n, -4, 9);
}

Currency Rounded(double x, int rounding) {
  return Currency::FromDouble(RoundValue(x, SaneRounding(rounding)));
}

int EntryIndexOf(const std::string& text) {
  int n = 0;
  std::from_chars(text.data(), text.data() + text.size(), n);
  return n;
}

}  // namespace

int PaidPlaceCount(const std::array<float, kPayoutPlaces + 1>& pct) {
  int n = 0;
  for (int p = 1; p <= kPayoutPlaces; ++p)
    if (pct[p] > 0) n = p;
  return n;
}

std::vector<PayoutLine> ComputePayouts(const std::vector<PayoutStanding>& ordered, int liveEntries,
                                       const PayoutRules& rules) {
  const int rows = static_cast<int>(ordered.size());
  const int places = PaidPlaceCount(rules.pct);
  std::vector<PayoutLine> out(static_cast<size_t>(rows));
  std::array<int, kPayoutPlaces + 1> count{};
  auto same = [&](int a, int b) {
    return ordered[a].points == ordered[b].points &&
           ordered[a].tiebreakerDiff == ordered[b].tiebreakerDiff;
  };

  // Places: ties share one and the next place skips.
  for (int i = 0, p = 1; i < std::min(rows, liveEntries) && p <= places;) {
    out[i].place = p;
    ++count[p];
    if (++i >= rows) break;
    if (!same(i, i - 1)) p = i + 1;
  }
  // The booby place: the last row and every row tied with it.
  if (rules.pct[0] > 0 && rows > 0) {
    for (int i = rows - 1; i >= 0 && (i == rows - 1 || same(i, i + 1)); --i) {
      out[i].booby = true;
      ++count[0];
    }
  }

  std::array<Currency, kPayoutPlaces + 1> amount{};
  for (int p = 1; p <= places; ++p) {
    if (count[p] == 0) continue;
    // Tied entries share the money of every place they occupy.
    Currency sum;
    for (int q = p; q < p + count[p] && q <= kPayoutPlaces; ++q)
      sum += Share(rules.pot, rules.pct[q]);
    amount[p] = Rounded(sum.ToDouble() / count[p], rules.rounding);
  }
  if (count[0] > 0)
    amount[0] = Rounded(rules.pot.ToDouble() * rules.pct[0] / count[0] / 100, rules.rounding);
  // What rounding and undistributed percentages leave goes to first place.
  Currency paid;
  for (int p = 0; p <= places; ++p) paid += amount[p] * count[p];
  if (count[1] > 0) amount[1] += Currency::FromDouble((rules.pot - paid).ToDouble() / count[1]);

  for (PayoutLine& line : out) {
    line.paid = line.place > 0 || line.booby;
    if (line.place > 0) line.winnings += amount[line.place];
    if (line.booby) line.winnings += amount[0];
  }
  return out;
}

Currency PoolPot(const PoolState& s, int liveEntries) {
  Currency pot = s.Pool.CostPerEntry * liveEntries - s.Pool.HoldbackAmt;
  return pot < Currency() ? Currency() : pot;
}

bool ResultsComplete(const PoolState& s) {
  const int games = std::clamp<int>(s.NumGames, 0, kMaxGames);
  for (int g = 1; g <= games; ++g)
    if (s.Pool.Results[g] == 0 && !s.ByeGame[g]) return false;
  return true;
}

std::string CurrencyText(Currency amount) {
  const int64_t raw = amount.Raw();
  const uint64_t mag = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  std::string out = raw < 0 ? "-" : "";
  out += std::to_string(mag / 10000);
  uint64_t frac = mag % 10000;
  if (frac == 0) return out;
  std::string digits = std::to_string(frac + 10000).substr(1);
  digits.erase(digits.find_last_not_of('0') + 1);
  return out + "." + digits;
}

PayoutsView BuildPayoutsGrid(const PoolState& s, const Grid& standings, Grid& g) {
  PayoutsView view;
  const PoolHeader& pool = s.Pool;
  const bool gamesTiebreaker = pool.TiebreakerType == kGamesTiebreaker;
  const bool numeric = pool.TiebreakerUsed && !gamesTiebreaker;
  const bool complete = ResultsComplete(s);
  if (!complete || (numeric && pool.TiebreakerActual == 0)) {
    view.needData = std::string(complete ? "Tiebreaker amount is " : "Complete results are ") +
                    "not entered.\r\nCannot calculate jackpot winners.";
    return view;
  }
  view.computed = true;
  view.tiebreakerLine = "Tiebreaker: " + pool.TiebreakerType;
  if (!gamesTiebreaker) view.tiebreakerLine += " is " + SignedNumber(pool.TiebreakerActual);
  // Without a numeric tiebreaker the actual amount plays no part: it is not read.
  const float actual = numeric ? pool.TiebreakerActual : 0.0f;

  const int live = std::max(standings.Rows() - kRankHeaderRows, 0);
  g.SetRows(0);
  g.SetCols(8);
  g.SetRows(std::max(live, 1) + 1);
  g.SetFixedRows(1);
  g.SetFixedCols(1);
  static const int widths[] = {2000, 800, 1000, 800, 1000, 800, 1000, 0};
  static const char* headers[] = {"Name / Entry",          "Rank",  "Winnings",         "Points",
                                  "Tiebreaker Difference", "Games", "Tiebreaker Amount"};
  for (int c = 0; c < 8; ++c) g.SetColWidth(c, widths[c]);
  for (int c = 0; c < 7; ++c) g.SetTextMatrix(0, c, headers[c]);
  g.SetRowHeight(0, 600);
  if (!numeric) {
    g.SetColWidth(kPayTiebreakerDiff, 0);
    g.SetColWidth(kPayTiebreaker, 0);
  }
  g.Tag = standings.Tag;

  for (int k = kRankHeaderRows; k < standings.Rows(); ++k) {
    const int row = k - 1;
    const std::string& index = standings.TextMatrix(k, kRankEntry);
    const int n = EntryIndexOf(index);
    const float tiebreaker =
        n >= 1 && n < static_cast<int>(s.Entries.size()) ? s.Entries[n].Tiebreaker : 0.0f;
    g.SetTextMatrix(row, kPayName, standings.TextMatrix(k, kRankName));
    g.SetTextMatrix(row, kPayPoints, standings.TextMatrix(k, kRankPoints));
    g.SetTextMatrix(row, kPayGames, standings.TextMatrix(k, kRankGames));
    if (numeric)
      g.SetTextMatrix(row, kPayTiebreakerDiff, PlainNumber(-std::fabs(tiebreaker - actual)));
    else if (gamesTiebreaker)
      g.SetTextMatrix(row, kPayTiebreakerDiff, standings.TextMatrix(k, kRankGames));
    else
      g.SetTextMatrix(row, kPayTiebreakerDiff, "0");
    g.SetTextMatrix(row, kPayTiebreaker, PlainNumber(tiebreaker));
    g.SetTextMatrix(row, kPayEntry, index);
  }

  SortGridRows(g, 1, kPayPoints, kPayTiebreakerDiff, flexSortNumericDescending);

  std::vector<PayoutStanding> ordered;
  ordered.reserve(static_cast<size_t>(g.Rows() - 1));
  for (int r = 1; r < g.Rows(); ++r)
    ordered.push_back(
        {GridNumber(g.TextMatrix(r, kPayPoints)), GridNumber(g.TextMatrix(r, kPayTiebreakerDiff))});
  PayoutRules rules{PoolPot(s, live), pool.PayoutPct, pool.PayoutRounding};
  const std::vector<PayoutLine> lines = ComputePayouts(ordered, live, rules);
  for (int r = 1; r < g.Rows(); ++r) {
    const PayoutLine& line = lines[static_cast<size_t>(r - 1)];
    if (line.booby)
      g.SetTextMatrix(r, kPayRank, "Booby");
    else if (line.place > 0)
      g.SetTextMatrix(r, kPayRank, std::to_string(line.place));
    if (line.paid) g.SetTextMatrix(r, kPayWinnings, CurrencyText(line.winnings));
  }
  return view;
}

void RemoveNonWinningRows(Grid& g) {
  const bool shown = g.Visible();
  g.SetVisible(false);
  g.RemoveRowsWhere(1, [&](int r) { return Val(g.TextMatrix(r, kPayWinnings)) == 0; });
  g.SetVisible(shown);
}

}  // namespace qb
