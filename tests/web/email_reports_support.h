#pragma once
// The report distribution window opened over a set of report windows, as the
// main window would open it.
#include <QApplication>
#include <map>
#include <memory>
#include <string>

#include "platform/app_context.h"
#include "standings/report_window.h"
#include "web/frmEMailReports.h"

namespace qb::testing {

using ReportWindows = std::map<std::string, std::unique_ptr<ReportWindow>>;

// Shown in the mode given ("Email" or "Web"); it finds the windows in reports
// by name for as long as it is open.
inline std::unique_ptr<frmEMailReports> OpenEmailReports(AppContext& ctx,
                                                         const ReportWindows& reports,
                                                         const char* mode) {
  ctx.pool.OutputMode = mode;
  auto w = std::make_unique<frmEMailReports>(ctx, [&reports](const std::string& name) {
    auto it = reports.find(name);
    return it == reports.end() ? nullptr : static_cast<const ReportWindow*>(it->second.get());
  });
  w->show();
  QApplication::processEvents();
  return w;
}

}  // namespace qb::testing
