#include "reports/logic/report_writer.h"

#include <algorithm>
#include <utility>

#include "core/payout.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "reports/logic/report_format.h"

namespace qb {

namespace {

// Items of a line: (column tab, grid column).
using Items = std::vector<std::pair<int, int>>;

const Items kRankingsItems = {{4, 0},    {25, 1},   {34, 2},   {39, 3},   {44, 4},
                              {49, 5},   {58, 6},   {63, 7},   {83, 10},  {90, 11},
                              {96, 12},  {103, 13}, {109, 14}, {116, 15}, {122, 16},
                              {129, 17}, {135, 18}, {142, 19}, {148, 20}, {155, 21}};
const Items kWinningsItems = {{4, 0}, {36, 1}, {48, 2}, {60, 3}, {72, 4}, {84, 5}, {96, 6}};
const Items kPossibilitiesItems = {{4, 0},  {36, 1}, {48, 2}, {54, 3},
                                   {60, 4}, {66, 5}, {72, 6}, {78, 7}};
const Items kPoolAnalysisItems = {{4, 0},   {9, 1},   {35, 2},   {43, 3},   {49, 4},   {55, 5},
                                  {61, 6},  {67, 7},  {73, 8},   {79, 9},   {85, 10},  {91, 11},
                                  {97, 12}, {103, 13}, {109, 14}, {115, 15}, {121, 16}};
const Items kPoolAnalysisHeading1 = {{4, 0},  {9, 1},  {35, 2},  {45, 3},   {57, 5},
                                     {69, 7}, {81, 9}, {93, 11}, {105, 13}, {117, 15}};
const Items kPoolAnalysisHeading2 = {{4, 0},   {9, 1},   {35, 2},   {46, 3},   {52, 4},   {58, 5},
                                     {64, 6},  {70, 7},  {77, 8},   {83, 9},   {89, 10},  {95, 11},
                                     {101, 12}, {107, 13}, {113, 14}, {119, 15}, {125, 16}};
const Items kUpsetItems = {{4, 0}, {12, 1}, {20, 2}, {28, 3}, {36, 4}};
const Items kUpsetHeading0 = {{16, 1}};
const Items kUpsetHeading1 = {{15, 1}, {31, 3}};
const Items kUpsetHeading2 = {{5, 0}, {13, 1}, {24, 2}, {29, 3}, {40, 4}};
const Items kParticipantItems = {{4, 1}, {35, 2}, {65, 3}, {95, 4}, {105, 5}};

constexpr int kPicksTab = 40;
// Scenario texts wider than this print on further lines: a long list of tied
// pool winners would otherwise run off the page.
constexpr int kScenarioPrintWidth = 120;
constexpr const char* kHeaderColor = "#C6EF8C";
constexpr const char* kDataColor = "FFFF9C";

// The texts a cut keeps.
std::string Last(const std::string& t, size_t n) { return RightChars(t, n); }
std::string First(const std::string& t, size_t n) { return LeftChars(t, n); }

std::string CutCell(ReportKind kind, int c, const std::string& t) {
  const size_t len = CharCount(t);
  switch (kind) {
    case ReportKind::CurrentRankings:
      if (c == 0 || c == 7) return First(t, 20);
      if ((c == 1 || c == 5) && len > 9) return Last(t, 9);
      if (c >= 10 && c <= 21) {
        if (c % 2 == 0 && len >= 8) return Last(t, 7);
        if (c % 2 == 1 && len >= 7) return Last(t, 6);
      }
      return t;
    case ReportKind::FinalWinnings:
      if (c == 0) return First(t, 30);
      return len > 10 ? Last(t, 11) : t;
    case ReportKind::ScenarioWinners:
      return t;
    case ReportKind::WinningPossibilities:
      return c == 0 ? First(t, 30) : t;
    case ReportKind::PoolAnalysis:
      if (c == 0) return PadText(t, 4);
      if (c == 1) return First(t, 25);
      if (c >= 2 && c <= 16) return PadText(t, 5);
      return t;
    case ReportKind::UpsetAnalysis:
      return c <= 4 ? PadText(t, 6) : t;
    case ReportKind::ParticipantListing:
      if (c >= 1 && c <= 3) return First(t, 30);
      if (c == 4) return PadText(t, 5);
      // The amount owed ends the line: one too long for its five places is
      // printed whole, never as its last digits.
      if (c == 5) return CharCount(Trim(t)) > 5 ? Trim(t) : PadText(t, 5);
      return t;
    case ReportKind::EntryPicksSummary:
      return c == 1 ? First(t, 28) : t;
  }
  return t;
}

int FirstDataRow(ReportKind kind) {
  switch (kind) {
    case ReportKind::CurrentRankings: return 2;
    case ReportKind::PoolAnalysis:
    case ReportKind::UpsetAnalysis: return 3;
    default: return 1;
  }
}

const Items& DataItems(ReportKind kind) {
  static const Items none;
  switch (kind) {
    case ReportKind::CurrentRankings: return kRankingsItems;
    case ReportKind::FinalWinnings: return kWinningsItems;
    case ReportKind::WinningPossibilities: return kPossibilitiesItems;
    case ReportKind::PoolAnalysis: return kPoolAnalysisItems;
    case ReportKind::UpsetAnalysis: return kUpsetItems;
    case ReportKind::ParticipantListing: return kParticipantItems;
    default: return none;
  }
}

class ReportRun {
 public:
  using LineOut = std::function<void(const std::string&, bool)>;

  ReportRun(ReportKind kind, const Grid& grid, PoolState& pool, const ReportEnvironment& env,
            ReportMode mode, LineOut out)
      : kind_(kind),
        grid_(grid),
        pool_(pool),
        env_(env),
        mode_(mode),
        w_([this, out = std::move(out)](const std::string& line, bool bold) {
          ++linesWritten_;
          out(line, bold);
        }) {}

  // For printed pages: before a data row of `lines` lines, with a page
  // heading of `headingLines`; true when a new page with its heading should
  // start first.
  std::function<bool(int lines, int headingLines)> needsNewPage;
  // Starts the next printed page; gives its number.
  std::function<int()> newPage;

  void Run() {
    PageHeading(true);
    const int headingLines = linesWritten_;
    for (int r = FirstDataRow(kind_); r < grid_.Rows(); ++r) {
      if (mode_ == ReportMode::Print && rowsOnPage_ > 0 && needsNewPage(RowLines(r), headingLines))
        PageHeading(false);
      DataRow(r);
      ++rowsOnPage_;
    }
    EndReport();
  }

 private:
  // The cell texts of a row, cut for the fixed columns; every column the
  // report names gets its text. Columns beyond the grid are empty, and so
  // are hidden ones (width 0, such as sort keys), as on the screen.
  std::vector<std::string> Cells(int r, bool cut) const {
    std::vector<std::string> cells(static_cast<size_t>(std::max(grid_.Cols(), 24)));
    for (size_t c = 0; c < cells.size(); ++c) {
      std::string t = Hidden(static_cast<int>(c)) ? std::string() : Cell(r, static_cast<int>(c));
      cells[c] = cut ? CutCell(kind_, static_cast<int>(c), t) : t;
    }
    return cells;
  }

  bool Hidden(int c) const { return c < grid_.Cols() && grid_.ColWidth(c) == 0; }

  std::string Cell(int r, int c) const {
    return r < grid_.Rows() && c < grid_.Cols() ? grid_.TextMatrix(r, c) : std::string();
  }

  void WriteItems(const Items& items, const std::vector<std::string>& cells) {
    for (auto [tab, col] : items) w_.Tab(tab).Text(cells[static_cast<size_t>(col)]);
    w_.End();
  }

  int PicksWidth() const { return mode_ == ReportMode::Print ? 120 : 110; }

  std::vector<std::string> PicksPieces(const std::string& picks) const {
    std::vector<std::string> pieces = PiecesAtSeparator(picks, PicksWidth(), ",");
    for (std::string& piece : pieces) piece = Trim(piece);
    return pieces;
  }

  // The lines of a scenario's text: one, or in print as many as its width takes.
  std::vector<std::string> ScenarioLines(const std::string& text) const {
    if (mode_ != ReportMode::Print) return {text};
    return WrapForPrint(text, kScenarioPrintWidth, ",");
  }

  int RowLines(int r) const {
    if (kind_ == ReportKind::ScenarioWinners) {
      const auto cells = Cells(r, true);
      return static_cast<int>(1 + ScenarioLines(cells[0]).size() + ScenarioLines(cells[1]).size());
    }
    if (kind_ == ReportKind::EntryPicksSummary)
      return std::max<int>(1, static_cast<int>(PicksPieces(Cell(r, 3)).size()));
    return 1;
  }

  void DataRow(int r) {
    if (mode_ == ReportMode::Web) {
      int factor = kind_ == ReportKind::EntryPicksSummary ? 7 : 0;
      w_.Tab(4).Text(GridRowToHtml(grid_, r, ColumnPct(), false, false, 0, kDataColor,
                                   env_.web.rowLimit, factor));
      w_.End();
      return;
    }
    const auto cells = Cells(r, true);
    switch (kind_) {
      case ReportKind::ScenarioWinners:
        if (mode_ == ReportMode::Print)
          w_.End();
        else
          w_.BlankLine();
        for (const auto& line : ScenarioLines(cells[0])) {
          w_.Tab(4).Text(line);
          w_.End();
        }
        for (const auto& line : ScenarioLines(cells[1])) {
          w_.Tab(16).Text(line);
          w_.End();
        }
        return;
      case ReportKind::EntryPicksSummary: {
        w_.Tab(4).Text(cells[1]).Tab(33).Text(cells[2]).Tab(kPicksTab);
        auto pieces = PicksPieces(cells[3]);
        for (const auto& piece : pieces) {
          w_.Tab(kPicksTab).Text(piece);
          w_.End();
        }
        if (pieces.empty()) w_.End();
        return;
      }
      default:
        WriteItems(DataItems(kind_), cells);
    }
  }

  const std::vector<int>& ColumnPct() {
    if (pct_.empty()) pct_ = ComputeColumnPercents(grid_);
    return pct_;
  }

  void HtmlHeaderRow(int row, bool tableStart, int width) {
    w_.Tab(4).Text(GridRowToHtml(grid_, row, ColumnPct(), tableStart, true, width, kHeaderColor,
                                 env_.web.rowLimit, 0));
    w_.End();
  }

  void PageHeading(bool firstPage) {
    int page = 1;
    if (!firstPage && mode_ == ReportMode::Print) page = newPage();
    rowsOnPage_ = 0;
    PrintReportHeading(std::string(ReportTitle(kind_)) + grid_.Tag, page);
    if (mode_ == ReportMode::Web) {
      WebColumnHeadings();
      return;
    }
    if (mode_ == ReportMode::Print) w_.SetBold(true);
    TextColumnHeadings();
    w_.SetBold(false);
    if (kind_ != ReportKind::ScenarioWinners) w_.End();
  }

  void TextColumnHeadings() {
    switch (kind_) {
      case ReportKind::CurrentRankings:
        WriteItems(kRankingsItems, Cells(0, false));
        WriteItems(kRankingsItems, Cells(1, false));
        break;
      case ReportKind::FinalWinnings: {
        auto cells = Cells(0, false);
        if (!Hidden(4)) cells[4] = "Tiebrk Diff";
        WriteItems(kWinningsItems, cells);
        break;
      }
      case ReportKind::ScenarioWinners:
        w_.Tab(4).Text("Scenario Game Winners / Jackpot Winners (Points)");
        w_.End();
        break;
      case ReportKind::WinningPossibilities:
        WriteItems(kPossibilitiesItems, Cells(0, false));
        break;
      case ReportKind::PoolAnalysis:
        WriteItems(kPoolAnalysisHeading1, Cells(1, false));
        WriteItems(kPoolAnalysisHeading2, Cells(2, false));
        break;
      case ReportKind::UpsetAnalysis:
        WriteItems(kUpsetHeading0, Cells(0, false));
        WriteItems(kUpsetHeading1, Cells(1, false));
        WriteItems(kUpsetHeading2, Cells(2, false));
        break;
      case ReportKind::ParticipantListing:
        WriteItems(kParticipantItems, Cells(0, false));
        break;
      case ReportKind::EntryPicksSummary:
        WriteItems({{4, 1}, {34, 2}, {mode_ == ReportMode::Print ? 40 : 65, 3}}, Cells(0, false));
        break;
    }
  }

  void WebColumnHeadings() {
    switch (kind_) {
      case ReportKind::CurrentRankings:
        HtmlHeaderRow(0, true, 800);
        HtmlHeaderRow(1, false, 800);
        w_.End();
        break;
      case ReportKind::PoolAnalysis:
        HtmlHeaderRow(1, true, 640);
        HtmlHeaderRow(2, false, 640);
        break;
      case ReportKind::UpsetAnalysis:
        w_.Text("<p><center><b><font size=bigger>" + HtmlEscape(Cell(0, 1)) +
                "</font></b></center><br>");
        w_.End();
        HtmlHeaderRow(1, true, 640);
        HtmlHeaderRow(2, false, 640);
        break;
      default:
        HtmlHeaderRow(0, true, 640);
    }
  }

  // --- the common heading

  // The pot after the holdback; never below nothing.
  Currency NetPot() {
    Currency pot = ComputePot(pool_) - pool_.Pool.HoldbackAmt;
    return pot < Currency() ? Currency() : pot;
  }

  std::string PayoutPlaces() const {
    std::string s;
    for (int i = 1; i <= pool_.NumPayoutPlaces && i <= kPayoutPlaces; ++i)
      s += OrdinalText(i) + "-" + Str(pool_.Pool.PayoutPct[i]) + "%;  ";
    if (pool_.Pool.PayoutPct[0] != 0) s += "Booby-" + Str(pool_.Pool.PayoutPct[0]) + "%  ";
    return s;
  }

  std::string PoolLine() const {
    return LeftChars(pool_.Pool.PoolName, 30) + "      " + LongDate(env_.now) + "      " +
           LeftChars(pool_.OpenFileName, 60);
  }

  int Rounds() const { return std::clamp<int>(pool_.NumRounds, 0, kMaxRounds); }

  std::string RoundLine(int r) const {
    return OrdinalText(r) + ": " + FormatAmount(static_cast<double>(pool_.Pool.RoundPoints[r]));
  }

  // The seed scoring of a round as the text and HTML forms give it.
  std::string SeedText(int r) const {
    int m = static_cast<int>(pool_.Pool.SeedMethod[r]);
    if (m <= 0 || m > 5) return "   ";
    std::string s = " + " + pool_.SeedMethodName[m];
    if (pool_.Pool.SeedFactor[r] != 1.0f)
      s += " X " + FormatAmount(static_cast<double>(pool_.Pool.SeedFactor[r]));
    return s;
  }

  void PrintReportHeading(const std::string& title, int pageNumber) {
    switch (mode_) {
      case ReportMode::Print: return PrintedHeading(title, pageNumber);
      case ReportMode::Email: return TextHeading(title);
      case ReportMode::Web: return HtmlHeading(title);
    }
  }

  void PrintedHeading(const std::string& title, int pageNumber) {
    const PoolHeader& p = pool_.Pool;
    w_.BlankLine();
    w_.BlankLine();
    w_.SetBold(true);
    w_.Tab(4).Text(kAppTitle).Tab(65).Text(title).Tab(150).Text("Page ").Number(pageNumber);
    w_.End();
    w_.Tab(4).Text(std::string("by ") + kMakerName + ", Inc. " + kProductWebAddress);
    w_.End();
    w_.SetBold(false);
    w_.End();
    w_.Tab(4).Text(PoolLine());
    w_.End();
    w_.End();
    w_.Tab(4).Text("Scoring for Each Correct Pick per Round: ");
    for (int r = 1; r <= Rounds(); ++r) {
      w_.Tab(4).Text(RoundLine(r) + pool_.SeedMethodDescr[r]);
      w_.End();
    }
    if (w_.LineOpen()) w_.End();
    w_.End();
    w_.Tab(4);
    if (p.TiebreakerUsed) {
      w_.Text("Tiebreaker: " + p.TiebreakerType + "      ");
      w_.End();
    }
    w_.Tab(4).Text("Payout Percentages: " + PayoutPlaces() + "  Cost per Entry is " +
                   FormatMoney(p.CostPerEntry) + "  Total Pot is " + FormatMoney(NetPot()));
    w_.End();
    w_.End();
  }

  void TextHeading(const std::string& title) {
    const PoolHeader& p = pool_.Pool;
    w_.BlankLine();
    w_.BlankLine();
    w_.Tab(4).Text(kAppTitle).Tab(40).Text(title);
    w_.End();
    w_.Tab(4).Text(std::string("by ") + kMakerName + ", Inc. " + kProductWebAddress);
    w_.End();
    w_.BlankLine();
    w_.Tab(4).Text(PoolLine());
    w_.End();
    w_.BlankLine();
    w_.Tab(4).Text("Scoring for Each Correct Pick per Round: ");
    for (int r = 1; r <= Rounds(); ++r) {
      w_.Tab(4).Text(RoundLine(r) + SeedText(r));
      w_.End();
    }
    if (w_.LineOpen()) w_.End();
    w_.BlankLine();
    w_.Tab(4);
    if (p.TiebreakerUsed) w_.Text("Tiebreaker: " + p.TiebreakerType + "      ");
    w_.Tab(4).Text("Payout Percentages: " + PayoutPlaces() + "  Cost Per Entry is" +
                   Str(p.CostPerEntry.ToDouble()) + "  Total Pot is " +
                   Str(NetPot().ToDouble()));
    w_.End();
    w_.BlankLine();
  }

  void Line(const std::string& text) {
    w_.Text(text);
    w_.End();
  }

  void HtmlHeading(const std::string& title) {
    const PoolHeader& p = pool_.Pool;
    const std::string t = HtmlEscape(title);
    Line("<html><head> <title>" + t + "</title> </head>");
    Line("<STYLE>");
    Line("H2 {text-align:center; background:#FFFF9C; color:purple}");
    Line("H3 {text-align:center; color:purple}");
    Line("TR {font-size:" + std::to_string(env_.web.fontSize) + "pt} </STYLE>");
    Line("<body bgcolor=white>");
    Line(env_.web.pageOpen);
    Line("<h2><font face=Times>" + t + "</font></h2>");
    Line("<basefont face=Arial size=2 color=purple>");
    Line("<table align=center size=640><tr><td width=25%>");
    Line(
        "<img border=\"0\" src=\"Dunmerrow_Banner_Small_transparent.gif\" width=\"213\" "
        "height=\"131\"></td>");
    Line("<td width=50%><font color=purple>");
    Line("<center><h3>" + HtmlEscape(p.PoolName) + "</h3>as of " + LongDate(env_.now) + " at " +
         MediumTime(env_.now) + "<br><br>");
    Line(std::string("<center><b>") + HtmlEscape(kAppTitle) + " - <A HREF=\"http://" +
         kMakerWebAddress + "\">by " + kMakerName + "</A></b><br>");
    Line(std::string("<A HREF=\"http://") + kProductWebAddress + "\">" + kProductWebAddress +
         "</A><br>");
    Line("</td><td width=25%>");
    Line("<img border=\"0\" src=\"Quorvel_Brakkon_Logo.gif\" width=\"213\" height=\"131\">");
    Line("</tr></table>");
    Line("<table align=center size=640><tr><td width=50%>");
    w_.Text("<font color=purple><b>Scoring for Each Correct Pick per Round:</b> <br><tt>");
    for (int r = 1; r <= Rounds(); ++r) {
      w_.Tab(4).Text(HtmlEscape(RoundLine(r) + SeedText(r)) + "<br>");
      w_.End();
    }
    if (w_.LineOpen()) w_.End();
    Line("</tt><td><font color=purple>");
    if (p.TiebreakerUsed) w_.Text("<br><b>Tiebreaker:</b> " + HtmlEscape(p.TiebreakerType) + "<br>");
    w_.Tab(4).Text("<b>Payout Percentages: </b>" + HtmlEscape(PayoutPlaces()));
    Line("<br>");
    Line("  <b>Cost per Entry: </b>" + Str(p.CostPerEntry.ToDouble()) +
         "<br><b> Total Pot: </b>" + Str(NetPot().ToDouble()) + "<br><br></tr></table>");
    Line("<br>");
  }

  void EndReport() {
    if (w_.LineOpen()) w_.End();
    if (mode_ != ReportMode::Web) return;
    Line("</table>");
    Line(env_.web.pageClose);
    Line("</body></html>");
  }

  ReportKind kind_;
  const Grid& grid_;
  PoolState& pool_;
  const ReportEnvironment& env_;
  ReportMode mode_;
  TabWriter w_;
  std::vector<int> pct_;
  int rowsOnPage_ = 0;
  int linesWritten_ = 0;
};

}  // namespace

ReportMode ReportModeOf(const std::string& outputMode) {
  if (outputMode == "Email") return ReportMode::Email;
  if (outputMode == "Web") return ReportMode::Web;
  return ReportMode::Print;
}

const char* ReportTitle(ReportKind kind) {
  switch (kind) {
    case ReportKind::CurrentRankings: return "Current Rankings";
    case ReportKind::FinalWinnings: return "Final Winnings Calculations Report";
    case ReportKind::ScenarioWinners: return "Scenario Winners";
    case ReportKind::WinningPossibilities: return "Winning Possibilities";
    case ReportKind::PoolAnalysis: return "Pool Analysis";
    case ReportKind::UpsetAnalysis: return "Upset Analysis";
    case ReportKind::ParticipantListing: return "Participant Listing";
    case ReportKind::EntryPicksSummary: return "Entry Picks Summary";
  }
  return "";
}

void WriteReport(ReportKind kind, const Grid& grid, PoolState& pool,
                 const ReportEnvironment& env, ReportMode mode, std::ostream& out) {
  ReportRun run(kind, grid, pool, env, mode,
                [&out](const std::string& line, bool) { out << line << "\r\n"; });
  run.needsNewPage = [](int, int) { return false; };
  run.newPage = [] { return 1; };
  run.Run();
}

std::vector<PrintedPage> LayOutPrintedReport(ReportKind kind, const Grid& grid, PoolState& pool,
                                             const ReportEnvironment& env, int linesPerPage) {
  const size_t perPage = static_cast<size_t>(std::max(1, linesPerPage));
  std::vector<PrintedPage> pages(1);
  ReportRun run(kind, grid, pool, env, ReportMode::Print,
                [&](const std::string& line, bool bold) {
                  if (pages.back().size() >= perPage) pages.emplace_back();
                  pages.back().push_back({line, bold});
                });
  // A row that does not fit starts a page of its own with the heading; where
  // the heading and the row would not fit even on a fresh page, the lines
  // run on to plain continuation pages instead.
  run.needsNewPage = [&](int lines, int headingLines) {
    const size_t row = static_cast<size_t>(lines);
    return pages.back().size() + row > perPage && static_cast<size_t>(headingLines) + row <= perPage;
  };
  run.newPage = [&] {
    pages.emplace_back();
    return static_cast<int>(pages.size());
  };
  run.Run();
  return pages;
}

}  // namespace qb
