#pragma once
// File > Print and File > Print to Comma-Delimited File for the report
// windows: what the main window hands to the report writers.
#include <string>

#include "platform/app_context.h"
#include "platform/grid.h"

class QWidget;

namespace qb {

class ChildWindow;

// Title of the save dialog of the comma-delimited export, and its filter.
inline constexpr const char* kPrintToFileTitle = "Print to Comma-Delimited File";
inline constexpr const char* kPrintToFileFilter = "Comma delimited file (*)";
inline constexpr const char* kPrintToFileDone = "Print to File Completed";

// File > Print with a report window active: prints the report of the tab
// page it shows. True when the window is a report window (nothing else to do).
bool PrintActiveReport(AppContext& ctx, ChildWindow* child, QWidget* parent);

// File > Print to Comma-Delimited File: the grid and title of the active
// report window and tab page; any other window does nothing. mainWindow is
// the main window (the dialog runner's parent).
void PrintToFile(AppContext& ctx, QWidget* mainWindow);

// Asks for the file and writes the grid into it (Windows-1252, CR LF); a
// failed write says so and leaves any earlier file as it was.
void PrintGridToFile(AppContext& ctx, const Grid& grid, const std::string& title,
                     QWidget* parent);

}  // namespace qb
