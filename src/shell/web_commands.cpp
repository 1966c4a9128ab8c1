#include "shell/web_commands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "shell/frmMain.h"
#include "standings/report_window.h"
#include "web/frmDownload.h"
#include "web/frmEMailReports.h"
#include "web/logic/download.h"

namespace qb {
namespace {

ChildWindow* OpenChild(QWidget* mainWindow, const std::string& name) {
  auto* main = qobject_cast<frmMain*>(mainWindow);
  if (!main) return nullptr;
  for (QMdiSubWindow* sub : main->mdiArea()->subWindowList()) {
    auto* child = qobject_cast<ChildWindow*>(sub->widget());
    if (child && child->windowName() == name) return child;
  }
  return nullptr;
}

bool ChildOpen(QWidget* mainWindow, const std::string& name) {
  return OpenChild(mainWindow, name) != nullptr;
}

}  // namespace

void RunDownloadDialog(AppContext& ctx, QWidget* mainWindow) {
  if (ctx.pool.DownloadType == "Results" && ChildOpen(mainWindow, "frmEnterResults")) {
    ctx.prompts.Beep();
    ctx.prompts.Show(kCloseResultsWindowText, MsgIcon::Exclamation);
    ctx.pool.DialogCancelled = true;
    return;
  }
  frmDownload::ShowModal(ctx, mainWindow);
}

void RunEmailReportsDialog(AppContext& ctx, QWidget* mainWindow) {
  QPointer<QWidget> main(mainWindow);
  RunEmailReports(
      ctx,
      [main](const std::string& name) -> const ReportWindow* {
        return main ? dynamic_cast<const ReportWindow*>(OpenChild(main, name)) : nullptr;
      },
      mainWindow);
}

}  // namespace qb
