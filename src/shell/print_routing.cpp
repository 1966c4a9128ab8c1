#include "shell/print_routing.h"

#include <QApplication>

#include "core/cp1252.h"
#include "core/file_replace.h"
#include "core/sound_effects.h"
#include "platform/error_report.h"
#include "reports/logic/grid_csv.h"
#include "reports/logic/report_catalog.h"
#include "reports/report_output.h"
#include "shell/frmMain.h"
#include "standings/report_window.h"

namespace qb {

bool PrintActiveReport(AppContext& ctx, ChildWindow* child, QWidget* parent) {
  auto* report = dynamic_cast<ReportWindow*>(child);
  if (!report) return false;
  RunGuarded(ctx, report, false, report->windowName() + ".Print",
             [&] { PrintWindowReport(ctx, *report, parent); });
  return true;
}

void PrintToFile(AppContext& ctx, QWidget* mainWindow) {
  auto* main = qobject_cast<frmMain*>(mainWindow);
  auto* report = main ? dynamic_cast<ReportWindow*>(main->ActiveChild()) : nullptr;
  if (!report) return;
  auto csv = CsvExportFor(report->windowName(), report->CurrentPage());
  if (!csv) return;
  const Grid* grid = report->SSTab1()->isHidden() ? nullptr : report->ReportGrid(csv->gridPage);
  if (RefuseWithoutReport(ctx, *report, csv->gridPage, grid, kNoReportToExportText)) return;
  PrintGridToFile(ctx, *grid, csv->title, mainWindow);
}

void PrintGridToFile(AppContext& ctx, const Grid& grid, const std::string& title,
                     QWidget* parent) {
  RunGuarded(ctx, parent, false, "frmMain.PrintGridToFile", [&] {
    auto name = ctx.files.GetSaveFileName(kPrintToFileTitle, kPrintToFileFilter, "");
    if (!name || name->empty()) return;
    std::error_code ec;
    {
      BusyCursor busy;
      const std::string text = GridCsvText(ctx.pool, grid, title, ctx.clock.Now());
      // Written beside the file and put in its place at once: a failure
      // never leaves a cut-off file.
      ec = ReplaceFileContents(*name, Utf8ToCp1252(text));
    }
    if (ec) {
      ctx.prompts.Beep();
      ctx.prompts.Show("The file " + *name + " cannot be written: " + ec.message(),
                       MsgIcon::Exclamation);
      return;
    }
    ctx.pool.SoundPlayed = 0;
    PlaySoundEffect(ctx.pool, ctx.waves, "type", 2);
    ctx.prompts.Show(kPrintToFileDone);
  });
}

}  // namespace qb
