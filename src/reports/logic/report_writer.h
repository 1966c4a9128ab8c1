#pragma once
// The eight reports: a report window's grid written as printed pages, as
// the plain text of the e-mail report, or as an HTML page for the web site,
// each with the common heading that describes the pool.
#include <ctime>
#include <ostream>
#include <string>
#include <vector>

#include "core/pool_state.h"
#include "platform/grid.h"

namespace qb {

enum class ReportKind {
  CurrentRankings,       // frmDisplayRank, flxRank
  FinalWinnings,         // frmDisplayRank, flxPayouts
  ScenarioWinners,       // frmPossibilities, flxScenario
  WinningPossibilities,  // frmPossibilities, flxEntries
  PoolAnalysis,          // frmPoolAnalysis, flxTeam
  UpsetAnalysis,         // frmPoolAnalysis, flxRound
  ParticipantListing,    // frmListBettors, flxBettor
  EntryPicksSummary,     // frmListBettors, flxEntries
};

// "Print", "Email" or "Web", as OutputMode holds them.
enum class ReportMode { Print, Email, Web };
// The mode an OutputMode text names; anything else is Print.
ReportMode ReportModeOf(const std::string& outputMode);

// The report's own title, before the grid's Tag ("Current Rankings", ...).
const char* ReportTitle(ReportKind kind);

// What the web pages take from the upload settings and templates.
struct WebReportSettings {
  int fontSize = 10;         // points of the table rows
  std::string pageOpen;      // written after the head of every page
  std::string pageClose;     // written before its end
  int rowLimit = 0;          // most grid rows of a page; 0 = no limit
};

// What a report needs besides its grid and the pool.
struct ReportEnvironment {
  std::tm now{};  // the date and time the heading shows
  WebReportSettings web;
};

// One printed line and its weight.
struct PrintedLine {
  std::string text;
  bool bold = false;
};
using PrintedPage = std::vector<PrintedLine>;

// Writes the report in "Email" (text lines) or "Web" (one HTML page) form to
// out, every line ended by CR LF; Print gives the pages' lines one after the
// other. Texts are UTF-8; the HTML holds ASCII only. The grid is read, never
// changed. The pool is read (ComputePot counts its deleted entries).
void WriteReport(ReportKind kind, const Grid& grid, PoolState& pool,
                 const ReportEnvironment& env, ReportMode mode, std::ostream& out);

// The report laid out on printed pages of linesPerPage lines each: the page
// heading on every page that a data row starts, a new page before a row that
// would not fit, and a plain continuation page wherever a heading or a row
// alone is longer than a page, so no line is ever lost.
std::vector<PrintedPage> LayOutPrintedReport(ReportKind kind, const Grid& grid, PoolState& pool,
                                             const ReportEnvironment& env, int linesPerPage);

}  // namespace qb
