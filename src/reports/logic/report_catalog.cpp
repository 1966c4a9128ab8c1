#include "reports/logic/report_catalog.h"

namespace qb {

namespace {

struct Entry {
  ReportKind kind;
  const char* window;
  int page;
  const char* csvTitle;
};

const Entry kReports[] = {
    {ReportKind::CurrentRankings, "frmDisplayRank", 0, "Current Rank Report"},
    {ReportKind::FinalWinnings, "frmDisplayRank", 1, "Final Payouts Report"},
    {ReportKind::ScenarioWinners, "frmPossibilities", 0, "Possibilities by Scenario Report"},
    {ReportKind::WinningPossibilities, "frmPossibilities", 1, "Possibilities by Name Report"},
    {ReportKind::PoolAnalysis, "frmPoolAnalysis", 0, "Pool Analysis"},
    // The export writes the teams grid whichever page is shown.
    {ReportKind::UpsetAnalysis, "frmPoolAnalysis", 1, nullptr},
    {ReportKind::ParticipantListing, "frmListBettors", 0, "Participant Listing"},
    {ReportKind::EntryPicksSummary, "frmListBettors", 1, "Entry Listing"},
};

}  // namespace

ReportPlace WindowOfReport(ReportKind kind) {
  for (const auto& e : kReports)
    if (e.kind == kind) return {e.window, e.page};
  return {"", 0};
}

std::optional<ReportKind> PrintedReportFor(const std::string& windowName, int page) {
  for (const auto& e : kReports)
    if (windowName == e.window && page == e.page) return e.kind;
  return std::nullopt;
}

std::optional<CsvExport> CsvExportFor(const std::string& windowName, int page) {
  if (windowName == "frmPoolAnalysis") return CsvExport{0, "Pool Analysis"};
  for (const auto& e : kReports)
    if (windowName == e.window && page == e.page && e.csvTitle) return CsvExport{e.page, e.csvTitle};
  return std::nullopt;
}

}  // namespace qb
