#pragma once
// Reports on the printer, and the environment every report is written in.
#include <ostream>
#include <string>

#include "platform/app_context.h"
#include "platform/grid.h"
#include "reports/logic/report_writer.h"

class QWidget;

namespace qb {

// The date and time of the heading from the context's clock; the web
// settings as given.
ReportEnvironment ReportEnvironmentFor(AppContext& ctx, const WebReportSettings& web = {});

// Prints the report on the printer set up (or a PDF file named by the user
// where there is none), in the report font size and orientation of the
// settings; ends with the "type" sound. False when the user cancelled or
// the print failed (the user was told).
bool PrintReport(AppContext& ctx, ReportKind kind, const Grid& grid, QWidget* parent = nullptr);

}  // namespace qb
