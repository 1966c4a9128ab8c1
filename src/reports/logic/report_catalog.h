#pragma once
// Which report each report window shows on each of its tab pages.
#include <optional>
#include <string>

#include "reports/logic/report_writer.h"

namespace qb {

// The window and tab page whose grid a report is written from.
struct ReportPlace {
  const char* window;
  int page;
};
ReportPlace WindowOfReport(ReportKind kind);

// The report File > Print writes for the window and the tab page it shows;
// nothing for a window that is not a report window.
std::optional<ReportKind> PrintedReportFor(const std::string& windowName, int page);

// What File > Print to Comma-Delimited File writes for the window and page:
// the tab page whose grid it takes and the title of the file.
struct CsvExport {
  int gridPage;
  const char* title;
};
std::optional<CsvExport> CsvExportFor(const std::string& windowName, int page);

}  // namespace qb
