#include "reports/report_output.h"

#include <algorithm>

#include "core/sound_effects.h"
#include "platform/print_surface.h"
#include "reports/logic/report_catalog.h"
#include "reports/logic/report_format.h"
#include "standings/report_window.h"

namespace qb {

ReportEnvironment ReportEnvironmentFor(AppContext& ctx, const WebReportSettings& web) {
  ReportEnvironment env;
  env.now = ctx.clock.Now();
  env.web = web;
  return env;
}

bool PrintReport(AppContext& ctx, ReportKind kind, const Grid& grid, QWidget* parent) {
  PoolState& pool = ctx.pool;
  PrintSurface surface(ctx, parent);
  if (!surface.Begin(std::string(ReportTitle(kind)) + grid.Tag, pool.PrintOrientation))
    return false;
  const ReportEnvironment env = ReportEnvironmentFor(ctx);
  // The page is in its orientation before anything is measured. A font too
  // large for the widest line is made smaller, so no column is cut off at
  // the right edge of the page; it is never made larger.
  size_t widest = 0;
  for (const auto& page : LayOutPrintedReport(kind, grid, pool, env, 1 << 30))
    for (const auto& line : page) {
      size_t end = line.text.find_last_not_of(' ');
      if (end != std::string::npos) widest = std::max(widest, CharCount(line.text.substr(0, end + 1)));
    }
  int fontSize = pool.PrintFontSize;
  surface.SetTextFont(fontSize);
  while (fontSize > 2 && static_cast<size_t>(surface.CharsThatFit()) < widest)
    surface.SetTextFont(--fontSize);
  const int perPage = LinesPerPageFor(surface.LinesThatFit());
  const auto pages = LayOutPrintedReport(kind, grid, pool, env, perPage);
  for (size_t p = 0; p < pages.size(); ++p) {
    if (p > 0 && !surface.NewPage()) return false;
    for (const auto& line : pages[p]) surface.PrintLine(line.text, line.bold);
  }
  if (!surface.End()) return false;
  pool.SoundPlayed = 0;
  PlaySoundEffect(pool, ctx.waves, "type", 2);
  return true;
}

const Grid* ReportGridOf(const ReportWindow& window, ReportKind kind) {
  ReportPlace place = WindowOfReport(kind);
  if (window.windowName() != place.window) return nullptr;
  return window.ReportGrid(place.page);
}

bool WriteWindowReport(AppContext& ctx, const ReportWindow& window, ReportKind kind,
                       ReportMode mode, std::ostream& out, const WebReportSettings& web) {
  const Grid* grid = ReportGridOf(window, kind);
  if (!grid) return false;
  WriteReport(kind, *grid, ctx.pool, ReportEnvironmentFor(ctx, web), mode, out);
  return true;
}

bool RefuseWithoutReport(AppContext& ctx, const ReportWindow& window, int page, const Grid* grid,
                         const char* otherwise) {
  // A grid the window keeps hidden (pool winners that cannot be computed
  // yet) has nothing to print either.
  if (grid && grid->Visible()) return false;
  std::string why = window.NoReportText(page);
  if (why.empty()) why = otherwise;
  ctx.prompts.Beep();
  ctx.prompts.Show(why, MsgIcon::Exclamation);
  return true;
}

bool PrintWindowReport(AppContext& ctx, ReportWindow& window, QWidget* parent) {
  const int page = window.CurrentPage();
  auto kind = PrintedReportFor(window.windowName(), page);
  if (!kind) return true;
  const Grid* grid = window.SSTab1()->isHidden() ? nullptr : window.ReportGrid(page);
  if (RefuseWithoutReport(ctx, window, page, grid, kNoReportToPrintText)) return true;
  PrintReport(ctx, *kind, *grid, parent ? parent : &window);
  return true;
}

}  // namespace qb
