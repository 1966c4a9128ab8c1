#include "reports/logic/grid_csv.h"

#include <algorithm>

#include "core/payout.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "reports/logic/report_format.h"

namespace qb {

std::string CsvQuoted(const std::string& text) { return "\"" + ReplaceAll(text, "\"", "\"\"") + "\""; }

std::string GridCsvText(PoolState& pool, const Grid& grid, const std::string& title,
                        const std::tm& now) {
  const PoolHeader& p = pool.Pool;
  std::string out;
  auto line = [&out](const std::string& text) { out += CsvQuoted(text) + "\r\n"; };
  line(std::string(kAppTitle) + " by " + kMakerName + " Inc. " + kProductWebAddress);
  line(p.PoolName + " - " + title + " - " + ShortDate(now));
  line("Scoring per Round: ");
  const int rounds = std::clamp<int>(pool.NumRounds, 0, kMaxRounds);
  for (int r = 1; r <= rounds; ++r)
    line(OrdinalText(r) + ": " + FormatAmount(static_cast<double>(p.RoundPoints[r])) +
         pool.SeedMethodDescr[r]);
  if (p.TiebreakerUsed) line("Tiebreaker: " + p.TiebreakerType + "      ");
  std::string payouts = "Payout Percentages: ";
  for (int i = 1; i <= pool.NumPayoutPlaces && i <= kPayoutPlaces; ++i)
    payouts += Str(i) + "-" + Str(p.PayoutPct[i]) + "%;  ";
  if (p.PayoutPct[0] != 0) payouts += " Booby-" + Str(p.PayoutPct[0]) + "%  ";
  line(payouts);
  Currency pot = ComputePot(pool) - p.HoldbackAmt;
  if (pot < Currency()) pot = Currency();
  line("  Cost Per Entry is " + FormatMoney(p.CostPerEntry) + "  Total Pot is " + FormatMoney(pot));
  line(" ");
  for (int r = 0; r < grid.Rows(); ++r) {
    for (int c = 0; c < grid.Cols(); ++c)
      if (grid.ColWidth(c) > 0) out += CsvQuoted(grid.TextMatrix(r, c)) + ",";
    out += "\r\n";
  }
  return out;
}

}  // namespace qb
