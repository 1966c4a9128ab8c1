#pragma once
// The main window's commands of the web exchange.
#include "platform/app_context.h"

class QWidget;

namespace qb {

// Tools > Download Bracket and Download Results: the download window, run
// modally over the main window. Results are refused while the results
// window is open, whose OK would write its own winners over them.
void RunDownloadDialog(AppContext& ctx, QWidget* mainWindow);

// Reports > Create Reports for Emailing and Send Reports (OutputMode "Email"
// or "Web"): the report distribution window over the main window, offering
// the reports of the report windows open in it.
void RunEmailReportsDialog(AppContext& ctx, QWidget* mainWindow);

}  // namespace qb
