#include "shell/web_commands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "shell/frmMain.h"
#include "web/frmDownload.h"
#include "web/logic/download.h"

namespace qb {
namespace {

bool ChildOpen(QWidget* mainWindow, const std::string& name) {
  auto* main = qobject_cast<frmMain*>(mainWindow);
  if (!main) return false;
  for (QMdiSubWindow* sub : main->mdiArea()->subWindowList()) {
    auto* child = qobject_cast<ChildWindow*>(sub->widget());
    if (child && child->windowName() == name) return true;
  }
  return false;
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

}  // namespace qb
