#pragma once
// The reports of the open report windows: printed, or written as the text
// of the e-mail report or an HTML page.
#include <ostream>
#include <string>

#include "platform/app_context.h"
#include "platform/grid.h"
#include "reports/logic/report_writer.h"

class QWidget;

namespace qb {

class ReportWindow;

// The date and time of the heading from the context's clock; the web
// settings as given.
ReportEnvironment ReportEnvironmentFor(AppContext& ctx, const WebReportSettings& web = {});

// Prints the report on the printer set up (or a PDF file named by the user
// where there is none), in the report font size and orientation of the
// settings; ends with the "type" sound. False when the user cancelled or
// the print failed (the user was told).
bool PrintReport(AppContext& ctx, ReportKind kind, const Grid& grid, QWidget* parent = nullptr);

// The grid the report is written from: the grid of the report's tab page
// in its window; null when the window is not the report's or has no grid.
const Grid* ReportGridOf(const ReportWindow& window, ReportKind kind);

// Writes the report of the window in "Email" or "Web" form to out (see
// WriteReport). False, with nothing written, when the window has no such report.
bool WriteWindowReport(AppContext& ctx, const ReportWindow& window, ReportKind kind,
                       ReportMode mode, std::ostream& out, const WebReportSettings& web = {});

// Said of a page without a report where its window gives no reason.
inline constexpr const char* kNoReportToPrintText = "This page has no report to print.";
inline constexpr const char* kNoReportToExportText = "This page has no report to export.";

// Beeps and says why (the window's own words, else otherwise) when the
// window's page has no report to give: its grid is missing or kept hidden.
// True when refused.
bool RefuseWithoutReport(AppContext& ctx, const ReportWindow& window, int page, const Grid* grid,
                         const char* otherwise);

// File > Print for a report window: prints the report of the tab page it
// shows (a window whose tabs are hidden, the possibilities before a run,
// has none to print; a page without its report is refused with the reason).
// True when the window is a report window.
bool PrintWindowReport(AppContext& ctx, ReportWindow& window, QWidget* parent = nullptr);

}  // namespace qb
